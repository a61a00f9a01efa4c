#pragma once
#include <windows.h>

namespace lv {

// Success, or the GetLastError() value read right after the failing call.
struct Win32Result {
  bool ok = true;
  DWORD error = ERROR_SUCCESS;
  static Win32Result Failed() { return {false, GetLastError()}; }
};

}  // namespace lv
