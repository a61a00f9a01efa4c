#pragma once
// The command-line checker, apart from where its files and output come from, so that
// the Windows and the native program share it and tests can drive it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "menu_check.h"

namespace lv {

struct CheckerIo {
  // Reads a whole file; on failure returns false with the reason in `why`.
  std::function<bool(const std::string& path, std::string& bytes, std::string& why)> readFile;
  std::function<void(std::string_view)> out;
  std::function<void(std::string_view)> err;
  ProgramFinder findProgram;  // empty where programs cannot be looked for
};

// valikkotarkistus [--json | --taulukko] FILE...: 0 with nothing worse than a
// huomautus, 1 with a virhe or varoitus, 2 when a file cannot be read or the usage is
// wrong.
int RunValikkotarkistus(const std::vector<std::string>& args, const CheckerIo& io);

}  // namespace lv
