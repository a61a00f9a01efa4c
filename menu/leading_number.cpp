#include "leading_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace lv {

namespace {

bool IsIgnored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// The value without the characters the rule ignores, built lazily: most values
// have none, and then the view is used as it is.
class Cursor {
 public:
  explicit Cursor(std::string_view s) : s_(s) { Skip(); }
  bool AtEnd() const { return i_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[i_]; }
  size_t Offset() const { return i_; }
  void Next() {
    ++i_;
    Skip();
  }

 private:
  void Skip() {
    while (i_ < s_.size() && IsIgnored(s_[i_])) ++i_;
  }
  std::string_view s_;
  size_t i_ = 0;
};

// Far beyond any exponent a double can take, far below overflowing int64_t.
constexpr int64_t kExponentCap = 1'000'000'000'000;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

NumberReading ReadRadixInteger(Cursor& cur, int base) {
  double value = 0;  // grows to infinity on absurd input instead of wrapping
  NumberReading r;
  for (int d; (d = DigitValue(cur.Peek(), base)) >= 0; cur.Next()) {
    value = value * base + d;
    r.hasNumber = true;
  }
  if (!r.hasNumber) return {};
  r.value = static_cast<float>(value);
  r.end = cur.Offset();
  return r;
}

// Reads the number at `cur`; `end` is left where the number ends.
NumberReading ReadNumber(Cursor& cur) {
  if (cur.Peek() == '&') {
    cur.Next();
    char kind = cur.Peek();
    if (kind == 'h' || kind == 'H') {
      cur.Next();
      return ReadRadixInteger(cur, 16);
    }
    if (kind == 'o' || kind == 'O') {
      cur.Next();
      return ReadRadixInteger(cur, 8);
    }
    return {};
  }

  // Collect a normalised copy ("-123.45e-6") and let from_chars do the rounding:
  // correct to the last bit and independent of the system's locale.
  std::string text;
  if (cur.Peek() == '+' || cur.Peek() == '-') {
    if (cur.Peek() == '-') text.push_back('-');
    cur.Next();
  }
  // The power of ten of the first significant digit, kept to tell an overflow from
  // an underflow when the number does not fit a double: "1" and 400 zeros with
  // "e-10" is huge although its exponent is negative.
  int64_t magnitude = 0;
  bool significant = false;
  bool digits = false;
  for (; IsDigit(cur.Peek()); cur.Next()) {
    text.push_back(cur.Peek()), digits = true;
    if (significant)
      ++magnitude;
    else if (cur.Peek() != '0')
      significant = true;
  }
  if (cur.Peek() == '.') {
    text.push_back('.');
    cur.Next();
    for (; IsDigit(cur.Peek()); cur.Next()) {
      text.push_back(cur.Peek()), digits = true;
      if (!significant) {
        --magnitude;
        if (cur.Peek() != '0') significant = true;
      }
    }
  }
  if (!digits) return {};
  NumberReading r;
  r.hasNumber = true;
  r.end = cur.Offset();  // an "E" without digits after it is not part of the number
  char e = cur.Peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    cur.Next();
    std::string exponent = "e";
    bool negativeExponent = false;
    if (cur.Peek() == '+' || cur.Peek() == '-') {
      negativeExponent = cur.Peek() == '-';
      exponent.push_back(cur.Peek());
      cur.Next();
    }
    int64_t exponentValue = 0;  // saturates: only its sign and size matter here
    bool expDigits = false;
    for (; IsDigit(cur.Peek()); cur.Next()) {
      exponent.push_back(cur.Peek()), expDigits = true;
      exponentValue = std::min<int64_t>(exponentValue * 10 + (cur.Peek() - '0'), kExponentCap);
    }
    if (expDigits) {
      r.end = cur.Offset();
      text += exponent;
      magnitude += negativeExponent ? -exponentValue : exponentValue;
    }
  }

  double result = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(first, last, result);
  if (ec == std::errc::result_out_of_range) {
    // Too large or too small for a double; infinity is clamped by whoever uses it.
    result = magnitude > 0 ? HUGE_VAL : 0.0;
    if (text[0] == '-') result = -result;
  } else if (ec != std::errc()) {
    return {};
  }
  r.value = static_cast<float>(result);
  return r;
}

}  // namespace

float ReadLeadingNumber(std::string_view value) {
  return ReadLeadingNumberAt(value).value;
}

NumberReading ReadLeadingNumberAt(std::string_view value) {
  Cursor cur(value);
  return ReadNumber(cur);
}

}  // namespace lv
