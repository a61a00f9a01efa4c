#pragma once
// Which command a press on a menu button runs, and what the window shows for it.
#include <string>
#include <string_view>

#include "menu_entry.h"

namespace lv {

enum class Trigger { plain, shift, ctrl, alt, shiftctrl, right, middle };

// The mouse buttons and the modifier mask as the press event carries them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ModifierMask : int { kShift = 1, kCtrl = 2, kAlt = 4 };

// The mouse button wins over the modifiers; Ctrl+Alt (also AltGr), Shift+Alt and
// Shift+Ctrl+Alt are plain presses.
Trigger ChooseTrigger(int mouseButton, int modifierMask);

// The entry's command for `trigger`; an empty alternative falls back to `command`.
const std::string& SelectCommand(const MenuEntry& entry, Trigger trigger);

struct PressAction {
  std::string status;       // for lblKomento
  std::string caption;      // the button's new caption; empty: keep the caption
  bool webAddress = false;  // open through the shell instead of as a command line
  std::string target;       // the address, or the command line with the placeholder filled in
};

// Empty `status` means nothing happens (a button without a command).
PressAction DecidePress(const MenuEntry& entry, int mouseButton, int modifierMask,
                        std::string_view td);

std::string StatusText(std::string_view command);
std::string HintText(std::string_view command);
std::string NotepadCommand(std::string_view td);
bool IsWebAddress(std::string_view command);

}  // namespace lv
