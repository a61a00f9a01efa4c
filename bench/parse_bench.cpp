// Reading the menu file, measured against the least any reader must do: a generated
// menu file of about 1 MB goes (a) through DecodeMenuFile and ComputeStartup, and
// (b) through a bare split at CR and LF that touches every byte, and (c) through the
// whole menu file check. Prints the figures and their ratios against the goals of at
// most 4x for (a)/(b) and at most 2x for (c)/(a); never fails on them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "menu_check.h"
#include "menu_text.h"
#include "startup.h"

namespace {

using Clock = std::chrono::steady_clock;

// A menu file as users grow them from the default one: comments, settings, product
// blocks with help and update pages on the modifier keys, tips, blank lines, and
// Finnish letters as Windows-1252 bytes. Roughly `targetBytes` long, CR LF throughout.
std::string GenerateMenuFile(size_t targetBytes) {
  const char* const products[] = {"Kirjanpito",
                                  "Palkanlaskenta",
                                  "Laskutus",
                                  "Reskontra",
                                  "Varasto",
                                  "Tilinp\xE4\xE4t\xF6s",
                                  "Ty\xF6"
                                  "aika",
                                  "Kassa"};
  std::string out;
  out.reserve(targetBytes + 4096);
  out +=
      "; Lumora Valikko: oma valikko. Rivit, jotka alkavat puolipisteell\xE4, ovat "
      "kommentteja.\r\n";
  out += "rem Asetukset\r\n";
  out += "title = \xA0Toimiston valikko\r\n";
  out += "cmdaja.height = 450\r\n";
  out += "cmdAja.width = 3800\r\n";
  out += "me.left = 1200\r\n";
  out += "me.top = 900\r\n\r\n";
  for (size_t block = 0; out.size() < targetBytes; ++block) {
    const std::string name = std::string(products[block % std::size(products)]) + " " +
                             std::to_string(block / std::size(products) + 1);
    const std::string folder = "C:\\LUMORA\\" + std::to_string(block);
    out += "; --- " + name + " ---\r\n";
    out += "&" + name + " = cmd /c if exist " + folder + "\\OHJELMA.EXE (" + folder +
           "\\OHJELMA.EXE) ELSE (start https://www.lumora.example/tuotteet/" +
           std::to_string(block) + ")\r\n";
    out += "  .shift = https://www.lumora.example/ohjeet/" + std::to_string(block) + "\r\n";
    out += "  .ctrl = https://www.lumora.example/p\xE4ivitykset/" + std::to_string(block) + "\r\n";
    out += "  .tooltip = " + name + ": shift avaa ohjeen, ctrl p\xE4ivitykset\r\n";
    if (block % 3 == 0) out += "  .clicktitle = Odota ...\r\n";
    if (block % 5 == 0) out += "  .right = explorer " + folder + "\r\n";
    out += "\r\n";
  }
  return out;
}

// The least a line reader can do: find every line end, keep every line.
std::vector<std::string_view> BareSplit(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.push_back(text.substr(start));
  return lines;
}

volatile size_t gSink;  // keeps the measured work from being optimised away

template <typename F>
double Seconds(F&& work) {
  auto t0 = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

struct Best {
  double seconds = 1e30;
  void Add(double s) { seconds = std::min(seconds, s); }
};

}  // namespace

int main() {
  const std::string file = GenerateMenuFile(1 << 20);
  const double megabytes = static_cast<double>(file.size()) / (1 << 20);

  size_t lineCount = 0, entryCount = 0;
  {
    lv::MenuText text;
    lv::DecodeMenuFile(file, text);
    lineCount = text.lines.size();
    entryCount = lv::ComputeStartup(text.lines).entries.size();
  }

  // The same menu saved as UTF-8 by a modern editor: validated in full, then copied.
  std::string utf8File;
  {
    lv::MenuText text;
    lv::DecodeMenuFile(file, text);
    utf8File = text.text;
  }

  // Interleaved, so that all see the same state of the machine; best of each.
  Best full, decode, fullUtf8, bare, check;
  const int rounds = 60;
  for (int round = 0; round < rounds; ++round) {
    full.Add(Seconds([&] {
      lv::MenuText text;
      lv::DecodeMenuFile(file, text);
      gSink = lv::ComputeStartup(text.lines).entries.size();
    }));
    decode.Add(Seconds([&] {
      lv::MenuText text;
      lv::DecodeMenuFile(file, text);
      gSink = text.lines.size();
    }));
    fullUtf8.Add(Seconds([&] {
      lv::MenuText text;
      lv::DecodeMenuFile(utf8File, text);
      gSink = lv::ComputeStartup(text.lines).entries.size();
    }));
    bare.Add(Seconds([&] { gSink = BareSplit(file).size(); }));
    check.Add(Seconds([&] { gSink = lv::CheckMenuFile(file).findings.size(); }));
  }

  const double ratio = full.seconds / bare.seconds;
  std::printf("Menu file: %.2f MB, %zu lines, %zu entries, Windows-1252, CR LF\n", megabytes,
              lineCount, entryCount);
  std::printf("(a) DecodeMenuFile + ComputeStartup: %8.1f MB/s  (%.3f ms, best of %d)\n",
              megabytes / full.seconds, full.seconds * 1e3, rounds);
  std::printf("    of which DecodeMenuFile alone:   %8.1f MB/s  (%.3f ms)\n",
              megabytes / decode.seconds, decode.seconds * 1e3);
  std::printf("    the same menu as UTF-8:          %8.1f MB/s  (%.3f ms, ratio %.2fx)\n",
              static_cast<double>(utf8File.size()) / (1 << 20) / fullUtf8.seconds,
              fullUtf8.seconds * 1e3,
              fullUtf8.seconds / bare.seconds * static_cast<double>(file.size()) /
                  static_cast<double>(utf8File.size()));
  std::printf("(b) bare CR/LF line split:           %8.1f MB/s  (%.3f ms, best of %d)\n",
              megabytes / bare.seconds, bare.seconds * 1e3, rounds);
  std::printf("Ratio (a)/(b): %.2fx (goal: at most 4x) %s\n", ratio,
              ratio <= 4.0 ? "- met" : "- NOT met");
  // The checker reads the file through the same decoder and start-up, and adds its own.
  const double checkRatio = check.seconds / full.seconds;
  std::printf("(c) CheckMenuFile, the whole check:  %8.1f MB/s  (%.3f ms, best of %d)\n",
              megabytes / check.seconds, check.seconds * 1e3, rounds);
  std::printf("Ratio (c)/(a): %.2fx (goal: at most 2x) %s\n", checkRatio,
              checkRatio <= 2.0 ? "- met" : "- NOT met");
  return 0;
}
