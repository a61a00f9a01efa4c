#pragma once
#include <string_view>

namespace lv {

// Reads a setting value as a number: spaces, tabs and line feeds anywhere are ignored;
// then an optional sign, digits, at most one ".", and an exponent with E or D; reading
// stops at the first character that cannot continue the number. "&H" and "&O" start a
// hexadecimal or octal integer. No number at the start reads 0. The result is rounded
// to single precision; a value too large for it becomes +-infinity, never an error.
float ReadLeadingNumber(std::string_view value);

}  // namespace lv
