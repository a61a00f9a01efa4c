#include "clipboard_win.h"

#include <cstring>

#include "text_win.h"

namespace lv {

namespace {

// Open and closed on every path; another program may hold the clipboard for a moment.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != 0;
      if (!open_) {
        error_ = GetLastError();
        Sleep(20);
      }
    }
  }
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool open() const { return open_; }
  DWORD error() const { return error_; }

 private:
  bool open_ = false;
  DWORD error_ = ERROR_ACCESS_DENIED;
};

}  // namespace

Win32Result SetClipboardText(HWND owner, std::string_view text) {
  ClipboardSession clipboard(owner);
  if (!clipboard.open()) return {false, clipboard.error()};
  if (!EmptyClipboard()) return Win32Result::Failed();
  std::wstring wide = Utf8ToWide(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return Win32Result::Failed();
  void* target = GlobalLock(memory);
  if (!target) {
    Win32Result failed = Win32Result::Failed();
    GlobalFree(memory);
    return failed;
  }
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory);
  if (!SetClipboardData(CF_UNICODETEXT, memory)) {
    Win32Result failed = Win32Result::Failed();
    GlobalFree(memory);  // only memory the clipboard did not take is ours to free
    return failed;
  }
  return {};
}

}  // namespace lv
