// The menu bar the window gets: three menus with exactly these items, captions and
// commands, and nothing else (no separators, access keys, shortcuts or check marks).
// Another process cannot read a window's menu under Wine, so the bar is built here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_bar.h"
#include "menu_bar_win.h"

namespace lv {
namespace {

struct Item {
  int id;
  const wchar_t* caption;
};

struct Menu {
  const wchar_t* caption;
  std::vector<Item> items;
};

const Menu kExpected[] = {
    {L"Tiedosto",
     {{mnuRestart, L"k\u00e4ynnist\u00e4 Lumora Valikko uudelleen"}, {mnuLopeta, L"Lopeta"}}},
    {L"Muokkaa",
     {{mnuAvaaOmat, L"valikko.oma"},
      {mnlisaaniksit, L"Lis\u00e4\u00e4 res.hallinnan niksej\u00e4 valikon valintojen loppuun"},
      {mnuLeikePpelkistetty, L"Kopioi leikep\u00f6yd\u00e4lle pelkistetyn valikon valinnat"}}},
    {L"Ohje",
     {{mnuTietoja, L"Tietoja Lumora Valikosta"},
      {mnuTukisivuNetissa, L"Tukisivu netiss\u00e4"},
      {mnuTarkista, L"Tarkista valikkotiedosto"}}},
};

std::wstring Caption(HMENU menu, UINT position) {
  int length = GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  length =
      GetMenuStringW(menu, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

// A plain text item: enabled, not checked, not a separator, not drawn by the program.
void ExpectPlainItem(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  ASSERT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
  EXPECT_EQ(info.fType, static_cast<UINT>(MFT_STRING));
  EXPECT_EQ(info.fState & (MFS_DISABLED | MFS_CHECKED | MFS_GRAYED), 0u);
}

class MenuBar : public testing::Test {
 protected:
  void SetUp() override { bar_ = BuildMenuBar(); }
  void TearDown() override {
    if (bar_) DestroyMenu(bar_);
  }
  HMENU bar_ = nullptr;
};

TEST_F(MenuBar, HoldsExactlyTheThreeMenus) {
  ASSERT_NE(bar_, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar_), 3);
  for (UINT m = 0; m < 3; ++m) {
    SCOPED_TRACE(m);
    EXPECT_EQ(Caption(bar_, m), kExpected[m].caption);
    ExpectPlainItem(bar_, m);
    // Choosing a menu only opens it: it carries no command of its own.
    EXPECT_NE(GetSubMenu(bar_, static_cast<int>(m)), nullptr);
    EXPECT_EQ(GetMenuItemID(bar_, static_cast<int>(m)), static_cast<UINT>(-1));
  }
}

TEST_F(MenuBar, ItemsHaveTheirCaptionsAndCommands) {
  ASSERT_NE(bar_, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar_), 3);
  for (UINT m = 0; m < 3; ++m) {
    const Menu& expected = kExpected[m];
    HMENU popup = GetSubMenu(bar_, static_cast<int>(m));
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(expected.items.size())) << "menu " << m;
    for (UINT i = 0; i < expected.items.size(); ++i) {
      SCOPED_TRACE("menu " + std::to_string(m) + " item " + std::to_string(i));
      EXPECT_EQ(Caption(popup, i), expected.items[i].caption);
      EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), static_cast<UINT>(expected.items[i].id));
      EXPECT_EQ(GetSubMenu(popup, static_cast<int>(i)), nullptr);
      ExpectPlainItem(popup, i);
    }
  }
}

}  // namespace
}  // namespace lv
