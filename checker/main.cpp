// valikkotarkistus for Linux and other systems: files read as they are, UTF-8 output.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "valikkotarkistus.h"

int main(int argc, char** argv) {
  lv::CheckerIo io;
  io.readFile = [](const std::string& path, std::string& bytes, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::ostringstream all;
      all << in.rdbuf();
      if (!in.bad()) {
        bytes = std::move(all).str();
        return true;
      }
    }
    const int error = errno;
    why = error == ENOENT   ? "tiedostoa ei ole"
          : error == EACCES ? "ei lukuoikeutta"
          : error == EISDIR ? "se on kansio"
                            : std::strerror(error);
    return false;
  };
  io.out = [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); };
  io.err = [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); };
  return lv::RunValikkotarkistus(std::vector<std::string>(argv + 1, argv + argc), io);
}
