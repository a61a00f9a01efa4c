// The menu bar's upkeep items and the double-click, driven from outside on the real
// program: each test starts it in a fresh folder, chooses a menu item (a posted
// WM_COMMAND, since under Wine another process cannot read a window's menu) or
// double-clicks with real input, answers the message boxes by clicking their buttons
// and checks what is left behind: the menu file, the clipboard, started Notepads, a
// restarted copy of the program and the address handed to the browser.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "dialogs.h"
#include "e2e_harness.h"
#include "launcher_test.h"
#include "explorer_tricks.h"
#include "input_driver.h"
#include "menu_bar.h"

namespace lv::e2e {
namespace {

constexpr DWORD kBoxTimeoutMs = 10000;
// How long a box that must not come is waited for.
constexpr DWORD kNoBoxMs = 1500;
// A pause for the window system to finish a move before input follows it.
constexpr DWORD kSettleMs = 150;
constexpr wchar_t kProgramFile[] = L"lumora-valikko.exe";

constexpr wchar_t kRestartTitle[] = L"K\u00c4YNNIST\u00c4 VALIKKO UUDELLEEN";
constexpr wchar_t kRestartText[] =
    L"Muokattuasi valikkoa, k\u00e4ynnist\u00e4 se uudelleen, jotta m\u00e4\u00e4ritykset "
    L"tulevat voimaan\n\nK\u00e4ynnistet\u00e4\u00e4nk\u00f6 valikko uudelleen nyt?";

std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

const std::string kThreeEntries =
    CrLfLines({"eka = cmd /c echo 1", "toka = cmd /c echo 2", "kolmas = cmd /c echo 3"});

std::vector<std::wstring> ButtonTexts(const WindowSnapshot& w) {
  std::vector<std::wstring> texts;
  for (const ControlInfo& b : w.Buttons()) texts.push_back(b.text);
  return texts;
}

// Windows-1252 bytes of a text, as Notepad saves an "ANSI" file.
std::string Ansi(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

std::wstring Lines(const std::vector<std::wstring>& lines, const wchar_t* end) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + end;
  return text;
}

bool ReadOnly(const std::wstring& path, bool on) {
  return SetFileAttributesW(path.c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

class MaintenanceE2e : public LauncherTest {
 protected:
  void TearDown() override {
    // Copies started by a restart end with the test too, whatever happened.
    if (run_) {
      for (DWORD pid : run_->Children(kProgramFile)) Adopt(pid);
    }
    restarted_.clear();
    run_.reset();
    if (folder_) ReadOnly(folder_->MenuFile(), false);  // the next run must empty the folder
  }

  // Starts the program with `menu` as its menu file; false (having failed the test)
  // when its window did not appear.
  bool Start(const std::string& menu) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) {
      ADD_FAILURE() << "the screen has " << dpi << " DPI; the twips values here are for 96";
      return false;
    }
    return Launch(&menu);
  }

  // A menu bar item, as the menu would send it.
  void Choose(int id) { PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // The program's next message box; false (having failed the test) when none came.
  bool NextBox(MessageBoxInfo& box, const std::string& what) {
    HWND found = WaitForMessageBox(run_->pid(), kBoxTimeoutMs);
    if (!found) {
      ADD_FAILURE() << "no message box (" << what << ") within " << kBoxTimeoutMs << " ms";
      return false;
    }
    box = ReadMessageBox(found);
    return true;
  }

  // Describes the message box that came although none should have; empty when none did.
  std::string UnwantedBox() {
    HWND box = WaitForMessageBox(run_->pid(), kNoBoxMs);
    return box ? Describe(ReadMessageBox(box)) : std::string();
  }

  void ExpectRestartPrompt(const MessageBoxInfo& box) {
    SCOPED_TRACE(Describe(box));
    EXPECT_EQ(box.title, kRestartTitle);
    EXPECT_EQ(box.text, kRestartText);
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.defaultId, IDYES);
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(box.owner, hwnd_) << "the box must be modal to the program's window";
  }

  // The copy a restart started: a new process of the program file, child of this
  // run, with its own window. It ends with the test.
  HWND WaitForRestartedWindow() {
    std::vector<DWORD> children;
    WaitUntil([&] { return !(children = run_->Children(kProgramFile)).empty(); }, 10000);
    if (children.size() != 1) {
      ADD_FAILURE() << children.size() << " copies of the program started, expected one";
      for (DWORD pid : children) Adopt(pid);
      return nullptr;
    }
    ProgramRun& copy = Adopt(children[0]);
    std::string why;
    HWND hwnd = copy.WaitForWindow(kWindowTimeoutMs, &why);
    if (!hwnd) ADD_FAILURE() << "the restarted copy: " << why;
    return hwnd;
  }

  ProgramRun& Adopt(DWORD pid) {
    for (auto& run : restarted_)
      if (run->pid() == pid) return *run;
    restarted_.push_back(std::make_unique<ProgramRun>(pid));
    return *restarted_.back();
  }

  std::string MenuBytes() {
    std::string bytes;
    EXPECT_TRUE(ReadBytes(folder_->MenuFile(), bytes)) << "cannot read the menu file";
    return bytes;
  }

  std::vector<std::unique_ptr<ProgramRun>> restarted_;
};

// ---------------------------------------------------------------------------
// Edit > valikko.oma: Notepad on the file, then the restart prompt.

TEST_F(MaintenanceE2e, EditAnsweredNoKeepsTheWindow) {
  ASSERT_TRUE(Start(kThreeEntries));
  const WindowSnapshot before = TakeSnapshot(hwnd_);
  Choose(mnuAvaaOmat);
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr)
      << "no Notepad window on valikko.oma";
  MessageBoxInfo prompt;
  ASSERT_TRUE(NextBox(prompt, "restart prompt"));
  ExpectRestartPrompt(prompt);

  // The user saves an edit in Notepad and then says No: nothing is read again.
  ASSERT_TRUE(WriteBytes(folder_->MenuFile(), kThreeEntries + "nelj\xE4s = cmd\r\n"));
  ASSERT_TRUE(AnswerMessageBox(prompt.hwnd, IDNO));
  EXPECT_EQ(UnwantedBox(), "");
  EXPECT_TRUE(run_->IsRunning());
  EXPECT_TRUE(run_->Children(kProgramFile).empty()) << "No started a new copy";
  const WindowSnapshot after = TakeSnapshot(hwnd_);
  EXPECT_EQ(after.caption, before.caption);
  EXPECT_EQ(ButtonTexts(after), ButtonTexts(before));
  EXPECT_EQ(ButtonTexts(after), (std::vector<std::wstring>{L"eka", L"toka", L"kolmas"}));
  EXPECT_TRUE(EqualRect(&after.window, &before.window));
}

TEST_F(MaintenanceE2e, EditAnsweredYesRestartsWithTheSavedFile) {
  ASSERT_TRUE(Start(kThreeEntries));
  Choose(mnuAvaaOmat);
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr);
  MessageBoxInfo prompt;
  ASSERT_TRUE(NextBox(prompt, "restart prompt"));
  ExpectRestartPrompt(prompt);

  ASSERT_TRUE(WriteBytes(folder_->MenuFile(),
                         CrLfLines({"title = Uusi", "yksi = cmd", "kaksi = notepad"})));
  ASSERT_TRUE(AnswerMessageBox(prompt.hwnd, IDYES));
  EXPECT_TRUE(run_->WaitForExit(5000)) << "the old copy still runs after Yes";
  HWND copy = WaitForRestartedWindow();
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, hwnd_);
  const WindowSnapshot w = TakeSnapshot(copy);
  EXPECT_EQ(w.caption, L"Uusi (ver:3.12.2023)");
  EXPECT_EQ(ButtonTexts(w), (std::vector<std::wstring>{L"yksi", L"kaksi"}));
}

// ---------------------------------------------------------------------------
// Edit > append the example rows.

TEST_F(MaintenanceE2e, AppendThenYesGivesEightMoreButtons) {
  ASSERT_TRUE(Start(kThreeEntries));
  Choose(mnlisaaniksit);
  MessageBoxInfo prompt;
  ASSERT_TRUE(NextBox(prompt, "restart prompt after appending"));
  ExpectRestartPrompt(prompt);
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr);

  const std::string after = MenuBytes();
  EXPECT_TRUE(after == AppendExplorerTricks(kThreeEntries)) << after;
  EXPECT_TRUE(after.starts_with(kThreeEntries + ";\r\n")) << after;
  EXPECT_TRUE(
      after.ends_with("\r\ncmd = cmd /k cd c:\\\r\nSammuta = cmd /c start shutdown -s -t 0\r\n"))
      << after;
  EXPECT_FALSE(FileExists(folder_->File(L"~valikko.oma")));

  ASSERT_TRUE(AnswerMessageBox(prompt.hwnd, IDYES));
  HWND copy = WaitForRestartedWindow();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(ButtonTexts(TakeSnapshot(copy)),
            (std::vector<std::wstring>{L"eka", L"toka", L"kolmas", L"c:\\lumorats (res.hall. avaa)",
                                       L"c:\\lumorats (res.hall. valitse)", L"c:\\lumorats (cmd)",
                                       L"c:\\lumorats (cmd, dir uusimmat)", L"valikko.oma",
                                       L"USB kopiointi", L"cmd", L"Sammuta"}));
}

// A failed append: a message names the step, the file keeps its bytes, nothing is
// left behind, and neither Notepad nor the restart prompt follows.
struct AppendFault {
  const char* name;
  // What stops the menu file from being replaced; the handle (if any) is held
  // until the test has looked.
  HANDLE (*breakIt)(const std::wstring& menuFile);
};

void PrintTo(const AppendFault& f, std::ostream* os) {
  *os << f.name;
}

const AppendFault kAppendFaults[] = {
    {"MenuFileReadOnly",
     [](const std::wstring& menu) -> HANDLE {
       return ReadOnly(menu, true) ? nullptr : INVALID_HANDLE_VALUE;
     }},
    // Another program reads the file and does not let it be replaced meanwhile.
    {"MenuFileOpenElsewhere",
     [](const std::wstring& menu) {
       return CreateFileW(menu.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
     }},
};

class AppendFails : public MaintenanceE2e, public testing::WithParamInterface<AppendFault> {};

TEST_P(AppendFails, MessageAndNothingChanged) {
  ASSERT_TRUE(Start(kThreeEntries));
  HANDLE held = GetParam().breakIt(folder_->MenuFile());
  ASSERT_NE(held, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  Choose(mnlisaaniksit);
  MessageBoxInfo box;
  const bool shown = NextBox(box, "append failure");
  if (shown) {
    SCOPED_TRACE(Describe(box));
    EXPECT_EQ(box.title, L"RIVIEN LIS\u00c4\u00c4MINEN EP\u00c4ONNISTUI");
    EXPECT_NE(box.text.find(L"Vaihe: valikkotiedoston korvaaminen uudella"), std::wstring::npos);
    EXPECT_NE(box.text.find(L"Syy: "), std::wstring::npos);
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDOK}));
    EXPECT_TRUE(box.hasIcon) << "an error icon";
    EXPECT_EQ(box.owner, hwnd_);
  }
  const std::string after = MenuBytes();
  EXPECT_TRUE(after == kThreeEntries) << "the menu file changed:\n" << after;
  EXPECT_FALSE(FileExists(folder_->File(L"~valikko.oma"))) << "~valikko.oma was left";
  if (held) CloseHandle(held);
  if (!shown) return;
  ASSERT_TRUE(AnswerMessageBox(box.hwnd, IDOK));
  EXPECT_EQ(UnwantedBox(), "") << "a box followed the failure";
  EXPECT_TRUE(run_->NotepadChildren().empty()) << "Notepad was started";
  EXPECT_TRUE(run_->IsRunning());
}

INSTANTIATE_TEST_SUITE_P(Faults, AppendFails, testing::ValuesIn(kAppendFaults),
                         [](const testing::TestParamInfo<AppendFault>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// Edit > copy the simplified menu to the clipboard.

TEST_F(MaintenanceE2e, SimplifiedMenuOnTheClipboardAndPasted) {
  ASSERT_TRUE(PutClipboardText(L"ennen"));
  ASSERT_TRUE(Start(kThreeEntries));
  Choose(mnuLeikePpelkistetty);
  MessageBoxInfo info;
  ASSERT_TRUE(NextBox(info, "information"));
  {
    SCOPED_TRACE(Describe(info));
    EXPECT_EQ(info.title, L"PELKISTETYT VALINNAT LEIKEP\u00d6YD\u00c4LL\u00c4");
    EXPECT_EQ(info.text,
              L"Leikep\u00f6yd\u00e4ll\u00e4 on nyt pelkistetyn valikon valinnat.\nKun muistioon "
              L"avautuu valikko.oma, korvaa siin\u00e4 olevat rivit leikep\u00f6yd\u00e4ll\u00e4 "
              L"olevilla");
    EXPECT_EQ(info.ButtonIds(), (std::vector<int>{IDOK}));
    EXPECT_TRUE(info.hasIcon) << "the information icon";
  }

  // On the clipboard before the box: the fourteen rows, CR LF after each.
  std::wstring clip;
  ASSERT_TRUE(ReadClipboardText(clip)) << "no Unicode text on the clipboard";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "no ANSI form offered";
  std::vector<std::wstring> rows;
  for (size_t at = 0; at < clip.size();) {
    size_t end = clip.find(L"\r\n", at);
    if (end == std::wstring::npos) {
      rows.push_back(clip.substr(at));
      break;
    }
    rows.push_back(clip.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(rows.size(), 14u) << Narrow(clip);
  // Row 9, the maker's site, is ours to word: a caption, then a web page started with cmd.
  const std::wstring& site = rows[8];
  EXPECT_NE(site.find(L" = cmd /c start https://"), std::wstring::npos) << Narrow(site);
  const std::wstring kDots(22, L' ');
  const std::wstring expected = Lines(
      {L"title =  Lumora Valikko",
       L"; kommenttirivi voi alkaa puolipisteell\u00e4 tai REM sanalla. jos yht\u00e4suuri "
       L"-merkki puuttuu, sekin rivi on kommenttirivit",
       L"; painikkeen korkeuden ja leveyden voi m\u00e4\u00e4ritt\u00e4\u00e4 (ota puolipiste "
       L"pois rivin alusta)",
       L"; ao. arvot saa selville kaksoisnapsauttamalla formia, esim ylimm\u00e4n buttonin "
       L"yl\u00e4puolelta",
       L"cmdaja.height=350", L"cmdaja.width=3800", L"me.left=10", L"me.top=10", site,
       L"muistio = notepad", L"C:\\ (resurssienhallinta) = explorer /e /select,c:\\",
       L"cmd = cmd /K \"cd \\ & title Lumora Ohjelmat\"",
       L"Reboot = cmd /K Title K\u00e4ynnistet\u00e4\u00e4nk\u00f6 tietokone uudelleen? Vastaa "
       L"'K' niin k\u00e4ynnistet\u00e4\u00e4n" +
           kDots +
           L"( && choice /C KE /M \"K\u00e4ynnistet\u00e4\u00e4nk\u00f6 tietokone uudelleen \" "
           L"|| IF NOT ERRORLEVEL 2 shutdown -r -t 0",
       L"Sammuta = cmd /K Title Sammutetaanko? Vastaa 'K' niin sammutetaan" + kDots +
           L"( && choice /C KE /M \"Sammutetaanko tietokone \" || IF NOT ERRORLEVEL 2 shutdown "
           L"-s -t 0"},
      L"\r\n");
  EXPECT_EQ(clip, expected);

  ASSERT_TRUE(AnswerMessageBox(info.hwnd, IDOK));
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr);
  MessageBoxInfo prompt;
  ASSERT_TRUE(NextBox(prompt, "restart prompt"));
  ExpectRestartPrompt(prompt);

  // The user pastes the clipboard over the file's rows and saves it.
  ASSERT_TRUE(WriteBytes(folder_->MenuFile(), Ansi(clip)));
  ASSERT_TRUE(AnswerMessageBox(prompt.hwnd, IDYES));
  HWND copy = WaitForRestartedWindow();
  ASSERT_NE(copy, nullptr);
  const WindowSnapshot w = TakeSnapshot(copy);
  EXPECT_EQ(w.caption, L"Lumora Valikko (ver:3.12.2023)");
  std::vector<std::wstring> texts = ButtonTexts(w);
  ASSERT_EQ(texts.size(), 6u);
  EXPECT_EQ(texts[0], site.substr(0, site.find(L" = ")));
  EXPECT_EQ(std::vector<std::wstring>(texts.begin() + 1, texts.end()),
            (std::vector<std::wstring>{L"muistio", L"C:\\ (resurssienhallinta)", L"cmd", L"Reboot",
                                       L"Sammuta"}));
  // 350 twips high buttons, the window at 10, 10 twips and 2 x 105 + 3800 + 100 wide.
  std::vector<ControlInfo> buttons = w.Buttons();
  EXPECT_EQ(buttons[0].rect.bottom - buttons[0].rect.top, 23);
  EXPECT_EQ(w.window.left, 1);
  EXPECT_EQ(w.window.top, 1);
  EXPECT_EQ(w.Width(), 274);
}

// ---------------------------------------------------------------------------
// A double-click on the free client area: the placement report.

class PlacementE2e : public MaintenanceE2e {
 protected:
  // The pointer goes to the screen's far corner: left where the double-click was, it
  // would hover over the next test's buttons and change its hint line.
  void TearDown() override {
    MoveTo(POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
    MaintenanceE2e::TearDown();
  }

  // Moves the window to `left`, `top` (pixels) and double-clicks the strip above the
  // top button with real input. Returns the report's box, or false.
  bool MoveAndDoubleClick(int left, int top, MessageBoxInfo& box) {
    if (!SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER)) {
      ADD_FAILURE() << "SetWindowPos failed, error " << GetLastError();
      return false;
    }
    // The program's thread finishes the move before input follows it.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    Sleep(kSettleMs);
    RECT r{};
    GetWindowRect(hwnd_, &r);
    if (r.left != left || r.top != top) {
      ADD_FAILURE() << "the window went to " << r.left << ", " << r.top;
      return false;
    }
    POINT point{60, 4};  // client coordinates: above button 0, which starts at 11
    ClientToScreen(hwnd_, &point);
    if (!BringToFront(hwnd_)) {
      ADD_FAILURE() << "the window did not come to the front";
      return false;
    }
    if (WindowFromPoint(point) != hwnd_) {
      ADD_FAILURE() << "the point " << point.x << ", " << point.y
                    << " is not on the window's free client area";
      return false;
    }
    if (!MoveTo(point) || !DoubleClickAt(point)) {
      ReleaseEverything();
      ADD_FAILURE() << "SendInput failed, error " << GetLastError();
      return false;
    }
    if (!NextBox(box, "placement report")) return false;
    // The double-click landed on the free area, not on a button.
    EXPECT_EQ(ControlText(GetDlgItem(hwnd_, kStatusId)), L"K\u00e4ynnistys ok!");
    return true;
  }

  // What the report must say for the window's present place and button 0's size.
  std::wstring ExpectedReport(int left, int top, int heightTwips) {
    const WindowSnapshot w = TakeSnapshot(hwnd_);
    // The resize rule: button 0 is 200 + 2 x 105 twips narrower than the window.
    const int widthTwips = w.Width() * 15 - 200 - 2 * 105;
    const ControlInfo* button0 = w.Control(kFirstButtonId);
    EXPECT_NE(button0, nullptr);
    if (button0) {
      EXPECT_NEAR((button0->rect.right - button0->rect.left) * 15, widthTwips, 15);
      EXPECT_EQ((button0->rect.bottom - button0->rect.top) * 15, heightTwips);
    }
    return L"me.left = " + std::to_wstring(left * 15) + L"\r\nme.top = " +
           std::to_wstring(top * 15) + L"\r\n\r\ncmdAja.height = " + std::to_wstring(heightTwips) +
           L"\r\ncmdAja.width = " + std::to_wstring(widthTwips) + L"\r\n";
  }

  void ExpectReportBox(const MessageBoxInfo& box, const std::wstring& text) {
    SCOPED_TRACE(Describe(box));
    EXPECT_EQ(box.title, L"Avataanko " + folder_->MenuFile() +
                             L" muistioon & kopioidaanko arvot leikep\u00f6yd\u00e4lle?");
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.defaultId, IDYES);
    EXPECT_TRUE(box.hasIcon) << "the question icon";
    EXPECT_EQ(box.owner, hwnd_);
  }
};

TEST_F(PlacementE2e, ReportsThePlaceAtEachDoubleClick) {
  ASSERT_TRUE(Start("cmdaja.height=600\r\n" + kThreeEntries));
  const std::wstring sentinel = L"leikep\u00f6yd\u00e4n vanha sis\u00e4lt\u00f6";
  ASSERT_TRUE(PutClipboardText(sentinel));
  const DWORD sequence = GetClipboardSequenceNumber();

  // At 82, 141 pixels: the worked example's 1230 and 2115 twips.
  MessageBoxInfo box;
  ASSERT_TRUE(MoveAndDoubleClick(82, 141, box));
  ExpectReportBox(box, ExpectedReport(82, 141, 600));
  ASSERT_TRUE(AnswerMessageBox(box.hwnd, IDNO));
  EXPECT_EQ(UnwantedBox(), "");
  std::wstring clip;
  EXPECT_TRUE(ReadClipboardText(clip));
  EXPECT_EQ(clip, sentinel) << "No changed the clipboard";
  EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "No touched the clipboard";
  EXPECT_TRUE(run_->NotepadChildren().empty()) << "No started Notepad";

  // Partly off the screen to the left: a minus sign.
  ASSERT_TRUE(MoveAndDoubleClick(-10, 20, box));
  const std::wstring report = ExpectedReport(-10, 20, 600);
  EXPECT_TRUE(report.starts_with(L"me.left = -150\r\nme.top = 300\r\n"));
  ExpectReportBox(box, report);
  ASSERT_TRUE(AnswerMessageBox(box.hwnd, IDYES));
  EXPECT_NE(run_->WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr)
      << "Yes did not open the menu file in Notepad";
  EXPECT_TRUE(ReadClipboardText(clip));
  EXPECT_EQ(clip, report);
  EXPECT_EQ(UnwantedBox(), "");
  EXPECT_EQ(MenuBytes(), "cmdaja.height=600\r\n" + kThreeEntries) << "the menu file was written";
}

// ---------------------------------------------------------------------------
// Help menu.

TEST_F(MaintenanceE2e, AboutBox) {
  ASSERT_TRUE(Start(kThreeEntries));
  Choose(mnuTietoja);
  MessageBoxInfo box;
  ASSERT_TRUE(NextBox(box, "About"));
  SYSTEMTIME now;
  GetLocalTime(&now);
  SCOPED_TRACE(Describe(box));
  EXPECT_EQ(box.title, L"Lumora Valikko - 3.12.2023");
  const std::wstring head =
      Lines({L"Lumora Valikko, versio 3.12.2023", L"",
             L"* Nopeuttamaan ohjelmien k\u00e4ynnist\u00e4mist\u00e4 ja kansioiden avaamista",
             L"* Rauhoittamaan ty\u00f6p\u00f6yt\u00e4\u00e4 kuvakemerelt\u00e4",
             L"* Vakioimaan eri koneiden valinnat", L""},
            L"\n");
  EXPECT_TRUE(box.text.starts_with(head));
  // The maker line is the last, and ends with this year from the clock.
  EXPECT_TRUE(box.text.ends_with(L" " + std::to_wstring(now.wYear) + L"\n"));
  EXPECT_EQ(std::count(box.text.begin(), box.text.end(), L'\n'), 7);
  EXPECT_EQ(box.text.find(L'\r'), std::wstring::npos) << "line feeds only";
  EXPECT_GT(box.text.size(), head.size() + 6) << "no maker line";
  EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDOK}));
  EXPECT_FALSE(box.hasIcon);
  EXPECT_EQ(box.owner, hwnd_);
  ASSERT_TRUE(AnswerMessageBox(box.hwnd, IDOK));
  EXPECT_EQ(UnwantedBox(), "");
  EXPECT_TRUE(run_->IsRunning());
}

// Wine hands a web address to the desktop's xdg-open; the tests put a stand-in first
// on PATH that writes the address to the file LV_FAKE_BROWSER_LOG names.
TEST_F(MaintenanceE2e, SupportPageReachesTheBrowser) {
  const char* log = std::getenv("LV_FAKE_BROWSER_LOG");
  if (!log || !*log) GTEST_SKIP() << "LV_FAKE_BROWSER_LOG is not set: run through ctest";
  const std::wstring logFile = HostPathToWindows(log);
  DeleteFileW(logFile.c_str());
  ASSERT_TRUE(Start(kThreeEntries));
  const WindowSnapshot before = TakeSnapshot(hwnd_);
  Choose(mnuTukisivuNetissa);

  std::string opened;
  WaitUntil([&] { return ReadBytes(logFile, opened) && opened.ends_with("\n"); }, 15000);
  ASSERT_FALSE(opened.empty()) << "nothing reached xdg-open";
  ASSERT_EQ(std::count(opened.begin(), opened.end(), '\n'), 1) << opened;
  opened.pop_back();
  EXPECT_TRUE(opened.starts_with("https://")) << opened;
  EXPECT_TRUE(opened.ends_with(".example/lumora-valikko-ohjelmien-kaynnistamiseen/")) << opened;
  EXPECT_EQ(opened.find(' '), std::string::npos) << opened;
  EXPECT_EQ(UnwantedBox(), "");
  EXPECT_TRUE(run_->IsRunning());
  EXPECT_EQ(ButtonTexts(TakeSnapshot(hwnd_)), ButtonTexts(before));
}

}  // namespace
}  // namespace lv::e2e
