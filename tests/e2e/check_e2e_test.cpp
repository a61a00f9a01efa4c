// The menu file check on the real programs: the status line at start-up, the Help
// menu's report (read from the file as it is when chosen), and valikkotarkistus.exe
// run as a console program with its output going to a file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs.h"
#include "e2e_harness.h"
#include "launcher_test.h"
#include "menu_bar.h"

namespace lv::e2e {
namespace {

constexpr DWORD kBoxTimeoutMs = 10000;
const std::wstring kStartupOk = L"K\u00e4ynnistys ok!";

// An entry cut at a second "=", and a line the program ignores.
const std::string kWithFindings =
    "Muistio = notepad\r\nPankki = https://pankki.example/login?lang=fi\r\nilman merkkia\r\n";

struct StatusCase {
  const char* name;
  std::string menu;
  std::wstring status;
};

const StatusCase kStatusCases[] = {
    {"Clean", "Muistio = notepad\r\n.shift = notepad %valikko.oma%\r\n", kStartupOk},
    {"OnlyAHuomautus", "Muistio = notepad\r\n\xE4 = notepad\r\n", kStartupOk},
    {"TwoProblems", kWithFindings, L"Valikossa 2 ongelmaa: katso Ohje"},
};

class StatusE2e : public LauncherTestOf<testing::TestWithParam<StatusCase>> {};

TEST_P(StatusE2e, StatusLineNamesTheProblems) {
  ASSERT_TRUE(Launch(&GetParam().menu));
  WindowSnapshot w = TakeSnapshot(hwnd_);
  ASSERT_TRUE(w.Control(kStatusId) && w.Control(kHintId));
  EXPECT_EQ(w.Control(kStatusId)->text, GetParam().status);
  EXPECT_EQ(w.Control(kHintId)->text, kStartupOk);
}

INSTANTIATE_TEST_SUITE_P(Check, StatusE2e, testing::ValuesIn(kStatusCases),
                         [](const auto& param) { return std::string(param.param.name); });

class CheckE2e : public LauncherTest {
 protected:
  MessageBoxInfo ChooseCheck() {
    PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(mnuTarkista, 0), 0);
    HWND box = WaitForMessageBox(run_->pid(), kBoxTimeoutMs);
    if (!box) ADD_FAILURE() << "no report within " << kBoxTimeoutMs << " ms";
    return box ? ReadMessageBox(box) : MessageBoxInfo{};
  }
};

// The report reads the file as it is now: a line added after the start is in it.
TEST_F(CheckE2e, HelpMenuReportsTheFileAsItIsNow) {
  ASSERT_TRUE(Launch(&kWithFindings));
  ASSERT_TRUE(WriteBytes(folder_->MenuFile(), kWithFindings + "Puuttuva = eiole.exe /x\r\n"));
  MessageBoxInfo box = ChooseCheck();
  ASSERT_TRUE(box.hwnd);
  SCOPED_TRACE(Describe(box));
  EXPECT_EQ(box.title, L"Tarkista valikkotiedosto");
  EXPECT_EQ(box.text,
            L"Valikkotiedosto " + folder_->MenuFile() +
                L"\n\n"
                L"rivi 2: komento katkeaa toiseen \"=\"-merkkiin; pois j\u00e4\u00e4 \"fi\"\n"
                L"rivi 3: rivill\u00e4 ei ole \"=\"-merkki\u00e4 eik\u00e4 se ole tunnettu avain: "
                L"rivi ohitetaan\n"
                L"rivi 4: ohjelmaa \"eiole.exe\" ei l\u00f6ydy");
  EXPECT_TRUE(box.hasIcon);
  EXPECT_EQ(box.owner, hwnd_);
  ASSERT_TRUE(AnswerMessageBox(box.hwnd, IDOK));

  // Mended, the same item says there is nothing to tell.
  ASSERT_TRUE(WriteBytes(folder_->MenuFile(), "Muistio = notepad\r\n"));
  box = ChooseCheck();
  ASSERT_TRUE(box.hwnd);
  EXPECT_EQ(box.text, L"Valikkotiedosto " + folder_->MenuFile() +
                          L"\n\nTiedostosta ei l\u00f6ytynyt huomautettavaa.");
  ASSERT_TRUE(AnswerMessageBox(box.hwnd, IDOK));
  EXPECT_TRUE(run_->IsRunning());
}

// valikkotarkistus.exe with its output in a file: UTF-8 text and the exit code.
struct CheckerRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::string out, err;
};

CheckerRun RunChecker(const TestFolder& folder, const std::wstring& arguments) {
  CheckerRun result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  // Files of their own for each run: Wine may still hold the last run's for a moment.
  static int runs = 0;
  const std::wstring n = std::to_wstring(++runs);
  const std::wstring outPath = folder.File(L"out" + n + L".txt");
  const std::wstring errPath = folder.File(L"err" + n + L".txt");
  HANDLE out = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           0, nullptr);
  HANDLE err = CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = err;
  std::wstring line = L"\"" + HostPathToWindows(LV_E2E_CHECKER) + L"\" " + arguments;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     folder.path().c_str(), &si, &pi)) {
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
      GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(out);
  CloseHandle(err);
  ReadBytes(outPath, result.out);
  ReadBytes(errPath, result.err);
  return result;
}

TEST(CheckerE2e, ConsoleProgramWritesFinnishFindings) {
  TestFolder folder(L"CheckerE2e");
  ASSERT_TRUE(folder.ok()) << folder.error();
  ASSERT_TRUE(WriteBytes(folder.File(L"k\u00e4\u00e4nteinen.oma"),
                         "P\xE4\xE4kirja = https://x.example/?a=b\r\nVero = www.vero.fi\r\n"));
  CheckerRun run = RunChecker(folder, L"k\u00e4\u00e4nteinen.oma");
  EXPECT_EQ(run.exitCode, 1u) << run.err;
  EXPECT_EQ(
      run.out,
      "käänteinen.oma:1: huomautus: tiedosto ei ole UTF-8-muotoinen, joten se luetaan "
      "Windows-1252-merkistönä (ANSI) [V14]\n"
      "käänteinen.oma:1: varoitus: komento katkeaa toiseen \"=\"-merkkiin; pois jää \"b\" [V01]\n"
      "käänteinen.oma:2: varoitus: \"www.vero.fi\" käynnistetään ohjelmana eikä avata "
      "selaimessa: aloita osoite \"https://\" [V13]\n"
      "käänteinen.oma: 0 virhettä, 2 varoitusta, 1 huomautus\n");

  ASSERT_TRUE(WriteBytes(folder.File(L"hyv\u00e4.oma"), "Muistio = notepad\r\n"));
  run = RunChecker(folder, L"--json hyv\u00e4.oma");
  EXPECT_EQ(run.exitCode, 0u) << run.err;
  EXPECT_EQ(run.out, "[]\n");

  run = RunChecker(folder, L"puuttuva.oma");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(run.err.starts_with("valikkotarkistus: puuttuva.oma: tiedostoa ei voitu lukea: "))
      << run.err;
}

}  // namespace
}  // namespace lv::e2e
