#include "startup.h"

#include <gtest/gtest.h>

#include <string>


namespace lv {
namespace {


std::vector<float> Tops(const StartupResult& r) {
  std::vector<float> tops;
  for (const TwipsRect& b : r.buttons) tops.push_back(b.top);
  return tops;
}

std::vector<float> Heights(const StartupResult& r) {
  std::vector<float> heights;
  for (const TwipsRect& b : r.buttons) heights.push_back(b.height);
  return heights;
}

const std::string kThreeEntries =
    "Kirjanpito = kirjanpito.exe\r\n"
    "Palkat = palkat.exe\r\n"
    "Muistio = notepad\r\n";

TEST(Startup, ThreeEntriesWithoutSettings) {
  StartupResult r = ComputeStartupFromBytes(kThreeEntries);
  ASSERT_EQ(r.entries.size(), 3u);
  EXPECT_EQ(Tops(r), (std::vector<float>{165, 830, 1495}));
  EXPECT_EQ(Heights(r), (std::vector<float>{615, 615, 615}));
  for (const TwipsRect& b : r.buttons) {
    EXPECT_EQ(b.left, 105);
    EXPECT_EQ(b.width, 5640);
  }
  EXPECT_EQ(r.hint.top, 2160);
  EXPECT_EQ(r.status.top, 2475);
  EXPECT_EQ(r.windowHeight, 3260);
  EXPECT_EQ(r.caption, "Lumora Valikko (ver:3.12.2023)");
  EXPECT_FALSE(r.windowWidth.has_value());
  EXPECT_FALSE(r.windowLeft.has_value());
  EXPECT_FALSE(r.windowTop.has_value());
  EXPECT_EQ(r.entries[0].caption, "Kirjanpito");
  EXPECT_EQ(r.entries[0].command, "kirjanpito.exe");
  EXPECT_EQ(r.entries[2].caption, "Muistio");
  EXPECT_EQ(r.entries[2].command, "notepad");
}

TEST(Startup, ButtonHeightBeforeTheFirstEntrySizesAllButtons) {
  StartupResult r = ComputeStartupFromBytes("cmdaja.height=350\r\n" + kThreeEntries);
  EXPECT_EQ(Tops(r), (std::vector<float>{165, 565, 965}));
  EXPECT_EQ(Heights(r), (std::vector<float>{350, 350, 350}));
  EXPECT_EQ(r.hint.top, 1365);
  EXPECT_EQ(r.status.top, 1680);
  EXPECT_EQ(r.windowHeight, 2465);
}

TEST(Startup, ButtonHeightAfterSomeEntriesChangesButtonZeroAndLaterOnes) {
  StartupResult r = ComputeStartupFromBytes(
      "a = 1\r\n"
      "b = 2\r\n"
      "cmdaja.height = 300\r\n"
      "c = 3\r\n"
      "d = 4\r\n");
  // Button 1 was made before the line and keeps 615; button 0 changes in place.
  EXPECT_EQ(Tops(r), (std::vector<float>{165, 830, 1495, 1845}));
  EXPECT_EQ(Heights(r), (std::vector<float>{300, 615, 300, 300}));
  EXPECT_EQ(r.windowHeight, 1845 + 300 + 1150);
}

TEST(Startup, ButtonWidthSetsTheWindowWidth) {
  StartupResult r = ComputeStartupFromBytes("cmdaja.width=3800\r\n" + kThreeEntries);
  ASSERT_TRUE(r.windowWidth.has_value());
  EXPECT_EQ(*r.windowWidth, 4110);
  EXPECT_EQ(ResizedButtonWidth(*r.windowWidth, r.buttons[0].left), 3700);
  for (const TwipsRect& b : r.buttons) EXPECT_EQ(b.width, 3800);

  // Written as the placement report writes it, and after the entries.
  StartupResult late = ComputeStartupFromBytes(kThreeEntries + "cmdAja.width = 2000\r\n");
  EXPECT_EQ(late.windowWidth, 2310);
  EXPECT_EQ(late.buttons[0].width, 2000);
  EXPECT_EQ(late.buttons[1].width, 5640);  // until the resize rule sets every width
}

TEST(Startup, ResizeRule) {
  EXPECT_EQ(ResizedButtonWidth(6150, 105), 5740);
  EXPECT_EQ(ResizedButtonWidth(410, 105), 0);
  EXPECT_FALSE(ResizedButtonWidth(409, 105).has_value());
  EXPECT_FALSE(ResizedButtonWidth(0, 105).has_value());
}

TEST(Startup, WindowPlace) {
  StartupResult r = ComputeStartupFromBytes("me.left = 1200\r\nme.top = 900\r\nme.left = 1500\r\n" + kThreeEntries);
  EXPECT_EQ(r.windowLeft, 1500);
  EXPECT_EQ(r.windowTop, 900);
}

TEST(Startup, Title) {
  struct Case {
    std::string file;
    std::string caption;
  } cases[] = {
      {"title = Oma valikko\r\n" + kThreeEntries, "Oma valikko (ver:3.12.2023)"},
      {"title = Eka\r\n" + kThreeEntries + "TITLE = Toka\r\n", "Toka (ver:3.12.2023)"},
      {"title\r\n" + kThreeEntries, " (ver:3.12.2023)"},
      {"title = \xC2\xA0Valikko\r\n", "\xC2\xA0Valikko (ver:3.12.2023)"},
      {"title = A = B\r\n", "A (ver:3.12.2023)"},
      // The mark is no part of the first key.
      {"\xEF\xBB\xBFtitle = Merkki\r\n", "Merkki (ver:3.12.2023)"},
  };
  for (const Case& c : cases) EXPECT_EQ(ComputeStartupFromBytes(c.file).caption, c.caption) << c.file;
}

TEST(Startup, Tooltips) {
  StartupResult r = ComputeStartupFromBytes(
      "Eka = 1\r\n"
      "&Toka = 2\r\n"
      "Kolmas = 3\r\n"
      ".tip = kolmas vinkki\r\n"
      "Neljäs = 4\r\n"
      ".tooltip = eka\r\n"
      ".tooltiptext = toka\r\n"
      ".tooltip = \r\n"
      ".tip\r\n");
  ASSERT_EQ(r.entries.size(), 4u);
  EXPECT_EQ(r.entries[0].tooltip, "");
  EXPECT_EQ(r.entries[1].tooltip, "&Toka");
  EXPECT_EQ(r.entries[2].tooltip, "kolmas vinkki");
  EXPECT_EQ(r.entries[3].tooltip, "toka");

  StartupResult first = ComputeStartupFromBytes("Eka = 1\r\n.tooltip = vinkki\r\n.tooltip =\r\n");
  EXPECT_EQ(first.entries[0].tooltip, "vinkki");
}

TEST(Startup, AttachedTextsOfTheClosingBlockOfTheDefaultFile) {
  StartupResult r = ComputeStartupFromBytes(
      "Sammuta = cmd /c shutdown -s -t 0\r\n"
      ".ctrl = cmd /k @echo ctrl\r\n"
      ".alt = cmd /k @echo alt\r\n"
      ".shift = cmd /c start shutdown -r -t 0\r\n"
      ".right = cmd /k @echo right\r\n"
      ".middle = cmd /k @echo middle\r\n"
      ".shiftctrl = cmd /k @echo shift + ctrl     \r\n"
      ".clicktitle = Odota ...\r\n"
      ".tooltip = shift: restart\r\n");
  ASSERT_EQ(r.entries.size(), 1u);
  const MenuEntry& e = r.entries[0];
  EXPECT_EQ(e.caption, "Sammuta");
  EXPECT_EQ(e.command, "cmd /c shutdown -s -t 0");
  EXPECT_EQ(e.attached.ctrl, "cmd /k @echo ctrl");
  EXPECT_EQ(e.attached.alt, "cmd /k @echo alt");
  EXPECT_EQ(e.attached.shift, "cmd /c start shutdown -r -t 0");
  EXPECT_EQ(e.attached.right, "cmd /k @echo right");
  EXPECT_EQ(e.attached.middle, "cmd /k @echo middle");
  EXPECT_EQ(e.attached.shiftctrl, "cmd /k @echo shift + ctrl");
  EXPECT_EQ(e.attached.clicktitle, "Odota ...");
  EXPECT_EQ(e.tooltip, "shift: restart");
}

TEST(Startup, AttachedLinesGoToTheMostRecentEntry) {
  StartupResult r = ComputeStartupFromBytes(
      ".ctrl = ennen ensimmäistä\r\n"  // no entry yet: ignored
      ".tooltip = ei kenellekään\r\n"
      "title = Otsikko\r\n"            // still applies
      "Eka = 1\r\n"
      ".ctrl = a\r\n"
      ".CTRL = b\r\n"                  // the later one wins
      ".right = r\r\n"
      "Toka = 2\r\n"
      ".alt = x\r\n"
      "; comment\r\n"
      "\r\n"
      "cmdaja.height = 600\r\n"
      "tavallista tekstiä\r\n"
      ".alt\r\n"                       // clears
      ".middle = m\r\n");
  ASSERT_EQ(r.entries.size(), 2u);
  EXPECT_EQ(r.caption, "Otsikko (ver:3.12.2023)");
  EXPECT_EQ(r.entries[0].tooltip, "");
  EXPECT_EQ(r.entries[0].attached.ctrl, "b");
  EXPECT_EQ(r.entries[0].attached.right, "r");
  EXPECT_EQ(r.entries[0].attached.alt, "");
  EXPECT_EQ(r.entries[1].attached.ctrl, "");
  EXPECT_EQ(r.entries[1].attached.alt, "");
  EXPECT_EQ(r.entries[1].attached.middle, "m");
  EXPECT_EQ(r.entries[1].attached.right, "");
}

TEST(Startup, EmptyCtrlClearsAnEarlierOne) {
  for (const char* clear : {".ctrl = \r\n", ".ctrl\r\n", ".ctrl=\r\n"}) {
    StartupResult r = ComputeStartupFromBytes(std::string("a = 1\r\n.ctrl = notepad\r\n") + clear);
    EXPECT_EQ(r.entries[0].attached.ctrl, "") << clear;
  }
}

TEST(Startup, EveryEntryBeyondTheFiftyFirstKeepsItsTexts) {
  std::string file;
  for (int i = 0; i < 60; ++i) {
    std::string n = std::to_string(i);
    file += "Nappi " + n + " = komento " + n + "\r\n.ctrl = ctrl " + n + "\r\n.clicktitle = odota " +
            n + "\r\n";
  }
  StartupResult r = ComputeStartupFromBytes(file);
  ASSERT_EQ(r.entries.size(), 60u);
  ASSERT_EQ(r.buttons.size(), 60u);
  for (int i : {0, 50, 51, 59}) {
    std::string n = std::to_string(i);
    EXPECT_EQ(r.entries[i].caption, "Nappi " + n);
    EXPECT_EQ(r.entries[i].command, "komento " + n);
    EXPECT_EQ(r.entries[i].attached.ctrl, "ctrl " + n);
    EXPECT_EQ(r.entries[i].attached.clicktitle, "odota " + n);
    EXPECT_EQ(r.buttons[i].top, 165 + 665 * i);
  }
  EXPECT_EQ(r.entries[59].tooltip, "Nappi 59");
  EXPECT_EQ(r.windowHeight, 165 + 665 * 59 + 615 + 1150);
}

TEST(Startup, NoEntryLeavesButtonZeroAsBuilt) {
  for (const char* file : {"", "; vain kommentti\r\n", "title = Tyhjä\r\n.ctrl = x\r\n", "=\r\n"}) {
    StartupResult r = ComputeStartupFromBytes(file);
    EXPECT_TRUE(r.entries.empty()) << file;
    ASSERT_EQ(r.buttons.size(), 1u) << file;
    EXPECT_EQ(r.buttons[0].left, 105);
    EXPECT_EQ(r.buttons[0].top, 165);
    EXPECT_EQ(r.buttons[0].width, 5640);
    EXPECT_EQ(r.buttons[0].height, 615);
    EXPECT_EQ(r.hint.top, 830);
    EXPECT_EQ(r.status.top, 1145);
    EXPECT_EQ(r.windowHeight, 1930);
  }
  EXPECT_EQ(ComputeStartupFromBytes("").caption, "Lumora Valikko (ver:3.12.2023)");
}

TEST(Startup, LabelsKeepTheirBuiltLeftWidthAndHeight) {
  StartupResult r = ComputeStartupFromBytes(kThreeEntries);
  EXPECT_EQ(r.hint.left, 165);
  EXPECT_EQ(r.hint.width, 7005);
  EXPECT_EQ(r.hint.height, 285);
  EXPECT_EQ(r.status.left, 150);
  EXPECT_EQ(r.status.height, 285);
}

TEST(Startup, SizesAndPlacesTheWindowCannotTakeAreClamped) {
  struct Case {
    std::string setting;
    float height, width, left, top;  // button 0's height and width, window place
  } cases[] = {
      {"cmdaja.height = -5000", 0, 5640, 0, 0},
      {"cmdaja.height = 1e999", kMaxTwips, 5640, 0, 0},
      {"cmdaja.height = -1e999", 0, 5640, 0, 0},
      {"cmdaja.height = &HFFFFFFFFFFFF", kMaxTwips, 5640, 0, 0},
      {"cmdaja.height = 491506", kMaxTwips, 5640, 0, 0},
      {"cmdaja.height = 491505", 491505, 5640, 0, 0},
      {"cmdaja.height = 350px", 350, 5640, 0, 0},
      {"cmdaja.height = abc", 0, 5640, 0, 0},
      {"cmdaja.height", 0, 5640, 0, 0},
      {"cmdaja.width = -1", 615, 0, 0, 0},
      {"cmdaja.width = 1e39", 615, kMaxTwips, 0, 0},
      // The window may stand left of or above the main screen (other monitors).
      {"me.left = -5000\r\nme.top = -300", 615, 5640, -5000, -300},
      {"me.left = 1e999\r\nme.top = -1e999", 615, 5640, kMaxTwips, -kMaxTwips},
      {"me.left = &HFFFFFFFFFFFF\r\nme.top = 1" + std::string(400, '0') + "e-10", 615, 5640,
       kMaxTwips, kMaxTwips},
  };
  for (const Case& c : cases) {
    StartupResult r = ComputeStartupFromBytes(c.setting + "\r\n" + kThreeEntries);
    EXPECT_EQ(r.buttons[0].height, c.height) << c.setting;
    EXPECT_EQ(r.buttons[2].height, c.height) << c.setting;
    EXPECT_EQ(r.buttons[0].width, c.width) << c.setting;
    EXPECT_EQ(r.windowLeft.value_or(0), c.left) << c.setting;
    EXPECT_EQ(r.windowTop.value_or(0), c.top) << c.setting;
    EXPECT_EQ(r.buttons[1].top, 165 + c.height + 50) << c.setting;
    EXPECT_EQ(r.windowHeight, r.buttons[2].bottom() + 1150) << c.setting;
    if (r.windowWidth) {
      EXPECT_EQ(*r.windowWidth, 2 * 105 + c.width + 100) << c.setting;
    }
  }
}

TEST(Fe_omatd, AppendsTheFileNameWithOneBackslash) {
  struct Case {
    const char* folder;
    const char* td;
  } cases[] = {
      {"C:\\Ohjelmat\\Lumora", "C:\\Ohjelmat\\Lumora\\valikko.oma"},
      {"C:\\Ohjelmat\\Lumora\\", "C:\\Ohjelmat\\Lumora\\valikko.oma"},
      {"C:\\", "C:\\valikko.oma"},  // a drive root already ends with "\"
      {"D:\\", "D:\\valikko.oma"},
      {"\\\\palvelin\\jako", "\\\\palvelin\\jako\\valikko.oma"},
      {"C:\\Käyttäjät\\Äijä", "C:\\Käyttäjät\\Äijä\\valikko.oma"},
  };
  for (const Case& c : cases) EXPECT_EQ(fe_omatd(c.folder), c.td) << c.folder;
}

}  // namespace
}  // namespace lv
