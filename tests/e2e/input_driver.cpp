#include "input_driver.h"

#include <vector>

namespace lv::e2e {

namespace {

// Between the steps of a press, so that each reaches the program as an event of its own.
constexpr DWORD kStepMs = 30;

constexpr WORD kModifierKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
constexpr unsigned kModifierBits[] = {kShiftKey, kCtrlKey, kAltKey};

bool Send(std::vector<INPUT> inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT KeyInput(WORD vk, bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return in;
}

DWORD ButtonFlag(Mouse mouse, bool down) {
  switch (mouse) {
    case Mouse::Left: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    case Mouse::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case Mouse::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
  }
  return 0;
}

// The absolute coordinate SendInput takes (0 to 65535 across the virtual screen)
// that lands on pixel `pixel` of a screen `size` pixels wide starting at `origin`.
LONG Normalised(LONG pixel, int origin, int size) {
  if (size <= 1) return 0;
  // Windows maps n to origin + n * size / 65536: take the smallest n that gives `pixel`.
  return static_cast<LONG>((static_cast<long long>(pixel - origin) * 65536 + size - 1) / size);
}

// Returns once the thread of `window` has answered: it has handled what was pending.
void Sync(HWND window) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &ignored);
}

bool SameRoot(HWND a, HWND b) {
  return a && b && GetAncestor(a, GA_ROOT) == GetAncestor(b, GA_ROOT);
}

}  // namespace

std::string MouseName(Mouse mouse) {
  switch (mouse) {
    case Mouse::Left: return "Left";
    case Mouse::Right: return "Right";
    case Mouse::Middle: return "Middle";
  }
  return "?";
}

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool SendKey(WORD vk, bool down) {
  return Send({KeyInput(vk, down)});
}

bool TapKey(WORD vk) {
  return Send({KeyInput(vk, true), KeyInput(vk, false)});
}

bool SendMouseButton(Mouse mouse, bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = ButtonFlag(mouse, down);
  return Send({in});
}

bool MoveTo(POINT screen) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = Normalised(screen.x, left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  in.mi.dy = Normalised(screen.y, top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  auto there = [&] {
    POINT now{};
    return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
  };
  // Under Wine the X server follows the pointer, and the window under it may still
  // report an older X position afterwards: the move is repeated until it stays.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!Send({in})) return false;
    if (!WaitUntil(there, 1000)) continue;
    if (HWND under = WindowFromPoint(screen)) Sync(under);
    Sleep(10);
    if (there()) return true;
  }
  return false;
}

bool DoubleClickAt(POINT point) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const LONG x = Normalised(point.x, left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  const LONG y = Normalised(point.y, top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  for (DWORD button :
       {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x;
    in.mi.dy = y;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | button;
    if (!Send({in})) return false;
    Sleep(20);
  }
  return true;
}

bool ParkPointer() {
  return MoveTo(
      POINT{GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 2,
            GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 2});
}

bool HoldKeys(unsigned keys, HWND target, bool* disturbed) {
  auto allHeld = [&] {
    for (size_t i = 0; i < 3; ++i)
      if ((keys & kModifierBits[i]) && GetAsyncKeyState(kModifierKeys[i]) >= 0) return false;
    return true;
  };
  const ULONGLONG end = GetTickCount64() + 3000;
  bool first = true;
  int steady = 0;
  while (GetTickCount64() < end) {
    for (size_t i = 0; i < 3; ++i) {
      if (!(keys & kModifierBits[i]) || GetAsyncKeyState(kModifierKeys[i]) < 0) continue;
      if (!SendKey(kModifierKeys[i], true)) return false;
      if (!first && disturbed) *disturbed = true;
      Sleep(kStepMs);
      steady = 0;
    }
    first = false;
    // The target's thread takes its pending X events while it answers.
    Sync(target);
    Sleep(10);
    if (!allHeld()) continue;
    if (keys == kNoKeys || ++steady >= 5) return true;
  }
  return false;
}

bool ReleaseKeys(unsigned keys, bool altTrick) {
  bool ok = true;
  if ((keys & kAltKey) && altTrick) ok = TapKey(kUnassignedKey) && ok;
  for (size_t i = 3; i-- > 0;) {
    if (!(keys & kModifierBits[i])) continue;
    Sleep(kStepMs);
    ok = SendKey(kModifierKeys[i], false) && ok;
  }
  return ok;
}

void ReleaseEverything() {
  for (WORD vk : kModifierKeys)
    if (GetAsyncKeyState(vk) < 0) SendKey(vk, false);
  for (Mouse mouse : {Mouse::Left, Mouse::Right, Mouse::Middle}) {
    const int vk = mouse == Mouse::Left    ? VK_LBUTTON
                   : mouse == Mouse::Right ? VK_RBUTTON
                                           : VK_MBUTTON;
    if (GetAsyncKeyState(vk) < 0) SendMouseButton(mouse, false);
  }
}

bool InMenuMode(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
         (info.flags & GUI_INMENUMODE);
}

bool LeaveMenuMode(HWND window) {
  for (int i = 0; i < 3 && InMenuMode(window); ++i) {
    TapKey(VK_ESCAPE);
    WaitUntil([&] { return !InMenuMode(window); }, 500);
  }
  return !InMenuMode(window);
}

bool BringToFront(HWND window) {
  if (GetForegroundWindow() == window) return true;
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

bool MoveToCentre(HWND control, std::string* why) {
  RECT r{};
  if (!GetWindowRect(control, &r) || r.right - r.left < 3 || r.bottom - r.top < 3) {
    *why = "the control is gone or too small to point at";
    return false;
  }
  const POINT centre = CentreOf(control);
  HWND top = WindowFromPoint(centre);
  if (top != control && !SameRoot(top, control)) {
    wchar_t cls[128] = {};
    GetClassNameW(top, cls, 128);
    *why = "another window covers the control's centre (class ";
    for (const wchar_t* c = cls; *c; ++c) *why += static_cast<char>(*c < 128 ? *c : '?');
    *why += ")";
    return false;
  }
  if (!MoveTo(POINT{centre.x - 1, centre.y}) || !MoveTo(centre)) {
    *why = "the pointer did not reach the control's centre";
    return false;
  }
  return true;
}

bool PressOn(HWND control, Mouse mouse, unsigned keys, std::string* why, bool altTrick) {
  constexpr int kAttempts = 3;
  for (int attempt = 1;; ++attempt) {
    if (!MoveToCentre(control, why)) return false;
    // Focus events that the move caused come now, before any key is held.
    Sync(control);
    Sleep(kStepMs);
    Sync(control);
    bool disturbed = false;
    if (!HoldKeys(keys, control, &disturbed)) {
      *why = "the keys could not be held, SendInput error " + std::to_string(GetLastError());
      ReleaseEverything();
      return false;
    }
    if (!disturbed) break;
    ReleaseKeys(keys, true);
    Sync(control);
    LeaveMenuMode(control);
    if (attempt == kAttempts) {
      *why = "Wine let go of the held keys " + std::to_string(kAttempts) + " times";
      return false;
    }
  }
  // Holding the keys took a while: the pointer must still be on the control.
  const POINT centre = CentreOf(control);
  POINT now{};
  if (!GetCursorPos(&now) || now.x != centre.x || now.y != centre.y) {
    if (!MoveTo(centre)) {
      *why = "the pointer did not stay on the control's centre";
      ReleaseEverything();
      return false;
    }
  }
  bool ok = SendMouseButton(mouse, true);
  Sleep(kStepMs);
  ok = SendMouseButton(mouse, false) && ok;
  Sleep(kStepMs);
  ok = ReleaseKeys(keys, altTrick) && ok;
  if (!ok) {
    *why = "SendInput refused the input, error " + std::to_string(GetLastError());
    ReleaseEverything();
  }
  return ok;
}

}  // namespace lv::e2e
