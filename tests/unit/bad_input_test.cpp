// Files no user means to write: the reader and start-up must still finish quickly,
// with results in proportion to the file, and leave a usable window.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "leading_number.h"
#include "menu_text.h"
#include "startup.h"
#include "text_helpers.h"

namespace lv {
namespace {

// Generous: a linear pass over these files takes milliseconds; only a quadratic
// one (or a hang) comes near this.
constexpr auto kTimeLimit = std::chrono::seconds(3);

struct Outcome {
  size_t textSize = 0;
  size_t lineCount = 0;
  StartupResult result;
};

Outcome ReadAndStart(const std::string& bytes) {
  auto start = std::chrono::steady_clock::now();
  Outcome o;
  {
    MenuText text;
    DecodeMenuFile(bytes, text);
    EXPECT_TRUE(IsValidUtf8(text.text));
    o.textSize = text.text.size();
    o.lineCount = text.lines.size();
    o.result = ComputeStartup(text.lines);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, kTimeLimit);

  // Whatever the file, the result is a window that can be shown.
  const StartupResult& r = o.result;
  EXPECT_LE(o.textSize, 3 * bytes.size());  // a Windows-1252 byte is at most 3 UTF-8 bytes
  EXPECT_LE(r.entries.size(), o.lineCount);
  EXPECT_EQ(r.buttons.size(), std::max<size_t>(r.entries.size(), 1));
  for (const TwipsRect& b : r.buttons) {
    EXPECT_TRUE(std::isfinite(b.top) && std::isfinite(b.height) && std::isfinite(b.width));
    EXPECT_GE(b.height, 0);
    EXPECT_GE(b.width, 0);
  }
  EXPECT_TRUE(std::isfinite(r.windowHeight));
  EXPECT_EQ(r.hint.top, r.buttons.back().bottom() + 50);
  EXPECT_TRUE(r.caption.ends_with(" (ver:3.12.2023)"));
  return o;
}

TEST(BadInput, EmptyFile) {
  Outcome o = ReadAndStart("");
  EXPECT_EQ(o.lineCount, 0u);
  EXPECT_TRUE(o.result.entries.empty());
}

TEST(BadInput, FileOfNulBytes) {
  Outcome o = ReadAndStart(std::string(1 << 20, '\0'));
  EXPECT_EQ(o.lineCount, 1u);
  EXPECT_TRUE(o.result.entries.empty());
}

TEST(BadInput, RandomBinary) {
  std::mt19937 random(20231203);
  for (size_t size : {1u, 7u, 100u, 4096u, 1u << 20}) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    ReadAndStart(bytes);
  }
}

TEST(BadInput, RandomMenuLikeText) {
  // Pieces of real lines, thrown together: every kind of line in every order.
  const char* const pieces[] = {"=", " ", ";", "rem ", ".ctrl", ".tooltip", "title", "cmdaja.height",
                                "cmdaja.width", "me.left", "me.top", "1e999", "-5000", "&H",
                                "FFFF", "0.5", "\r", "\n", "\r\n", "\t", "\xE4", "\xC3\xA4",
                                "\xEF\xBB\xBF", "x", "notepad", "%valikko.oma%"};
  std::mt19937 random(3122023);
  for (int round = 0; round < 50; ++round) {
    std::string bytes;
    for (int i = 0; i < 2000; ++i) bytes += pieces[random() % std::size(pieces)];
    ReadAndStart(bytes);
  }
}

TEST(BadInput, TenMegabyteLines) {
  const size_t big = 10u << 20;
  {
    Outcome o = ReadAndStart("Pitkä = " + std::string(big, 'a'));
    ASSERT_EQ(o.result.entries.size(), 1u);
    EXPECT_EQ(o.result.entries[0].command.size(), big);
  }
  {
    Outcome o = ReadAndStart(std::string(big, 'k') + " = notepad");
    ASSERT_EQ(o.result.entries.size(), 1u);
    EXPECT_EQ(o.result.entries[0].caption.size(), big);
  }
  EXPECT_TRUE(ReadAndStart(std::string(big, '=')).result.entries.empty());
  EXPECT_TRUE(ReadAndStart(std::string(big, ' ')).result.entries.empty());
  EXPECT_TRUE(ReadAndStart(std::string(big, '\xE4')).result.entries.empty());
  EXPECT_EQ(ReadAndStart("cmdaja.height = " + std::string(big, '9')).result.buttons[0].height,
            kMaxTwips);
  EXPECT_EQ(ReadAndStart("cmdaja.height = 0." + std::string(big, '0') + "1").result.buttons[0].height,
            0);
  EXPECT_EQ(ReadAndStart("me.left = &H" + std::string(big, 'F')).result.windowLeft, kMaxTwips);
  EXPECT_EQ(ReadAndStart("me.top = " + std::string(big, ' ') + "-5").result.windowTop, -5);
  EXPECT_EQ(ReadAndStart("title = " + std::string(big, 't')).result.caption.size(),
            big + std::string(" (ver:3.12.2023)").size());
}

TEST(BadInput, HundredThousandEntries) {
  std::string file;
  for (int i = 0; i < 100000; ++i) file += "Nappi " + std::to_string(i) + " = notepad\r\n.ctrl = x\r\n";
  Outcome o = ReadAndStart(file);
  const StartupResult& r = o.result;
  ASSERT_EQ(r.entries.size(), 100000u);
  EXPECT_EQ(r.entries[99999].caption, "Nappi 99999");
  EXPECT_EQ(r.entries[99999].attached.ctrl, "x");
  // Far beyond exact single precision, but still in order and about where they belong.
  for (size_t i = 1; i < r.buttons.size(); ++i) ASSERT_GT(r.buttons[i].top, r.buttons[i - 1].top);
  EXPECT_NEAR(r.buttons.back().top, 165.0 + 665.0 * 99999, 665.0 * 99999 * 1e-2);
}

TEST(BadInput, HundredThousandAttachedLinesWithoutAnEntry) {
  std::string file;
  for (int i = 0; i < 100000; ++i) file += ".ctrl = x\r\n.tooltip = y\r\n";
  EXPECT_TRUE(ReadAndStart(file).result.entries.empty());
}

TEST(BadInput, NumbersAndOddLines) {
  struct Case {
    std::string file;
    float height;
  } cases[] = {
      {"cmdaja.height = 1e999\r\na = b", kMaxTwips},
      {"cmdaja.height = -5000\r\na = b", 0},
      {"cmdaja.height = &HFFFFFFFFFFFF\r\na = b", kMaxTwips},
      {"cmdaja.height = &O" + std::string(1000, '7') + "\r\na = b", kMaxTwips},
      {"=\r\na = b", 615},
      {"=\r\n=\r\n=", 615},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAndStart(c.file).result.buttons[0].height, c.height);
}

TEST(BadInput, InvalidUtf8FallsBackToWindows1252) {
  Outcome o = ReadAndStart("K\xC3\xA4ynnist\xC3\xA4 = x\r\nV\xE4\xE4r\xE4 = y\r\n\xC0\xAF = z");
  ASSERT_EQ(o.result.entries.size(), 3u);
  EXPECT_EQ(o.result.entries[0].caption, "KÃ¤ynnistÃ¤");
  EXPECT_EQ(o.result.entries[1].caption, "Väärä");
  EXPECT_EQ(o.result.entries[2].caption, "À¯");
}

TEST(BadInput, TextHelpersOnHugeTexts) {
  const std::string big(10u << 20, '=');
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(fe_etsiSana(big, 32765, "="), "");
  EXPECT_EQ(fe_etsiSana(big, 32766, "="), "");
  EXPECT_EQ(fe_etsiSana(big, 5, "=="), "");
  // Every occurrence replaced by something holding it: must end, in one pass.
  std::string replaced = fe_KorvaaMerkki(big, "=", "[=]");
  EXPECT_EQ(replaced.size(), 3 * big.size());
  EXPECT_EQ(fe_KorvaaMerkki(big, "", "x"), big);
  EXPECT_EQ(ReadLeadingNumber(big), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, kTimeLimit);
}

}  // namespace
}  // namespace lv
