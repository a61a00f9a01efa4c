#include "menu_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lv {
namespace {

const char* EncodingName(TextEncoding e) {
  switch (e) {
    case TextEncoding::Windows1252: return "Windows1252";
    case TextEncoding::Utf8: return "Utf8";
    case TextEncoding::Utf8Bom: return "Utf8Bom";
  }
  return "?";
}

std::string Bytes(const char* s, size_t n) { return std::string(s, n); }

TEST(DetectEncoding, MarkValidUtf8OrWindows1252) {
  struct Case {
    std::string bytes;
    TextEncoding expected;
  } cases[] = {
      {"", TextEncoding::Windows1252},
      {"muistio = notepad\r\n", TextEncoding::Windows1252},  // plain ASCII reads the same either way
      {"\xEF\xBB\xBF", TextEncoding::Utf8Bom},
      {"\xEF\xBB\xBFtitle = x", TextEncoding::Utf8Bom},
      {"\xEF\xBB\xBF" "k\xE4ytt\xF6", TextEncoding::Utf8Bom},  // the mark decides, whatever follows
      {"\xEF\xBB", TextEncoding::Windows1252},                   // half a mark
      {"k\xC3\xA4ytt\xC3\xB6", TextEncoding::Utf8},              // "käyttö" as UTF-8
      {"euro \xE2\x82\xAC", TextEncoding::Utf8},
      {"\xF0\x9F\x98\x80", TextEncoding::Utf8},                  // four bytes
      {"\xF4\x8F\xBF\xBF", TextEncoding::Utf8},                  // U+10FFFF, the last one
      {"x\xEF\xBB\xBF", TextEncoding::Utf8},                     // a mark not at the start is text
      {Bytes("\0\0\xC3\xA4\0", 5), TextEncoding::Utf8},
      {"k\xE4ytt\xF6", TextEncoding::Windows1252},               // "käyttö" in Windows-1252
      {"\xC3\xA4 and \xE4", TextEncoding::Windows1252},           // one bad byte spoils the file
      {"\xC3", TextEncoding::Windows1252},                       // cut short
      {"\xE2\x82", TextEncoding::Windows1252},
      {"\xC0\xAF", TextEncoding::Windows1252},                   // overlong "/"
      {"\xE0\x80\xAF", TextEncoding::Windows1252},               // overlong
      {"\xF0\x80\x80\xAF", TextEncoding::Windows1252},           // overlong
      {"\xED\xA0\x80", TextEncoding::Windows1252},               // a surrogate
      {"\xF4\x90\x80\x80", TextEncoding::Windows1252},           // beyond U+10FFFF
      {"\xF8\x88\x80\x80\x80", TextEncoding::Windows1252},
      {"\x80", TextEncoding::Windows1252},                       // a lone continuation byte
      {"\xC3\xA4\x80", TextEncoding::Windows1252},
      {"\xFF\xFE", TextEncoding::Windows1252},
  };
  for (const Case& c : cases)
    EXPECT_STREQ(EncodingName(DetectEncoding(c.bytes)), EncodingName(c.expected))
        << testing::PrintToString(c.bytes);
}

// The characters of bytes 0x80 to 0x9F in Windows-1252, as UTF-8; the five bytes the
// code page leaves undefined stay the C1 control of the same number.
const char* const kHighCharacters[32] = {
    "€",        "\xC2\x81", "‚", "ƒ", "„", "…", "†", "‡", "ˆ", "‰", "Š",        "‹",
    "Œ",        "\xC2\x8D", "Ž", "\xC2\x8F", "\xC2\x90", "‘", "’", "“", "”", "•", "–", "—",
    "˜",        "™",        "š", "›", "œ", "\xC2\x9D", "ž", "Ÿ"};

TEST(Windows1252, HighTable) {
  for (int b = 0x80; b < 0xA0; ++b) {
    std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Windows1252ToUtf8(byte), kHighCharacters[b - 0x80]) << "byte " << b;
  }
}

TEST(Windows1252, LatinOneRangeAndAscii) {
  EXPECT_EQ(Windows1252ToUtf8("muistio"), "muistio");
  EXPECT_EQ(Windows1252ToUtf8("k\xE4ytt\xF6 \xC5"), "käyttö Å");
  EXPECT_EQ(Windows1252ToUtf8("\xA0"), "\xC2\xA0");
  EXPECT_EQ(Windows1252ToUtf8("\xFF"), "ÿ");
  EXPECT_EQ(Windows1252ToUtf8(Bytes("a\0b", 3)), Bytes("a\0b", 3));
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string utf8 = Windows1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, CharactersItCannotHoldBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string expected;
  } cases[] = {
      {"käyttö", "k\xE4ytt\xF6"},
      {"€ 5", "\x80 5"},
      {"Ÿ", "\x9F"},
      {"日本", "??"},
      {"\xF0\x9F\x98\x80!", "?!"},  // one character, one mark
      {"a\xC3", "a?"},              // a stray byte
      {"\xE4", "?"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.expected) << c.utf8;
}

TEST(SplitLines, CrLfCrAndLoneLf) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string text;
    Lines expected;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},  // a line end at the end makes no empty last line
      {"a\r", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR is two line ends
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"a\r\n\n", {"a", ""}},
      {Bytes("a\0\r\nb", 5), {Bytes("a\0", 2), "b"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string_view> got = SplitLines(c.text);
    EXPECT_EQ(Lines(got.begin(), got.end()), c.expected) << testing::PrintToString(c.text);
  }
}

TEST(DecodeMenuFile, DecodesAndSplits) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string bytes;
    TextEncoding encoding;
    Lines lines;
  } cases[] = {
      {"\xEF\xBB\xBFtitle = Oma\r\nK\xC3\xA4ynnist\xC3\xA4 = x\r\n", TextEncoding::Utf8Bom,
       {"title = Oma", "Käynnistä = x"}},
      {"\xEF\xBB\xBF", TextEncoding::Utf8Bom, {}},
      {"K\xC3\xA4ynnist\xC3\xA4 = x\ny = z", TextEncoding::Utf8, {"Käynnistä = x", "y = z"}},
      {"K\xE4ynnist\xE4 = x\r\n\x80 = y", TextEncoding::Windows1252, {"Käynnistä = x", "€ = y"}},
      {"title = \xA0Oma", TextEncoding::Windows1252, {"title = \xC2\xA0Oma"}},
      // The mark, then bytes that are not UTF-8: each becomes U+FFFD.
      {"\xEF\xBB\xBFk\xE4y\r\nok", TextEncoding::Utf8Bom, {"k\xEF\xBF\xBDy", "ok"}},
      // A Windows-1252 byte pair that happens to look like UTF-8 is read as UTF-8 only
      // when the whole file is valid.
      {"\xC3\xA4\r\n\xE4", TextEncoding::Windows1252, {"Ã¤", "ä"}},
  };
  for (const Case& c : cases) {
    MenuText text;
    DecodeMenuFile(c.bytes, text);
    EXPECT_STREQ(EncodingName(text.encoding), EncodingName(c.encoding))
        << testing::PrintToString(c.bytes);
    EXPECT_EQ(Lines(text.lines.begin(), text.lines.end()), c.lines)
        << testing::PrintToString(c.bytes);
    EXPECT_TRUE(IsValidUtf8(text.text));
  }
}

TEST(DecodeMenuFile, LinesPointIntoTheDecodedText) {
  MenuText text;
  DecodeMenuFile("a\xE4\r\nb", text);
  ASSERT_EQ(text.lines.size(), 2u);
  EXPECT_EQ(text.lines[0].data(), text.text.data());
  EXPECT_EQ(text.lines[1].data(), text.text.data() + 5);  // "aä" is three bytes, then CR LF
}

}  // namespace
}  // namespace lv
