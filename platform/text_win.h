#pragma once
// The one place where the program's UTF-8 text meets Windows' UTF-16.
#include <windows.h>

#include <string>
#include <string_view>

namespace lv {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Windows' own description of an error code, without the trailing line end.
// Asked for in Finnish first; the system's language when Finnish is not installed.
std::string SystemErrorText(DWORD error);

}  // namespace lv
