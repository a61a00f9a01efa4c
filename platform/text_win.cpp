#include "text_win.h"

namespace lv {

std::wstring Utf8ToWide(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string WideToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string SystemErrorText(DWORD error) {
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const LANGID languages[] = {MAKELANGID(LANG_FINNISH, SUBLANG_DEFAULT),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)};
  for (LANGID language : languages) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(flags, nullptr, error, language, reinterpret_cast<wchar_t*>(&buffer),
                             0, nullptr);
    if (n == 0) continue;
    std::wstring text(buffer, n);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
      text.pop_back();
    return WideToUtf8(text);
  }
  return "virhekoodi " + std::to_string(error);
}

}  // namespace lv
