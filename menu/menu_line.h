#pragma once
// How one line of the menu file is classified: comment, blank, setting, attached
// line, entry, or a line that fits none of these.
#include <array>
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
  // A second "=" ends the value: `cut` tells that there was one, `dropped` holds the
  // trimmed text after it, which the line loses.
  bool cut = false;
  std::string_view dropped;
};

struct KeyRule {
  std::string_view key;  // lower case
  LineKind kind;
  AttachedField field;
  SettingKey setting;
};

// The keys a line may start with, compared in this order; the first equal key decides.
inline constexpr std::array<KeyRule, 15> kLineKeys = {{
    {".ctrl", LineKind::Attached, AttachedField::Ctrl, {}},
    {".alt", LineKind::Attached, AttachedField::Alt, {}},
    {".shift", LineKind::Attached, AttachedField::Shift, {}},
    {".tooltip", LineKind::Attached, AttachedField::Tooltip, {}},
    {".tip", LineKind::Attached, AttachedField::Tooltip, {}},
    {".tooltiptext", LineKind::Attached, AttachedField::Tooltip, {}},
    {".right", LineKind::Attached, AttachedField::Right, {}},
    {".middle", LineKind::Attached, AttachedField::Middle, {}},
    {".shiftctrl", LineKind::Attached, AttachedField::ShiftCtrl, {}},
    {".clicktitle", LineKind::Attached, AttachedField::ClickTitle, {}},
    {"title", LineKind::Setting, {}, SettingKey::Title},
    {"cmdaja.height", LineKind::Setting, {}, SettingKey::ButtonHeight},
    {"cmdaja.width", LineKind::Setting, {}, SettingKey::ButtonWidth},
    {"me.left", LineKind::Setting, {}, SettingKey::WindowLeft},
    {"me.top", LineKind::Setting, {}, SettingKey::WindowTop},
}};

// The views in the result point into `line`.
MenuLine ClassifyLine(std::string_view line);

}  // namespace lv
