#include "file_win.h"

#include <vector>

#include "text_win.h"

namespace lv {

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

std::wstring ModulePath() {
  std::vector<wchar_t> buffer(512);
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

bool fe_levylla(const std::string& tiedosto) {
  if (tiedosto.empty()) return false;
  // No "drive not ready" box for an empty floppy or card reader.
  UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileExW(Utf8ToWide(tiedosto).c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0));
  bool found = false;
  if (find.get() != INVALID_HANDLE_VALUE) {
    const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
      found = (data.dwFileAttributes & excluded) == 0;
    } while (!found && FindNextFileW(find.get(), &data));
  }
  SetErrorMode(oldMode);
  return found;
}

std::string ProgramFolder() {
  std::wstring path = ModulePath();
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  std::wstring folder = path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // a drive root keeps its "\"
  return WideToUtf8(folder);
}

std::string ProgramBaseName() {
  std::wstring path = ModulePath();
  size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return WideToUtf8(name);
}

Win32Result ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                              nullptr));
  if (!file.valid()) return Win32Result::Failed();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return Win32Result::Failed();
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr))
      return Win32Result::Failed();
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return {};
}

Win32Result WriteNewFile(const std::string& path, std::string_view bytes) {
  FileHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Win32Result::Failed();
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr))
      return Win32Result::Failed();
    done += wrote;
  }
  return {};
}

}  // namespace lv
