// Pressing the menu buttons of the real program with real synthetic input (SendInput):
// every press is proved by what the started command left behind (a marker file,
// a Notepad window, the address the browser got), and by the hint line, the status
// line and the button's caption read from outside.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_harness.h"
#include "launcher_test.h"
#include "input_driver.h"

namespace lv::e2e {
namespace {

constexpr wchar_t kStartText[] = L"K\u00e4ynnistys ok!";
// The menu holds the placeholder in capitals and a program that is not there, on
// purpose: the status line starts by telling so.
constexpr wchar_t kStartStatus[] = L"Valikossa 2 ongelmaa: katso Ohje";
constexpr char kStatusPrefix[] = "Suoritetaan komento: ";
constexpr char kClickTitle[] = "Odota ...";
constexpr DWORD kRunTimeoutMs = 8000;  // a cmd started under Wine writes its file within this
constexpr DWORD kQuietMs = 400;        // time for a command that must not run to show up anyway

// Buttons of the test menu, by index.
enum : int { kMonivalinta, kVajaa, kPaikka, kIsot, kVerkko, kIsoVerkko, kMuistio, kEiOhjelmaa };

constexpr char kWebAddress[] = "https://example.com/lumora/tuki.html";
constexpr char kUpperWebAddress[] = "HTTPS://EXAMPLE.COM/LUMORA/TUKI.HTML";

std::string ReadOrEmpty(const std::wstring& path) {
  std::string bytes;
  ReadBytes(path, bytes);
  return bytes;
}

// A visible top-level window of process `pid` other than `except` (a message box).
HWND OtherWindowOf(DWORD pid, HWND except) {
  struct Find {
    DWORD pid;
    HWND except;
    HWND found;
  } find{pid, except, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != f->pid || hwnd == f->except || !IsWindowVisible(hwnd)) return TRUE;
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (std::wstring(cls) == L"tooltips_class32") return TRUE;  // a button's hover tip
        f->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

// Starts the program in a fresh folder with a menu whose commands each write their
// own marker file there, and gives the tests what they need to press and check.
class PressE2eBase : public LauncherTest {
 protected:
  void TearDown() override {
    ReleaseEverything();
    ParkPointer();  // away from where the next test's window appears
  }

  // Returns false (having failed the test) when the window never appeared.
  bool StartProgram() {
    folder_ = std::make_unique<TestFolder>(TestName());
    if (!folder_->ok()) {
      ADD_FAILURE() << folder_->error();
      return false;
    }
    dir_ = Narrow(folder_->path());
    if (!WriteBytes(folder_->MenuFile(), MenuFile())) {
      ADD_FAILURE() << "cannot write " << Narrow(folder_->MenuFile());
      return false;
    }
    // The hint line must not see the pointer before a test moves it.
    if (!ParkPointer()) {
      ADD_FAILURE() << "cannot move the pointer";
      return false;
    }
    run_ = std::make_unique<ProgramRun>(folder_->Program());
    std::string why;
    hwnd_ = run_->WaitForWindow(kWindowTimeoutMs, &why);
    if (!hwnd_) {
      ADD_FAILURE() << why;
      return false;
    }
    if (!BringToFront(hwnd_)) {
      ADD_FAILURE() << "the program's window did not come to the foreground";
      return false;
    }
    return true;
  }

  // The command that writes marker `name` (a file of the test folder), one line per run.
  std::string MarkerCommand(const std::string& name) const {
    return "cmd /c echo " + name + ">> " + dir_ + "\\" + name + ".txt";
  }
  std::wstring MarkerFile(const std::string& name) const {
    return folder_->File(Widen(name + ".txt"));
  }

  // Every command of an entry writes its own marker, named after the key that holds it.
  std::string MenuFile() const {
    const std::string lines[] = {
        "title = Painallukset",
        "Monivalinta = " + MarkerCommand("plain"),
        ".shift = " + MarkerCommand("shift"),
        ".ctrl = " + MarkerCommand("ctrl"),
        ".alt = " + MarkerCommand("alt"),
        ".shiftctrl = " + MarkerCommand("shiftctrl"),
        ".right = " + MarkerCommand("right"),
        ".middle = " + MarkerCommand("middle"),
        ".clicktitle = " + std::string(kClickTitle),
        // Only a Shift command; the empty Alt line is as good as none.
        "Vajaa = " + MarkerCommand("vajaa"),
        ".shift = " + MarkerCommand("vshift"),
        ".alt = ",
        "Paikka = " + PaikkaCommand(),
        "Isot = " + IsotCommand(),
        "Verkko = " + std::string(kWebAddress),
        "Iso verkko = " + std::string(kUpperWebAddress),
        "Muistio = notepad %valikko.oma%",
        "Ei ohjelmaa = lumora-ei-ole-olemassa.exe /x",
        ".clicktitle = Painettu",
    };
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
  }
  std::string PaikkaCommand() const {
    return "cmd /c echo %valikko.oma%> " + dir_ + "\\paikka.txt";
  }
  // The placeholder in capitals is not the placeholder: cmd prints it as it stands.
  std::string IsotCommand() const { return "cmd /c echo %VALIKKO.OMA%> " + dir_ + "\\isot.txt"; }

  // Marker name -> the command that writes it and the text it must hold after one run.
  struct Marker {
    std::string command;
    std::string content;
  };
  std::map<std::string, Marker> Markers() const {
    std::map<std::string, Marker> markers;
    for (const char* word :
         {"plain", "shift", "ctrl", "alt", "shiftctrl", "right", "middle", "vajaa", "vshift"})
      markers[word] = {MarkerCommand(word), std::string(word) + "\r\n"};
    markers["paikka"] = {PaikkaCommand(), Narrow(folder_->MenuFile()) + "\r\n"};
    markers["isot"] = {IsotCommand(), "%VALIKKO.OMA%\r\n"};
    return markers;
  }
  std::vector<std::string> MarkersPresent() const {
    std::vector<std::string> present;
    for (const auto& [name, marker] : Markers())
      if (FileExists(MarkerFile(name))) present.push_back(name);
    return present;
  }

  HWND Button(int index) const { return GetDlgItem(hwnd_, kFirstButtonId + index); }
  std::wstring Status() const { return ControlText(GetDlgItem(hwnd_, kStatusId)); }
  std::wstring Hint() const { return ControlText(GetDlgItem(hwnd_, kHintId)); }
  static std::wstring StatusFor(const std::string& command) {
    return Widen(kStatusPrefix + command);
  }

  // A press that must succeed as input; the test fails when it cannot be given.
  void Press(int button, Mouse mouse, unsigned keys, bool altTrick = true) {
    HWND target = Button(button);
    ASSERT_NE(target, nullptr) << "no button " << button;
    std::string why;
    ASSERT_TRUE(PressOn(target, mouse, keys, &why, altTrick)) << why;
  }

  // Waits for marker `name` to hold `content`; false after the timeout.
  bool WaitForMarker(const std::string& name, const std::string& content) const {
    return WaitUntil([&] { return ReadOrEmpty(MarkerFile(name)) == content; }, kRunTimeoutMs);
  }

  std::string dir_;
};

// ---------------------------------------------------------------------------
// Which command each kind of press runs.

struct PressCase {
  const char* name;
  int button;
  Mouse mouse;
  unsigned keys;
  const char* marker;  // the marker the chosen command writes
};

void PrintTo(const PressCase& c, std::ostream* os) {
  *os << c.name;
}

class PressE2e : public PressE2eBase, public testing::WithParamInterface<PressCase> {};

TEST_P(PressE2e, RunsTheChosenCommand) {
  const PressCase& c = GetParam();
  ASSERT_TRUE(StartProgram());
  const std::map<std::string, Marker> markers = Markers();
  const Marker& expected = markers.at(c.marker);
  const std::wstring captionBefore = ControlText(Button(c.button));

  Press(c.button, c.mouse, c.keys);
  ASSERT_TRUE(WaitForMarker(c.marker, expected.content))
      << c.marker << ".txt holds \"" << ReadOrEmpty(MarkerFile(c.marker))
      << "\"; markers there: " << testing::PrintToString(MarkersPresent()) << "; status line \""
      << Narrow(Status()) << "\"";

  // The status line shows the command as chosen, before the placeholder is filled in.
  EXPECT_EQ(Status(), StatusFor(expected.command));
  EXPECT_EQ(ControlText(Button(c.button)),
            c.button == kMonivalinta ? Widen(kClickTitle) : captionBefore);
  // Run once, on the way down: the release started nothing more.
  Sleep(kQuietMs);
  EXPECT_EQ(ReadOrEmpty(MarkerFile(c.marker)), expected.content);
  EXPECT_EQ(MarkersPresent(), std::vector<std::string>{c.marker});
}

constexpr unsigned kShiftCtrl = kShiftKey | kCtrlKey;
constexpr unsigned kCtrlAlt = kCtrlKey | kAltKey;
constexpr unsigned kShiftAlt = kShiftKey | kAltKey;
constexpr unsigned kShiftCtrlAlt = kShiftKey | kCtrlKey | kAltKey;

const PressCase kPressCases[] = {
    // The left button: the modifiers choose; with Ctrl+Alt (AltGr), Shift+Alt or all
    // three held the plain command runs.
    {"Left", kMonivalinta, Mouse::Left, kNoKeys, "plain"},
    {"LeftShift", kMonivalinta, Mouse::Left, kShiftKey, "shift"},
    {"LeftCtrl", kMonivalinta, Mouse::Left, kCtrlKey, "ctrl"},
    {"LeftAlt", kMonivalinta, Mouse::Left, kAltKey, "alt"},
    {"LeftShiftCtrl", kMonivalinta, Mouse::Left, kShiftCtrl, "shiftctrl"},
    {"LeftCtrlAlt", kMonivalinta, Mouse::Left, kCtrlAlt, "plain"},
    {"LeftShiftAlt", kMonivalinta, Mouse::Left, kShiftAlt, "plain"},
    {"LeftShiftCtrlAlt", kMonivalinta, Mouse::Left, kShiftCtrlAlt, "plain"},
    // The right and middle buttons win over every modifier.
    {"Right", kMonivalinta, Mouse::Right, kNoKeys, "right"},
    {"RightShift", kMonivalinta, Mouse::Right, kShiftKey, "right"},
    {"RightCtrl", kMonivalinta, Mouse::Right, kCtrlKey, "right"},
    {"RightAlt", kMonivalinta, Mouse::Right, kAltKey, "right"},
    {"RightShiftCtrl", kMonivalinta, Mouse::Right, kShiftCtrl, "right"},
    {"RightCtrlAlt", kMonivalinta, Mouse::Right, kCtrlAlt, "right"},
    {"RightShiftCtrlAlt", kMonivalinta, Mouse::Right, kShiftCtrlAlt, "right"},
    {"Middle", kMonivalinta, Mouse::Middle, kNoKeys, "middle"},
    {"MiddleShift", kMonivalinta, Mouse::Middle, kShiftKey, "middle"},
    {"MiddleCtrl", kMonivalinta, Mouse::Middle, kCtrlKey, "middle"},
    {"MiddleAlt", kMonivalinta, Mouse::Middle, kAltKey, "middle"},
    {"MiddleShiftCtrl", kMonivalinta, Mouse::Middle, kShiftCtrl, "middle"},
    {"MiddleCtrlAlt", kMonivalinta, Mouse::Middle, kCtrlAlt, "middle"},
    {"MiddleShiftCtrlAlt", kMonivalinta, Mouse::Middle, kShiftCtrlAlt, "middle"},
    // An entry with only a Shift command: everything else falls back to the plain
    // command, never to the Shift one; the right button with Shift held too.
    {"PartialLeft", kVajaa, Mouse::Left, kNoKeys, "vajaa"},
    {"PartialLeftShift", kVajaa, Mouse::Left, kShiftKey, "vshift"},
    {"PartialLeftCtrl", kVajaa, Mouse::Left, kCtrlKey, "vajaa"},
    {"PartialLeftEmptyAlt", kVajaa, Mouse::Left, kAltKey, "vajaa"},
    {"PartialLeftShiftCtrl", kVajaa, Mouse::Left, kShiftCtrl, "vajaa"},
    {"PartialRightShift", kVajaa, Mouse::Right, kShiftKey, "vajaa"},
    {"PartialMiddleCtrl", kVajaa, Mouse::Middle, kCtrlKey, "vajaa"},
    // "%valikko.oma%" becomes the menu file's path; in capitals it is left alone.
    {"Placeholder", kPaikka, Mouse::Left, kNoKeys, "paikka"},
    {"PlaceholderInCapitals", kIsot, Mouse::Left, kNoKeys, "isot"},
};

INSTANTIATE_TEST_SUITE_P(Presses, PressE2e, testing::ValuesIn(kPressCases),
                         [](const testing::TestParamInfo<PressCase>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// Presses that must run nothing, and what the window shows around them.

class PressNothingE2e : public PressE2eBase {};

// Space on the focused button "clicks" it: nothing runs and the status line stays.
TEST_F(PressNothingE2e, KeyboardActivationRunsNothing) {
  ASSERT_TRUE(StartProgram());
  // A left press gives Monivalinta the focus (and runs its command once) ...
  Press(kMonivalinta, Mouse::Left, kNoKeys);
  ASSERT_TRUE(WaitForMarker("plain", "plain\r\n"));
  // ... a right press on Vajaa changes the status line but not the focus.
  Press(kVajaa, Mouse::Right, kNoKeys);
  ASSERT_TRUE(WaitForMarker("vajaa", "vajaa\r\n"));
  const std::wstring status = StatusFor(MarkerCommand("vajaa"));
  ASSERT_EQ(Status(), status);

  HWND focused = Button(kMonivalinta);
  auto state = [&] {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(focused, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
  };
  ASSERT_TRUE(state() & BST_FOCUS) << "Monivalinta does not have the keyboard focus";
  ASSERT_TRUE(SendKey(VK_SPACE, true));
  // The button shows itself pushed: the key reached it.
  EXPECT_TRUE(WaitUntil([&] { return (state() & BST_PUSHED) != 0; }, 2000))
      << "the space bar did not reach the button";
  ASSERT_TRUE(SendKey(VK_SPACE, false));
  EXPECT_TRUE(WaitUntil([&] { return (state() & BST_PUSHED) == 0; }, 2000));

  Sleep(kQuietMs);
  EXPECT_EQ(ReadOrEmpty(MarkerFile("plain")), "plain\r\n") << "the space bar ran the command";
  EXPECT_EQ(Status(), status);
  EXPECT_EQ((std::vector<std::string>{"plain", "vajaa"}), MarkersPresent());
}

// A mouse button that went down beside the buttons and comes up on one runs nothing.
TEST_F(PressNothingE2e, ReleaseOnAButtonRunsNothing) {
  ASSERT_TRUE(StartProgram());
  RECT client{};
  GetClientRect(hwnd_, &client);
  POINT beside{client.right - 3, client.bottom - 3};  // below the labels, right of the buttons
  ClientToScreen(hwnd_, &beside);
  ASSERT_EQ(WindowFromPoint(beside), hwnd_) << "no free spot in the client area";

  for (Mouse mouse : {Mouse::Left, Mouse::Right, Mouse::Middle}) {
    SCOPED_TRACE(MouseName(mouse));
    ASSERT_TRUE(MoveTo(beside));
    ASSERT_TRUE(SendMouseButton(mouse, true));
    std::string why;
    ASSERT_TRUE(MoveToCentre(Button(kMonivalinta), &why)) << why;
    ASSERT_TRUE(SendMouseButton(mouse, false));
  }
  Sleep(kQuietMs);
  EXPECT_EQ(MarkersPresent(), std::vector<std::string>{});
  EXPECT_EQ(Status(), kStartStatus);
  EXPECT_EQ(ControlText(Button(kMonivalinta)), L"Monivalinta");
  // The pointer did reach the button: the hint line shows its command.
  EXPECT_EQ(Hint(), Widen("(" + MarkerCommand("plain") + ")"));
}

// A command line whose program does not exist: the lines and the caption change,
// nothing else happens and no message appears.
TEST_F(PressNothingE2e, MissingProgramShowsNoMessage) {
  ASSERT_TRUE(StartProgram());
  Press(kEiOhjelmaa, Mouse::Left, kNoKeys);
  EXPECT_TRUE(WaitUntil([&] { return Status() == StatusFor("lumora-ei-ole-olemassa.exe /x"); },
                        kRunTimeoutMs))
      << "status line \"" << Narrow(Status()) << "\"";
  EXPECT_EQ(ControlText(Button(kEiOhjelmaa)), L"Painettu");
  Sleep(kQuietMs);
  EXPECT_EQ(OtherWindowOf(run_->pid(), hwnd_), nullptr) << "a window or message appeared";
  EXPECT_TRUE(run_->IsRunning());
}

// ---------------------------------------------------------------------------
// The hint line follows the pointer and always shows the plain command.

TEST_F(PressNothingE2e, HoverShowsThePlainCommand) {
  ASSERT_TRUE(StartProgram());
  ASSERT_EQ(Hint(), kStartText);
  struct Hover {
    int button;
    std::string command;
  };
  const Hover hovers[] = {
      {kMonivalinta, MarkerCommand("plain")},
      {kPaikka, PaikkaCommand()},  // the placeholder as written
      {kVerkko, kWebAddress},
      {kVajaa, MarkerCommand("vajaa")},
  };
  for (const Hover& h : hovers) {
    SCOPED_TRACE(h.command);
    std::string why;
    ASSERT_TRUE(MoveToCentre(Button(h.button), &why)) << why;
    const std::wstring expected = Widen("(" + h.command + ")");
    EXPECT_TRUE(WaitUntil([&] { return Hint() == expected; }, 2000))
        << "hint line \"" << Narrow(Hint()) << "\"";
  }
  EXPECT_EQ(Status(), kStartStatus) << "hovering changed the status line";

  // After a Shift press the caption is the click title and the Shift command ran;
  // the hint line still shows the plain command.
  Press(kMonivalinta, Mouse::Left, kShiftKey);
  ASSERT_TRUE(WaitForMarker("shift", "shift\r\n"));
  std::string why;
  ASSERT_TRUE(MoveToCentre(Button(kVajaa), &why)) << why;
  ASSERT_TRUE(MoveToCentre(Button(kMonivalinta), &why)) << why;
  const std::wstring plainHint = Widen("(" + MarkerCommand("plain") + ")");
  EXPECT_TRUE(WaitUntil([&] { return Hint() == plainHint; }, 2000))
      << "hint line \"" << Narrow(Hint()) << "\"";
  EXPECT_EQ(ControlText(Button(kMonivalinta)), Widen(kClickTitle));
}

// ---------------------------------------------------------------------------
// Notepad on the menu file: from a command with the placeholder and from the lines.

TEST_F(PressNothingE2e, PlaceholderGivesNotepadThePath) {
  ASSERT_TRUE(StartProgram());
  Press(kMuistio, Mouse::Left, kNoKeys);
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kRunTimeoutMs), nullptr)
      << "no Notepad on valikko.oma";
  EXPECT_EQ(Status(), StatusFor("notepad %valikko.oma%"));
}

struct LabelCase {
  const char* name;
  int id;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
  *os << c.name;
}

class LabelClickE2e : public PressE2eBase, public testing::WithParamInterface<LabelCase> {};

TEST_P(LabelClickE2e, OpensTheMenuFileInNotepad) {
  ASSERT_TRUE(StartProgram());
  HWND label = GetDlgItem(hwnd_, GetParam().id);
  ASSERT_NE(label, nullptr);
  std::string why;
  ASSERT_TRUE(PressOn(label, Mouse::Left, kNoKeys, &why)) << why;
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kRunTimeoutMs), nullptr)
      << "no Notepad on valikko.oma";
  EXPECT_EQ(run_->NotepadChildren().size(), 1u);
  EXPECT_EQ(Hint(), kStartText);
  EXPECT_EQ(Status(), kStartStatus);
  EXPECT_EQ(MarkersPresent(), std::vector<std::string>{});
}

const LabelCase kLabelCases[] = {{"HintLine", kHintId}, {"StatusLine", kStatusId}};

INSTANTIATE_TEST_SUITE_P(Labels, LabelClickE2e, testing::ValuesIn(kLabelCases),
                         [](const testing::TestParamInfo<LabelCase>& param) {
                           return std::string(param.param.name);
                         });

// A double-click is one click and a double-click: one Notepad. Two clicks further
// apart than the double-click time are two clicks: two Notepads.
struct ClicksCase {
  const char* name;
  int id;
  bool doubleClick;
  size_t notepads;
};

void PrintTo(const ClicksCase& c, std::ostream* os) {
  *os << c.name;
}

class LabelClicksE2e : public PressE2eBase, public testing::WithParamInterface<ClicksCase> {};

TEST_P(LabelClicksE2e, OneNotepadPerClick) {
  const ClicksCase& c = GetParam();
  ASSERT_TRUE(StartProgram());
  HWND label = GetDlgItem(hwnd_, c.id);
  ASSERT_NE(label, nullptr);
  std::string why;
  if (c.doubleClick) {
    ASSERT_TRUE(MoveToCentre(label, &why)) << why;
    ASSERT_TRUE(DoubleClickAt(CentreOf(label)));
  } else {
    for (size_t i = 1; i <= 2; ++i) {
      // The first Notepad may cover the label: the window comes back to the front.
      ASSERT_TRUE(BringToFront(hwnd_));
      ASSERT_TRUE(PressOn(label, Mouse::Left, kNoKeys, &why)) << why;
      ASSERT_TRUE(WaitUntil([&] { return run_->NotepadChildren().size() >= i; }, kRunTimeoutMs))
          << "click " << i << " started no Notepad";
      Sleep(GetDoubleClickTime() + 100);
    }
  }
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kRunTimeoutMs), nullptr)
      << "no Notepad on valikko.oma";
  Sleep(kQuietMs);
  EXPECT_EQ(run_->NotepadChildren().size(), c.notepads);
}

const ClicksCase kClicksCases[] = {
    {"HintLineDoubleClick", kHintId, true, 1},
    {"StatusLineDoubleClick", kStatusId, true, 1},
    {"StatusLineTwoClicks", kStatusId, false, 2},
};

INSTANTIATE_TEST_SUITE_P(Labels, LabelClicksE2e, testing::ValuesIn(kClicksCases),
                         [](const testing::TestParamInfo<ClicksCase>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// A web address goes to the browser: under Wine, to the Linux side's xdg-open, which
// the tests replace with one that writes down what it gets.

struct WebCase {
  const char* name;
  int button;
  const char* address;
  // What xdg-open gets: Wine's browser bridge writes the scheme and the host, whose
  // case does not count, in small letters.
  const char* atBrowser;
};

void PrintTo(const WebCase& c, std::ostream* os) {
  *os << c.name;
}

class WebAddressE2e : public PressE2eBase, public testing::WithParamInterface<WebCase> {};

TEST_P(WebAddressE2e, ReachesTheBrowser) {
  wchar_t logPath[1024] = {};
  if (!GetEnvironmentVariableW(L"LV_FAKE_BROWSER_LOG", logPath, 1024))
    GTEST_SKIP() << "LV_FAKE_BROWSER_LOG is not set: run this test through ctest, which puts "
                    "the stand-in xdg-open first on the PATH";
  const std::wstring log = HostPathToWindows(Narrow(logPath));
  DeleteFileW(log.c_str());
  ASSERT_FALSE(FileExists(log)) << "cannot remove " << Narrow(log);

  const WebCase& c = GetParam();
  ASSERT_TRUE(StartProgram());
  Press(c.button, Mouse::Left, kNoKeys);
  EXPECT_TRUE(WaitUntil([&] { return !ReadOrEmpty(log).empty(); }, kRunTimeoutMs))
      << "the browser got nothing";
  EXPECT_EQ(ReadOrEmpty(log), std::string(c.atBrowser) + "\n");
  EXPECT_EQ(Status(), StatusFor(c.address));
  EXPECT_EQ(MarkersPresent(), std::vector<std::string>{});
  EXPECT_TRUE(run_->IsRunning());
}

const WebCase kWebCases[] = {
    {"LowerCase", kVerkko, kWebAddress, kWebAddress},
    {"UpperCase", kIsoVerkko, kUpperWebAddress, "https://example.com/LUMORA/TUKI.HTML"},
};

INSTANTIATE_TEST_SUITE_P(Web, WebAddressE2e, testing::ValuesIn(kWebCases),
                         [](const testing::TestParamInfo<WebCase>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// Letting go of Alt after an Alt+press must not put the window into menu mode,
// where the next pointer movement and press would be lost.

TEST_F(PressNothingE2e, AltReleaseAfterAPressLeavesNoMenuMode) {
  ASSERT_TRUE(StartProgram());
  // First show that menu mode can be seen from here: Alt pressed and let go alone
  // opens it, as in every Windows program; Escape closes it again.
  ASSERT_TRUE(TapKey(VK_MENU));
  ASSERT_TRUE(WaitUntil([&] { return InMenuMode(hwnd_); }, 2000))
      << "menu mode cannot be seen: Alt alone did not open it";
  ASSERT_TRUE(TapKey(VK_ESCAPE));
  ASSERT_TRUE(WaitUntil([&] { return !InMenuMode(hwnd_); }, 2000));
  ASSERT_TRUE(BringToFront(hwnd_));

  // Alt held, a left press, Alt let go: nothing else in between.
  Press(kMonivalinta, Mouse::Left, kAltKey, /*altTrick=*/false);
  ASSERT_TRUE(WaitForMarker("alt", "alt\r\n"));
  Sleep(200);
  EXPECT_FALSE(InMenuMode(hwnd_)) << "the window is in menu mode after Alt's release";

  // The next movement and press reach the buttons.
  std::string why;
  ASSERT_TRUE(MoveToCentre(Button(kVajaa), &why)) << why;
  const std::wstring vajaaHint = Widen("(" + MarkerCommand("vajaa") + ")");
  EXPECT_TRUE(WaitUntil([&] { return Hint() == vajaaHint; }, 2000))
      << "hint line \"" << Narrow(Hint()) << "\"";
  Press(kVajaa, Mouse::Left, kNoKeys);
  EXPECT_TRUE(WaitForMarker("vajaa", "vajaa\r\n")) << "the press after Alt's release was lost";
  LeaveMenuMode(hwnd_);
}

// Alt let go of while the started program is in front never reaches the launcher:
// back in the launcher, a lone Alt tap still opens the menu bar.
TEST_F(PressNothingE2e, AltReleasedElsewhereLeavesTheNextAltTap) {
  ASSERT_TRUE(StartProgram());
  HWND button = Button(kMuistio);
  std::string why;
  ASSERT_TRUE(MoveToCentre(button, &why)) << why;
  ASSERT_TRUE(HoldKeys(kAltKey, button));
  // Wine's default window procedure keeps one Alt toggle per process, which a lone
  // Alt-down flips and only Alt's release or an Alt+key resets. This Alt-down's
  // release goes to Notepad: a key tapped with Alt keeps the toggle from being left
  // set, so that the tap below shows what the launcher itself does.
  ASSERT_TRUE(TapKey(kUnassignedKey));
  ASSERT_TRUE(HoldKeys(kAltKey, button));
  ASSERT_TRUE(SendMouseButton(Mouse::Left, true));
  ASSERT_TRUE(SendMouseButton(Mouse::Left, false));
  HWND notepad = run_->WaitForNotepadWindow(L"valikko.oma", kRunTimeoutMs);
  ASSERT_NE(notepad, nullptr) << "the Alt press started no Notepad";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad; }, kRunTimeoutMs))
      << "Notepad did not come to the front";
  ASSERT_TRUE(SendKey(VK_MENU, false));
  Sleep(kQuietMs);

  ASSERT_TRUE(BringToFront(hwnd_));
  ASSERT_TRUE(TapKey(VK_MENU));
  EXPECT_TRUE(WaitUntil([&] { return InMenuMode(hwnd_); }, 2000))
      << "the Alt tap was swallowed: the menu bar is not active";
  LeaveMenuMode(hwnd_);
}

}  // namespace
}  // namespace lv::e2e
