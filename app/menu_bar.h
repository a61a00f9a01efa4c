#pragma once
// The menu bar: three menus, their items and the commands behind them.
#include <array>

namespace lv {

enum MenuCommand : int {
  mnuRestart = 101,
  mnuLopeta = 102,
  mnuAvaaOmat = 201,
  mnlisaaniksit = 202,
  mnuLeikePpelkistetty = 203,
  mnuTietoja = 301,
  mnuTukisivuNetissa = 302,
  mnuTarkista = 303,
};

struct MenuItemText {
  int id;  // 0 starts a new top-level menu with this caption
  const char* caption;
};

inline constexpr std::array<MenuItemText, 11> kMenuBar = {{
    {0, "Tiedosto"},
    {mnuRestart, "käynnistä Lumora Valikko uudelleen"},
    {mnuLopeta, "Lopeta"},
    {0, "Muokkaa"},
    {mnuAvaaOmat, "valikko.oma"},
    {mnlisaaniksit, "Lisää res.hallinnan niksejä valikon valintojen loppuun"},
    {mnuLeikePpelkistetty, "Kopioi leikepöydälle pelkistetyn valikon valinnat"},
    {0, "Ohje"},
    {mnuTietoja, "Tietoja Lumora Valikosta"},
    {mnuTukisivuNetissa, "Tukisivu netissä"},
    {mnuTarkista, "Tarkista valikkotiedosto"},
}};

}  // namespace lv
