#pragma once
// Drives the real lumora-valikko.exe from outside, as a user and Windows automation
// would: a fresh folder on drive C:, a menu file in it, the program started there,
// its window and controls read through Win32, and everything it started ended again.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace lv::e2e {

inline constexpr wchar_t kFormClass[] = L"LumoraValikkoForm1";
inline constexpr int kFirstButtonId = 1000;  // cmdAja member i has id 1000 + i
inline constexpr int kHintId = 900;          // lblVinkki
inline constexpr int kStatusId = 901;        // lblKomento
inline constexpr DWORD kWindowTimeoutMs = 10000;

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The Windows name of a path on the build machine: drive Z: is the root folder.
std::wstring HostPathToWindows(std::string_view hostPath);

// The program under test, as built (a Windows path).
std::wstring ProgramUnderTest();
// A file of the source tree's tests/data folder (a Windows path).
std::wstring TestDataFile(std::wstring_view name);

bool FileExists(const std::wstring& path);
// The whole file, or false when it cannot be read.
bool ReadBytes(const std::wstring& path, std::string& bytes);
bool WriteBytes(const std::wstring& path, std::string_view bytes);

// C:\lvtest\<name>\ made empty for one test, holding a copy of the program. Left in
// place afterwards, so a failing test's files can be looked at.
class TestFolder {
 public:
  explicit TestFolder(std::wstring_view name);
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::wstring& path() const { return path_; }
  std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
  std::wstring Program() const { return File(L"lumora-valikko.exe"); }
  std::wstring MenuFile() const { return File(L"valikko.oma"); }

 private:
  std::wstring path_;
  std::string error_;
};

// Files a test places on drive C: (with the folders they need), removed again with
// the folders that were made for them when the object goes.
class PlacedFiles {
 public:
  PlacedFiles() = default;
  PlacedFiles(const PlacedFiles&) = delete;
  PlacedFiles& operator=(const PlacedFiles&) = delete;
  ~PlacedFiles();

  // False, with the reason in `error`, when the file or a folder cannot be made or
  // the file is there already (it is not ours to remove afterwards).
  bool Add(const std::wstring& path, std::string* error);

 private:
  std::vector<std::wstring> files_;
  std::vector<std::wstring> folders_;  // in the order they were made
};

struct ControlInfo {
  std::wstring className;
  int id = 0;
  std::wstring text;
  RECT rect{};  // in the parent's client coordinates
  bool visible = false;
};

struct WindowSnapshot {
  HWND hwnd = nullptr;
  std::wstring caption;
  RECT window{};  // outer rectangle, screen coordinates
  RECT client{};  // GetClientRect: left and top are 0
  std::vector<ControlInfo> controls;

  int Width() const { return window.right - window.left; }
  int Height() const { return window.bottom - window.top; }
  int ClientWidth() const { return client.right - client.left; }
  int ClientHeight() const { return client.bottom - client.top; }
  const ControlInfo* Control(int id) const;
  // The push buttons, by control id.
  std::vector<ControlInfo> Buttons() const;
};

// Reads the window and its child controls from outside the owning process.
WindowSnapshot TakeSnapshot(HWND hwnd);

// The window class name of any window, also of another process.
std::wstring ClassOf(HWND hwnd);

// The text of a window or control of another process ("<no answer>" when it hangs).
std::wstring ControlText(HWND hwnd);

// One run of the program. The destructor ends the program (our own process, by its
// handle) and then every Notepad it started, whether the test passed or not.
class ProgramRun {
 public:
  explicit ProgramRun(const std::wstring& exePath);
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;
  ~ProgramRun();

  bool started() const { return process_ != nullptr; }
  DWORD startError() const { return startError_; }
  DWORD pid() const { return pid_; }
  bool IsRunning() const;

  // The program's visible main window, once it has finished its start-up; nullptr
  // after the timeout or when the program ends first (`why` says which).
  HWND WaitForWindow(DWORD timeoutMs, std::string* why);

  // A visible top-level window of a Notepad the program started whose title holds
  // `titlePart`, or nullptr after the timeout.
  HWND WaitForNotepadWindow(std::wstring_view titlePart, DWORD timeoutMs) const;

  // The process ids of the Notepads the program has started so far.
  std::vector<DWORD> NotepadChildren() const;

  // Takes over a copy of the program that another copy started (a restart), by its
  // process id: it is then ended with this object like one started here.
  explicit ProgramRun(DWORD pid);
  // The process ids of the program's running children whose program file is `exeName`.
  std::vector<DWORD> Children(std::wstring_view exeName) const;
  // True once the program has ended, false when it still runs after `timeoutMs`.
  bool WaitForExit(DWORD timeoutMs) const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  DWORD startError_ = 0;
};

}  // namespace lv::e2e
