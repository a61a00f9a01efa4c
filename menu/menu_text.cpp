#include "menu_text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace lv {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Code points of bytes 0x80-0x9F in Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same number, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

// The UTF-8 form of every Windows-1252 byte, for decoding without branching on ranges.
struct Utf8Bytes {
  uint8_t size = 0;
  char bytes[3] = {};
};

constexpr std::array<Utf8Bytes, 256> MakeWindows1252Table() {
  std::array<Utf8Bytes, 256> table{};
  for (unsigned b = 0; b < 256; ++b) {
    uint32_t cp = (b >= 0x80 && b < 0xA0) ? kHighTable[b - 0x80] : b;
    Utf8Bytes& t = table[b];
    if (cp < 0x80) {
      t.size = 1;
      t.bytes[0] = static_cast<char>(cp);
    } else if (cp < 0x800) {
      t.size = 2;
      t.bytes[0] = static_cast<char>(0xC0 | (cp >> 6));
      t.bytes[1] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      t.size = 3;
      t.bytes[0] = static_cast<char>(0xE0 | (cp >> 12));
      t.bytes[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      t.bytes[2] = static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return table;
}

constexpr std::array<Utf8Bytes, 256> kWindows1252Utf8 = MakeWindows1252Table();

// Eight bytes at a time: menu files are mostly ASCII, and the reader's cost is
// dominated by walking over it.
uint64_t Load8(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Nonzero when some byte of `v` is zero (the classic bit trick; exact for "any").
uint64_t HasZeroByte(uint64_t v) {
  return (v - kOnes) & ~v & kHighBits;
}

// The first position at or after `i` that holds a byte of 0x80 or above, or `n`.
size_t SkipAscii(const char* p, size_t i, size_t n) {
  while (i + 8 <= n && (Load8(p + i) & kHighBits) == 0) i += 8;
  while (i < n && static_cast<unsigned char>(p[i]) < 0x80) ++i;
  return i;
}

// The first position at or after `i` that holds a CR or an LF, or `n`.
size_t FindLineEnd(const char* p, size_t i, size_t n) {
  while (i + 8 <= n) {
    uint64_t v = Load8(p + i);
    if (HasZeroByte(v ^ (kOnes * '\r')) | HasZeroByte(v ^ (kOnes * '\n'))) break;
    i += 8;
  }
  while (i < n && p[i] != '\r' && p[i] != '\n') ++i;
  return i;
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
    i = SkipAscii(bytes.data(), i, bytes.size());
    if (i == bytes.size()) break;
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
  // Two passes, counting and then writing, so the result is allocated once and exactly.
  const char* in = bytes.data();
  const size_t n = bytes.size();
  size_t size = 0;
  for (size_t i = 0; i < n;) {
    size_t ascii = SkipAscii(in, i, n);
    size += ascii - i;
    if ((i = ascii) < n) size += kWindows1252Utf8[static_cast<unsigned char>(in[i++])].size;
  }
  std::string out(size, '\0');
  char* o = out.data();
  for (size_t i = 0; i < n;) {
    size_t ascii = SkipAscii(in, i, n);
    std::memcpy(o, in + i, ascii - i);
    o += ascii - i;
    if ((i = ascii) < n) {
      const Utf8Bytes& t = kWindows1252Utf8[static_cast<unsigned char>(in[i++])];
      for (uint8_t k = 0; k < t.size; ++k) *o++ = t.bytes[k];
    }
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
  const char* p = text.data();
  const size_t n = text.size();
  size_t start = 0;
  for (size_t i = FindLineEnd(p, 0, n); i < n; i = FindLineEnd(p, start, n)) {
    lines.push_back(text.substr(start, i - start));
    if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.push_back(text.substr(start));
  return lines;
}

namespace {

// A file with the mark may still hold bytes that are not UTF-8 (an editor that wrote
// the mark and then appended Windows-1252 text); each such byte becomes U+FFFD, as
// Notepad shows it, so that the text inside the program is always valid UTF-8.
void AssignUtf8Repaired(std::string& out, std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    out.assign(bytes);
    return;
  }
  out.clear();
  out.reserve(bytes.size() + bytes.size() / 2);
  for (size_t i = 0; i < bytes.size();) {
    uint32_t cp;
    size_t len = Utf8SequenceLength(bytes, i, &cp);
    if (len == 0) {
      AppendUtf8(out, 0xFFFD);
      ++i;
    } else {
      out.append(bytes.substr(i, len));
      i += len;
    }
  }
}

}  // namespace

void DecodeMenuFile(std::string_view bytes, MenuText& out) {
  out.encoding = DetectEncoding(bytes);
  switch (out.encoding) {
    case TextEncoding::Utf8Bom: AssignUtf8Repaired(out.text, bytes.substr(kBom.size())); break;
    case TextEncoding::Utf8: out.text.assign(bytes); break;
    case TextEncoding::Windows1252: out.text = Windows1252ToUtf8(bytes); break;
  }
  out.lines = SplitLines(out.text);
}

}  // namespace lv
