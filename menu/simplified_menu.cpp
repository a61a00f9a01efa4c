#include "simplified_menu.h"

namespace lv {

std::string SimplifiedMenuText() {
  std::string text;
  for (std::string_view row : kSimplifiedMenuRows) {
    text += row;
    text += "\r\n";
  }
  return text;
}

}  // namespace lv
