// The guide's examples are real: every ```valikko block of docs/ohje.md goes through
// the program's own reader, start-up and press handling, and does what the guide's
// text around it says. Each block has a row here, found by the name after "valikko".
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "command_choice.h"
#include "menu_check.h"
#include "menu_line.h"
#include "menu_text.h"
#include "startup.h"

#ifndef LV_GUIDE
#error "LV_GUIDE must name docs/ohje.md"
#endif

namespace lv {
namespace {

constexpr char kTd[] = "C:\\Users\\Matti\\Lumora Valikko\\lumora-valikko\\valikko.oma";

struct Example {
  std::string name;
  std::string text;  // the block's lines, each with "\n"
  int line = 0;      // of the opening fence
};

std::string ReadGuide() {
  std::ifstream in(LV_GUIDE, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

std::vector<Example> GuideExamples(const std::string& guide) {
  std::vector<Example> examples;
  std::istringstream in(guide);
  std::string line;
  Example* open = nullptr;
  for (int n = 1; std::getline(in, line); ++n) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (open) {
      if (line == "```")
        open = nullptr;
      else
        open->text += line + "\n";
    } else if (line.starts_with("```valikko")) {
      std::string name = line.substr(10);
      name.erase(0, name.find_first_not_of(' '));
      open = &examples.emplace_back(Example{name, "", n});
    }
  }
  return examples;
}

const MenuEntry& Entry(const StartupResult& r, std::string_view caption) {
  for (const MenuEntry& e : r.entries)
    if (e.caption == caption) return e;
  ADD_FAILURE() << "no button \"" << caption << "\"";
  static const MenuEntry none;
  return none;
}

PressAction Press(const StartupResult& r, std::string_view caption, int button, int mods = 0) {
  return DecidePress(Entry(r, caption), button, mods, kTd);
}

std::vector<std::string> Captions(const StartupResult& r) {
  std::vector<std::string> out;
  for (const MenuEntry& e : r.entries) out.push_back(e.caption);
  return out;
}

using Strings = std::vector<std::string>;
using Check = std::function<void(const StartupResult&)>;

// What the guide says of each example.
const std::map<std::string, Check>& Expected() {
  static const std::map<std::string, Check> expected = {
      {"esimerkki",
       [](const StartupResult& r) {
         EXPECT_EQ(r.caption, "Oma valikko (ver:3.12.2023)");
         EXPECT_EQ(Captions(r), (Strings{"Muistio", "Verohallinto"}));
         EXPECT_EQ(Press(r, "Muistio", kLeftButton).target, "notepad");
         EXPECT_EQ(Press(r, "Muistio", kLeftButton, kShift).target, std::string("notepad ") + kTd);
         EXPECT_TRUE(Press(r, "Verohallinto", kLeftButton).webAddress);
       }},
      {"kommentit", [](const StartupResult& r) { EXPECT_EQ(Captions(r), (Strings{"Muistio"})); }},
      {"ei-kommentteja",
       [](const StartupResult& r) {
         EXPECT_EQ(Captions(r), (Strings{"; välilyönti ennen puolipistettä", "remontti"}));
       }},
      {"painikkeet",
       [](const StartupResult& r) {
         EXPECT_EQ(Captions(r),
                   (Strings{"Muistio", "Laskin", "Resurssienhallinta", "Komentokehote"}));
         EXPECT_EQ(Press(r, "Laskin", kLeftButton).target, "calc");
       }},
      {"komentotulkki",
       [](const StartupResult& r) {
         // The program hands environment variables on as written; only cmd fills them in.
         EXPECT_EQ(Press(r, "Muistiinpanot", kLeftButton).target,
                   "notepad %USERPROFILE%\\muistiinpanot.txt");
         EXPECT_TRUE(Press(r, "Omat muistiinpanot", kLeftButton).target.starts_with("cmd /c "));
         EXPECT_TRUE(Press(r, "Ohjeet", kLeftButton).target.starts_with("cmd /c "));
         EXPECT_EQ(Press(r, "Työkansio", kLeftButton).target, "explorer C:\\Lumora");
       }},
      {"asetukset",
       [](const StartupResult& r) {
         EXPECT_EQ(r.caption, "Toimiston valikko (ver:3.12.2023)");
         EXPECT_EQ(r.buttons[0].height, 450);
         EXPECT_EQ(r.buttons[0].width, 3000);
         EXPECT_EQ(r.windowWidth, 3310);
         EXPECT_EQ(ResizedButtonWidth(3310, r.buttons[0].left), 2900) << "window less margins";
         EXPECT_EQ(r.windowLeft, 1500);
         EXPECT_EQ(r.windowTop, 750);
       }},
      {"luvut",
       [](const StartupResult& r) {
         EXPECT_EQ(r.buttons[0].height, 400);
         EXPECT_EQ(r.buttons[0].width, 3800);
         EXPECT_EQ(r.windowLeft, 0);
         EXPECT_EQ(r.windowTop, -300);
       }},
      {"liitetyt",
       [](const StartupResult& r) {
         struct Case {
           int button, mods;
           std::string target;
         };
         const std::string plain = "C:\\LUMORA\\KIRJANPITO\\KIRJANPITO.EXE";
         for (const Case& c : {
                  Case{kLeftButton, 0, plain},
                  Case{kLeftButton, kShift, "https://tuki.lumora.example/kirjanpito"},
                  Case{kLeftButton, kCtrl, "https://www.lumora.example/tietopankki/kirjanpito"},
                  Case{kLeftButton, kShift | kCtrl,
                       "https://www.lumora.example/ohjeet/kirjanpito.pdf"},
                  Case{kLeftButton, kAlt, "https://www.lumora.example/paivitykset"},
                  Case{kRightButton, kShift, "explorer C:\\LUMORA\\KIRJANPITO"},
                  Case{kMiddleButton, kCtrl, "cmd /k cd /d C:\\LUMORA\\KIRJANPITO"},
                  Case{kLeftButton, kCtrl | kAlt, plain},
                  Case{kLeftButton, kShift | kAlt, plain},
                  Case{kLeftButton, kShift | kCtrl | kAlt, plain},
              }) {
           PressAction a = Press(r, "Kirjanpito", c.button, c.mods);
           EXPECT_EQ(a.target, c.target) << "button " << c.button << ", modifiers " << c.mods;
           EXPECT_EQ(a.caption, "Käynnistyy ...");
         }
         EXPECT_EQ(Entry(r, "Kirjanpito").tooltip,
                   "Kirjanpito (Shift: tuki, Ctrl: tietopankki, oikea: kansio)");
       }},
      {"vihjeet",
       [](const StartupResult& r) {
         EXPECT_EQ(Entry(r, "Laskin").tooltip, "Laskin");
         EXPECT_EQ(Entry(r, "Muistio").tooltip, "Muistio");
       }},
      {"varakomennot",
       [](const StartupResult& r) {
         EXPECT_EQ(Press(r, "Muistio", kRightButton, kShift).target, "notepad");
         EXPECT_EQ(Press(r, "Muistio", kMiddleButton).target, "notepad");
         EXPECT_EQ(Press(r, "Muistio", kLeftButton, kCtrl).target, "notepad");
         EXPECT_EQ(Press(r, "Muistio", kLeftButton, kShift).target, std::string("notepad ") + kTd);
       }},
      {"paikkamerkki",
       [](const StartupResult& r) {
         PressAction edit = Press(r, "Muokkaa valikkoa", kLeftButton);
         EXPECT_EQ(edit.target, std::string("notepad ") + kTd);
         EXPECT_EQ(edit.status, "Suoritetaan komento: notepad %valikko.oma%");
         EXPECT_NE(
             Press(r, "Varmuuskopio", kLeftButton).target.find(std::string("\"") + kTd + "\""),
             std::string::npos);
       }},
      {"verkko",
       [](const StartupResult& r) {
         EXPECT_TRUE(Press(r, "Verohallinto", kLeftButton).webAddress);
         EXPECT_TRUE(Press(r, "Tulorekisteri", kLeftButton).webAddress);
         EXPECT_FALSE(Press(r, "Selaimella", kLeftButton).webAddress);
         EXPECT_FALSE(Press(r, "Ei toimi", kLeftButton).webAddress);
       }},
      {"klikkausotsikko",
       [](const StartupResult& r) {
         for (int button : {kLeftButton, kRightButton, kMiddleButton})
           EXPECT_EQ(Press(r, "Palkat", button, kShift).caption, "Odota ...");
       }},
      {"yhtasuuri",
       [](const StartupResult& r) {
         EXPECT_EQ(Press(r, "Pankki", kLeftButton).target, "https://pankki.example/login?lang");
       }},
      {"yhtasuuri-korjattu",
       [](const StartupResult& r) {
         EXPECT_EQ(Press(r, "Pankki", kLeftButton).target, "cmd /c C:\\Lumora\\pankki.cmd");
       }},
      {"et-merkki",
       [](const StartupResult& r) {
         EXPECT_EQ(Captions(r), (Strings{"&Muistio", "Tom && Jerry"}));
       }},
      {"lainausmerkit",
       [](const StartupResult& r) {
         EXPECT_EQ(Press(r, "Veroilmoitus", kLeftButton).target,
                   "\"C:\\Program Files (x86)\\Lumora\\Veroilmoitus\\VEROILMOITUS.EXE\"");
         EXPECT_EQ(Press(r, "Kassa", kLeftButton).target,
                   "cmd /c start \"\" \"C:\\Users\\Kayttaja\\Desktop\\Lumora Kassa.appref-ms\"");
       }},
      {"sijaintiraportti",
       [](const StartupResult& r) {
         EXPECT_EQ(r.windowLeft, 1230);
         EXPECT_EQ(r.windowTop, 2115);
         EXPECT_EQ(r.buttons[0].height, 615);
         EXPECT_EQ(r.buttons[0].width, 5640);
       }},
      {"jaettu",
       [](const StartupResult& r) {
         EXPECT_EQ(Captions(r), (Strings{"Kirjanpito", "Omat tiedostot", "Yhteiset"}));
         for (const MenuEntry& e : r.entries) EXPECT_FALSE(IsWebAddress(e.command)) << e.caption;
       }},
  };
  return expected;
}

// What the checker finds in the examples the guide shows as mistakes, in line order;
// every other example checks clean.
const std::map<std::string, Strings> kFindings = {
    {"ei-kommentteja", {"V20"}}, {"luvut", {"V06", "V06", "V05"}}, {"sijaintiraportti", {"V19"}},
    {"verkko", {"V13"}},         {"yhtasuuri", {"V01"}},
};

// Everything start-up made of a file, as text, to compare two readings of one example.
std::string Summary(const StartupResult& r) {
  std::ostringstream out;
  out << r.caption << '|' << r.windowLeft.value_or(-1e9f) << '|' << r.windowTop.value_or(-1e9f)
      << '|' << r.windowWidth.value_or(-1e9f) << '|' << r.windowHeight << '\n';
  for (size_t i = 0; i < r.entries.size(); ++i) {
    const MenuEntry& e = r.entries[i];
    const AttachedTexts& a = e.attached;
    out << r.buttons[i].top << ',' << r.buttons[i].height << ',' << r.buttons[i].width << '|'
        << e.caption << '|' << e.command << '|' << e.tooltip << '|' << a.shift << '|' << a.ctrl
        << '|' << a.shiftctrl << '|' << a.alt << '|' << a.right << '|' << a.middle << '|'
        << a.clicktitle << '\n';
  }
  return out.str();
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

TEST(GuideExamples, EachExampleHasOneCheckAndEachCheckAnExample) {
  const std::string guide = ReadGuide();
  ASSERT_FALSE(guide.empty()) << "cannot read " << LV_GUIDE;
  std::vector<Example> examples = GuideExamples(guide);
  // An indented block (inside a list) would be read with its indent: not allowed.
  size_t fences = 0;
  std::istringstream lines(guide);
  for (std::string line; std::getline(lines, line);)
    if (line.find_first_not_of(' ') != std::string::npos &&
        line.substr(line.find_first_not_of(' ')).starts_with("```valikko"))
      ++fences;
  EXPECT_EQ(examples.size(), fences) << "an indented example block";

  std::map<std::string, int> seen;
  for (const Example& ex : examples) {
    EXPECT_EQ(Expected().count(ex.name), 1u)
        << "line " << ex.line << ": example \"" << ex.name << "\" has no check here";
    EXPECT_EQ(seen[ex.name]++, 0) << "line " << ex.line << ": example \"" << ex.name << "\" twice";
  }
  for (const auto& [name, check] : Expected())
    EXPECT_EQ(seen.count(name), 1u) << "no example \"" << name << "\" in the guide";
  for (const auto& [name, codes] : kFindings)
    EXPECT_EQ(seen.count(name), 1u) << "no example \"" << name << "\" in the guide";
}

TEST(GuideExamples, DoWhatTheGuideSays) {
  for (const Example& ex : GuideExamples(ReadGuide())) {
    SCOPED_TRACE("docs/ohje.md line " + std::to_string(ex.line) + ", example " + ex.name);
    ASSERT_FALSE(ex.text.empty());
    // Every line of an example does something; none is dropped in silence.
    MenuText text;
    DecodeMenuFile(ex.text, text);
    for (std::string_view line : text.lines) {
      LineKind kind = ClassifyLine(line).kind;
      EXPECT_NE(kind, LineKind::Ignored) << "ignored line: " << line;
    }
    const StartupResult r = ComputeStartupFromBytes(ex.text);
    auto check = Expected().find(ex.name);
    if (check != Expected().end()) check->second(r);

    Strings codes;
    for (const Finding& f : CheckMenuFile(ex.text).findings) codes.emplace_back(f.code);
    auto findings = kFindings.find(ex.name);
    EXPECT_EQ(codes, findings == kFindings.end() ? Strings{} : findings->second) << "checker codes";

    // The guide says ANSI, UTF-8 with or without a byte-order mark, and Windows line
    // ends all read the same.
    const std::string summary = Summary(r);
    EXPECT_EQ(Summary(ComputeStartupFromBytes(Utf8ToWindows1252(ex.text))), summary)
        << "saved as ANSI";
    EXPECT_EQ(Summary(ComputeStartupFromBytes("\xEF\xBB\xBF" + WithCrLf(ex.text))), summary)
        << "UTF-8, BOM, CR LF";
  }
}

}  // namespace
}  // namespace lv
