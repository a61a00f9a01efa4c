// The release as a user gets it: the zip unpacked (by tests/e2e/check_release_zip.sh,
// which also checks its contents and checksums) into a folder with a blank in its
// name, and the programs started from there.
#include <gtest/gtest.h>

#include <string>

#include "e2e_harness.h"

#ifndef LV_RELEASE_UNPACKED
#error "LV_RELEASE_UNPACKED must name the folder the release zip was unpacked into"
#endif

namespace lv::e2e {
namespace {

std::wstring Unpacked(std::wstring_view file) {
  return HostPathToWindows(LV_RELEASE_UNPACKED) + L"\\lumora-valikko\\" + std::wstring(file);
}

enum class Stream { out, err };

// Runs the unpacked checker with `args` and returns its exit code (-1 when it did not
// start or end); `captured` gets what it wrote to `stream`, the other goes nowhere.
int RunChecker(const std::wstring& args, Stream stream, std::string& captured) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  HANDLE nowhere =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = stream == Stream::out ? writeEnd : nowhere;
  si.hStdError = stream == Stream::err ? writeEnd : nowhere;
  std::wstring commandLine = L"\"" + Unpacked(L"valikkotarkistus.exe") + L"\" " + args;
  PROCESS_INFORMATION pi{};
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  CloseHandle(nowhere);
  DWORD exitCode = static_cast<DWORD>(-1);
  if (started) {
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
      captured.append(buffer, got);
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
      GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(readEnd);
  return static_cast<int>(exitCode);
}

TEST(ReleaseE2e, FirstStartFromAFolderWithABlankWritesTheDefaultMenu) {
  const std::wstring program = Unpacked(L"lumora-valikko.exe");
  const std::wstring menu = Unpacked(L"valikko.oma");
  ASSERT_NE(program.find(L' '), std::wstring::npos) << Narrow(program);
  ASSERT_TRUE(FileExists(program)) << Narrow(program);
  ASSERT_FALSE(FileExists(menu)) << "the release must not ship a menu file";

  ProgramRun run(program);
  ASSERT_TRUE(run.started()) << "CreateProcess error " << run.startError();
  std::string why;
  HWND hwnd = run.WaitForWindow(kWindowTimeoutMs, &why);
  ASSERT_NE(hwnd, nullptr) << why;
  ASSERT_TRUE(FileExists(menu)) << "no default menu file " << Narrow(menu);
  EXPECT_EQ(TakeSnapshot(hwnd).Buttons().size(), 24u);
  EXPECT_NE(run.WaitForNotepadWindow(L"valikko.oma", kWindowTimeoutMs), nullptr)
      << "no Notepad on the new menu file";

  // The shipped checker finds nothing wrong with the menu the shipped program wrote.
  std::string out;
  EXPECT_EQ(RunChecker(L"\"" + menu + L"\"", Stream::out, out), 0) << out;
  EXPECT_NE(out.find("0 virhett\xC3\xA4, 0 varoitusta"), std::string::npos) << out;
}

// A console program: wrong usage (no file) is told on standard error, with exit code 2.
TEST(ReleaseE2e, CheckerTellsWrongUsageOnStandardError) {
  std::string errors;
  EXPECT_EQ(RunChecker(L"", Stream::err, errors), 2);
  EXPECT_NE(errors.find("valikkotarkistus"), std::string::npos) << "standard error: " << errors;
}

}  // namespace
}  // namespace lv::e2e
