#pragma once
// How one line of the menu file is classified: comment, blank, setting, attached
// line, entry, or a line that fits none of these.
#include <string_view>

namespace lv {

enum class LineKind { Comment, Blank, Ignored, Entry, Attached, Setting };

// The seven texts an entry may carry besides its command, plus the hover tip.
enum class AttachedField { Ctrl, Alt, Shift, Tooltip, Right, Middle, ShiftCtrl, ClickTitle };

enum class SettingKey { Title, ButtonHeight, ButtonWidth, WindowLeft, WindowTop };

struct MenuLine {
  LineKind kind = LineKind::Ignored;
  std::string_view key;                       // trimmed, case as written; the caption of an entry
  std::string_view value;                     // trimmed, case as written; the command of an entry
  AttachedField field = AttachedField::Ctrl;  // when kind == Attached
  SettingKey setting = SettingKey::Title;     // when kind == Setting
};

// The views in the result point into `line`.
MenuLine ClassifyLine(std::string_view line);

}  // namespace lv
