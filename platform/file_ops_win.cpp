#include "file_ops_win.h"

#include <algorithm>

#include "file_win.h"
#include "text_win.h"

namespace lv {

namespace {

FileOpResult FailedWith(DWORD error) {
  return FileOpResult::Failed(SystemErrorText(error));
}

}  // namespace

FileOpResult Win32FileSystemOps::ReadAll(const std::string& path, std::string& bytes) {
  Win32Result read = ReadWholeFile(path, bytes);
  return read.ok ? FileOpResult::Ok() : FailedWith(read.error);
}

bool Win32FileSystemOps::WriteSome(HANDLE file, const char* data, DWORD size, DWORD* written) {
  return WriteFile(file, data, size, written, nullptr) != 0;
}

FileOpResult Win32FileSystemOps::WriteAllFlushed(const std::string& path, std::string_view bytes) {
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return FailedWith(GetLastError());
  DWORD error = ERROR_SUCCESS;
  for (size_t done = 0; done < bytes.size() && error == ERROR_SUCCESS;) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteSome(file, bytes.data() + done, chunk, &wrote))
      error = GetLastError();
    else if (wrote == 0)
      error = ERROR_WRITE_FAULT;
    done += wrote;
  }
  if (error == ERROR_SUCCESS && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  return error == ERROR_SUCCESS ? FileOpResult::Ok() : FailedWith(error);
}

FileOpResult Win32FileSystemOps::ReplaceWith(const std::string& target,
                                             const std::string& replacement) {
  // A read-only menu file is the user's wish not to change it. Windows refuses to move
  // over one, and some file systems would not: refuse it here, the same everywhere.
  DWORD attributes = GetFileAttributesW(Utf8ToWide(target).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return FailedWith(ERROR_ACCESS_DENIED);
  // MoveFileExW rather than ReplaceFileW: when ReplaceFileW fails half-way the target
  // may already be gone, and the temporary file is then the only copy.
  if (!MoveFileExW(Utf8ToWide(replacement).c_str(), Utf8ToWide(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return FailedWith(GetLastError());
  return FileOpResult::Ok();
}

FileOpResult Win32FileSystemOps::Remove(const std::string& path) {
  if (DeleteFileW(Utf8ToWide(path).c_str())) return FileOpResult::Ok();
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileOpResult::Ok();
  return FailedWith(error);
}

}  // namespace lv
