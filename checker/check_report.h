#pragma once
// The checker's findings as text: for the command line, for scripts (JSON), for the
// program's Help menu and its status line.
#include <string>
#include <string_view>
#include <vector>

#include "menu_check.h"

namespace lv {

// "FILE:LINE: SEVERITY: message [CODE]", one line each, LF after each.
std::string FindingsText(std::string_view file, const std::vector<Finding>& findings);

// Objects {"file","line","code","severity","message"} for a JSON array, comma-separated.
std::string FindingsJson(std::string_view file, const std::vector<Finding>& findings);

// "FILE: 0 virhettä, 3 varoitusta, 1 huomautus" for one file or the total of many.
std::string FindingsSummary(std::string_view what, const std::vector<Finding>& findings);

// Per button: its caption and what each of the seven presses runs.
std::string PressTable(std::string_view file, const MenuCheck& check);

// The Help menu's report: one finding a line ("rivi N: ..."), at most 20, LF between.
inline constexpr char kCheckReportTitle[] = "Tarkista valikkotiedosto";
std::string CheckReportText(std::string_view td, const std::vector<Finding>& findings);

// The status line's first text for a file with `problems` findings that are a virhe or
// a varoitus; empty when there are none.
std::string CheckStatusText(size_t problems);

}  // namespace lv
