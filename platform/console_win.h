#pragma once
// Text out of a console program: Finnish letters come out right on a console and as
// UTF-8 when the output goes to a file or a pipe.
#include <windows.h>

#include <string_view>

namespace lv {

// `stream` is STD_OUTPUT_HANDLE or STD_ERROR_HANDLE; `utf8` is the text.
void WriteStd(DWORD stream, std::string_view utf8);

}  // namespace lv
