#include "startup.h"

#include <algorithm>
#include <cmath>

#include "menu_text.h"

namespace lv {

namespace {

float Clamp(float v, float lo, float hi) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, lo, hi);
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
  explicit Builder(StartupObserver* observer) : observer_(observer) {
    r_.buttons.push_back(kButton0Design);
    r_.caption = kFormCaption;
  }

  void Apply(size_t index, std::string_view text) {
    const MenuLine line = ClassifyLine(text);
    index_ = index;
    if (observer_) observer_->OnLine(index, text, line);
    switch (line.kind) {
      case LineKind::Comment:
      case LineKind::Blank:
      case LineKind::Ignored: break;
      case LineKind::Entry: AddEntry(line.key, line.value); break;
      case LineKind::Attached: Attach(line); break;
      case LineKind::Setting: Set(line); break;
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
  void Attach(const MenuLine& line) {
    if (r_.entries.empty()) {
      if (observer_) observer_->OnAttachedWithoutEntry(index_, line);
      return;
    }
    MenuEntry& e = r_.entries.back();
    if (std::string* slot = AttachedSlot(e.attached, line.field))
      slot->assign(line.value);
    else if (!line.value.empty())
      e.tooltip = line.value;
  }

  void Set(const MenuLine& line) {
    TwipsRect& b0 = r_.buttons[0];
    switch (line.setting) {
      case SettingKey::Title: r_.caption = line.value; break;
      case SettingKey::ButtonHeight: b0.height = ReadSize(line); break;
      case SettingKey::ButtonWidth:
        b0.width = ReadSize(line);
        r_.windowWidth = 2 * b0.left + b0.width + kWidthExtra;
        break;
      case SettingKey::WindowLeft: r_.windowLeft = ReadPosition(line); break;
      case SettingKey::WindowTop: r_.windowTop = ReadPosition(line); break;
    }
  }

  float ReadSize(const MenuLine& line) { return ReadClamped(line, 0); }
  float ReadPosition(const MenuLine& line) { return ReadClamped(line, -kMaxTwips); }
  float ReadClamped(const MenuLine& line, float lowest) {
    NumberReading read = ReadLeadingNumberAt(line.value);
    float kept = Clamp(read.value, lowest, kMaxTwips);
    if (observer_) observer_->OnNumber(index_, line, read, kept);
    return kept;
  }

  StartupObserver* observer_;
  size_t index_ = 0;
  StartupResult r_;
};

}  // namespace

StartupResult ComputeStartup(const std::vector<std::string_view>& lines,
                             StartupObserver* observer) {
  Builder builder(observer);
  for (size_t i = 0; i < lines.size(); ++i) builder.Apply(i, lines[i]);
  return builder.Finish();
}

StartupResult ComputeStartupFromBytes(std::string_view bytes) {
  MenuText text;
  DecodeMenuFile(bytes, text);
  return ComputeStartup(text.lines);
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
