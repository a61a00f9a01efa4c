#include "message_win.h"

#include <string>

#include "text_win.h"

namespace lv {

int ShowMessage(HWND owner, std::string_view text, std::string_view title, UINT flags) {
  return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), flags);
}

void ReportFailure(HWND owner, std::string_view what, DWORD error) {
  std::string text(what);
  text += "\n\nSyy: ";
  text += SystemErrorText(error);
  ShowMessage(owner, text, "Lumora Valikko", MB_OK | MB_ICONERROR);
}

}  // namespace lv
