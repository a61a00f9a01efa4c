#pragma once
// Whether the program a command line names can be started.
#include <string>

#include "menu_check.h"

namespace lv {

// Looks for `program` as CreateProcess does: a path as it is (".exe" added when it has
// no extension), a bare name in the program's folder, the system folders and PATH.
// A name found only under App Paths, which the shell reads but CreateProcess does not,
// is told apart.
ProgramSearch FindProgram(const std::string& program);

}  // namespace lv
