#include "menu_text.h"

#include <array>
#include <cstdint>

namespace lv {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Code points of bytes 0x80-0x9F in Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same number, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not valid.
// Rejects overlong forms, surrogates and code points above U+10FFFF.
size_t Utf8SequenceLength(std::string_view text, size_t i, uint32_t* cp) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char c = b(i);
  size_t len;
  uint32_t v;
  if (c < 0x80) {
    *cp = c;
    return 1;
  } else if (c >= 0xC2 && c <= 0xDF) {
    len = 2, v = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3, v = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4, v = c & 0x07;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    v = (v << 6) | (b(i + k) & 0x3F);
  }
  if ((len == 3 && v < 0x800) || (len == 4 && v < 0x10000) || v > 0x10FFFF ||
      (v >= 0xD800 && v <= 0xDFFF))
    return 0;
  *cp = v;
  return len;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes, bool* hasMultiByte) {
  bool multi = false;
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    uint32_t cp;
    size_t len = Utf8SequenceLength(bytes, i, &cp);
    if (len == 0) return false;
    multi = true;
    i += len;
  }
  if (hasMultiByte) *hasMultiByte = multi;
  return true;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kBom)) return TextEncoding::Utf8Bom;
  bool multi = false;
  if (IsValidUtf8(bytes, &multi) && multi) return TextEncoding::Utf8;
  return TextEncoding::Windows1252;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char ch : bytes) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 0x80)
      out.push_back(ch);
    else if (c < 0xA0)
      AppendUtf8(out, kHighTable[c - 0x80]);
    else
      AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp;
    size_t len = Utf8SequenceLength(utf8, i, &cp);
    if (len == 0) {  // stray byte: not a character
      out.push_back('?');
      ++i;
      continue;
    }
    i += len;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    char mapped = '?';
    for (size_t k = 0; k < kHighTable.size(); ++k)
      if (kHighTable[k] == cp) mapped = static_cast<char>(0x80 + k);
    out.push_back(mapped);
  }
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.push_back(text.substr(start));
  return lines;
}

void DecodeMenuFile(std::string_view bytes, MenuText& out) {
  out.encoding = DetectEncoding(bytes);
  switch (out.encoding) {
    case TextEncoding::Utf8Bom: out.text.assign(bytes.substr(kBom.size())); break;
    case TextEncoding::Utf8: out.text.assign(bytes); break;
    case TextEncoding::Windows1252: out.text = Windows1252ToUtf8(bytes); break;
  }
  out.lines = SplitLines(out.text);
}

}  // namespace lv
