#include "leading_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lv {
namespace {

struct NumberCase {
  std::string value;
  float expected;
};

void ExpectAll(const NumberCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const NumberCase& c = cases[i];
    // Exact comparison on purpose: the result must be the single-precision number.
    EXPECT_EQ(ReadLeadingNumber(c.value), c.expected) << "value \"" << c.value << "\"";
  }
}

TEST(LeadingNumber, PlainSpellings) {
  const NumberCase cases[] = {
      {"350", 350.0f},
      {"0", 0.0f},
      {"007", 7.0f},
      {"+12", 12.0f},
      {"-5000", -5000.0f},
      {"12.5", 12.5f},
      {".5", 0.5f},
      {"-.25", -0.25f},
      {"5.", 5.0f},
      {"3800", 3800.0f},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, SpacesTabsAndLineFeedsAnywhereAreIgnored) {
  const NumberCase cases[] = {
      {"  350  ", 350.0f},
      {"3 5 0", 350.0f},
      {"3\t5\n0", 350.0f},
      {"- 12", -12.0f},
      {"1 . 5", 1.5f},
      {"1 e 3", 1000.0f},
      {"1e -2", 0.01f},
      {"& H 1 F", 31.0f},
      {"\n\t 42", 42.0f},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, ReadingStopsAtTheFirstCharacterThatCannotContinue) {
  const NumberCase cases[] = {
      {"12abc", 12.0f},
      {"350px", 350.0f},
      {"1.2.3", 1.2f},
      {"1,5", 1.0f},     // a comma is never a decimal mark
      {"1 000,75", 1000.0f},
      {"12-3", 12.0f},
      {"+-5", 0.0f},
      {"1e3.5", 1000.0f},
      {"1e", 1.0f},       // an exponent without digits is no exponent
      {"1e+", 1.0f},
      {"1ex", 1.0f},
      {"2E-", 2.0f},
      {"\xC2\xA0" "5", 0.0f},  // a no-break space is not skipped
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, NoNumberAtTheStartReadsZero) {
  const NumberCase cases[] = {
      {"", 0.0f},     {" ", 0.0f},    {"abc", 0.0f}, {"-", 0.0f},     {".", 0.0f},
      {"-.", 0.0f},   {"e5", 0.0f},   {"x12", 0.0f}, {"&", 0.0f},     {"&X12", 0.0f},
      {"&H", 0.0f},   {"&O", 0.0f},   {"&HG", 0.0f}, {"&O9", 0.0f},   {"=", 0.0f},
      // Words a general-purpose number parser might accept.
      {"inf", 0.0f},  {"nan", 0.0f},  {"NaN", 0.0f}, {"infinity", 0.0f}, {"0x1A", 0.0f},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, ExponentWithEOrDInEitherCase) {
  const NumberCase cases[] = {
      {"1e3", 1000.0f},   {"1E3", 1000.0f},  {"1d3", 1000.0f},  {"1D3", 1000.0f},
      {"1e+3", 1000.0f},  {"2.5e-1", 0.25f}, {"2.5D-1", 0.25f}, {"-1.5E2", -150.0f},
      {"15e0", 15.0f},    {"0e999", 0.0f},   {".5e1", 5.0f},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, HexadecimalAndOctal) {
  const NumberCase cases[] = {
      {"&H10", 16.0f},
      {"&h1f", 31.0f},
      {"&HFF", 255.0f},
      {"&HfF", 255.0f},
      {"&H1G", 1.0f},  // stops at the first character that is no hex digit
      {"&O17", 15.0f},
      {"&o777", 511.0f},
      {"&O78", 7.0f},
      {"&H7FFF", 32767.0f},
      // 2^48 - 1 has no single-precision form; the nearest is 2^48.
      {"&HFFFFFFFFFFFF", 281474976710656.0f},
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, RoundsToSinglePrecision) {
  const NumberCase cases[] = {
      {"0.1", 0.1f},
      {"16777216", 16777216.0f},
      {"16777217", 16777216.0f},  // halfway: to even
      {"16777219", 16777220.0f},  // halfway: to even, upwards this time
      {"16777218.0001", 16777218.0f},
      {"3.14159265358979", 3.14159265f},
      {"1e-50", 0.0f},  // below the smallest single-precision number
  };
  ExpectAll(cases, std::size(cases));
}

TEST(LeadingNumber, OverflowGivesInfinityAndUnderflowZero) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::string hundredsOfDigits = "1" + std::string(400, '0');
  const NumberCase cases[] = {
      {"1e999", inf},
      {"-1e999", -inf},
      {"1D999", inf},
      {"1e39", inf},  // fits a double but not a float
      {"-1e39", -inf},
      {"1e-999", 0.0f},
      {"-1e-999", 0.0f},
      {"1e99999999999999999999999", inf},
      {"1e-99999999999999999999999", 0.0f},
      {hundredsOfDigits, inf},
      // Huge although the exponent is negative, tiny although it is positive.
      {hundredsOfDigits + "e-10", inf},
      {"-" + hundredsOfDigits + "e-10", -inf},
      {"0." + std::string(400, '0') + "1e10", 0.0f},
      {"0." + std::string(400, '0') + "5e401", 5.0f},
      {"&H" + std::string(300, 'F'), inf},
  };
  ExpectAll(cases, std::size(cases));
}

}  // namespace
}  // namespace lv
