#pragma once
// The file steps of appending rows to the menu file, on the real file system.
#include <windows.h>

#include "explorer_tricks.h"

namespace lv {

class Win32FileSystemOps : public FileSystemOps {
 public:
  FileOpResult ReadAll(const std::string& path, std::string& bytes) override;
  // Written completely and flushed to the disk before it counts as written.
  FileOpResult WriteAllFlushed(const std::string& path, std::string_view bytes) override;
  // One step that either replaces the target whole or leaves it as it was.
  FileOpResult ReplaceWith(const std::string& target, const std::string& replacement) override;
  // A file that is not there counts as removed.
  FileOpResult Remove(const std::string& path) override;

 protected:
  // One WriteFile call; tests make it fail part of the way through.
  virtual bool WriteSome(HANDLE file, const char* data, DWORD size, DWORD* written);
};

}  // namespace lv
