#pragma once
// The menu file checker: tells a menu file's author, line by line, what the program
// does with lines that may not do what was meant. It reads the file the way the
// program does, through the same decoder and start-up, and changes nothing they do.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "startup.h"

namespace lv {

enum class Severity { virhe, varoitus, huomautus };
const char* SeverityName(Severity severity);

struct Finding {
  size_t line = 0;        // counted from 1
  std::string_view code;  // "V01" and on: fixed, so that scripts can rely on them
  Severity severity = Severity::huomautus;
  std::string message;  // Finnish, one line
};

// Where Windows finds the program a command line starts.
struct ProgramSearch {
  enum Result { Found, NotFound, AppPathsOnly } result = Found;
  std::string appPath;  // with AppPathsOnly: the program App Paths names
};
using ProgramFinder = std::function<ProgramSearch(const std::string& program)>;

struct MenuCheck {
  StartupResult startup;           // what the program builds from the file
  std::vector<size_t> entryLines;  // the line of each entry, counted from 1
  std::vector<Finding> findings;   // in line order

  // Findings that are a virhe or a varoitus.
  size_t ProblemCount() const;
};

// Checks the bytes of a menu file. Without `findProgram` the programs that commands
// start are not looked for (only Windows can tell).
MenuCheck CheckMenuFile(std::string_view bytes, const ProgramFinder& findProgram = {});

// The program that a command line starts: the quoted first word, or the text up to
// the first blank. Nothing for a web address and for commands run through cmd or start.
std::optional<std::string> ProgramOfCommand(std::string_view command);

}  // namespace lv
