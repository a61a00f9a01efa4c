#pragma once
// Turns the bytes of a menu file into lines of UTF-8 text.
#include <string>
#include <string_view>
#include <vector>

namespace lv {

enum class TextEncoding {
  Windows1252,  // the classic Notepad "ANSI" file
  Utf8,         // valid UTF-8 with at least one multi-byte sequence, no mark
  Utf8Bom,      // begins with the UTF-8 byte-order mark
};

// Decided once for the whole file: a byte-order mark means UTF-8; otherwise a file
// that is entirely valid UTF-8 and holds a multi-byte sequence is UTF-8; every other
// file is Windows-1252.
TextEncoding DetectEncoding(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes, bool* hasMultiByte = nullptr);

std::string Windows1252ToUtf8(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?', as Windows does.
std::string Utf8ToWindows1252(std::string_view utf8);

// Splits at CR LF, CR and a lone LF; the pair counts as one line end. The last line
// needs no line end, and a file that ends with a line end has no empty last line.
// The views point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// The decoded file: `text` holds the whole file as valid UTF-8 (without the mark;
// bytes that are not UTF-8 in a file with the mark become U+FFFD) and `lines`
// point into it. Not copyable, since the views would dangle.
struct MenuText {
  TextEncoding encoding = TextEncoding::Windows1252;
  std::string text;
  std::vector<std::string_view> lines;

  MenuText() = default;
  MenuText(const MenuText&) = delete;
  MenuText& operator=(const MenuText&) = delete;
};

void DecodeMenuFile(std::string_view bytes, MenuText& out);

}  // namespace lv
