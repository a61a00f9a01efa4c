// Start-up and press benchmark of the real lumora-valikko.exe, run from a console
// under Wine (the build machine's files are on drive Z:). It prints figures and never fails on
// them:
//  (b) CreateProcess until the window is visible with all its buttons, for the default
//      menu and for a 500-entry menu, against a program that only opens an empty window,
//      started the same way in the same run, the three taking turns;
//  (c) peak working set of each while its window is up;
//  (d) a real left click on a button until the process its command starts exists.
// Usage: startup_bench [--rounds N] [--presses N]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "e2e_harness.h"
#include "input_driver.h"

#ifndef LV_BENCH_MINIMAL_EXE
#error "LV_BENCH_MINIMAL_EXE must name the minimal window program (a path on the build machine)"
#endif
#ifndef LV_BENCH_NOCHECK_EXE
#error "LV_BENCH_NOCHECK_EXE must name the program built without the menu check"
#endif
#ifndef LV_BENCH_PRESS_TARGET_EXE
#error "LV_BENCH_PRESS_TARGET_EXE must name the press target program (a path on the build machine)"
#endif

namespace {

using namespace lv::e2e;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kPollMs = 2;
// Between two starts: Wine tears an ended program's windows down after it has gone.
constexpr DWORD kSettleMs = 300;
constexpr int kDefaultMenuButtons = 24;
constexpr wchar_t kMinimalClass[] = L"LumoraMinimalWindow";
constexpr wchar_t kPressTargetName[] = L"press_target.exe";
constexpr wchar_t kPressEventName[] = L"LumoraBenchPressTarget";

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / frequency;  // milliseconds
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Min(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

struct FindWindowOf {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};

BOOL CALLBACK FindWindowOfProc(HWND hwnd, LPARAM lp) {
  auto* find = reinterpret_cast<FindWindowOf*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == find->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == find->cls) {
    find->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CountButtonsProc(HWND hwnd, LPARAM lp) {
  if (_wcsicmp(ClassOf(hwnd).c_str(), L"Button") == 0) ++*reinterpret_cast<int*>(lp);
  return TRUE;
}

int CountButtons(HWND hwnd) {
  int count = 0;
  EnumChildWindows(hwnd, CountButtonsProc, reinterpret_cast<LPARAM>(&count));
  return count;
}

// One program to start: a folder of its own with the program (and its menu file) in it.
struct Subject {
  const char* label = "";
  std::wstring exe;
  const wchar_t* windowClass = L"";
  int buttons = -1;  // how many the window has when start-up is over, from a first run
  std::vector<double> startMs;
  std::vector<double> roundMs;  // by round, negative when that start failed
  std::vector<double> peakMb;
  int failures = 0;
};

// The median over the rounds of a's time / b's time in the same round: the two
// started moments apart, so a load that comes and goes hits both alike.
double PairedRatio(const Subject& a, const Subject& b) {
  std::vector<double> ratios;
  for (size_t r = 0; r < a.roundMs.size() && r < b.roundMs.size(); ++r)
    if (a.roundMs[r] > 0 && b.roundMs[r] > 0) ratios.push_back(a.roundMs[r] / b.roundMs[r]);
  return Median(ratios);
}

struct Measurement {
  double startMs = 0;
  double peakMb = 0;
  int buttons = 0;
};

// Starts the subject, waits for its visible window with at least `buttons` buttons,
// and reads its peak working set while the window is up. The program is ended after.
std::optional<Measurement> StartOnce(const Subject& s, int buttons, std::string* why) {
  const double t0 = Now();
  ProgramRun run(s.exe);
  if (!run.started()) {
    *why = "CreateProcess failed, error " + std::to_string(run.startError());
    return std::nullopt;
  }
  Measurement m;
  HWND hwnd = nullptr;
  for (;;) {
    FindWindowOf find{run.pid(), s.windowClass, nullptr};
    EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&find));
    if (find.found) {
      m.buttons = CountButtons(find.found);
      if (m.buttons >= buttons) {
        m.startMs = Now() - t0;
        hwnd = find.found;
        break;
      }
    }
    if (!run.IsRunning()) {
      *why = "the program ended before its window was up";
      return std::nullopt;
    }
    if (Now() - t0 > kStartTimeoutMs) {
      *why = "no visible window with " + std::to_string(buttons) + " buttons after " +
             std::to_string(kStartTimeoutMs) + " ms";
      return std::nullopt;
    }
    Sleep(kPollMs);
  }
  // Let the program finish what showing the window set off (painting, the first
  // messages) before its peak is read.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  Sleep(150);
  m.buttons = CountButtons(hwnd);
  if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.pid())) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (K32GetProcessMemoryInfo(process, &counters, sizeof counters))
      m.peakMb = static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
    CloseHandle(process);
  }
  return m;
}

// A menu as it grows in use: the default file's settings, then 500 entries, each with
// a comment, alternatives on the modifier keys and a hover tip; Windows-1252, CR LF.
std::string GenerateMenu(int entries) {
  std::string out =
      "title = \xA0Lumora Valikko\r\n"
      "; kommenttirivi alkaa puolipisteell\xE4\r\n"
      "cmdaja.height=350\r\n"
      "cmdaja.width=3800\r\n"
      "me.left=10\r\n"
      "me.top=10\r\n\r\n";
  for (int i = 0; i < entries; ++i) {
    const std::string n = std::to_string(i + 1);
    const std::string folder = "C:\\LUMORA\\OHJELMA" + n;
    out += "; *** Ohjelma " + n + "\r\n";
    out += "Ohjelma " + n + " = cmd /c if exist " + folder + "\\OHJELMA.EXE (" + folder +
           "\\OHJELMA.EXE) ELSE (start https://www.lumora.example/ohjelma" + n + ")\r\n";
    out += ".shift = https://tuki.lumora.example/ohjelma" + n + "\r\n";
    out += ".ctrl = https://www.lumora.example/tietopankki/ohjelma" + n + "\r\n";
    out += ".right = https://www.lumora.example/muutoshistoria/ohjelma" + n + "\r\n";
    out += ".tooltip = OHJELMA " + n + " // shift: k\xE4ytt\xF6tuki / ctrl: tietopankki\r\n\r\n";
  }
  return out;
}

bool PrepareFolder(TestFolder& folder, std::string* why) {
  if (!folder.ok()) {
    *why = folder.error();
    return false;
  }
  return true;
}

// ---- (d): a click on a button until the process its command starts exists ----

void WaitGone(DWORD pid) {
  if (HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid)) {
    WaitForSingleObject(p, 5000);
    CloseHandle(p);
  }
}

struct PressResult {
  std::vector<double> existsMs;  // click until the process is in the process list
  std::vector<double> runsMs;    // click until its own code has run (the event it sets)
  std::string error;
};

PressResult BenchPress(int presses) {
  PressResult result;
  TestFolder folder(L"bench_press");
  if (!folder.ok()) {
    result.error = folder.error();
    return result;
  }
  const std::wstring target = folder.File(kPressTargetName);
  if (!CopyFileW(HostPathToWindows(LV_BENCH_PRESS_TARGET_EXE).c_str(), target.c_str(), FALSE)) {
    result.error = "cannot copy the press target, error " + std::to_string(GetLastError());
    return result;
  }
  const std::string menu = "Merkki = " + Narrow(target) + " " + Narrow(kPressEventName) + "\r\n" +
                           ".tooltip = k\xE4ynnist\xE4\xE4 merkkiohjelman\r\n";
  if (!WriteBytes(folder.MenuFile(), menu)) {
    result.error = "cannot write the menu file";
    return result;
  }
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, kPressEventName);
  if (!event) {
    result.error = "cannot create the event, error " + std::to_string(GetLastError());
    return result;
  }
  {
    ProgramRun run(folder.Program());
    std::string why;
    HWND hwnd = run.WaitForWindow(kWindowTimeoutMs, &why);
    HWND button = hwnd ? GetDlgItem(hwnd, kFirstButtonId) : nullptr;
    if (!button) {
      result.error = hwnd ? "no button 0" : why;
    } else {
      for (int i = 0; i < presses; ++i) {
        if (!MoveToCentre(button, &why)) {
          result.error = "press " + std::to_string(i + 1) + ": " + why;
          break;
        }
        Sleep(100);  // the move (and the hint it sets) is over before the press
        ResetEvent(event);
        const std::vector<DWORD> before = run.Children(kPressTargetName);
        const double t0 = Now();
        SendMouseButton(Mouse::Left, true);
        SendMouseButton(Mouse::Left, false);
        DWORD started = 0;
        while (!started && Now() - t0 < 10000) {
          for (DWORD pid : run.Children(kPressTargetName))
            if (std::find(before.begin(), before.end(), pid) == before.end()) started = pid;
          if (!started) Sleep(1);
        }
        if (!started) {
          result.error = "no process started within 10 s of press " + std::to_string(i + 1);
          break;
        }
        result.existsMs.push_back(Now() - t0);
        if (WaitForSingleObject(event, 10000) == WAIT_OBJECT_0) result.runsMs.push_back(Now() - t0);
        WaitGone(started);
        Sleep(100);
      }
    }
  }
  CloseHandle(event);
  return result;
}

const char* Verdict(double ratio, double goal) {
  return ratio <= goal ? "met" : "NOT met";
}

int ArgValue(int argc, char** argv, const char* name, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::max(1, std::atoi(argv[i + 1]));
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = ArgValue(argc, argv, "--rounds", 10);
  const int presses = ArgValue(argc, argv, "--presses", 10);
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  std::string why;
  TestFolder minimalFolder(L"bench_minimal");
  TestFolder defaultFolder(L"bench_default");
  TestFolder bigFolder(L"bench_500");
  TestFolder noCheckFolder(L"bench_nocheck");
  const std::wstring minimalExe = minimalFolder.File(L"minimal_window.exe");
  std::string defaultMenu;
  bool ready = PrepareFolder(minimalFolder, &why) && PrepareFolder(defaultFolder, &why) &&
               PrepareFolder(bigFolder, &why) && PrepareFolder(noCheckFolder, &why);
  // The same program built without the menu file check, under the same name.
  if (ready && !CopyFileW(HostPathToWindows(LV_BENCH_NOCHECK_EXE).c_str(),
                          noCheckFolder.Program().c_str(), FALSE)) {
    why = "cannot copy the program without the check, error " + std::to_string(GetLastError());
    ready = false;
  }
  if (ready &&
      !CopyFileW(HostPathToWindows(LV_BENCH_MINIMAL_EXE).c_str(), minimalExe.c_str(), FALSE)) {
    why = "cannot copy the minimal program, error " + std::to_string(GetLastError());
    ready = false;
  }
  // The default menu already written, as on every start after the first: no Notepad.
  if (ready && !(ReadBytes(TestDataFile(L"default_menu_none_installed.oma"), defaultMenu) &&
                 WriteBytes(defaultFolder.MenuFile(), defaultMenu) &&
                 WriteBytes(noCheckFolder.MenuFile(), defaultMenu) &&
                 WriteBytes(bigFolder.MenuFile(), GenerateMenu(500)))) {
    why = "cannot write the menu files";
    ready = false;
  }
  if (!ready) {
    std::printf("Start-up benchmark not run: %s\n", why.c_str());
    return 0;
  }

  std::vector<Subject> subjects(4);
  subjects[0].label = "minimal empty window";
  subjects[0].exe = minimalExe;
  subjects[0].windowClass = kMinimalClass;
  subjects[1].label = "launcher, default menu";
  subjects[1].exe = defaultFolder.Program();
  subjects[1].windowClass = kFormClass;
  subjects[2].label = "launcher, 500 entries";
  subjects[2].exe = bigFolder.Program();
  subjects[2].windowClass = kFormClass;
  subjects[3].label = "default menu, no check";
  subjects[3].exe = noCheckFolder.Program();
  subjects[3].windowClass = kFormClass;

  // A first, untimed start of each: warms the file cache and tells how many buttons
  // the window has once start-up is over.
  for (Subject& s : subjects) {
    std::optional<Measurement> m = StartOnce(s, 0, &why);
    if (!m) {
      std::printf("%s: %s\n", s.label, why.c_str());
      continue;
    }
    s.buttons = m->buttons;
  }
  if (subjects[1].buttons >= 0 && subjects[1].buttons != kDefaultMenuButtons)
    std::printf("Note: the default menu gave %d buttons, not %d\n", subjects[1].buttons,
                kDefaultMenuButtons);

  for (Subject& s : subjects) s.roundMs.assign(static_cast<size_t>(rounds), -1);
  for (int round = 0; round < rounds; ++round) {
    for (size_t k = 0; k < subjects.size(); ++k) {
      Subject& s = subjects[(k + static_cast<size_t>(round)) % subjects.size()];
      if (s.buttons < 0) continue;
      std::optional<Measurement> m = StartOnce(s, s.buttons, &why);
      if (!m) {
        ++s.failures;
        std::printf("%s, round %d: %s\n", s.label, round + 1, why.c_str());
      } else {
        s.startMs.push_back(m->startMs);
        s.roundMs[static_cast<size_t>(round)] = m->startMs;
        s.peakMb.push_back(m->peakMb);
      }
      Sleep(kSettleMs);
    }
  }

  const Subject& base = subjects[0];
  const double baseMedian = Median(base.startMs), baseMin = Min(base.startMs);
  const double basePeak = Median(base.peakMb);
  std::printf("\n(b) CreateProcess until the window is visible with all its buttons\n");
  std::printf(
      "    %d rounds, the programs taking turns. Ratios against the minimal program:\n"
      "    of the medians (the goal's), median of each round's own ratio, of the minima\n",
      rounds);
  std::printf("    %-24s %7s %9s %7s %8s %7s %7s  %s\n", "program", "buttons", "median ms",
              "min ms", "medians", "rounds", "minima", "goal (medians)");
  const double goals[] = {0, 1.2, 2.0, 0};  // 0: no goal
  for (size_t i = 0; i < subjects.size(); ++i) {
    const Subject& s = subjects[i];
    if (s.startMs.empty()) {
      std::printf("    %-24s  no measurement\n", s.label);
      continue;
    }
    const double med = Median(s.startMs), mn = Min(s.startMs);
    std::printf("    %-24s %7d %9.1f %7.1f", s.label, s.buttons, med, mn);
    if (i == 0 || base.startMs.empty()) {
      std::printf("\n");
    } else {
      const double ratio = med / baseMedian;
      std::printf(" %7.2fx %6.2fx %6.2fx", ratio, PairedRatio(s, base), mn / baseMin);
      if (goals[i] > 0)
        std::printf("  <= %.1fx: %s\n", goals[i], Verdict(ratio, goals[i]));
      else
        std::printf("\n");
    }
  }
  // What the menu file check adds to a start: the same program and menu with and
  // without it, in the same rounds.
  const Subject& checked = subjects[1];
  const Subject& unchecked = subjects[3];
  if (!checked.startMs.empty() && !unchecked.startMs.empty())
    std::printf("    menu check at start-up: with / without, medians %.2fx, rounds %.2fx\n",
                Median(checked.startMs) / Median(unchecked.startMs),
                PairedRatio(checked, unchecked));
  for (const Subject& s : subjects) {
    std::printf("    %-24s runs (ms):", s.label);
    for (double ms : s.startMs) std::printf(" %.0f", ms);
    if (s.failures) std::printf("  (%d failed)", s.failures);
    std::printf("\n");
  }

  std::printf("\n(c) Peak working set while the window is up (median of the runs)\n");
  for (size_t i = 0; i < subjects.size(); ++i) {
    const Subject& s = subjects[i];
    if (s.peakMb.empty()) continue;
    const double peak = Median(s.peakMb);
    std::printf("    %-24s %8.1f MB", s.label, peak);
    if (i > 0 && basePeak > 0) std::printf("   %.2fx the minimal program", peak / basePeak);
    std::printf("\n");
  }

  std::printf("\n(d) Left click on a button until the process its command starts exists\n");
  PressResult press = BenchPress(presses);
  if (!press.existsMs.empty()) {
    std::printf("    process exists:        median %6.1f ms, min %6.1f ms (%zu presses)\n",
                Median(press.existsMs), Min(press.existsMs), press.existsMs.size());
    if (!press.runsMs.empty())
      std::printf("    its own code has run:  median %6.1f ms, min %6.1f ms\n",
                  Median(press.runsMs), Min(press.runsMs));
  }
  if (!press.error.empty()) std::printf("    %s\n", press.error.c_str());
  return 0;
}
