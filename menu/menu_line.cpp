#include "menu_line.h"

#include "text_helpers.h"

namespace lv {

namespace {

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
  // The key is the text before the first "=", the value the text up to the second.
  const size_t first = line.find('=');
  result.key = TrimSpaces(line.substr(0, first));
  if (first != std::string_view::npos) {
    const size_t second = line.find('=', first + 1);
    result.value = TrimSpaces(line.substr(first + 1, second - first - 1));
    if (second != std::string_view::npos) {
      result.cut = true;
      result.dropped = TrimSpaces(line.substr(second + 1));
    }
  }
  for (const KeyRule& rule : kLineKeys) {
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
