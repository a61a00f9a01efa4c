#pragma once
// Starting other programs. Nothing started is ever waited for.
#include <string>

#include "win32_result.h"

namespace lv {

// Hands `commandLine` whole and unchanged to CreateProcessW, its window shown
// normally, no working folder of its own.
Win32Result StartCommandLine(const std::string& commandLine);

}  // namespace lv
