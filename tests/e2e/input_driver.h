#pragma once
// Real synthetic input for the end-to-end tests: SendInput, as a user's mouse and
// keyboard would give it, so the program sees the true modifier state (GetKeyState,
// MK_SHIFT, MK_CONTROL) and not posted messages.
#include <windows.h>

#include <string>

namespace lv::e2e {

enum class Mouse { Left, Right, Middle };

// The keys held during a press, the same mask as the program's (1 Shift, 2 Ctrl, 4 Alt).
enum HeldKeys : unsigned { kNoKeys = 0, kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// A key no keyboard layout assigns: tapped while Alt is down, it makes Alt's release
// an ordinary key-up instead of the one that opens the window's menu.
inline constexpr WORD kUnassignedKey = 0xE8;

std::string MouseName(Mouse mouse);

// The centre of a window in screen coordinates.
POINT CentreOf(HWND window);

bool SendKey(WORD vk, bool down);
bool TapKey(WORD vk);
bool SendMouseButton(Mouse mouse, bool down);
// Moves the pointer to a screen point (absolute, over the whole virtual screen).
bool MoveTo(POINT screen);

// Two left clicks at `point`, each press and release carrying the position itself:
// under Wine a move of the window under a resting pointer can make the display driver
// report a stale pointer position a moment later, and a click that only says "here"
// would then land where that stale report put the pointer.
bool DoubleClickAt(POINT point);

// Moves the pointer to the bottom right corner of the screen, away from the windows
// the tests start, so that a new window does not find it over one of its buttons.
bool ParkPointer();

// Holds Shift, Ctrl and Alt as `keys` says, in that order, and makes sure they stay
// held while the thread of `target` handles what it has pending. Under Wine a window
// that gets the X input focus (the pointer moving into it may be enough) sets the
// modifiers to the X keyboard's state (KeymapNotify): it lets go of keys SendInput
// holds, with a key-up message of its own. Keys let go of that way are pressed again
// and `disturbed`, when given, is set.
bool HoldKeys(unsigned keys, HWND target, bool* disturbed = nullptr);
// Lets go of `keys`. With Alt among them and `altTrick`, the unassigned key is tapped
// first, so that the release of Alt cannot open the window's menu.
bool ReleaseKeys(unsigned keys, bool altTrick);
// Key-ups for Shift, Ctrl and Alt and button-ups for every mouse button: a failed
// test must not leave a key held for the next one.
void ReleaseEverything();

// Whether the thread of `window` is in menu mode (its menu bar or a menu open).
bool InMenuMode(HWND window);
// Closes the menu of `window` with Escape when it is in menu mode.
bool LeaveMenuMode(HWND window);

// Makes `window` the foreground window (the keyboard's target). False when it
// did not become it.
bool BringToFront(HWND window);

// Moves the pointer to the centre of `control` by way of a point beside the centre,
// so that the control sees a movement even when the pointer was there already.
// False, with the reason in `why`, when another window covers the centre.
bool MoveToCentre(HWND control, std::string* why);

// A whole press on the centre of `control`: the keys go down, the mouse button goes
// down and up, the keys come up (with the Alt trick when `altTrick`). When Wine let
// go of a held key before the mouse button went down, the keys are released, a menu
// that this opened is closed, and the press is given again.
bool PressOn(HWND control, Mouse mouse, unsigned keys, std::string* why, bool altTrick = true);

// Polls `done` every 20 ms until it returns true or `timeoutMs` have passed.
template <typename F>
bool WaitUntil(F done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

}  // namespace lv::e2e
