#include "dialogs.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "e2e_harness.h"

namespace lv::e2e {

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
// The message text's control: Windows and Wine give it the id 0xFFFF.
constexpr int kMessageTextId = 0xFFFF;
constexpr DWORD kPollMs = 20;

std::wstring ClassName(HWND hwnd) {
  wchar_t name[256] = {};
  int n = GetClassNameW(hwnd, name, 256);
  return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

bool IsClass(HWND hwnd, std::wstring_view want) {
  std::wstring name = ClassName(hwnd);
  return name.size() == want.size() &&
         std::equal(name.begin(), name.end(), want.begin(),
                    [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

struct FindBoxes {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK FindBoxesProc(HWND hwnd, LPARAM lp) {
  auto* find = reinterpret_cast<FindBoxes*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == find->pid && IsWindowVisible(hwnd) && IsClass(hwnd, kDialogClass))
    find->found.push_back(hwnd);
  return TRUE;
}

struct Children {
  HWND parent;
  std::vector<HWND> found;
};

BOOL CALLBACK ChildrenProc(HWND hwnd, LPARAM lp) {
  auto* children = reinterpret_cast<Children*>(lp);
  if (GetAncestor(hwnd, GA_PARENT) == children->parent) children->found.push_back(hwnd);
  return TRUE;
}

// Clipboard open with a few tries: another program may hold it for a moment.
bool OpenClipboardPatiently() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(kPollMs);
  }
  return false;
}

}  // namespace

std::vector<int> MessageBoxInfo::ButtonIds() const {
  std::vector<int> ids;
  for (const DialogButton& b : buttons) ids.push_back(b.id);
  return ids;
}

std::vector<HWND> FindMessageBoxes(DWORD pid) {
  FindBoxes find{pid, {}};
  EnumWindows(FindBoxesProc, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

HWND WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<HWND> boxes = FindMessageBoxes(pid);
    if (!boxes.empty()) {
      // Shown is not yet laid out: one message through its queue finishes that.
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(boxes[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
      return boxes[0];
    }
    if (GetTickCount64() >= end) return nullptr;
    Sleep(kPollMs);
  }
}

MessageBoxInfo ReadMessageBox(HWND box) {
  MessageBoxInfo info;
  info.hwnd = box;
  info.owner = GetWindow(box, GW_OWNER);
  info.title = ControlText(box);
  Children children{box, {}};
  EnumChildWindows(box, ChildrenProc, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children.found) {
    if (!IsWindowVisible(child)) continue;
    const int id = GetDlgCtrlID(child);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (IsClass(child, L"Static")) {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon) && icon)
          info.hasIcon = true;
      } else if (id == kMessageTextId) {
        info.text = ControlText(child);
      }
    } else if (IsClass(child, L"Button")) {
      const LONG kind = style & BS_TYPEMASK;
      if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)
        info.buttons.push_back({child, id, ControlText(child)});
    }
  }
  std::sort(info.buttons.begin(), info.buttons.end(),
            [](const DialogButton& a, const DialogButton& b) { return a.id < b.id; });
  // The default button wears the default style (a message box sets it on the button
  // it chose; Wine's dialog keeps reporting IDOK through DM_GETDEFID meanwhile).
  for (const DialogButton& b : info.buttons)
    if ((GetWindowLongW(b.hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
      info.defaultId = b.id;
  return info;
}

std::string Describe(const MessageBoxInfo& box) {
  // Appended piece by piece: GCC 12 warns falsely about long chains of string "+".
  std::string out = "title \"";
  out += Narrow(box.title);
  out += "\", text \"";
  out += Narrow(box.text);
  out += "\", icon ";
  out += box.hasIcon ? "yes" : "no";
  out += ", buttons";
  for (const DialogButton& b : box.buttons) {
    out += ' ';
    out += std::to_string(b.id);
    out += '(';
    out += Narrow(b.text);
    out += ')';
  }
  out += ", default ";
  out += std::to_string(box.defaultId);
  return out;
}

bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs) {
  HWND button = GetDlgItem(box, buttonId);
  if (!button || !IsWindowVisible(button)) return false;
  // Posted: the answer may end the program (a restart), and a sent click would then
  // wait on a process that is going away.
  if (!PostMessageW(button, BM_CLICK, 0, 0)) return false;
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (IsWindow(box) && IsWindowVisible(box)) {
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
  return true;
}

bool ReadClipboardText(std::wstring& text) {
  text.clear();
  if (!OpenClipboardPatiently()) return false;
  bool ok = false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      const size_t limit = GlobalSize(data) / sizeof(wchar_t);
      text.assign(chars, std::find(chars, chars + limit, L'\0'));
      GlobalUnlock(data);
      ok = true;
    }
  }
  CloseClipboard();
  return ok;
}

bool PutClipboardText(const std::wstring& text) {
  if (!OpenClipboardPatiently()) return false;
  bool ok = false;
  if (EmptyClipboard()) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      if (void* target = GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      }
      if (!ok) GlobalFree(memory);
    }
  }
  CloseClipboard();
  return ok;
}

}  // namespace lv::e2e
