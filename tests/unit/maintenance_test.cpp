// Looking after the menu file: appending the example rows, the safe rewrite, the
// simplified menu, the placement report and the About text.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "default_menu.h"
#include "explorer_tricks.h"
#include "menu_text.h"
#include "simplified_menu.h"
#include "startup.h"
#include "texts.h"

namespace lv {
namespace {

// The eleven rows as they must land in the file, typed out independently of the code.
#define LV_TRICKS_BEFORE_A ";\r\n; Esimerkkej"
#define LV_TRICKS_AFTER_A                                                                    \
  " resurssienhallinnan ja komentokehotteen avaamiseksi\r\n"                                \
  ";\r\n"                                                                                    \
  "c:\\lumorats (res.hall. avaa)= cmd /c %windir%\\explorer.exe /e,/expand,c:\\lumorats\r\n" \
  "c:\\lumorats (res.hall. valitse) = cmd /c %windir%\\explorer.exe /e,/select,c:\\lumorats\r\n" \
  "c:\\lumorats (cmd)=cmd /k cd c:\\lumorats\r\n"                                            \
  "c:\\lumorats (cmd, dir uusimmat)=cmd /k cd c:\\lumorats & dir /od\r\n"                    \
  "valikko.oma = notepad c:\\lumorats\\valikko.oma\r\n"                                      \
  "USB kopiointi = cmd /c  %windir%\\explorer.exe D:\\ & %windir%\\explorer.exe E:\\ & "     \
  "%windir%\\explorer.exe /e,/select,c:\\lumorats\r\n"                                       \
  "cmd = cmd /k cd c:\\\r\n"                                                                 \
  "Sammuta = cmd /c start shutdown -s -t 0\r\n"

const std::string kTail1252 = LV_TRICKS_BEFORE_A "\xE4" LV_TRICKS_AFTER_A;
const std::string kTailUtf8 = LV_TRICKS_BEFORE_A "\xC3\xA4" LV_TRICKS_AFTER_A;
constexpr char kBom[] = "\xEF\xBB\xBF";

std::string Bytes(const char* s, size_t n) { return std::string(s, n); }

// The lines the reader sees in `bytes`, as UTF-8.
std::vector<std::string> DecodedLines(const std::string& bytes) {
  MenuText text;
  DecodeMenuFile(bytes, text);
  return {text.lines.begin(), text.lines.end()};
}

TEST(AppendExplorerTricks, ByteLevelResult) {
  struct Case {
    const char* name;
    std::string before;
    std::string expected;
  } cases[] = {
      {"empty file", "", kTail1252},
      {"one line without line end", "muistio = notepad", "muistio = notepad\r\n" + kTail1252},
      {"CR LF line ends", "a = b\r\nc = d\r\n", "a = b\r\nc = d\r\n" + kTail1252},
      {"last line without line end", "a = b\r\nc = d", "a = b\r\nc = d\r\n" + kTail1252},
      {"LF line ends", "a = b\nc = d\n", "a = b\r\nc = d\r\n" + kTail1252},
      {"CR-only line ends", "a = b\rc = d\r", "a = b\r\nc = d\r\n" + kTail1252},
      {"mixed line ends and empty lines", "a\r\n\nb\r\rc",
       "a\r\n\r\nb\r\n\r\nc\r\n" + kTail1252},
      {"only a line feed", "\n", "\r\n" + kTail1252},
      {"comments, blank and space-only lines kept in place",
       "; kommentti\r\n\r\nREM muistiin\r\n   \r\nx = y  \r\n\r\n",
       "; kommentti\r\n\r\nREM muistiin\r\n   \r\nx = y  \r\n\r\n" + kTail1252},
      {"Windows-1252 a-umlaut kept as byte E4", "k\xE4ytt\xF6 = notepad\r\n",
       "k\xE4ytt\xF6 = notepad\r\n" + kTail1252},
      {"Windows-1252 euro sign and no-break space",
       "title = \xA0Valikko \x80\r\n", "title = \xA0Valikko \x80\r\n" + kTail1252},
      {"UTF-8 without mark", "k\xC3\xA4ytt\xC3\xB6 = notepad\n",
       "k\xC3\xA4ytt\xC3\xB6 = notepad\r\n" + kTailUtf8},
      {"UTF-8 with mark", std::string(kBom) + "title = x\r\nmuistio = notepad",
       std::string(kBom) + "title = x\r\nmuistio = notepad\r\n" + kTailUtf8},
      {"UTF-8 mark and nothing else", kBom, kBom + kTailUtf8},
      {"UTF-8 mark then a blank first line", std::string(kBom) + "\r\nx = y\r\n",
       std::string(kBom) + "\r\nx = y\r\n" + kTailUtf8},
      {"mark with a stray Windows-1252 byte kept as read",
       std::string(kBom) + "k\xE4ytt\xC3\xB6\r\n",
       std::string(kBom) + "k\xE4ytt\xC3\xB6\r\n" + kTailUtf8},
      {"NUL bytes inside a line", Bytes("a\0b = c\n", 8), Bytes("a\0b = c\r\n", 9) + kTail1252},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string after = AppendExplorerTricks(c.before);
    EXPECT_EQ(testing::PrintToString(after), testing::PrintToString(c.expected));

    // Read back as the program reads it, the file is the earlier lines and then the rows:
    // the rows went in the file's own encoding, so the reader's choice did not change.
    std::vector<std::string> expectedLines = DecodedLines(c.before);
    for (std::string_view row : kExplorerTrickRows) expectedLines.emplace_back(row);
    EXPECT_EQ(DecodedLines(after), expectedLines);
    EXPECT_EQ(DetectEncoding(after) == TextEncoding::Windows1252,
              DetectEncoding(c.before) == TextEncoding::Windows1252);
  }
}

TEST(AppendExplorerTricks, RunningTwiceAppendsTheRowsTwiceAndEightButtonsEachTime) {
  const std::string inputs[] = {"", "title = Omat\r\nmuistio = notepad",
                                std::string(kBom) + "muistio = notepad\n"};
  for (const std::string& before : inputs) {
    SCOPED_TRACE(testing::PrintToString(before));
    const std::string once = AppendExplorerTricks(before);
    const std::string twice = AppendExplorerTricks(once);
    const std::string& tail = DetectEncoding(before) == TextEncoding::Windows1252 ? kTail1252
                                                                                   : kTailUtf8;
    EXPECT_EQ(twice, once + tail);

    MenuText t0, t1, t2;
    DecodeMenuFile(before, t0);
    DecodeMenuFile(once, t1);
    DecodeMenuFile(twice, t2);
    const size_t n0 = ComputeStartup(t0.lines).entries.size();
    const StartupResult r1 = ComputeStartup(t1.lines);
    ASSERT_EQ(r1.entries.size(), n0 + 8);
    EXPECT_EQ(ComputeStartup(t2.lines).entries.size(), n0 + 16);
    EXPECT_EQ(r1.entries[n0].caption, "c:\\lumorats (res.hall. avaa)");
    EXPECT_EQ(r1.entries[n0].command, "cmd /c %windir%\\explorer.exe /e,/expand,c:\\lumorats");
    EXPECT_EQ(r1.entries.back().caption, "Sammuta");
    EXPECT_EQ(r1.entries.back().command, "cmd /c start shutdown -s -t 0");
  }
}

TEST(AppendExplorerTricks, TempFileLiesBesideTheMenuFile) {
  const char* folders[] = {"C:\\Ohjelmat\\Lumora", "C:\\Ohjelmat\\Lumora\\", "C:\\",
                           "\\\\palvelin\\jako\\valikko", ""};
  for (const char* folder : folders) {
    SCOPED_TRACE(folder);
    const std::string temp = TempMenuPath(folder);
    const std::string td = fe_omatd(folder);
    // Same folder, so replacing the menu file with it is a rename on one volume.
    ASSERT_TRUE(td.ends_with("\\valikko.oma"));
    ASSERT_TRUE(temp.ends_with("\\~valikko.oma"));
    EXPECT_EQ(temp.substr(0, temp.size() - 12), td.substr(0, td.size() - 11));
  }
  EXPECT_EQ(TempMenuPath("C:\\Lumora"), "C:\\Lumora\\~valikko.oma");
  EXPECT_EQ(TempMenuPath("C:\\"), "C:\\~valikko.oma");
}

// An in-memory folder whose operations fail on request, the way Windows would.
class FakeFileSystem : public FileSystemOps {
 public:
  std::map<std::string, std::string> files;
  std::optional<std::string> readFails, replaceFails, removeFails;
  std::optional<std::string> writeFails;
  size_t writeFailsAfter = 0;  // bytes that reach the file before the write fails
  std::vector<std::string> calls;

  FileOpResult ReadAll(const std::string& path, std::string& bytes) override {
    calls.push_back("read " + path);
    if (readFails) return FileOpResult::Failed(*readFails);
    auto it = files.find(path);
    if (it == files.end())
      return FileOpResult::Failed("Järjestelmä ei löydä määritettyä tiedostoa.\r\n");
    bytes = it->second;
    return FileOpResult::Ok();
  }
  FileOpResult WriteAllFlushed(const std::string& path, std::string_view bytes) override {
    calls.push_back("write " + path);
    if (writeFails) {
      if (writeFailsAfter > 0) files[path] = std::string(bytes.substr(0, writeFailsAfter));
      return FileOpResult::Failed(*writeFails);
    }
    files[path] = std::string(bytes);
    return FileOpResult::Ok();
  }
  FileOpResult ReplaceWith(const std::string& target, const std::string& replacement) override {
    calls.push_back("replace " + target + " " + replacement);
    if (replaceFails) return FileOpResult::Failed(*replaceFails);
    auto it = files.find(replacement);
    if (it == files.end()) return FileOpResult::Failed("replacement missing");
    files[target] = it->second;
    files.erase(replacement);
    return FileOpResult::Ok();
  }
  FileOpResult Remove(const std::string& path) override {
    calls.push_back("remove " + path);
    if (removeFails) return FileOpResult::Failed(*removeFails);
    files.erase(path);
    return FileOpResult::Ok();
  }
};

const std::string kTd = "C:\\Lumora\\valikko.oma";
const std::string kTemp = "C:\\Lumora\\~valikko.oma";
const std::string kMenu = "title = Omat\r\n; kommentti\r\nmuistio = notepad";

TEST(MaintAppendPlan, SuccessReplacesTheMenuFileAndLeavesNoTempFile) {
  for (bool leftover : {false, true}) {
    SCOPED_TRACE(leftover ? "old temp file present" : "no temp file");
    FakeFileSystem fs;
    fs.files[kTd] = kMenu;
    if (leftover) fs.files[kTemp] = "vanha keskeneräinen kopio";
    const AppendResult r = lisaaniksit(fs, kTd, kTemp);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.step, "");
    EXPECT_EQ(fs.files[kTd], AppendExplorerTricks(kMenu));
    EXPECT_EQ(fs.files.count(kTemp), 0u);
    // The menu file changes only through the one-step replace, never by writing into it.
    EXPECT_EQ(fs.calls, (std::vector<std::string>{"read " + kTd, "write " + kTemp,
                                                  "replace " + kTd + " " + kTemp}));
  }
}

TEST(MaintAppendPlan, EveryFailureLeavesTheMenuFileAsItWasAndNoTempFile) {
  const std::string utf16 = Bytes("\xFF\xFEt\0i\0t\0l\0e\0\r\0\n\0", 16);
  struct Case {
    const char* name;
    std::optional<std::string> menuFile;  // unset: deleted since start-up
    bool oldTemp = false;                  // a ~valikko.oma left from before
    const char* readFails = nullptr;
    const char* writeFails = nullptr;
    size_t writtenBeforeFailure = 0;
    const char* replaceFails = nullptr;
    const char* step;
    const char* reason;  // in the result; nullptr: any
    bool tempTouched;    // whether the plan got as far as the temp file
  } cases[] = {
      {"menu file deleted since start-up", std::nullopt, false, nullptr, nullptr, 0, nullptr,
       kStepReadMenu, "Järjestelmä ei löydä määritettyä tiedostoa.\r\n", false},
      {"menu file locked for reading", kMenu, false, "Käyttö estetty.", nullptr, 0, nullptr,
       kStepReadMenu, "Käyttö estetty.", false},
      {"menu file saved as UTF-16", utf16, false, nullptr, nullptr, 0, nullptr,
       kStepCheckEncoding, nullptr, false},
      {"folder read-only: temp file cannot be created", kMenu, false, nullptr,
       "Käyttö estetty.", 0, nullptr, kStepWriteTemp, "Käyttö estetty.", true},
      {"temp file held open by another process", kMenu, true, nullptr,
       "Prosessi ei voi käyttää tiedostoa, koska se on toisen prosessin käytössä.", 0, nullptr,
       kStepWriteTemp, nullptr, true},
      {"disk full half-way through the write", kMenu, false, nullptr,
       "Levyllä ei ole tarpeeksi tilaa.", 40, nullptr, kStepWriteTemp,
       "Levyllä ei ole tarpeeksi tilaa.", true},
      {"write fails after one byte over an old temp file", kMenu, true, nullptr, "I/O-virhe", 1,
       nullptr, kStepWriteTemp, "I/O-virhe", true},
      {"menu file read-only: replace fails", kMenu, false, nullptr, nullptr, 0,
       "Käyttö estetty.", kStepReplaceMenu, "Käyttö estetty.", true},
      {"empty menu file, replace fails", std::string(), false, nullptr, nullptr, 0,
       "Käyttö estetty.", kStepReplaceMenu, "Käyttö estetty.", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    if (c.menuFile) fs.files[kTd] = *c.menuFile;
    if (c.oldTemp) fs.files[kTemp] = "vanha";
    if (c.readFails) fs.readFails = c.readFails;
    if (c.writeFails) fs.writeFails = c.writeFails;
    fs.writeFailsAfter = c.writtenBeforeFailure;
    if (c.replaceFails) fs.replaceFails = c.replaceFails;
    const auto filesBefore = fs.files;

    const AppendResult r = lisaaniksit(fs, kTd, kTemp);

    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.step, c.step);
    if (c.reason) {
      EXPECT_EQ(r.reason, c.reason);
    }
    EXPECT_FALSE(r.reason.empty());
    EXPECT_FALSE(r.tempLeft);
    ASSERT_EQ(fs.files.count(kTd), c.menuFile ? 1u : 0u);
    if (c.menuFile) {
      EXPECT_EQ(fs.files[kTd], *c.menuFile);
    }
    if (c.tempTouched) {
      EXPECT_EQ(fs.files.count(kTemp), 0u);
    } else {
      EXPECT_EQ(fs.files, filesBefore);  // nothing was written or removed at all
      for (const std::string& call : fs.calls) EXPECT_EQ(call.rfind("read ", 0), 0u) << call;
    }

    // The user is told what failed, in which step and why, on lines of their own.
    const std::string text = AppendFailureText(r, kTd, kTemp);
    EXPECT_NE(text.find("Rivien lisääminen valikkoon epäonnistui"), std::string::npos);
    EXPECT_NE(text.find(std::string("Vaihe: ") + c.step + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Syy: "), std::string::npos);
    EXPECT_NE(text.find(kTd + " on ennallaan"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos) << "system texts end in CR LF; not shown";
    EXPECT_TRUE(IsValidUtf8(text));
  }
}

TEST(MaintAppendPlan, TempFileThatCannotBeRemovedIsNamedInTheMessage) {
  FakeFileSystem fs;
  fs.files[kTd] = kMenu;
  fs.replaceFails = "Käyttö estetty.";
  fs.removeFails = "Tiedosto on toisen prosessin käytössä.\r\n";
  const AppendResult r = lisaaniksit(fs, kTd, kTemp);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.step, kStepReplaceMenu);
  EXPECT_TRUE(r.tempLeft);
  EXPECT_EQ(fs.files[kTd], kMenu);
  const std::string text = AppendFailureText(r, kTd, kTemp);
  EXPECT_NE(text.find("Väliaikaistiedostoa " + kTemp + " ei voitu poistaa: Tiedosto on toisen"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

// Splits at CR LF only, failing on any other line end.
std::vector<std::string> CrLfRows(const std::string& text) {
  std::vector<std::string> rows;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    rows.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  for (const std::string& row : rows)
    EXPECT_EQ(row.find_first_of("\r\n"), std::string::npos) << row;
  return rows;
}

TEST(SimplifiedMenu, FourteenRowsEachEndingInCrLf) {
  const std::string text = SimplifiedMenuText();
  EXPECT_TRUE(IsValidUtf8(text));  // goes to the clipboard as Unicode text
  const std::vector<std::string> rows = CrLfRows(text);
  ASSERT_EQ(rows.size(), 14u);
  for (const std::string& row : rows) EXPECT_FALSE(row.empty());
  EXPECT_EQ(rows[0], "title =  Lumora Valikko");
  EXPECT_TRUE(text.ends_with("shutdown -s -t 0\r\n"));
  EXPECT_NE(rows[12].find("käynnistetään" + std::string(22, ' ') + "( && choice"),
            std::string::npos);
  EXPECT_NE(rows[13].find("sammutetaan" + std::string(22, ' ') + "( && choice"),
            std::string::npos);
}

TEST(SimplifiedMenu, PastedIntoTheMenuFileGivesSixButtons) {
  // Pasted in Notepad and saved either way, it reads back the same.
  const std::string utf8 = SimplifiedMenuText();
  for (const std::string& bytes : {utf8, std::string(kBom) + utf8, Utf8ToWindows1252(utf8)}) {
    MenuText text;
    DecodeMenuFile(bytes, text);
    const StartupResult r = ComputeStartup(text.lines);
    EXPECT_EQ(r.caption, "Lumora Valikko (ver:3.12.2023)");
    ASSERT_EQ(r.entries.size(), 6u);
    const char* captions[] = {"Lumora.example", "muistio", "C:\\ (resurssienhallinta)",
                              "cmd", "Reboot", "Sammuta"};
    for (size_t i = 0; i < 6; ++i) {
      EXPECT_EQ(r.entries[i].caption, captions[i]);
      const AttachedTexts& a = r.entries[i].attached;
      EXPECT_EQ(a.ctrl + a.alt + a.shift + a.right + a.middle + a.shiftctrl + a.clicktitle, "");
    }
    EXPECT_EQ(r.entries[0].command, "cmd /c start https://www.lumora.example/");
    EXPECT_EQ(r.entries[3].command, "cmd /K \"cd \\ & title Lumora Ohjelmat\"");
    EXPECT_EQ(r.buttons[0].height, 350);
    EXPECT_EQ(r.buttons[0].width, 3800);
    EXPECT_EQ(r.windowLeft, 10);
    EXPECT_EQ(r.windowTop, 10);
  }
}

TEST(SimplifiedMenu, SharesItsRowsWithTheDefaultMenu) {
  MenuText def;
  const std::string defaultBytes = BuildDefaultMenu([](const std::string&) { return false; });
  DecodeMenuFile(defaultBytes, def);
  auto defaultRow = [&](std::string_view prefix) -> std::string {
    for (std::string_view line : def.lines)
      if (line.starts_with(prefix)) return std::string(line);
    return "(missing)";
  };
  EXPECT_EQ(defaultRow("Reboot ="), kSimplifiedMenuRows[12]);
  EXPECT_EQ(defaultRow("Sammuta ="), kSimplifiedMenuRows[13]);
  EXPECT_EQ(defaultRow("; ao. arvot"), kSimplifiedMenuRows[3]);
  // The maker's site and the support page are on one host.
  EXPECT_TRUE(std::string_view(kSupportPageUrl).starts_with("https://www.lumora.example/"));
  EXPECT_TRUE(
      std::string_view(kSupportPageUrl).ends_with("/lumora-valikko-ohjelmien-kaynnistamiseen/"));
}

TEST(SimplifiedMenu, MessageTextsUseSingleLineFeeds) {
  const std::string info = kSimplifiedInfoText;
  EXPECT_EQ(info.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(info.begin(), info.end(), '\n'), 1);
  EXPECT_TRUE(info.starts_with("Leikepöydällä on nyt pelkistetyn valikon valinnat.\nKun "));
  const std::string prompt = kRestartPromptText;
  EXPECT_EQ(prompt.find('\r'), std::string::npos);
  EXPECT_NE(prompt.find("voimaan\n\nKäynnistetäänkö"), std::string::npos);
}

TEST(PlacementReport, FiveLinesInShortestDecimalForm) {
  struct Case {
    float left, top, height, width;
    const char* expected;
  } cases[] = {
      {1230, 2115, 615, 5640,
       "me.left = 1230\r\nme.top = 2115\r\n\r\ncmdAja.height = 615\r\ncmdAja.width = 5640\r\n"},
      {-150, -2115, 350, 3800,
       "me.left = -150\r\nme.top = -2115\r\n\r\ncmdAja.height = 350\r\ncmdAja.width = 3800\r\n"},
      {1230.5f, 0.1f, 7.25f, 5640.75f,
       "me.left = 1230.5\r\nme.top = 0.1\r\n\r\ncmdAja.height = 7.25\r\n"
       "cmdAja.width = 5640.75\r\n"},
      {0, -0.0f, 100000, 491505,  // never "-0", never an exponent like "1e+05"
       "me.left = 0\r\nme.top = 0\r\n\r\ncmdAja.height = 100000\r\ncmdAja.width = 491505\r\n"},
      {-0.5f, 1e7f, 16777216, 1234.567f,
       "me.left = -0.5\r\nme.top = 10000000\r\n\r\ncmdAja.height = 16777216\r\n"
       "cmdAja.width = 1234.567\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlacementReport(c.left, c.top, c.height, c.width), c.expected);
}

TEST(PlacementReport, PastedLinesReadBackToTheSameValues) {
  struct Case {
    float left, top, height, width;
  } cases[] = {
      {1230, 2115, 615, 5640},          {-150, -1, 350, 3800},
      {1230.5f, 2114.9f, 614.99994f, 5639.1f}, {-1e-3f, 0.3f, 1.0f / 3, 2.0f / 3},
      {-491505, 491505, 491505, 0},
  };
  for (const Case& c : cases) {
    const std::string report = PlacementReport(c.left, c.top, c.height, c.width);
    SCOPED_TRACE(report);
    const StartupResult r = ComputeStartup(SplitLines(report));
    EXPECT_EQ(r.windowLeft, c.left);
    EXPECT_EQ(r.windowTop, c.top);
    EXPECT_EQ(r.buttons[0].height, c.height);
    EXPECT_EQ(r.buttons[0].width, c.width);
    EXPECT_TRUE(r.entries.empty());
  }
}

TEST(PlacementReport, QuestionStandsInTheTitle) {
  EXPECT_EQ(PlacementTitle("C:\\Lumora\\valikko.oma"),
            "Avataanko C:\\Lumora\\valikko.oma muistioon & kopioidaanko arvot leikepöydälle?");
}

TEST(AboutBox, TextEndsWithTheCurrentYearAndUsesSingleLineFeeds) {
  EXPECT_EQ(AboutText(2026),
            "Lumora Valikko, versio 3.12.2023\n"
            "\n"
            "* Nopeuttamaan ohjelmien käynnistämistä ja kansioiden avaamista\n"
            "* Rauhoittamaan työpöytää kuvakemereltä\n"
            "* Vakioimaan eri koneiden valinnat\n"
            "\n"
            "Lumora Ohjelmistot Oy, Tekijänoikeus (c) 2026\n");
  EXPECT_TRUE(AboutText(2031).ends_with(" 2031\n"));
  EXPECT_TRUE(AboutText(987).ends_with(" 0987\n"));  // "YYYY": always four digits
  EXPECT_EQ(AboutTitle(), "Lumora Valikko - 3.12.2023");
}

}  // namespace
}  // namespace lv
