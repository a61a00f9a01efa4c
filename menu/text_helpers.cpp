#include "text_helpers.h"

namespace lv {

namespace {
// 32766 + 2 copies of the separator would no longer fit a 16-bit field number.
constexpr int kMaxField = 32765;

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

std::string_view FieldView(std::string_view rivi, int monesko, char erotin) {
  if (monesko <= 0 || monesko > kMaxField) return {};
  size_t start = 0;
  for (int i = 1; i < monesko; ++i) {
    size_t p = rivi.find(erotin, start);
    if (p == std::string_view::npos) return {};
    start = p + 1;
  }
  size_t end = rivi.find(erotin, start);
  if (end == std::string_view::npos) end = rivi.size();
  return rivi.substr(start, end - start);
}

std::string fe_etsiSana(std::string_view rivi, int monesko, std::string_view erotin) {
  if (erotin.empty()) return {};
  if (erotin.size() == 1) return std::string(FieldView(rivi, monesko, erotin[0]));
  if (monesko <= 0 || monesko > kMaxField) return {};
  // A longer separator: the steps taken literally, on offsets instead of copies.
  std::string work;
  work.reserve(erotin.size() + rivi.size() + static_cast<size_t>(monesko) + 2);
  work.append(erotin).append(rivi).append(static_cast<size_t>(monesko) + 2, erotin[0]);
  size_t start = 0;
  for (int i = 0; i < monesko; ++i) {
    size_t p = work.find(erotin, start);
    if (p == std::string::npos) return {};
    start = p + 1;
  }
  size_t p = work.find(erotin, start);
  if (p == std::string::npos) return {};
  return work.substr(start, p - start);
}

std::string fe_KorvaaMerkki(std::string_view teksti, std::string_view merkki,
                            std::string_view uusimerkki) {
  if (merkki.empty()) return std::string(teksti);
  std::string out;
  out.reserve(teksti.size());
  size_t start = 0;
  for (;;) {
    size_t p = teksti.find(merkki, start);
    if (p == std::string_view::npos) break;
    out.append(teksti.substr(start, p - start)).append(uusimerkki);
    start = p + merkki.size();
  }
  out.append(teksti.substr(start));
  return out;
}

std::string_view TrimSpaces(std::string_view text) {
  size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(' ');
  return text.substr(b, e - b + 1);
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAscii(c);
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view lowerPrefix) {
  if (text.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i)
    if (LowerAscii(text[i]) != lowerPrefix[i]) return false;
  return true;
}

}  // namespace lv
