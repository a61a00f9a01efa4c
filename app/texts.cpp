#include "texts.h"

#include <charconv>

#include "startup.h"

namespace lv {

std::string TwipsText(float value) {
  if (value == 0) value = 0;  // no "-0"
  // Fixed notation: the plain shortest form would write 100000 as "1e+05".
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buf, end);
}

std::string PlacementReport(float left, float top, float height, float width) {
  std::string text;
  text += "me.left = " + TwipsText(left) + "\r\n";
  text += "me.top = " + TwipsText(top) + "\r\n";
  text += "\r\n";
  text += "cmdAja.height = " + TwipsText(height) + "\r\n";
  text += "cmdAja.width = " + TwipsText(width) + "\r\n";
  return text;
}

std::string PlacementTitle(std::string_view td) {
  std::string title = "Avataanko ";
  title += td;
  title += " muistioon & kopioidaanko arvot leikepöydälle?";
  return title;
}

std::string AboutText(int year) {
  std::string text = std::string("Lumora Valikko, versio ") + gVersioPvm + "\n";
  text += "\n";
  text += "* Nopeuttamaan ohjelmien käynnistämistä ja kansioiden avaamista\n";
  text += "* Rauhoittamaan työpöytää kuvakemereltä\n";
  text += "* Vakioimaan eri koneiden valinnat\n";
  text += "\n";
  // The year as four digits, zero-padded as the "YYYY" pattern gives it.
  std::string digits = std::to_string(year < 0 ? 0 : year);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  text += "Lumora Ohjelmistot Oy, Tekijänoikeus (c) " + digits + "\n";
  return text;
}

std::string AboutTitle() {
  return std::string("Lumora Valikko - ") + gVersioPvm;
}

}  // namespace lv
