#include "program_search_win.h"

#include <vector>

#include "text_win.h"

namespace lv {

namespace {

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasExtension(const std::wstring& path) {
  size_t name = path.find_last_of(L"\\/:");
  name = name == std::wstring::npos ? 0 : name + 1;
  return path.find(L'.', name) != std::wstring::npos;
}

// The program App Paths names for `name` ("word.exe"), per user first, then per machine.
std::wstring AppPath(const std::wstring& name) {
  const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    DWORD bytes = 0;
    if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t))
      continue;
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
        ERROR_SUCCESS)
      continue;
    value.resize(wcsnlen(value.c_str(), value.size()));
    if (!value.empty()) return value;
  }
  return {};
}

}  // namespace

ProgramSearch FindProgram(const std::string& program) {
  std::wstring wide = Utf8ToWide(program);
  if (wide.find_first_of(L"\\/:") != std::wstring::npos) {
    if (IsFile(wide) || (!HasExtension(wide) && IsFile(wide + L".exe"))) return {};
    return {ProgramSearch::NotFound, {}};
  }
  DWORD size = SearchPathW(nullptr, wide.c_str(), L".exe", 0, nullptr, nullptr);
  if (size > 0) return {};
  std::wstring appPath = AppPath(HasExtension(wide) ? wide : wide + L".exe");
  if (!appPath.empty()) return {ProgramSearch::AppPathsOnly, WideToUtf8(appPath)};
  return {ProgramSearch::NotFound, {}};
}

}  // namespace lv
