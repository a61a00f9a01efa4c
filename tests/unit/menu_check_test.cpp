#include "menu_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "check_report.h"
#include "default_menu.h"
#include "valikkotarkistus.h"

namespace lv {
namespace {

// True when `check` has a finding `code` on `line`; line 0: anywhere.
bool Has(const MenuCheck& check, std::string_view code, size_t line = 0) {
  return std::any_of(check.findings.begin(), check.findings.end(), [&](const Finding& f) {
    return f.code == code && (line == 0 || f.line == line);
  });
}

std::string Dump(const MenuCheck& check) {
  return FindingsText("valikko.oma", check.findings);
}

using namespace std::literals;

struct CodeCase {
  std::string_view file;
  const char* code;
  size_t line;  // where the finding stands; 0: the code must not come up at all
};

TEST(MenuCheck, EachCodeAndItsNearMiss) {
  const CodeCase cases[] = {
      {"Pankki = https://pankki.example/login?lang=fi", "V01", 1},
      {"title = a = b", "V01", 1},
      {"Pankki = https://pankki.example/login", "V01", 0},
      {".ctrl = notepad\r\nA = notepad", "V02", 1},
      {"A = notepad\r\n.ctrl = notepad", "V02", 0},
      {"A = notepad\r\n.shfit = notepad", "V03", 2},
      {"A = notepad\r\n. ctrl = notepad", "V03", 2},
      {"A = notepad\r\n.Shift = notepad", "V03", 0},  // a known key in capitals
      {"A = notepad\r\nilman merkkia", "V04", 2},
      {"A = notepad\r\nremark", "V04", 2},  // "rem" with no blank is no comment
      {"A = notepad\r\nrem kommentti", "V04", 0},
      {"A = notepad\r\ntitle", "V04", 0},  // a bare key is a setting
      {"cmdaja.width = leveä", "V05", 1},
      {"cmdaja.width = &Hzz", "V05", 1},
      {"cmdaja.width = -40", "V05", 0},
      {"cmdaja.width = 3800px", "V06", 1},
      {"me.left = 1,5", "V06", 1},
      {"cmdaja.width = 3 800", "V06", 0},  // blanks inside a number are read through
      {"cmdaja.width = 12e", "V06", 1},
      {"cmdaja.width = 1.5E3", "V06", 0},
      {"cmdaja.height = 0", "V07", 1},
      {"cmdaja.width = -5", "V07", 1},
      {"cmdaja.height = 1e9", "V07", 1},
      {"me.left = -300", "V07", 0},  // a window left of the main screen
      {"me.top = -1e9", "V07", 1},
      {"title = a\r\ntitle = b", "V08", 2},
      {"A = x\r\n.ctrl = a\r\n.ctrl = b", "V08", 3},
      {"A = x\r\n.ctrl = a\r\nB = y\r\n.ctrl = b", "V08", 0},
      {"A = x\r\n.tip = a\r\n.tooltip = ", "V08", 0},  // an empty tip changes nothing
      {"A = notepad\r\nMuistio =", "V09", 2},
      {"= notepad", "V10", 1},
      {"A = C:\\Program Files\\App\\app.exe /x", "V11", 1},
      {"A = C:\\Program Files\\App\\app", "V11", 1},
      {"A = \"C:\\Program Files\\App\\app.exe\" /x", "V11", 0},
      {"A = C:\\Windows\\notepad.exe C:\\Temp\\a b.txt", "V11", 0},
      {"A = C:\\Tools\\app.exe /x", "V11", 0},
      {"A = notepad %VALIKKO.OMA%", "V12", 1},
      {"A = notepad %valikko.oma%", "V12", 0},
      {"A = www.vero.fi", "V13", 1},
      {"A = vero.fi/omavero", "V13", 1},
      {"A = HTTPS://www.vero.fi", "V13", 0},  // the program opens it in the browser
      {"A = notepad.exe/x", "V13", 0},
      {"A = cmd /c start www.vero.fi", "V13", 0},
      {"A = x\nB = y\n", "V14", 0},
      {"A = x\r\nB = y\nC = z", "V14", 2},
      {"A = \xE4", "V14", 1},      // Windows-1252
      {"A = \xC3\xA4", "V14", 0},  // UTF-8
      {"\xFF\xFE"
       "A\0"sv,
       "V17", 1},
      {"A = x\0"sv, "V17", 1},
      {"\xEF\xBB\xBF"
       "A = \xE4",
       "V18", 1},
      {"; vain kommentti", "V19", 1},
      {"", "V19", 1},
      {"  ; x = y", "V20", 1},
      {"  ; x", "V20", 0},
  };
  for (const CodeCase& c : cases) {
    MenuCheck check = CheckMenuFile(c.file);
    if (c.line == 0)
      EXPECT_FALSE(Has(check, c.code)) << c.file << "\n" << Dump(check);
    else
      EXPECT_TRUE(Has(check, c.code, c.line)) << c.code << " on line " << c.line << " of\n"
                                              << c.file << "\n"
                                              << Dump(check);
  }
}

TEST(MenuCheck, ButtonsBelowA1080PixelScreen) {
  std::string file;
  for (int i = 0; i < 30; ++i) file += "B" + std::to_string(i) + " = notepad\r\n";
  MenuCheck check = CheckMenuFile(file);
  // Tops are 165 + 665 i twips; 16200 twips is 1080 pixels: B25 is the first below.
  ASSERT_TRUE(Has(check, "V15", 26)) << Dump(check);
  EXPECT_EQ(std::count_if(check.findings.begin(), check.findings.end(),
                          [](const Finding& f) { return f.code == "V15"; }),
            1);
  EXPECT_FALSE(Has(CheckMenuFile("cmdaja.height = 300\r\n" + file), "V15"));
}

TEST(MenuCheck, ProgramsLookedForOnlyWhereTheyAreStartedAsPrograms) {
  std::vector<std::string> asked;
  ProgramFinder finder = [&](const std::string& program) {
    asked.push_back(program);
    if (program == "puuttuu") return ProgramSearch{ProgramSearch::NotFound, {}};
    if (program == "sovellus") return ProgramSearch{ProgramSearch::AppPathsOnly, "C:\\S\\s.exe"};
    return ProgramSearch{};
  };
  MenuCheck check = CheckMenuFile(
      "A = puuttuu /x\r\nB = \"C:\\Ohjelmat\\Oma ohjelma.exe\" -a\r\nC = sovellus\r\n"
      "D = cmd /c puuttuu\r\nE = start puuttuu\r\nF = https://puuttuu\r\nG = puuttuu\r\n"
      "H = C:\\Program Files\\x.exe\r\n",
      finder);
  EXPECT_TRUE(Has(check, "V16", 1) && Has(check, "V16", 3) && Has(check, "V16", 7)) << Dump(check);
  EXPECT_FALSE(Has(check, "V16", 2) || Has(check, "V16", 4) || Has(check, "V16", 5) ||
               Has(check, "V16", 6) || Has(check, "V16", 8))
      << Dump(check);
  // Each program is looked for once however often it stands in the file.
  EXPECT_EQ(asked,
            (std::vector<std::string>{"puuttuu", "C:\\Ohjelmat\\Oma ohjelma.exe", "sovellus"}));
}

// The program's own default menu must check clean whichever programs are installed.
TEST(MenuCheck, DefaultMenuHasNoProblems) {
  const std::vector<std::string> products = DefaultMenuProgramPaths();
  for (bool installed : {false, true}) {
    std::string bytes = BuildDefaultMenu([&](const std::string&) { return installed; });
    MenuCheck check = CheckMenuFile(bytes, [&](const std::string& program) {
      bool product = std::find(products.begin(), products.end(), program) != products.end();
      return ProgramSearch{product && !installed ? ProgramSearch::NotFound : ProgramSearch::Found,
                           {}};
    });
    EXPECT_EQ(check.ProblemCount(), 0u) << Dump(check);
    EXPECT_EQ(check.entryLines.size(), check.startup.entries.size());
  }
}

TEST(MenuCheck, TextsForTheProgram) {
  EXPECT_EQ(CheckStatusText(CheckMenuFile("A = notepad\r\n").ProblemCount()), "");
  EXPECT_EQ(CheckStatusText(CheckMenuFile("A = \xE4\r\n").ProblemCount()), "");  // a huomautus only
  EXPECT_EQ(CheckStatusText(CheckMenuFile("x\r\nA = www.x.fi\r\ny").ProblemCount()),
            "Valikossa 3 ongelmaa: katso Ohje");
  EXPECT_EQ(CheckStatusText(CheckMenuFile("A = www.x.fi").ProblemCount()),
            "Valikossa 1 ongelma: katso Ohje");

  std::string many = "A = x\r\n";
  for (int i = 0; i < 25; ++i) many += "ohitettava\r\n";
  std::string report = CheckReportText("C:\\V\\valikko.oma", CheckMenuFile(many).findings);
  EXPECT_TRUE(report.starts_with("Valikkotiedosto C:\\V\\valikko.oma\n\nrivi 2: ")) << report;
  EXPECT_NE(report.find("\nrivi 21: "), std::string::npos);
  EXPECT_EQ(report.find("\nrivi 22: "), std::string::npos);
  EXPECT_TRUE(report.ends_with("\n\n... ja 5 muuta")) << report;
  EXPECT_EQ(CheckReportText("v", {}),
            "Valikkotiedosto v\n\nTiedostosta ei löytynyt huomautettavaa.");
}

struct CliRun {
  int code;
  std::string out, err;
};

CliRun RunCli(std::vector<std::string> args) {
  CliRun run;
  CheckerIo io;
  io.readFile = [](const std::string& path, std::string& bytes, std::string& why) {
    if (path == "hyva.oma")
      bytes = "A = notepad\r\n";
    else if (path == "vika.oma")
      bytes = "A = notepad\r\nPankki = x?a=b\r\n";
    else if (path == "huom.oma")
      bytes = "A = \xE4\r\n";
    else
      return why = "tiedostoa ei ole", false;
    return true;
  };
  io.out = [&](std::string_view t) { run.out += t; };
  io.err = [&](std::string_view t) { run.err += t; };
  run.code = RunValikkotarkistus(args, io);
  return run;
}

TEST(Valikkotarkistus, ExitCodesAndOutput) {
  const struct {
    std::vector<std::string> args;
    int code;
  } cases[] = {
      {{"hyva.oma"}, 0},
      {{"huom.oma"}, 0},
      {{"vika.oma"}, 1},
      {{"hyva.oma", "vika.oma"}, 1},
      {{"puuttuu.oma", "vika.oma"}, 2},
      {{}, 2},
      {{"--tuntematon", "hyva.oma"}, 2},
      {{"--json", "--taulukko", "hyva.oma"}, 2},
      {{"--help"}, 0},
  };
  for (const auto& c : cases) {
    CliRun run = RunCli(c.args);
    EXPECT_EQ(run.code, c.code) << (c.args.empty() ? "" : c.args[0]) << "\n" << run.out << run.err;
    EXPECT_EQ(run.err.empty(), c.code != 2) << run.err;
  }

  CliRun text = RunCli({"vika.oma"});
  EXPECT_EQ(text.out,
            "vika.oma:2: varoitus: komento katkeaa toiseen \"=\"-merkkiin; pois jää \"b\" [V01]\n"
            "vika.oma: 0 virhettä, 1 varoitus, 0 huomautusta\n");
  CliRun json = RunCli({"--json", "vika.oma", "hyva.oma"});
  EXPECT_EQ(
      json.out,
      "[\n{\"file\": \"vika.oma\", \"line\": 2, \"code\": \"V01\", \"severity\": \"varoitus\", "
      "\"message\": \"komento katkeaa toiseen \\\"=\\\"-merkkiin; pois jää \\\"b\\\"\"}\n]\n");
  EXPECT_EQ(RunCli({"--json", "hyva.oma"}).out, "[]\n");
}

TEST(Valikkotarkistus, TableShowsWhatEveryPressRuns) {
  CheckerIo io;
  std::string out;
  io.readFile = [](const std::string&, std::string& bytes, std::string&) {
    bytes = "; x\r\nMuistio = notepad\r\n.shift = notepad %valikko.oma%\r\n.right = calc\r\n";
    return true;
  };
  io.out = [&](std::string_view t) { out += t; };
  io.err = [](std::string_view) {};
  EXPECT_EQ(RunValikkotarkistus({"--taulukko", "v.oma"}, io), 0);
  EXPECT_NE(out.find("v.oma: 1 painike\n\nrivi 2: \"Muistio\"\n"
                     "  napsautus:      notepad\n"
                     "  Shift:          notepad %valikko.oma%\n"
                     "  Ctrl:           notepad\n"
                     "  Alt:            notepad\n"
                     "  Shift+Ctrl:     notepad\n"
                     "  oikea painike:  calc\n"
                     "  keskipainike:   notepad\n"),
            std::string::npos)
      << out;
}

}  // namespace
}  // namespace lv
