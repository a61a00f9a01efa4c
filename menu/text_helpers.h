#pragma once
// Small text functions shared by the menu file reader and the press handling.
#include <string>
#include <string_view>

namespace lv {

// Field `monesko` (counted from 1) of `rivi` split at `erotin`. Field 1 is the text
// before the first separator, the last field runs to the end of the line, a field
// number beyond the last field, 0 or below, or 32766 and above gives empty text.
std::string fe_etsiSana(std::string_view rivi, int monesko, std::string_view erotin);

// The same for a one-character separator, as a view into `rivi` (no copy).
std::string_view FieldView(std::string_view rivi, int monesko, char erotin);

// `teksti` with every occurrence of `merkki` replaced by `uusimerkki`. The search goes on
// after the inserted text, so it always ends; an empty `merkki` changes nothing.
std::string fe_KorvaaMerkki(std::string_view teksti, std::string_view merkki,
                            std::string_view uusimerkki);

// Removes the space character (32) from both ends, and nothing else: tabs and
// no-break spaces stay.
std::string_view TrimSpaces(std::string_view text);

std::string ToLowerAscii(std::string_view text);

// True when the first bytes of `text`, lower-cased (ASCII), equal `lowerPrefix`.
bool StartsWithNoCase(std::string_view text, std::string_view lowerPrefix);

}  // namespace lv
