#include "launch_win.h"

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

#include <shellapi.h>

namespace lv {

INT_PTR StartDoc(const std::string& DocName) {
  HINSTANCE result = ShellExecuteW(GetDesktopWindow(), L"Open", Utf8ToWide(DocName).c_str(), L"",
                                   L"C:\\", SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result);
}

void se_avaanettisivu(const std::string& sivu) {
  StartDoc(sivu);
}

}  // namespace lv
