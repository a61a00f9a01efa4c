#include "startup.h"

#include <algorithm>
#include <cmath>

#include "leading_number.h"
#include "menu_line.h"

namespace lv {

namespace {

float Clamp(float v, float lo, float hi) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, lo, hi);
}
float ReadSize(std::string_view value) {
  return Clamp(ReadLeadingNumber(value), 0, kMaxTwips);
}
float ReadPosition(std::string_view value) {
  return Clamp(ReadLeadingNumber(value), -kMaxTwips, kMaxTwips);
}

std::string* AttachedSlot(AttachedTexts& texts, AttachedField field) {
  switch (field) {
    case AttachedField::Ctrl: return &texts.ctrl;
    case AttachedField::Alt: return &texts.alt;
    case AttachedField::Shift: return &texts.shift;
    case AttachedField::Right: return &texts.right;
    case AttachedField::Middle: return &texts.middle;
    case AttachedField::ShiftCtrl: return &texts.shiftctrl;
    case AttachedField::ClickTitle: return &texts.clicktitle;
    case AttachedField::Tooltip: return nullptr;
  }
  return nullptr;
}

class Builder {
 public:
  Builder() {
    r_.buttons.push_back(kButton0Design);
    r_.caption = kFormCaption;
  }

  void Apply(const MenuLine& line) {
    switch (line.kind) {
      case LineKind::Comment:
      case LineKind::Blank:
      case LineKind::Ignored: break;
      case LineKind::Entry: AddEntry(line.key, line.value); break;
      case LineKind::Attached: Attach(line.field, line.value); break;
      case LineKind::Setting: Set(line.setting, line.value); break;
    }
  }

  StartupResult Finish() {
    const TwipsRect& last = r_.buttons.back();
    r_.hint.top = last.bottom() + kButtonGap;
    r_.status.top = r_.hint.bottom() + kLabelGap;
    r_.windowHeight = last.bottom() + kWindowBelowLast;
    r_.caption += std::string(" (ver:") + gVersioPvm + ")";
    return std::move(r_);
  }

 private:
  void AddEntry(std::string_view caption, std::string_view command) {
    const size_t n = r_.entries.size();
    if (n > 0) {
      // A new button copies button 0's current left, width and height.
      TwipsRect rect = r_.buttons[0];
      rect.top = r_.buttons[n - 1].bottom() + kButtonGap;
      r_.buttons.push_back(rect);
    }
    MenuEntry& e = r_.entries.emplace_back();
    e.caption = caption;
    e.command = command;
    if (n > 0) e.tooltip = caption;
  }

  // Lines before the first entry have no entry to belong to and are ignored.
  void Attach(AttachedField field, std::string_view value) {
    if (r_.entries.empty()) return;
    MenuEntry& e = r_.entries.back();
    if (std::string* slot = AttachedSlot(e.attached, field))
      slot->assign(value);
    else if (!value.empty())
      e.tooltip = value;
  }

  void Set(SettingKey key, std::string_view value) {
    TwipsRect& b0 = r_.buttons[0];
    switch (key) {
      case SettingKey::Title: r_.caption = value; break;
      case SettingKey::ButtonHeight: b0.height = ReadSize(value); break;
      case SettingKey::ButtonWidth:
        b0.width = ReadSize(value);
        r_.windowWidth = 2 * b0.left + b0.width + kWidthExtra;
        break;
      case SettingKey::WindowLeft: r_.windowLeft = ReadPosition(value); break;
      case SettingKey::WindowTop: r_.windowTop = ReadPosition(value); break;
    }
  }

  StartupResult r_;
};

}  // namespace

StartupResult ComputeStartup(const std::vector<std::string_view>& lines) {
  Builder builder;
  for (std::string_view line : lines) builder.Apply(ClassifyLine(line));
  return builder.Finish();
}

std::string fe_omatd(std::string_view programFolder) {
  std::string td(programFolder);
  if (!td.ends_with('\\')) td += '\\';
  td += "valikko.oma";
  return td;
}

std::optional<float> ResizedButtonWidth(float windowWidth, float button0Left) {
  float w = windowWidth - kResizeMargin - 2 * button0Left;
  if (!(w >= 0)) return std::nullopt;
  return w;
}

}  // namespace lv
