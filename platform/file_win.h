#pragma once
// Files and the program's own location.
#include <windows.h>

#include <string>
#include <string_view>

#include "win32_result.h"

namespace lv {

// Whether an ordinary file matches `tiedosto` (which may hold * and ?): folders,
// hidden and system files do not count. Every error gives false.
bool fe_levylla(const std::string& tiedosto);

// The folder that holds the running program, without a trailing "\" (except a drive root).
std::string ProgramFolder();
// The running program file's name without its extension.
std::string ProgramBaseName();

Win32Result ReadWholeFile(const std::string& path, std::string& bytes);
// Creates a new file holding `bytes`. A file that exists already is left alone, and the
// result is ERROR_FILE_EXISTS.
Win32Result WriteNewFile(const std::string& path, std::string_view bytes);

}  // namespace lv
