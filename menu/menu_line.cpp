#include "menu_line.h"

#include <array>

#include "text_helpers.h"

namespace lv {

namespace {

struct KeyRule {
  std::string_view key;  // lower case
  LineKind kind;
  AttachedField field;
  SettingKey setting;
};

// Compared in this order; the first equal key decides.
constexpr std::array<KeyRule, 15> kKeys = {{
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

bool EqualsNoCase(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() && StartsWithNoCase(text, lower);
}

}  // namespace

MenuLine ClassifyLine(std::string_view line) {
  MenuLine result;
  if (line.starts_with(';') || StartsWithNoCase(line, "rem ")) {
    result.kind = LineKind::Comment;
    return result;
  }
  if (TrimSpaces(line).empty()) {
    result.kind = LineKind::Blank;
    return result;
  }
  result.key = TrimSpaces(FieldView(line, 1, '='));
  result.value = TrimSpaces(FieldView(line, 2, '='));
  for (const KeyRule& rule : kKeys) {
    if (EqualsNoCase(result.key, rule.key)) {
      result.kind = rule.kind;
      result.field = rule.field;
      result.setting = rule.setting;
      return result;
    }
  }
  result.kind = result.value.empty() ? LineKind::Ignored : LineKind::Entry;
  return result;
}

}  // namespace lv
