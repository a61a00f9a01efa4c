// The program's start-up seen from outside: each test starts the real program in a
// fresh folder on drive C:, waits for its window and reads the window, the controls
// and the menu file it left behind. The portable core computes, from the same menu
// file, what the window must hold; the pixel values of the worked examples are
// checked on top of that, so a fault shared by the core and the window still shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "default_menu.h"
#include "dialogs.h"
#include "e2e_harness.h"
#include "launcher_test.h"
#include "form_design.h"
#include "menu_line.h"
#include "menu_text.h"
#include "startup.h"

namespace lv::e2e {
namespace {

constexpr wchar_t kLabelText[] = L"K\u00e4ynnistys ok!";
constexpr wchar_t kDefaultCaption[] = L"Lumora Valikko (ver:3.12.2023)";

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// 15 twips per pixel at 96 DPI, rounded to the nearest pixel.
int Px(float twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// What the portable core makes of a menu file.
StartupResult Oracle(std::string_view bytes) {
  MenuText text;
  DecodeMenuFile(bytes, text);
  return ComputeStartup(text.lines);
}

std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string Excerpt(std::string_view bytes, size_t at) {
  std::string out;
  for (char c : bytes.substr(at, 40)) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127) {
      out += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    }
  }
  return out;
}

// Empty when equal; otherwise where the two files part, readable.
std::string FirstDifference(std::string_view actual, std::string_view expected) {
  if (actual == expected) return {};
  auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  size_t at = static_cast<size_t>(a - actual.begin());
  size_t line = 1 + static_cast<size_t>(std::count(expected.begin(), e, '\n'));
  return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
         " (actual, expected); first difference at byte " + std::to_string(at) + ", line " +
         std::to_string(line) + ":\n  actual:   " + Excerpt(actual, at) +
         "\n  expected: " + Excerpt(expected, at);
}

std::string Describe(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

void ExpectRect(const ControlInfo& c, const TwipsRect& t, int widthPx, const std::string& what) {
  SCOPED_TRACE(what + " at " + Describe(c.rect));
  EXPECT_EQ(c.rect.left, Px(t.left));
  EXPECT_EQ(c.rect.top, Px(t.top));
  EXPECT_EQ(c.rect.right - c.rect.left, widthPx);
  EXPECT_EQ(c.rect.bottom - c.rect.top, Px(t.height));
}

// Everything the window must show for start-up result `r`, in pixels at 96 DPI.
void ExpectWindowMatches(const WindowSnapshot& w, const StartupResult& r) {
  EXPECT_EQ(w.caption, Widen(r.caption));

  // The resize rule: every button as wide as the window's outer width allows.
  std::optional<float> resized =
      ResizedButtonWidth(static_cast<float>(w.Width()) * 15.0f, r.buttons[0].left);
  const int buttonWidth = Px(resized ? *resized : r.buttons[0].width);

  std::vector<ControlInfo> buttons = w.Buttons();
  ASSERT_EQ(buttons.size(), r.buttons.size());
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ControlInfo& b = buttons[i];
    const std::string what = "button " + std::to_string(i);
    EXPECT_EQ(b.id, kFirstButtonId + static_cast<int>(i)) << what;
    EXPECT_EQ(b.text, r.entries.empty() ? std::wstring(L"cmdAja") : Widen(r.entries[i].caption))
        << what;
    EXPECT_TRUE(b.visible) << what;
    ExpectRect(b, r.buttons[i], buttonWidth, what);
  }

  const ControlInfo* hint = w.Control(kHintId);
  const ControlInfo* status = w.Control(kStatusId);
  ASSERT_NE(hint, nullptr) << "no lblVinkki (id 900)";
  ASSERT_NE(status, nullptr) << "no lblKomento (id 901)";
  for (const ControlInfo* label : {hint, status}) {
    EXPECT_EQ(label->className, L"Static");
    EXPECT_TRUE(label->visible);
  }
  EXPECT_EQ(hint->text, kLabelText);
  // These menu files check clean but for the one without entries, whose ".ctrl" line
  // has no entry either: the status line tells of both.
  EXPECT_EQ(status->text, r.entries.empty() ? L"Valikossa 2 ongelmaa: katso Ohje" : kLabelText);
  ExpectRect(*hint, r.hint, Px(r.hint.width), "lblVinkki");
  ExpectRect(*status, r.status, Px(r.status.width), "lblKomento");

  if (r.windowLeft) {
    EXPECT_EQ(w.window.left, Px(*r.windowLeft));
  }
  if (r.windowTop) {
    EXPECT_EQ(w.window.top, Px(*r.windowTop));
  }
  if (r.windowWidth) {
    EXPECT_EQ(w.Width(), Px(*r.windowWidth));
  } else {
    EXPECT_EQ(w.ClientWidth(), Px(kClientDesignWidth)) << "the window keeps its built width";
  }

  // At least the menu file's height, and tall enough that the client area reaches
  // 50 twips below the status line.
  EXPECT_LE(status->rect.bottom + 50 / 15, w.ClientHeight())
      << "lblKomento " << Describe(status->rect) << " is not whole inside the client area "
      << Describe(w.client);
  const int frame = w.Height() - w.ClientHeight();
  const int expectedHeight = std::max(Px(r.windowHeight), frame + Px(r.status.bottom() + 50));
  EXPECT_NEAR(w.Height(), expectedHeight, 1) << "frame " << frame;
}

std::vector<int> ButtonTops(const WindowSnapshot& w) {
  std::vector<int> tops;
  for (const ControlInfo& b : w.Buttons()) tops.push_back(b.rect.top);
  return tops;
}

// Starts the program in this test's fresh folder (with `menu` as its menu file, or
// without one) and reads its window. The run ends with the test.
class StartupE2eBase : public LauncherTest {
 protected:
  // Returns false (having failed the test) when the window never appeared.
  bool StartProgram(const std::string* menu) {
    if (int dpi = ScreenDpi(); dpi != 96) {
      ADD_FAILURE() << "the screen has " << dpi << " DPI; the pixel values here are for 96";
      return false;
    }
    if (!Launch(menu)) return false;
    window_ = TakeSnapshot(hwnd_);
    return true;
  }

  WindowSnapshot window_;
};

// ---------------------------------------------------------------------------
// Menu files given by the test: the window against the core, then the worked numbers.

struct StartupCase {
  const char* name;
  std::string menu;
  std::function<void(const WindowSnapshot&)> workedNumbers;
};

void PrintTo(const StartupCase& c, std::ostream* os) { *os << c.name; }

class StartupE2e : public StartupE2eBase, public testing::WithParamInterface<StartupCase> {};

TEST_P(StartupE2e, WindowShowsTheMenuFile) {
  const StartupCase& c = GetParam();
  ASSERT_TRUE(StartProgram(&c.menu));
  ExpectWindowMatches(window_, Oracle(c.menu));
  if (HasFatalFailure()) return;  // a label or a button is missing
  c.workedNumbers(window_);
  EXPECT_TRUE(run_->IsRunning());
  EXPECT_TRUE(run_->NotepadChildren().empty())
      << "Notepad started although the menu file was there";
}

const std::string kThreeEntries =
    CrLfLines({"eka = cmd /c echo 1", "toka = cmd /c echo 2", "kolmas = cmd /c echo 3"});

std::string SixtyEntries() {
  std::vector<std::string> lines{"cmdaja.height=100"};
  for (int i = 0; i < 60; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "Nappi %02d = cmd /c echo %d", i, i);
    lines.push_back(line);
  }
  return CrLfLines(lines);
}

const StartupCase kStartupCases[] = {
    {"ThreeEntries", kThreeEntries,
     [](const WindowSnapshot& w) {
       // Tops 165, 830, 1495 twips; 615 high; labels at 2160 and 2475 twips.
       EXPECT_EQ(ButtonTops(w), (std::vector<int>{11, 55, 100}));
       for (const ControlInfo& b : w.Buttons()) {
         EXPECT_EQ(b.rect.bottom - b.rect.top, 41);
         EXPECT_EQ(b.rect.left, 7);
       }
       EXPECT_EQ(w.Control(kHintId)->rect.top, 144);
       EXPECT_EQ(w.Control(kStatusId)->rect.top, 165);
       EXPECT_EQ(w.caption, kDefaultCaption);
       EXPECT_GE(w.Height(), 217) << "at least 3260 twips high";
     }},
    {"ButtonHeightBeforeTheEntries", "cmdaja.height=350\r\n" + kThreeEntries,
     [](const WindowSnapshot& w) {
       // Tops 165, 565, 965 twips; 350 high.
       EXPECT_EQ(ButtonTops(w), (std::vector<int>{11, 38, 64}));
       for (const ControlInfo& b : w.Buttons()) EXPECT_EQ(b.rect.bottom - b.rect.top, 23);
       EXPECT_EQ(w.Control(kHintId)->rect.top, 91);
       EXPECT_EQ(w.Control(kStatusId)->rect.top, 112);
     }},
    {"ButtonWidthSetsTheWindowWidth", "cmdaja.width=3800\r\n" + kThreeEntries,
     [](const WindowSnapshot& w) {
       // The window 4110 twips wide; the resize rule makes every button 3700 wide.
       EXPECT_EQ(w.Width(), 274);
       for (const ControlInfo& b : w.Buttons()) EXPECT_EQ(b.rect.right - b.rect.left, 247);
     }},
    {"WindowPlace", CrLfLines({"me.left=1500", "me.top=1500", "yksi = notepad"}),
     [](const WindowSnapshot& w) {
       EXPECT_EQ(w.window.left, 100);
       EXPECT_EQ(w.window.top, 100);
     }},
    {"Utf8WithByteOrderMark", "\xEF\xBB\xBF" + CrLfLines({"title = \xC3\x84iti", "\xC3\x84 = cmd"}),
     [](const WindowSnapshot& w) {
       EXPECT_EQ(w.caption, L"\u00C4iti (ver:3.12.2023)");
       ASSERT_EQ(w.Buttons().size(), 1u);
       EXPECT_EQ(w.Buttons()[0].text, L"\u00C4");
     }},
    {"LfLineEnds", "eka = cmd\ntoka = cmd\nkolmas = cmd\n",
     [](const WindowSnapshot& w) {
       std::vector<std::wstring> texts;
       for (const ControlInfo& b : w.Buttons()) texts.push_back(b.text);
       EXPECT_EQ(texts, (std::vector<std::wstring>{L"eka", L"toka", L"kolmas"}));
       EXPECT_EQ(ButtonTops(w), (std::vector<int>{11, 55, 100}));
     }},
    {"SixtyEntries", SixtyEntries(),
     [](const WindowSnapshot& w) {
       std::vector<ControlInfo> buttons = w.Buttons();
       ASSERT_EQ(buttons.size(), 60u);
       for (int i = 0; i < 60; ++i) {
         wchar_t caption[16];
         std::swprintf(caption, 16, L"Nappi %02d", i);
         EXPECT_EQ(buttons[i].id, 1000 + i);
         EXPECT_EQ(buttons[i].text, caption);
       }
       // 100 twips high, 150 twips apart: the last top is 165 + 59 x 150 = 9015 twips.
       EXPECT_EQ(buttons[59].rect.top, 601);
       EXPECT_EQ(buttons[59].rect.bottom - buttons[59].rect.top, 7);
     }},
    {"NoEntryLine", CrLfLines({"; vain kommentti", "title = Ty\xF6kalut", ".ctrl = cmd"}),
     [](const WindowSnapshot& w) {
       // Windows-1252 "ö"; button 0 as built, the labels under it: 830 and 1145 twips.
       EXPECT_EQ(w.caption, L"Ty\u00F6kalut (ver:3.12.2023)");
       std::vector<ControlInfo> buttons = w.Buttons();
       ASSERT_EQ(buttons.size(), 1u);
       EXPECT_EQ(buttons[0].text, L"cmdAja");
       EXPECT_EQ(buttons[0].rect.top, 11);
       EXPECT_EQ(buttons[0].rect.bottom - buttons[0].rect.top, 41);
       EXPECT_EQ(w.Control(kHintId)->rect.top, 55);
       EXPECT_EQ(w.Control(kStatusId)->rect.top, 76);
     }},
};

INSTANTIATE_TEST_SUITE_P(MenuFiles, StartupE2e, testing::ValuesIn(kStartupCases),
                         [](const testing::TestParamInfo<StartupCase>& param) {
                           return std::string(param.param.name);
                         });

// Sizes and places the window cannot take are clamped: the window still appears.
class BadSettingsE2e : public StartupE2eBase {};

TEST_F(BadSettingsE2e, WindowStillAppears) {
  const std::string menu =
      CrLfLines({"cmdaja.width=-5000", "cmdaja.height=1e999", "me.left=&HFFFFFFFFFFFF",
                 "me.top=-1e999", "eka = cmd", "toka = cmd"});
  ASSERT_TRUE(StartProgram(&menu));
  EXPECT_EQ(window_.caption, kDefaultCaption);
  const ControlInfo* button0 = window_.Control(kFirstButtonId);
  ASSERT_NE(button0, nullptr);
  EXPECT_EQ(button0->text, L"eka");
  EXPECT_NE(window_.Control(kHintId), nullptr);
  EXPECT_NE(window_.Control(kStatusId), nullptr);
  // Still there a moment later: the first size change and painting did not end it.
  Sleep(300);
  EXPECT_TRUE(run_->IsRunning());
}

// ---------------------------------------------------------------------------
// No menu file: the default one is written, shown in Notepad and read.

class DefaultMenuE2e : public StartupE2eBase {};

TEST_F(DefaultMenuE2e, NothingInstalled) {
  for (const std::string& path : DefaultMenuProgramPaths())
    ASSERT_FALSE(FileExists(Widen(path))) << path << " must not exist for this test";
  std::string expected;
  ASSERT_TRUE(ReadBytes(TestDataFile(L"default_menu_none_installed.oma"), expected));

  ASSERT_TRUE(StartProgram(nullptr));
  std::string written;
  ASSERT_TRUE(ReadBytes(folder_->MenuFile(), written)) << "no " << Narrow(folder_->MenuFile());
  EXPECT_EQ(FirstDifference(written, expected), "");

  ExpectWindowMatches(window_, Oracle(expected));
  // The title row holds a no-break space before the name.
  EXPECT_EQ(window_.caption, L"\u00A0Lumora Valikko (ver:3.12.2023)");
  std::vector<ControlInfo> buttons = window_.Buttons();
  ASSERT_EQ(buttons.size(), 24u);
  std::vector<std::wstring> tail;
  for (size_t i = 18; i < 24; ++i) tail.push_back(buttons[i].text);
  EXPECT_EQ(tail, (std::vector<std::wstring>{L"muistio", L"muokkaa t\u00e4t\u00e4 valikkoa",
                                             L"C:\\", L"cmd", L"Reboot", L"Sammuta"}));
  // The head's settings: 350 x 3800 twips buttons, the window at 10, 10 twips.
  EXPECT_EQ(buttons[0].rect.bottom - buttons[0].rect.top, 23);
  EXPECT_EQ(window_.Width(), 274);
  EXPECT_EQ(window_.window.left, 1);
  EXPECT_EQ(window_.window.top, 1);

  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr)
      << "no Notepad window on valikko.oma";
}

// Notepad cannot be started: a "notepad.exe" that is no program lies beside the
// launcher, where Windows looks first. The user is told, and the window still
// appears with the default menu.
TEST_F(DefaultMenuE2e, NotepadCannotStartIsReported) {
  folder_ = std::make_unique<TestFolder>(TestName());
  ASSERT_TRUE(folder_->ok()) << folder_->error();
  ASSERT_TRUE(WriteBytes(folder_->File(L"notepad.exe"), "MZ"));
  run_ = std::make_unique<ProgramRun>(folder_->Program());

  HWND found = WaitForMessageBox(run_->pid(), kWindowTimeoutMs);
  ASSERT_NE(found, nullptr) << "no message box";
  const MessageBoxInfo box = ReadMessageBox(found);
  {
    SCOPED_TRACE(Describe(box));
    const std::wstring head = L"Muistiota ei voitu k\u00e4ynnist\u00e4\u00e4:\nnotepad " +
                              folder_->MenuFile() + L"\n\nSyy: ";
    EXPECT_TRUE(box.text.starts_with(head));
    EXPECT_GT(box.text.size(), head.size()) << "no reason";
    EXPECT_EQ(box.title, L"Lumora Valikko");
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDOK}));
    EXPECT_TRUE(box.hasIcon);
  }
  ASSERT_TRUE(AnswerMessageBox(found, IDOK));

  std::string why;
  hwnd_ = run_->WaitForWindow(kWindowTimeoutMs, &why);
  ASSERT_NE(hwnd_, nullptr) << why;
  std::string expected, written;
  ASSERT_TRUE(ReadBytes(TestDataFile(L"default_menu_none_installed.oma"), expected));
  ASSERT_TRUE(ReadBytes(folder_->MenuFile(), written));
  EXPECT_EQ(FirstDifference(written, expected), "");
  EXPECT_EQ(TakeSnapshot(hwnd_).Buttons().size(), 24u);
  EXPECT_TRUE(run_->NotepadChildren().empty());
}

TEST_F(DefaultMenuE2e, EverythingInstalled) {
  const std::vector<std::string> paths = DefaultMenuProgramPaths();
  ASSERT_EQ(paths.size(), 12u);
  PlacedFiles programs;
  for (const std::string& path : paths) {
    std::string error;
    ASSERT_TRUE(programs.Add(Widen(path), &error)) << error;
  }

  ASSERT_TRUE(StartProgram(nullptr));
  std::string written;
  ASSERT_TRUE(ReadBytes(folder_->MenuFile(), written)) << "no " << Narrow(folder_->MenuFile());
  MenuText text;
  DecodeMenuFile(written, text);
  // Each program is named once: in its direct entry row, with no commented row and
  // no fallback that looks for it.
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    std::vector<std::string_view> naming;
    for (std::string_view line : text.lines)
      if (line.find(path) != std::string_view::npos) naming.push_back(line);
    ASSERT_EQ(naming.size(), 1u);
    MenuLine row = ClassifyLine(naming[0]);
    EXPECT_EQ(row.kind, LineKind::Entry) << naming[0];
    const std::string quoted = "\"" + path + "\"";
    EXPECT_EQ(row.value, path.find(' ') == std::string::npos ? path : quoted) << naming[0];
  }

  ExpectWindowMatches(window_, Oracle(written));
  EXPECT_EQ(window_.Buttons().size(), 24u);
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr)
      << "no Notepad window on valikko.oma";
}

}  // namespace
}  // namespace lv::e2e
