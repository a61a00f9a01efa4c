#include "e2e_harness.h"

#include "text_win.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

#ifndef LV_E2E_EXE
#error "LV_E2E_EXE must name the built program (a path on the build machine)"
#endif
#ifndef LV_E2E_DATA_DIR
#error "LV_E2E_DATA_DIR must name the tests/data folder (a path on the build machine)"
#endif

namespace lv::e2e {

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kTestRoot[] = L"C:\\lvtest";
constexpr DWORD kPollMs = 20;
constexpr DWORD kMessageTimeoutMs = 2000;

// Ends `process` unless it has ended already, and waits for it to be gone.
void TerminateAndWait(HANDLE process) {
  if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
  }
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// The text of a window of another process: WM_GETTEXT crosses processes, with a
// timeout so that a hung program fails the test instead of hanging it.
std::wstring RemoteText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &length))
    return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied))
    return L"<no answer>";
  text.resize(std::min<size_t>(copied, length));
  return text;
}

struct FindMain {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMainProc(HWND hwnd, LPARAM lp) {
  auto* find = reinterpret_cast<FindMain*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == find->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == kFormClass) {
    find->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct FindNotepad {
  const std::vector<DWORD>* pids;
  std::wstring_view titlePart;
  HWND found;
};

BOOL CALLBACK FindNotepadProc(HWND hwnd, LPARAM lp) {
  auto* find = reinterpret_cast<FindNotepad*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (!IsWindowVisible(hwnd) ||
      std::find(find->pids->begin(), find->pids->end(), pid) == find->pids->end())
    return TRUE;
  if (RemoteText(hwnd).find(find->titlePart) != std::wstring::npos) {
    find->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectChildProc(HWND hwnd, LPARAM lp) {
  auto* snapshot = reinterpret_cast<WindowSnapshot*>(lp);
  if (GetAncestor(hwnd, GA_PARENT) != snapshot->hwnd) return TRUE;  // direct children only
  ControlInfo c;
  c.className = ClassOf(hwnd);
  c.id = GetDlgCtrlID(hwnd);
  c.text = RemoteText(hwnd);
  c.visible = IsWindowVisible(hwnd) != FALSE;
  GetWindowRect(hwnd, &c.rect);
  MapWindowPoints(nullptr, snapshot->hwnd, reinterpret_cast<POINT*>(&c.rect), 2);
  snapshot->controls.push_back(std::move(c));
  return TRUE;
}

}  // namespace

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  int n = GetClassNameW(hwnd, name, 256);
  return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring Widen(std::string_view utf8) { return Utf8ToWide(utf8); }

std::string Narrow(std::wstring_view wide) { return WideToUtf8(wide); }

std::wstring HostPathToWindows(std::string_view hostPath) {
  std::wstring path = L"Z:" + Widen(hostPath);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::wstring ProgramUnderTest() { return HostPathToWindows(LV_E2E_EXE); }

std::wstring TestDataFile(std::wstring_view name) {
  return HostPathToWindows(LV_E2E_DATA_DIR) + L"\\" + std::wstring(name);
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadBytes(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      ok = false;
      break;
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  return ok;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

TestFolder::TestFolder(std::wstring_view name) {
  std::wstring safe(name);
  for (wchar_t& c : safe)
    if (!std::iswalnum(c) && c != L'_' && c != L'-') c = L'_';
  path_ = std::wstring(kTestRoot) + L"\\" + safe;
  std::error_code ec;
  fs::remove_all(fs::path(path_), ec);
  if (ec) {
    error_ = "cannot empty " + Narrow(path_) + ": " + ec.message();
    return;
  }
  fs::create_directories(fs::path(path_), ec);
  if (ec) {
    error_ = "cannot create " + Narrow(path_) + ": " + ec.message();
    return;
  }
  if (!CopyFileW(ProgramUnderTest().c_str(), Program().c_str(), FALSE))
    error_ = "cannot copy " + Narrow(ProgramUnderTest()) + " to " + Narrow(Program()) + ", error " +
             std::to_string(GetLastError());
}

PlacedFiles::~PlacedFiles() {
  for (const std::wstring& file : files_) DeleteFileW(file.c_str());
  for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryW(it->c_str());
}

bool PlacedFiles::Add(const std::wstring& path, std::string* error) {
  if (FileExists(path)) {
    *error = Narrow(path) + " is there already";
    return false;
  }
  // The folders from the drive down, each made only when missing.
  std::vector<std::wstring> missing;
  for (fs::path folder = fs::path(path).parent_path();
       !folder.empty() && folder != folder.root_path() &&
       GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
       folder = folder.parent_path())
    missing.push_back(folder.wstring());
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!CreateDirectoryW(it->c_str(), nullptr)) {
      *error = "cannot create " + Narrow(*it) + ", error " + std::to_string(GetLastError());
      return false;
    }
    folders_.push_back(*it);
  }
  if (!WriteBytes(path, "MZ")) {
    *error = "cannot write " + Narrow(path) + ", error " + std::to_string(GetLastError());
    return false;
  }
  files_.push_back(path);
  return true;
}

const ControlInfo* WindowSnapshot::Control(int id) const {
  for (const ControlInfo& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

std::vector<ControlInfo> WindowSnapshot::Buttons() const {
  std::vector<ControlInfo> buttons;
  for (const ControlInfo& c : controls)
    if (EqualsNoCase(c.className, L"Button")) buttons.push_back(c);
  std::sort(buttons.begin(), buttons.end(),
            [](const ControlInfo& a, const ControlInfo& b) { return a.id < b.id; });
  return buttons;
}

WindowSnapshot TakeSnapshot(HWND hwnd) {
  WindowSnapshot snapshot;
  snapshot.hwnd = hwnd;
  snapshot.caption = RemoteText(hwnd);
  GetWindowRect(hwnd, &snapshot.window);
  GetClientRect(hwnd, &snapshot.client);
  EnumChildWindows(hwnd, CollectChildProc, reinterpret_cast<LPARAM>(&snapshot));
  return snapshot;
}

ProgramRun::ProgramRun(const std::wstring& exePath) {
  // A pointer resting where the window appears would put a command on the hint line.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
  // The command line must be writable, and the folder is left to the program.
  std::wstring commandLine = L"\"" + exePath + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    startError_ = GetLastError();
    return;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
}

ProgramRun::~ProgramRun() {
  if (!process_) return;
  TerminateAndWait(process_);
  // Our handle keeps the program's process id from being reused, so the children
  // found by it are the ones this run started.
  for (DWORD pid : NotepadChildren()) {
    if (HANDLE child = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
      TerminateAndWait(child);
      CloseHandle(child);
    }
  }
  CloseHandle(process_);
}

bool ProgramRun::IsRunning() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND ProgramRun::WaitForWindow(DWORD timeoutMs, std::string* why) {
  if (!process_) {
    *why = "the program did not start, error " + std::to_string(startError_);
    return nullptr;
  }
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    FindMain find{pid_, nullptr};
    EnumWindows(FindMainProc, reinterpret_cast<LPARAM>(&find));
    if (find.found) {
      // Shown means ShowWindow has run; one message through the program's queue
      // means its start-up (and the first size change) is over.
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(find.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ignored);
      return find.found;
    }
    if (!IsRunning()) {
      DWORD code = 0;
      GetExitCodeProcess(process_, &code);
      *why = "the program ended before its window appeared, exit code " + std::to_string(code);
      return nullptr;
    }
    if (GetTickCount64() >= end) {
      *why = "no visible window of class LumoraValikkoForm1 after " + std::to_string(timeoutMs) +
             " ms";
      return nullptr;
    }
    Sleep(kPollMs);
  }
}

HWND ProgramRun::WaitForNotepadWindow(std::wstring_view titlePart, DWORD timeoutMs) const {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<DWORD> pids = NotepadChildren();
    if (!pids.empty()) {
      FindNotepad find{&pids, titlePart, nullptr};
      EnumWindows(FindNotepadProc, reinterpret_cast<LPARAM>(&find));
      if (find.found) return find.found;
    }
    if (GetTickCount64() >= end) return nullptr;
    Sleep(kPollMs);
  }
}

ProgramRun::ProgramRun(DWORD pid) {
  process_ = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE,
                         FALSE, pid);
  if (process_)
    pid_ = pid;
  else
    startError_ = GetLastError();
}

bool ProgramRun::WaitForExit(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring ControlText(HWND hwnd) { return RemoteText(hwnd); }

std::vector<DWORD> ProgramRun::NotepadChildren() const { return Children(L"notepad.exe"); }

std::vector<DWORD> ProgramRun::Children(std::wstring_view exeName) const {
  std::vector<DWORD> pids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return pids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ParentProcessID == pid_ && EqualsNoCase(entry.szExeFile, exeName))
      pids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return pids;
}

}  // namespace lv::e2e
