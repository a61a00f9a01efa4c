#include "launch_win.h"

#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "text_win.h"

namespace lv {

Win32Result StartCommandLine(const std::string& commandLine) {
  std::wstring wide = Utf8ToWide(commandLine);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());  // CreateProcessW may write into it
  buffer.push_back(L'\0');
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return Win32Result::Failed();
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return {};
}

}  // namespace lv

namespace lv {

namespace {

using ShellExecuteWFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);

template <typename F>
F SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// The shell and COM are loaded when a web address is first opened, not at start-up:
// most presses start command lines, and the window shows sooner without them.
ShellExecuteWFn LoadShell() {
  static const ShellExecuteWFn shellExecute = [] {
    if (auto coInitializeEx = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx"))
      coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    return SystemFunction<ShellExecuteWFn>(L"shell32.dll", "ShellExecuteW");
  }();
  return shellExecute;
}

}  // namespace

INT_PTR StartDoc(const std::string& DocName) {
  ShellExecuteWFn shellExecute = LoadShell();
  if (!shellExecute) return SE_ERR_DLLNOTFOUND;
  HINSTANCE result = shellExecute(GetDesktopWindow(), L"Open", Utf8ToWide(DocName).c_str(), L"",
                                  L"C:\\", SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result);
}

void se_avaanettisivu(const std::string& sivu) {
  StartDoc(sivu);
}

}  // namespace lv
