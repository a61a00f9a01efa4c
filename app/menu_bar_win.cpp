#include "menu_bar_win.h"

#include <string>

#include "menu_bar.h"
#include "text_win.h"

namespace lv {

HMENU BuildMenuBar() {
  HMENU bar = CreateMenu();
  HMENU popup = nullptr;
  std::wstring popupCaption;
  auto flush = [&] {
    if (popup) AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), popupCaption.c_str());
  };
  for (const MenuItemText& item : kMenuBar) {
    if (item.id == 0) {
      flush();
      popup = CreatePopupMenu();
      popupCaption = Utf8ToWide(item.caption);
    } else {
      AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id),
                  Utf8ToWide(item.caption).c_str());
    }
  }
  flush();
  return bar;
}

}  // namespace lv
