#pragma once
#include <string>

namespace lv {

// The texts an entry carries besides its caption and command. Empty means "not set".
struct AttachedTexts {
  std::string ctrl, alt, shift, right, middle, shiftctrl, clicktitle;
};

// One entry of the menu file, that is one button.
struct MenuEntry {
  std::string caption;  // with its "&" access-key marks
  std::string command;
  std::string tooltip;  // the hover tip; empty for the first entry unless a tip line sets it
  AttachedTexts attached;
};

}  // namespace lv
