#pragma once
// Starting other programs. Nothing started is ever waited for.
#include <string>

#include "win32_result.h"

namespace lv {

// Hands `commandLine` whole and unchanged to CreateProcessW, its window shown
// normally, no working folder of its own.
Win32Result StartCommandLine(const std::string& commandLine);

}  // namespace lv

namespace lv {

// Opens a web address with the shell's "Open" verb, the desktop as owner window.
// The shell's answer (32 or less on failure) is handed back, never shown.
INT_PTR StartDoc(const std::string& DocName);

// Opens the page `sivu`; the result is not looked at.
void se_avaanettisivu(const std::string& sivu);

}  // namespace lv
