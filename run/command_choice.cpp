#include "command_choice.h"

#include <initializer_list>

#include "text_helpers.h"

namespace lv {

namespace {
constexpr std::string_view kPlaceholder = "%valikko.oma%";
}

Trigger ChooseTrigger(int mouseButton, int modifierMask) {
  if (mouseButton == kRightButton) return Trigger::right;
  if (mouseButton == kMiddleButton) return Trigger::middle;
  switch (modifierMask) {
    case kShift: return Trigger::shift;
    case kCtrl: return Trigger::ctrl;
    case kShift | kCtrl: return Trigger::shiftctrl;
    case kAlt: return Trigger::alt;
    default: return Trigger::plain;
  }
}

const std::string& SelectCommand(const MenuEntry& entry, Trigger trigger) {
  const AttachedTexts& a = entry.attached;
  const std::string* chosen = nullptr;
  switch (trigger) {
    case Trigger::plain: return entry.command;
    case Trigger::shift: chosen = &a.shift; break;
    case Trigger::ctrl: chosen = &a.ctrl; break;
    case Trigger::alt: chosen = &a.alt; break;
    case Trigger::shiftctrl: chosen = &a.shiftctrl; break;
    case Trigger::right: chosen = &a.right; break;
    case Trigger::middle: chosen = &a.middle; break;
  }
  return chosen->empty() ? entry.command : *chosen;
}

PressAction DecidePress(const MenuEntry& entry, int mouseButton, int modifierMask,
                        std::string_view td) {
  PressAction action;
  const std::string& command = SelectCommand(entry, ChooseTrigger(mouseButton, modifierMask));
  if (command.empty()) return action;
  action.status = StatusText(command);
  action.caption = entry.attached.clicktitle;
  action.webAddress = IsWebAddress(command);
  // A web address goes to the shell as written, placeholder and all.
  action.target = action.webAddress ? command : fe_KorvaaMerkki(command, kPlaceholder, td);
  return action;
}

namespace {
// Built by appending: GCC 12 warns falsely (-Wrestrict) about "x" + std::string(...).
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) out.append(p);
  return out;
}
}  // namespace

std::string StatusText(std::string_view command) {
  return Concat({"Suoritetaan komento: ", command});
}

std::string HintText(std::string_view command) {
  return Concat({"(", command, ")"});
}

std::string NotepadCommand(std::string_view td) {
  return Concat({"notepad ", td});
}

bool IsWebAddress(std::string_view command) {
  return StartsWithNoCase(command, "http");
}

}  // namespace lv
