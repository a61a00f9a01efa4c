// The window of the real program as a whole, seen from outside: restart and quit,
// the resize rule, the geometry at 144 DPI and a place the menu file gives that no
// monitor shows. The portable core computes from the same menu file where every
// control must be; the pixel values of the worked examples are checked on top.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_harness.h"
#include "launcher_test.h"
#include "input_driver.h"
#include "menu_text.h"
#include "startup.h"

namespace lv::e2e {
namespace {

constexpr DWORD kEndTimeoutMs = 2000;  // "at once": well within this
constexpr wchar_t kVersion[] = L" (ver:3.12.2023)";

std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

StartupResult Oracle(std::string_view bytes) {
  MenuText text;
  DecodeMenuFile(bytes, text);
  return ComputeStartup(text.lines);
}

// Twips to pixels at `dpi` (1440 twips per inch), to the nearest pixel.
int Px(float twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

std::string Describe(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

// Whether the program's thread has answered everything sent before: size changes
// made from here run inside the program before this returns.
void Sync(HWND hwnd) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

// The visible dialog (a message box) of process `pid`, or nullptr.
HWND DialogOf(DWORD pid) {
  struct Find {
    DWORD pid;
    HWND found;
  } find{pid, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (owner == f->pid && IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770") {
          f->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// Every text of a dialog's controls, one after another.
std::wstring DialogTexts(HWND dialog) {
  std::wstring texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM lp) -> BOOL {
        *reinterpret_cast<std::wstring*>(lp) += ControlText(child) + L"\n";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// Waits for the first child of `run` whose program file is one of `names`: a restart
// started it. Each is taken over at once, so that it ends with the test.
std::vector<std::unique_ptr<ProgramRun>> WaitForRestarted(const ProgramRun& run,
                                                          const std::vector<std::wstring>& names) {
  std::vector<std::unique_ptr<ProgramRun>> started(names.size());
  WaitUntil(
      [&] {
        bool any = false;
        for (size_t i = 0; i < names.size(); ++i) {
          std::vector<DWORD> pids = run.Children(names[i]);
          if (!pids.empty() && !started[i]) started[i] = std::make_unique<ProgramRun>(pids.front());
          any = any || started[i];
        }
        return any;
      },
      kWindowTimeoutMs);
  return started;
}

// ---------------------------------------------------------------------------
// Restart: a new copy reads the changed menu file while the old one ends.

struct RestartCase {
  const char* name;
  const wchar_t* subfolder;  // where the program lives inside the test folder
};

void PrintTo(const RestartCase& c, std::ostream* os) {
  *os << c.name;
}

class RestartE2e : public testing::TestWithParam<RestartCase> {};

TEST_P(RestartE2e, NewCopyShowsTheChangedMenu) {
  const RestartCase& c = GetParam();
  TestFolder folder(TestName());
  ASSERT_TRUE(folder.ok()) << folder.error();
  std::wstring dir = folder.path();
  if (*c.subfolder) {
    dir += L"\\" + std::wstring(c.subfolder);
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    ASSERT_TRUE(
        CopyFileW(ProgramUnderTest().c_str(), (dir + L"\\lumora-valikko.exe").c_str(), FALSE));
    // "C:\lvtest\...\Ohjelma Kansio\lumora-valikko.exe" unquoted would start this one.
    ASSERT_TRUE(CopyFileW(ProgramUnderTest().c_str(), folder.File(L"Ohjelma.exe").c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(folder.MenuFile(),
                           CrLfLines({"title = V\xE4\xE4r\xE4", "V\xE4\xE4r\xE4 = cmd"})));
  }
  const std::wstring menuFile = dir + L"\\valikko.oma";
  ASSERT_TRUE(WriteBytes(menuFile, CrLfLines({"Ennen = cmd /c echo 1"})));

  ProgramRun run(dir + L"\\lumora-valikko.exe");
  std::string why;
  HWND hwnd = run.WaitForWindow(kWindowTimeoutMs, &why);
  ASSERT_NE(hwnd, nullptr) << why;
  ASSERT_EQ(ControlText(GetDlgItem(hwnd, kFirstButtonId)), L"Ennen");

  // Windows-1252, as Notepad saves it: "Jälkeen" (after), "Uusi" (new).
  ASSERT_TRUE(WriteBytes(menuFile, CrLfLines({"title = Uusi", "J\xE4lkeen = cmd /c echo 2",
                                              "Toinen = cmd /c echo 3"})));
  ASSERT_TRUE(PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(101, 0), 0));  // mnuRestart

  std::vector<std::unique_ptr<ProgramRun>> started =
      WaitForRestarted(run, {L"lumora-valikko.exe", L"Ohjelma.exe"});
  EXPECT_TRUE(run.WaitForExit(kEndTimeoutMs)) << "the old copy still runs";
  EXPECT_EQ(started[1], nullptr)
      << "the restart started C:\\...\\Ohjelma.exe: the path was not quoted";
  ASSERT_NE(started[0], nullptr) << "no new copy of lumora-valikko.exe was started";
  ProgramRun* next = started[0].get();

  HWND nextWindow = next->WaitForWindow(kWindowTimeoutMs, &why);
  ASSERT_NE(nextWindow, nullptr) << why;
  WindowSnapshot w = TakeSnapshot(nextWindow);
  EXPECT_EQ(w.caption, std::wstring(L"Uusi") + kVersion);
  std::vector<std::wstring> captions;
  for (const ControlInfo& b : w.Buttons()) captions.push_back(b.text);
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"J\u00e4lkeen", L"Toinen"}));
}

const RestartCase kRestartCases[] = {
    {"PlainFolder", L""},
    {"FolderWithABlank", L"Ohjelma Kansio"},
};

INSTANTIATE_TEST_SUITE_P(Restart, RestartE2e, testing::ValuesIn(kRestartCases),
                         [](const testing::TestParamInfo<RestartCase>& param) {
                           return std::string(param.param.name);
                         });

// The program file is no longer where it was: the restart reports it in a message
// box and the running copy stays.
TEST(RestartFailureE2e, ProgramFileGoneKeepsRunning) {
  TestFolder folder(TestName());
  ASSERT_TRUE(folder.ok()) << folder.error();
  ASSERT_TRUE(WriteBytes(folder.MenuFile(), CrLfLines({"Yksi = cmd /c echo 1"})));
  ProgramRun run(folder.Program());
  std::string why;
  HWND hwnd = run.WaitForWindow(kWindowTimeoutMs, &why);
  ASSERT_NE(hwnd, nullptr) << why;
  const std::wstring moved = folder.File(L"siirretty.exe");
  ASSERT_TRUE(MoveFileW(folder.Program().c_str(), moved.c_str()))
      << "cannot move the running program file, error " << GetLastError();

  ASSERT_TRUE(PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(101, 0), 0));  // mnuRestart
  HWND dialog = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (dialog = DialogOf(run.pid())) != nullptr; }, 5000))
      << "no message box";
  EXPECT_TRUE(run.IsRunning());
  EXPECT_TRUE(run.Children(L"lumora-valikko.exe").empty());
  if (dialog) {
    const std::wstring texts = DialogTexts(dialog);
    EXPECT_NE(texts.find(L"Lumora Valikkoa ei voitu k\u00e4ynnist\u00e4\u00e4 uudelleen"),
              std::wstring::npos)
        << Narrow(texts);
    EXPECT_NE(texts.find(folder.Program()), std::wstring::npos) << Narrow(texts);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return DialogOf(run.pid()) == nullptr; }, 2000));
  }
  EXPECT_TRUE(run.IsRunning());
  EXPECT_TRUE(IsWindow(hwnd));
}

// ---------------------------------------------------------------------------
// Quit and close end the program at once, asking nothing and writing nothing.

struct EndCase {
  const char* name;
  UINT msg;
  WPARAM wp;
};

void PrintTo(const EndCase& c, std::ostream* os) {
  *os << c.name;
}

class EndE2e : public testing::TestWithParam<EndCase> {};

TEST_P(EndE2e, ProgramEndsAtOnce) {
  const EndCase& c = GetParam();
  TestFolder folder(TestName());
  ASSERT_TRUE(folder.ok()) << folder.error();
  const std::string menu = CrLfLines({"Yksi = cmd /c echo 1", "Kaksi = notepad"});
  ASSERT_TRUE(WriteBytes(folder.MenuFile(), menu));
  ProgramRun run(folder.Program());
  std::string why;
  HWND hwnd = run.WaitForWindow(kWindowTimeoutMs, &why);
  ASSERT_NE(hwnd, nullptr) << why;

  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(PostMessageW(hwnd, c.msg, c.wp, 0));
  ASSERT_TRUE(run.WaitForExit(kEndTimeoutMs)) << "still running after " << kEndTimeoutMs << " ms";
  const ULONGLONG took = GetTickCount64() - start;
  EXPECT_LT(took, 1000u);
  EXPECT_TRUE(run.Children(L"lumora-valikko.exe").empty()) << "it restarted instead";
  EXPECT_TRUE(run.NotepadChildren().empty());
  std::string after;
  ASSERT_TRUE(ReadBytes(folder.MenuFile(), after));
  EXPECT_EQ(after, menu);
}

const EndCase kEndCases[] = {
    {"QuitMenuItem", WM_COMMAND, MAKEWPARAM(102, 0)},  // mnuLopeta
    {"CloseBox", WM_SYSCOMMAND, SC_CLOSE},
    {"CloseMessage", WM_CLOSE, 0},
};

INSTANTIATE_TEST_SUITE_P(End, EndE2e, testing::ValuesIn(kEndCases),
                         [](const testing::TestParamInfo<EndCase>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// The window's geometry, at 96 and 144 DPI.

class GeometryE2e : public LauncherTest {
 protected:
  bool StartProgram(const std::string& menu) { return Launch(&menu); }

};

const std::string kThreeEntries =
    CrLfLines({"eka = cmd /c echo 1", "toka = cmd /c echo 2", "kolmas = cmd /c echo 3"});

// The button width the resize rule gives a window `outerWidth` pixels wide at `dpi`:
// outer width - 200 - 2 x left (105), in twips; a window too narrow for that leaves
// the buttons at `previous`.
int RuleWidth(int outerWidth, int dpi, int previous) {
  const double twips = outerWidth * 1440.0 / dpi - 410;
  return twips < 0 ? previous : static_cast<int>(std::lround(twips * dpi / 1440.0));
}

TEST_F(GeometryE2e, ResizeRule) {
  ASSERT_TRUE(StartProgram(kThreeEntries));
  const WindowSnapshot before = TakeSnapshot(hwnd_);
  ASSERT_EQ(before.Buttons().size(), 3u);

  struct Step {
    int outerWidth;   // pixels at 96 DPI
    int buttonWidth;  // pixels, worked out by hand; 0: as narrow as Windows lets it be
  };
  const Step steps[] = {
      {600, 573},  // 9000 twips: buttons 8590 twips
      {300, 273},  // 4500 twips: buttons 4090 twips
      // 375 twips would leave no room for the 410 twips of margins; Wine gives the
      // window its smallest width instead (112 pixels), so the rule still applies.
      {25, 0},
      {450, 423},  // 6750 twips: buttons 6340 twips
  };
  int previous = before.Buttons()[0].rect.right - before.Buttons()[0].rect.left;
  for (const Step& step : steps) {
    SCOPED_TRACE("outer width " + std::to_string(step.outerWidth));
    ASSERT_TRUE(SetWindowPos(hwnd_, nullptr, 0, 0, step.outerWidth, before.Height(),
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    Sync(hwnd_);
    const WindowSnapshot w = TakeSnapshot(hwnd_);
    int expected = step.buttonWidth;
    if (expected == 0) {
      ASSERT_LE(w.Width(), 150) << "the window did not get narrow";
      expected = RuleWidth(w.Width(), 96, previous);
    } else {
      ASSERT_EQ(w.Width(), step.outerWidth) << "the window did not take the width";
      EXPECT_EQ(expected, RuleWidth(w.Width(), 96, previous));
    }
    const std::vector<ControlInfo> buttons = w.Buttons();
    ASSERT_EQ(buttons.size(), 3u);
    for (size_t i = 0; i < buttons.size(); ++i) {
      const RECT& now = buttons[i].rect;
      const RECT& was = before.Buttons()[i].rect;
      EXPECT_EQ(now.right - now.left, expected) << "button " << i;
      EXPECT_EQ(now.left, was.left) << "button " << i;
      EXPECT_EQ(now.top, was.top) << "button " << i;
      EXPECT_EQ(now.bottom - now.top, was.bottom - was.top) << "button " << i;
    }
    for (int id : {kHintId, kStatusId}) {
      ASSERT_NE(w.Control(id), nullptr);
      EXPECT_EQ(Describe(w.Control(id)->rect), Describe(before.Control(id)->rect))
          << "label " << id << " moved or changed size";
    }
    previous = expected;
  }
}

// The place the menu file gives: a window no monitor would show moves into the
// nearest monitor's work area; one partly on the screen stays where the file puts it.
struct PlaceCase {
  const char* name;
  float left, top;  // twips, as "me.left" and "me.top" give them
  // Where the window must end up, from the work area and the window's outer size.
  POINT (*expected)(const RECT& work, int width, int height);
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
  *os << c.name;
}

class PlaceE2e : public GeometryE2e, public testing::WithParamInterface<PlaceCase> {};

TEST_P(PlaceE2e, WindowEndsUpOnAMonitor) {
  const PlaceCase& c = GetParam();
  char left[32], top[32];
  std::snprintf(left, sizeof left, "me.left=%.0f", c.left);
  std::snprintf(top, sizeof top, "me.top=%.0f", c.top);
  ASSERT_TRUE(StartProgram(CrLfLines({left, top, "eka = cmd /c echo 1"})));
  const WindowSnapshot w = TakeSnapshot(hwnd_);

  MONITORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info));
  const POINT expected = c.expected(info.rcWork, w.Width(), w.Height());
  EXPECT_EQ(w.window.left, expected.x)
      << Describe(w.window) << ", work area " << Describe(info.rcWork);
  EXPECT_EQ(w.window.top, expected.y)
      << Describe(w.window) << ", work area " << Describe(info.rcWork);
}

const PlaceCase kPlaceCases[] = {
    // Entirely off the screen: moved just inside the work area.
    {"FarLeft", -100000, 1500,
     [](const RECT& work, int, int) {
       return POINT{work.left, 100};
     }},
    {"FarRight", 100000, 1500,
     [](const RECT& work, int width, int) {
       return POINT{work.right - width, 100};
     }},
    {"FarUp", 1500, -100000,
     [](const RECT& work, int, int) {
       return POINT{100, work.top};
     }},
    {"FarDown", 1500, 100000,
     [](const RECT& work, int, int height) {
       return POINT{100, work.bottom - height};
     }},
    {"FarUpLeft", -100000, -100000,
     [](const RECT& work, int, int) {
       return POINT{work.left, work.top};
     }},
    // Partly off the screen: left where the file puts it (-300 twips = -20 pixels).
    {"PartlyLeftAndUp", -300, -300,
     [](const RECT&, int, int) {
       return POINT{-20, -20};
     }},
    {"PartlyRight", 18750, 1500,
     [](const RECT&, int, int) {
       return POINT{1250, 100};
     }},
};

INSTANTIATE_TEST_SUITE_P(Place, PlaceE2e, testing::ValuesIn(kPlaceCases),
                         [](const testing::TestParamInfo<PlaceCase>& param) {
                           return std::string(param.param.name);
                         });

// Sets the DPI Wine gives programs started afterwards, and puts the old value back.
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    DWORD size = sizeof old_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_,
                        &size) == ERROR_SUCCESS;
    ok_ = RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi) ==
          ERROR_SUCCESS;
  }
  ~ScopedLogPixels() {
    if (had_)
      RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &old_, sizeof old_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels");
  }
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;
  bool ok() const { return ok_; }

 private:
  static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
  DWORD old_ = 0;
  bool had_ = false;
  bool ok_ = false;
};

// At 144 DPI every control is 1.5 times as large in pixels as at 96: all geometry
// is in twips, converted at the window's DPI.
TEST_F(GeometryE2e, At144Dpi) {
  // This test reads pixels as they are: no scaling of other programs' windows.
  const DPI_AWARENESS_CONTEXT previous =
      SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  struct Restore {
    DPI_AWARENESS_CONTEXT context;
    ~Restore() {
      if (context) SetThreadDpiAwarenessContext(context);
    }
  } restore{previous};

  const std::string menu =
      CrLfLines({"cmdaja.width=3800", "cmdaja.height=450", "me.left=1500", "me.top=1000",
                 "eka = cmd /c echo 1", "toka = cmd /c echo 2", "kolmas = cmd /c echo 3"});
  {
    ScopedLogPixels dpi(144);
    ASSERT_TRUE(dpi.ok()) << "cannot set LogPixels";
    ASSERT_TRUE(StartProgram(menu));
  }
  const WindowSnapshot w = TakeSnapshot(hwnd_);
  const StartupResult r = Oracle(menu);
  constexpr int kDpi = 144;

  // The place is on the screen, at the system DPI: 150, 100 pixels (100, 67 at 96 DPI).
  EXPECT_EQ(w.window.left, 150);
  EXPECT_EQ(w.window.top, 100);
  // The window 4110 twips wide: 411 pixels (274 at 96 DPI).
  EXPECT_EQ(w.Width(), Px(*r.windowWidth, kDpi));
  EXPECT_EQ(w.Width(), 411);
  std::optional<float> resized = ResizedButtonWidth(static_cast<float>(w.Width()) * 10.0f, 105);
  ASSERT_TRUE(resized.has_value());
  const std::vector<ControlInfo> buttons = w.Buttons();
  ASSERT_EQ(buttons.size(), r.buttons.size());
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE("button " + std::to_string(i) + " at " + Describe(buttons[i].rect));
    const RECT& b = buttons[i].rect;
    EXPECT_EQ(b.left, Px(r.buttons[i].left, kDpi));
    EXPECT_EQ(b.top, Px(r.buttons[i].top, kDpi));
    EXPECT_EQ(b.bottom - b.top, Px(r.buttons[i].height, kDpi));
    EXPECT_EQ(b.right - b.left, Px(*resized, kDpi));
  }
  // Worked numbers: left 105 -> 11 (7 at 96 DPI), tops 165, 665, 1165 -> 17, 67, 117
  // (11, 44, 78), height 450 -> 45 (30), width 3700 -> 370 (247).
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0].rect.left, 11);
  EXPECT_EQ(buttons[1].rect.top, 67);
  EXPECT_EQ(buttons[2].rect.top, 117);
  EXPECT_EQ(buttons[2].rect.bottom - buttons[2].rect.top, 45);
  EXPECT_EQ(buttons[2].rect.right - buttons[2].rect.left, 370);

  for (auto [id, t] : {std::pair{kHintId, r.hint}, std::pair{kStatusId, r.status}}) {
    const ControlInfo* label = w.Control(id);
    ASSERT_NE(label, nullptr);
    SCOPED_TRACE("label " + std::to_string(id) + " at " + Describe(label->rect));
    EXPECT_EQ(label->rect.left, Px(t.left, kDpi));
    EXPECT_EQ(label->rect.top, Px(t.top, kDpi));
    EXPECT_EQ(label->rect.right - label->rect.left, Px(t.width, kDpi));
    EXPECT_EQ(label->rect.bottom - label->rect.top, Px(t.height, kDpi));
  }
  // The status line shows whole in the client area.
  EXPECT_LE(w.Control(kStatusId)->rect.bottom, w.ClientHeight());

  // The resize rule works in twips at this DPI too. (Wine scales the width asked for
  // here by the two programs' DPIs, so the rule is checked against the width it took.)
  ASSERT_TRUE(SetWindowPos(hwnd_, nullptr, 0, 0, 600, w.Height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
  Sync(hwnd_);
  const WindowSnapshot wider = TakeSnapshot(hwnd_);
  ASSERT_GT(wider.Width(), w.Width() + 100);
  for (const ControlInfo& b : wider.Buttons())
    EXPECT_EQ(b.rect.right - b.rect.left, RuleWidth(wider.Width(), kDpi, 0))
        << "window " << wider.Width() << " pixels wide";
}

}  // namespace
}  // namespace lv::e2e
