// valikkotarkistus.exe, the Windows console program.
#include <windows.h>

#include "console_win.h"
#include "file_win.h"
#include "program_search_win.h"
#include "text_win.h"
#include "valikkotarkistus.h"

int wmain(int argc, wchar_t** argv) {
  lv::CheckerIo io;
  io.readFile = [](const std::string& path, std::string& bytes, std::string& why) {
    lv::Win32Result read = lv::ReadWholeFile(path, bytes);
    if (!read.ok) why = lv::SystemErrorText(read.error);
    return read.ok;
  };
  io.out = [](std::string_view text) { lv::WriteStd(STD_OUTPUT_HANDLE, text); };
  io.err = [](std::string_view text) { lv::WriteStd(STD_ERROR_HANDLE, text); };
  io.findProgram = lv::FindProgram;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(lv::WideToUtf8(argv[i]));
  return lv::RunValikkotarkistus(args, io);
}
