#pragma once
// Message boxes. Every failure the user should know of is reported through
// ReportFailure, the same way everywhere.
#include <windows.h>

#include <string_view>

namespace lv {

int ShowMessage(HWND owner, std::string_view text, std::string_view title, UINT flags);

// `what` says in Finnish what could not be done; Windows' reason follows it.
void ReportFailure(HWND owner, std::string_view what, DWORD error);

}  // namespace lv
