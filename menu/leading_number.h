#pragma once
#include <string_view>

namespace lv {

// Reads a setting value as a number: spaces, tabs and line feeds anywhere are ignored;
// then an optional sign, digits, at most one ".", and an exponent with E or D; reading
// stops at the first character that cannot continue the number. "&H" and "&O" start a
// hexadecimal or octal integer. No number at the start reads 0. The result is rounded
// to single precision; a value too large for it becomes +-infinity, never an error.
float ReadLeadingNumber(std::string_view value);

// The same reading, with where it stopped: `end` is the offset in `value` of the first
// character that was not read as part of the number.
struct NumberReading {
  float value = 0;
  bool hasNumber = false;  // false: no number at the start, read as 0
  size_t end = 0;
};
NumberReading ReadLeadingNumberAt(std::string_view value);

}  // namespace lv
