#pragma once
// The program's message boxes and the clipboard, seen from outside: a message box is
// a top-level dialog (class #32770) of the program's process, owned by its window;
// its text, title, icon and buttons are read through Win32 and it is answered by
// clicking one of its buttons, as a user would.
#include <windows.h>

#include <string>
#include <vector>

namespace lv::e2e {

struct DialogButton {
  HWND hwnd = nullptr;
  int id = 0;  // IDOK, IDYES, IDNO, ...
  std::wstring text;
};

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  HWND owner = nullptr;
  std::wstring title;
  std::wstring text;  // as the program gave it, line breaks included
  bool hasIcon = false;
  std::vector<DialogButton> buttons;  // the visible push buttons, by id
  int defaultId = 0;                  // the button Enter presses

  std::vector<int> ButtonIds() const;
};

// The visible message boxes of process `pid`, now.
std::vector<HWND> FindMessageBoxes(DWORD pid);

// The first message box of `pid` to appear within `timeoutMs`, or nullptr.
HWND WaitForMessageBox(DWORD pid, DWORD timeoutMs);

MessageBoxInfo ReadMessageBox(HWND box);

// Readable one-box summary for failure messages.
std::string Describe(const MessageBoxInfo& box);

// Clicks the button `buttonId` of `box`; false when the box has no such button or
// did not close within `timeoutMs`.
bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs = 5000);

// The clipboard's Unicode text; false when it holds none or cannot be opened.
bool ReadClipboardText(std::wstring& text);
// Puts `text` on the clipboard as Unicode text, emptying it first.
bool PutClipboardText(const std::wstring& text);

}  // namespace lv::e2e
