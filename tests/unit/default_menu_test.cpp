#include "default_menu.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "menu_text.h"
#include "startup.h"

namespace lv {
namespace {

std::string Build(bool installed) {
  return BuildDefaultMenu([installed](const std::string&) { return installed; });
}

// Installed when the block's position among the program blocks is odd.
std::string BuildEveryOtherInstalled() {
  int n = 0;
  return BuildDefaultMenu([&n](const std::string&) { return n++ % 2 == 1; });
}

// The rows as UTF-8, without their line ends.
std::vector<std::string> Rows(const std::string& bytes) {
  std::vector<std::string> rows;
  const std::string text = Windows1252ToUtf8(bytes);
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    rows.push_back(text.substr(start, end - start));
  return rows;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Quoted(std::string_view path) {
  std::string p(path);
  if (p.find(' ') != std::string::npos) p = '"' + p + '"';
  return p;
}

size_t HeaderRow(const std::vector<std::string>& rows, const ProductBlock& b) {
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i] == "; *** " + std::string(b.blockName)) return i;
  ADD_FAILURE() << "no header for " << b.blockName;
  return 0;
}

TEST(DefaultMenu, NothingInstalledGivesTheReferenceFile) {
  const std::string expected = ReadFile(LV_TEST_DATA "/default_menu_none_installed.oma");
  ASSERT_FALSE(expected.empty());
  const std::string built = Build(false);
  const auto want = Rows(expected), got = Rows(built);
  for (size_t i = 0; i < std::min(want.size(), got.size()); ++i)
    ASSERT_EQ(got[i], want[i]) << "row " << i + 1;
  EXPECT_EQ(got.size(), want.size());
  EXPECT_EQ(built, expected);
}

TEST(DefaultMenu, AsksAboutEachProgramOnceInFileOrder) {
  std::vector<std::string> asked;
  BuildDefaultMenu([&asked](const std::string& path) {
    asked.push_back(path);
    return false;
  });
  EXPECT_EQ(asked.size(), 12u);
  EXPECT_EQ(asked, DefaultMenuProgramPaths());
  EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), asked.size());
  bool someWithSpace = false;
  for (const std::string& p : asked) {
    EXPECT_TRUE(p.ends_with(".EXE")) << p;
    someWithSpace |= p.find(' ') != std::string::npos;
  }
  EXPECT_TRUE(someWithSpace) << "the quoting of paths with spaces goes untested";
}

TEST(DefaultMenu, StartRowsFollowWhatIsInstalled) {
  struct Case {
    const char* name;
    std::string bytes;
    bool (*installed)(int programIndex);
    size_t fallbackRows;  // the desktop shortcut always has one
  } cases[] = {
      {"none", Build(false), [](int) { return false; }, 13},
      {"all", Build(true), [](int) { return true; }, 1},
      {"every other", BuildEveryOtherInstalled(), [](int i) { return i % 2 == 1; }, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto rows = Rows(c.bytes);
    int programIndex = 0;
    for (const ProductBlock& b : DefaultProductBlocks()) {
      if (b.kind != BlockKind::Program) continue;
      SCOPED_TRACE(std::string(b.blockName));
      const size_t h = HeaderRow(rows, b);
      ASSERT_LT(h + 3, rows.size());
      const std::string caption(b.caption), path = Quoted(b.programPath);
      const std::string direct = caption + " = " + path;
      if (c.installed(programIndex++)) {
        EXPECT_EQ(rows[h + 1], direct);
        EXPECT_EQ(rows[h + 2], ";Käyttötuki (online-ohje)");
      } else {
        EXPECT_EQ(rows[h + 1], ";" + direct);
        EXPECT_EQ(rows[h + 2], caption + " = cmd /c if exist " + path + " (" + path +
                                   ") ELSE (start " + std::string(b.productPage) + ")");
      }
    }
    size_t fallbacks = 0;
    for (const std::string& r : rows) fallbacks += r.find(" = cmd /c if exist ") != r.npos;
    EXPECT_EQ(fallbacks, c.fallbackRows);
  }
}

TEST(DefaultMenu, ReadsBackAsTheIntendedMenu) {
  const char* const generic[] = {"muistio", "muokkaa tätä valikkoa", "C:\\",
                                 "cmd",     "Reboot",                "Sammuta"};
  for (bool installed : {false, true}) {
    SCOPED_TRACE(installed ? "all installed" : "none installed");
    MenuText text;
    DecodeMenuFile(Build(installed), text);
    EXPECT_EQ(text.encoding, TextEncoding::Windows1252);
    const StartupResult r = ComputeStartup(text.lines);

    ASSERT_EQ(r.entries.size(), 24u);
    EXPECT_EQ(r.caption, "\xC2\xA0Lumora Valikko (ver:3.12.2023)");
    EXPECT_EQ(r.buttons[0].width, 3800);
    EXPECT_EQ(r.windowWidth, 4110);
    EXPECT_EQ(r.windowLeft, 10);
    EXPECT_EQ(r.windowTop, 10);
    for (const TwipsRect& b : r.buttons) EXPECT_EQ(b.height, 350);

    const auto blocks = DefaultProductBlocks();
    ASSERT_EQ(blocks.size(), 15u);
    for (size_t i = 0; i < blocks.size(); ++i) {
      const ProductBlock& b = blocks[i];
      const MenuEntry& e = r.entries[i];
      SCOPED_TRACE(std::string(b.blockName));
      EXPECT_EQ(e.caption, b.caption);
      for (const std::string* alt : {&e.attached.shift, &e.attached.ctrl, &e.attached.alt,
                                     &e.attached.right, &e.attached.shiftctrl})
        EXPECT_TRUE(alt->starts_with("https://")) << *alt;
      EXPECT_EQ(e.attached.middle.empty(), b.middleCommented);
      EXPECT_EQ(e.attached.clicktitle, "");
      EXPECT_TRUE(e.tooltip.starts_with(std::string(b.tipName) + " // shift: ")) << e.tooltip;
      if (b.kind == BlockKind::WebPage || (b.kind == BlockKind::Program && installed)) {
        EXPECT_TRUE(e.command.starts_with("https://") || e.command.ends_with(".EXE") ||
                    e.command.ends_with(".EXE\""))
            << e.command;
      } else {  // the whole fallback survives reading: no "=" cut it short
        EXPECT_TRUE(e.command.ends_with(") ELSE (start " + std::string(b.productPage) + ")"))
            << e.command;
      }
    }
    EXPECT_EQ(r.entries[15].caption, "Ilmoitin.fi");
    EXPECT_EQ(r.entries[16].caption, "OmaVero");
    EXPECT_EQ(r.entries[17].caption, "Tulorekisteri");
    EXPECT_EQ(r.entries[17].tooltip, "Tulorekisteri");  // the bare ".tooltip =" changes nothing

    for (size_t i = 0; i < 6; ++i) {
      const MenuEntry& e = r.entries[18 + i];
      EXPECT_EQ(e.caption, generic[i]);
      if (e.caption == "Sammuta") continue;
      const AttachedTexts& a = e.attached;
      EXPECT_EQ(a.ctrl + a.alt + a.right + a.middle + a.shiftctrl + a.clicktitle, "")
          << e.caption;
    }
    const MenuEntry& off = r.entries[23];
    EXPECT_TRUE(off.command.starts_with("cmd /K Title Sammutetaanko? ")) << off.command;
    EXPECT_EQ(off.attached.ctrl, "cmd /k @echo ctrl");
    EXPECT_EQ(off.attached.alt, "cmd /k @echo alt");
    EXPECT_EQ(off.attached.shift, "cmd /c start shutdown -r -t 0");
    EXPECT_EQ(off.attached.right, "cmd /k @echo right");
    EXPECT_EQ(off.attached.middle, "cmd /k @echo middle");
    EXPECT_EQ(off.attached.shiftctrl, "cmd /k @echo shift + ctrl");
    EXPECT_EQ(off.attached.clicktitle, "Odota ...");
    EXPECT_EQ(off.tooltip, "shift: restart");
    EXPECT_EQ(r.entries[19].command, "notepad %valikko.oma%");
  }
}

TEST(DefaultMenu, MakerAddressesUseTheReservedExampleDomain) {
  const std::set<std::string> publicHosts = {"www.ilmoitin.fi", "testi.ilmoitin.fi",
                                             "www.vero.fi", "www.tulorekisteri.fi"};
  for (bool installed : {false, true}) {
    size_t addresses = 0;
    for (const std::string& row : Rows(Build(installed))) {
      for (size_t at = row.find("http"); at != std::string::npos; at = row.find("http", at + 1)) {
        const size_t scheme = row.find("://", at);
        if (scheme != at + 4 && scheme != at + 5) continue;
        const size_t hostStart = scheme + 3;
        const std::string host =
            row.substr(hostStart, row.find_first_of("/ )\"", hostStart) - hostStart);
        ++addresses;
        EXPECT_TRUE(host.ends_with(".example") || publicHosts.contains(host))
            << host << " in: " << row;
      }
    }
    EXPECT_GT(addresses, 90u);
  }
}

TEST(DefaultMenu, BytesAreWindows1252RowsEndingInCrLf) {
  for (const std::string& bytes : {Build(false), Build(true), BuildEveryOtherInstalled()}) {
    EXPECT_TRUE(bytes.starts_with("title = \xA0Lumora Valikko\r\n; kommenttirivi"));
    EXPECT_TRUE(bytes.ends_with(".tooltip = shift: restart\r\n\r\n"));
    EXPECT_FALSE(bytes.ends_with("\r\n\r\n\r\n"));
    EXPECT_NE(bytes.find("puolipisteell\xE4 \r\n"), std::string::npos);  // ä as one byte
    for (size_t i = 0; i < bytes.size(); ++i) {
      const auto c = static_cast<unsigned char>(bytes[i]);
      if (c == '\r') {
        EXPECT_EQ(bytes[i + 1], '\n') << "lone CR at " << i;
      } else if (c == '\n') {
        EXPECT_EQ(bytes[i - 1], '\r') << "lone LF at " << i;
      } else {
        // No other control byte, nor one that Windows-1252 leaves undefined.
        EXPECT_TRUE(c >= 0x20 && c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F &&
                    c != 0x90 && c != 0x9D)
            << "byte " << int(c) << " at " << i;
      }
    }
    // A character the conversion could not hold would show as '?'.
    for (const std::string& row : Rows(bytes)) {
      if (row.find('?') != std::string::npos) {
        EXPECT_TRUE(row.starts_with("Reboot = ") || row.starts_with("Sammuta = ")) << row;
      }
    }
  }
}

}  // namespace
}  // namespace lv
