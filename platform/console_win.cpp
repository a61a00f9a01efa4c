#include "console_win.h"

#include <string>

#include "text_win.h"

namespace lv {

void WriteStd(DWORD stream, std::string_view utf8) {
  HANDLE h = GetStdHandle(stream);
  if (h == nullptr || h == INVALID_HANDLE_VALUE || utf8.empty()) return;
  DWORD mode;
  if (GetConsoleMode(h, &mode)) {
    // A console takes UTF-16 whatever its code page is.
    std::wstring wide = Utf8ToWide(utf8);
    for (size_t done = 0; done < wide.size();) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 16 * 1024));
      DWORD written = 0;
      if (!WriteConsoleW(h, wide.data() + done, chunk, &written, nullptr) || written == 0) return;
      done += written;
    }
    return;
  }
  for (size_t done = 0; done < utf8.size();) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(utf8.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(h, utf8.data() + done, chunk, &written, nullptr) || written == 0) return;
    done += written;
  }
}

}  // namespace lv
