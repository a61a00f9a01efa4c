// Appending the example rows on the real file system, with its failures made to
// happen: whatever goes wrong, the menu file keeps every byte it had, the temporary
// file does not stay behind, and the result names the step that failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "explorer_tricks.h"
#include "file_ops_win.h"
#include "text_win.h"

namespace lv {
namespace {

// A folder of its own under the temporary folder, emptied first.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    path_ = WideToUtf8(std::wstring(temp, n)) + "lv-file-ops-" + name;
    Clear();
    created_ = CreateDirectoryW(Utf8ToWide(path_).c_str(), nullptr) != 0;
  }
  ~ScratchFolder() { Clear(); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool created() const { return created_; }
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Utf8ToWide(path_ + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") names.push_back(WideToUtf8(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  // Read-only marks are taken off first: a read-only file cannot be deleted.
  void Clear() {
    const std::wstring folder = Utf8ToWide(path_);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring file = folder + L"\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (data.cFileName[0] != L'.') RemoveDirectoryW(file.c_str());
          continue;
        }
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }

  std::string path_;
  bool created_ = false;
};

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A menu file with what the copy must keep: Windows-1252 letters, a comment, a blank
// line, a lone LF inside a line and no line end after the last line.
const std::string kMenuBefore =
    "title = Ty\xF6kalut\r\n"
    "; kommentti\r\n"
    "\r\n"
    "eka = cmd /c echo 1\n"
    "toka = notepad\r\n"
    "viimeinen = cmd";

// A menu file well over one write call of the file layer (1 MiB).
std::string LargeMenu() {
  std::string bytes;
  for (int i = 0; bytes.size() < (3u << 20) / 2; ++i)
    bytes += "rivi " + std::to_string(i) + " = cmd /c echo " + std::string(40, 'x') + "\r\n";
  return bytes;
}

// Makes each write call write at most `perCall` bytes, and fail (as a full disk
// does) once `budget` bytes have been written in all.
class LimitedWrites : public Win32FileSystemOps {
 public:
  LimitedWrites(size_t budget, DWORD perCall) : budget_(budget), perCall_(perCall) {}
  size_t written() const { return written_; }
  int calls() const { return calls_; }

 protected:
  bool WriteSome(HANDLE file, const char* data, DWORD size, DWORD* wrote) override {
    ++calls_;
    *wrote = 0;
    if (written_ >= budget_) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    DWORD now = static_cast<DWORD>(std::min<size_t>({size, perCall_, budget_ - written_}));
    if (!Win32FileSystemOps::WriteSome(file, data, now, wrote)) return false;
    written_ += *wrote;
    return true;
  }

 private:
  size_t budget_;
  DWORD perCall_;
  size_t written_ = 0;
  int calls_ = 0;
};

// A write call that reports success but writes nothing: the loop must not spin.
class WritesNothing : public Win32FileSystemOps {
 protected:
  bool WriteSome(HANDLE, const char*, DWORD, DWORD* wrote) override {
    *wrote = 0;
    return true;
  }
};

// ---------------------------------------------------------------------------
// Faults: the menu file keeps its bytes, the result names the step.

struct Paths {
  std::string folder, td, temp;
};

// Handles a case holds open while the appending runs; closed afterwards.
struct Held {
  std::vector<HANDLE> handles;
  ~Held() {
    for (HANDLE h : handles) CloseHandle(h);
  }
};

struct FaultCase {
  const char* name;
  std::string menu;
  // Breaks the file system the way the case needs; false when it could not.
  std::function<bool(Paths&, Held&)> breakIt;
  // Null for the real file layer.
  std::function<std::unique_ptr<Win32FileSystemOps>()> files;
  const char* step;
  // The menu file is not there before or after (it was deleted).
  bool menuGone = false;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

HANDLE OpenWithSharing(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileW(Utf8ToWide(path).c_str(), access, share, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

const FaultCase kFaultCases[] = {
    {"MenuFileReadOnly", kMenuBefore,
     [](Paths& p, Held&) {
       return SetFileAttributesW(Utf8ToWide(p.td).c_str(), FILE_ATTRIBUTE_READONLY) != 0;
     },
     nullptr, kStepReplaceMenu},
    // Another program reading the menu file without letting it be replaced.
    {"MenuFileOpenWithoutDeleteSharing", kMenuBefore,
     [](Paths& p, Held& held) {
       HANDLE h = OpenWithSharing(p.td, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
       if (h == INVALID_HANDLE_VALUE) return false;
       held.handles.push_back(h);
       return true;
     },
     nullptr, kStepReplaceMenu},
    {"MenuFileDeletedSinceStartUp", kMenuBefore,
     [](Paths& p, Held&) { return DeleteFileW(Utf8ToWide(p.td).c_str()) != 0; }, nullptr,
     kStepReadMenu, true},
    // The temporary file cannot be made where the program wants it: its folder is
    // not there.
    {"TemporaryFileCannotBeCreated", kMenuBefore,
     [](Paths& p, Held&) {
       p.temp = p.folder + "\\puuttuu\\~valikko.oma";
       return true;
     },
     nullptr, kStepWriteTemp},
    {"WriteFailsHalfWay", kMenuBefore, nullptr,
     [] { return std::make_unique<LimitedWrites>(kMenuBefore.size() / 2, 0xFFFFFFFF); },
     kStepWriteTemp},
    {"WriteFailsHalfWayInSmallPieces", kMenuBefore, nullptr,
     [] { return std::make_unique<LimitedWrites>(100, 7); }, kStepWriteTemp},
    {"WriteFailsAfterTheFirstMegabyte", LargeMenu(), nullptr,
     [] { return std::make_unique<LimitedWrites>((1u << 20) + 12345, 0xFFFFFFFF); },
     kStepWriteTemp},
    {"WriteMakesNoProgress", kMenuBefore, nullptr, [] { return std::make_unique<WritesNothing>(); },
     kStepWriteTemp},
};

class AppendFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(AppendFaults, MenuFileKeepsItsBytes) {
  const FaultCase& c = GetParam();
  ScratchFolder folder(c.name);
  ASSERT_TRUE(folder.created()) << folder.path();
  Paths paths{folder.path(), folder.File("valikko.oma"), folder.File("~valikko.oma")};
  ASSERT_TRUE(WriteFileBytes(paths.td, c.menu));

  std::unique_ptr<Win32FileSystemOps> files =
      c.files ? c.files() : std::make_unique<Win32FileSystemOps>();
  AppendResult result;
  {
    Held held;
    if (c.breakIt) {
      ASSERT_TRUE(c.breakIt(paths, held)) << "error " << GetLastError();
    }
    result = lisaaniksit(*files, paths.td, paths.temp);
  }

  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.step, c.step);
  EXPECT_FALSE(result.reason.empty()) << "the failure's reason is missing";
  EXPECT_FALSE(result.tempLeft) << result.tempRemoveReason;
  EXPECT_FALSE(Exists(paths.temp)) << paths.temp << " was left behind";
  const std::vector<std::string> expectedNames =
      c.menuGone ? std::vector<std::string>{} : std::vector<std::string>{"valikko.oma"};
  EXPECT_EQ(folder.Names(), expectedNames);

  std::string after;
  if (c.menuGone) {
    EXPECT_FALSE(Exists(paths.td)) << "a menu file was made up";
  } else {
    ASSERT_TRUE(ReadFileBytes(paths.td, after));
    EXPECT_TRUE(after == c.menu) << "the menu file changed: " << after.size() << " bytes, was "
                                 << c.menu.size();
  }

  // The message names the step and the reason, and says the menu file is unharmed.
  const std::string text = AppendFailureText(result, paths.td, paths.temp);
  EXPECT_NE(text.find(c.step), std::string::npos) << text;
  std::string reason = result.reason;
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
  EXPECT_NE(text.find(reason), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(Win32, AppendFaults, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<FaultCase>& param) {
                           return std::string(param.param.name);
                         });

// The half-way failures really stopped in the middle of the temporary file.
TEST(AppendFaultSeam, FailingWriteStopsPartWay) {
  ScratchFolder folder("seam");
  ASSERT_TRUE(folder.created());
  const std::string td = folder.File("valikko.oma");
  ASSERT_TRUE(WriteFileBytes(td, kMenuBefore));
  LimitedWrites files(100, 7);
  AppendResult result = lisaaniksit(files, td, folder.File("~valikko.oma"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(files.written(), 100u);
  EXPECT_EQ(files.calls(), 100 / 7 + 2) << "15 calls of 7 or fewer bytes, then the failing one";
  EXPECT_EQ(result.reason, SystemErrorText(ERROR_DISK_FULL));
}

// A ~valikko.oma that another program holds open without sharing can be neither
// written nor removed: the menu file and the holder's file both keep their bytes, and
// the result (and so the message) says the file was left and why.
TEST(AppendFaults, TemporaryFileHeldOpenWithoutSharing) {
  ScratchFolder folder("held-temp");
  ASSERT_TRUE(folder.created());
  const std::string td = folder.File("valikko.oma");
  const std::string temp = folder.File("~valikko.oma");
  const std::string theirs = "someone else's bytes\r\n";
  ASSERT_TRUE(WriteFileBytes(td, kMenuBefore));
  ASSERT_TRUE(WriteFileBytes(temp, theirs));

  Win32FileSystemOps files;
  AppendResult result;
  {
    HANDLE h = OpenWithSharing(temp, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    result = lisaaniksit(files, td, temp);
    CloseHandle(h);
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.step, kStepWriteTemp);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_TRUE(result.tempLeft);
  EXPECT_FALSE(result.tempRemoveReason.empty());
  const std::string text = AppendFailureText(result, td, temp);
  EXPECT_NE(text.find(temp), std::string::npos) << "the message must name the file left: " << text;

  std::string after;
  ASSERT_TRUE(ReadFileBytes(td, after));
  EXPECT_TRUE(after == kMenuBefore) << "the menu file changed";
  ASSERT_TRUE(ReadFileBytes(temp, after));
  EXPECT_EQ(after, theirs) << "the held file was written into";
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"valikko.oma", "~valikko.oma"}));
}

// Windows does not stop file creation in a folder marked read-only, and Wine ignores
// the mark on folders altogether: the folder case only has something to show where
// the mark does stop writes.
TEST(AppendFaults, FolderReadOnly) {
  ScratchFolder folder("read-only-folder");
  ASSERT_TRUE(folder.created());
  const std::string td = folder.File("valikko.oma");
  ASSERT_TRUE(WriteFileBytes(td, kMenuBefore));
  ASSERT_TRUE(SetFileAttributesW(Utf8ToWide(folder.path()).c_str(), FILE_ATTRIBUTE_READONLY));
  if (WriteFileBytes(folder.File("probe"), "x")) {
    DeleteFileW(Utf8ToWide(folder.File("probe")).c_str());
    GTEST_SKIP() << "files can still be created in a read-only folder here";
  }
  Win32FileSystemOps files;
  AppendResult result = lisaaniksit(files, td, folder.File("~valikko.oma"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.step, kStepWriteTemp);
  std::string after;
  ASSERT_TRUE(ReadFileBytes(td, after));
  EXPECT_TRUE(after == kMenuBefore);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"valikko.oma"}));
}

// ---------------------------------------------------------------------------
// Success: the menu file holds exactly the appended content, and only it is left.

struct SuccessCase {
  const char* name;
  std::string menu;
  std::function<std::unique_ptr<Win32FileSystemOps>()> files;
  const char* leftover;  // an earlier run's ~valikko.oma, or null
};

void PrintTo(const SuccessCase& c, std::ostream* os) {
  *os << c.name;
}

const SuccessCase kSuccessCases[] = {
    {"Plain", kMenuBefore, [] { return std::make_unique<Win32FileSystemOps>(); }, nullptr},
    {"EmptyFile", "", [] { return std::make_unique<Win32FileSystemOps>(); }, nullptr},
    {"LeftoverTemporaryFileOverwritten", kMenuBefore,
     [] { return std::make_unique<Win32FileSystemOps>(); },
     "an earlier run's rows, longer than the new content would be if it were not emptied\r\n"},
    // Short writes are carried on from where they stopped.
    {"SevenBytesAtATime", kMenuBefore, [] { return std::make_unique<LimitedWrites>(~0u, 7); },
     nullptr},
    {"LargerThanOneWrite", LargeMenu(), [] { return std::make_unique<Win32FileSystemOps>(); },
     nullptr},
};

class AppendSucceeds : public testing::TestWithParam<SuccessCase> {};

TEST_P(AppendSucceeds, MenuFileGetsTheRows) {
  const SuccessCase& c = GetParam();
  ScratchFolder folder(c.name);
  ASSERT_TRUE(folder.created());
  const std::string td = folder.File("valikko.oma");
  const std::string temp = folder.File("~valikko.oma");
  ASSERT_TRUE(WriteFileBytes(td, c.menu));
  if (c.leftover) {
    ASSERT_TRUE(WriteFileBytes(temp, c.leftover));
  }

  std::unique_ptr<Win32FileSystemOps> files = c.files();
  AppendResult result = lisaaniksit(*files, td, temp);
  ASSERT_TRUE(result.ok) << result.step << ": " << result.reason;

  std::string after;
  ASSERT_TRUE(ReadFileBytes(td, after));
  EXPECT_TRUE(after == AppendExplorerTricks(c.menu))
      << after.size() << " bytes, expected " << AppendExplorerTricks(c.menu).size();
  // Independently of the content builder: the first line with its own bytes first,
  // the last row last.
  if (!c.menu.empty()) {
    EXPECT_TRUE(after.starts_with(c.menu.substr(0, c.menu.find('\n') + 1)));
  }
  EXPECT_TRUE(after.ends_with("\r\nSammuta = cmd /c start shutdown -s -t 0\r\n"));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"valikko.oma"}));
}

INSTANTIATE_TEST_SUITE_P(Win32, AppendSucceeds, testing::ValuesIn(kSuccessCases),
                         [](const testing::TestParamInfo<SuccessCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace lv
