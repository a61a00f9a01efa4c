// libFuzzer target: any bytes as a menu file, through the reader and start-up, and
// the same bytes through the number rule and the text helpers. Beyond "no crash, no
// sanitizer report" it checks the promises the rest of the program relies on.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "check_report.h"
#include "leading_number.h"
#include "menu_check.h"
#include "menu_line.h"
#include "menu_text.h"
#include "startup.h"
#include "text_helpers.h"

namespace {

// Release builds define NDEBUG, so no assert().
#define LV_CHECK(cond)                                                                   \
  do {                                                                                   \
    if (!(cond)) {                                                                       \
      std::fprintf(stderr, "fuzz_menu: check failed at line %d: %s\n", __LINE__, #cond); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

bool Inside(std::string_view part, std::string_view whole) {
  return part.empty() ||
         (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

bool Trimmed(std::string_view s) {
  return s.empty() || (s.front() != ' ' && s.back() != ' ');
}

void CheckReaderAndStartup(std::string_view bytes) {
  lv::MenuText text;
  lv::DecodeMenuFile(bytes, text);
  LV_CHECK(lv::IsValidUtf8(text.text));
  LV_CHECK(text.text.size() <= 3 * bytes.size());

  for (std::string_view line : text.lines) {
    LV_CHECK(Inside(line, text.text));
    LV_CHECK(line.find_first_of("\r\n") == std::string_view::npos);

    lv::MenuLine m = lv::ClassifyLine(line);
    LV_CHECK(Inside(m.key, line) && Inside(m.value, line));
    LV_CHECK(Trimmed(m.key) && Trimmed(m.value));
    LV_CHECK(m.key.find('=') == std::string_view::npos);
    LV_CHECK(m.value.find('=') == std::string_view::npos);
    LV_CHECK(Inside(m.dropped, line) && Trimmed(m.dropped) && (m.cut || m.dropped.empty()));
    if (m.kind == lv::LineKind::Entry) LV_CHECK(!m.value.empty());
    if (m.kind == lv::LineKind::Comment) LV_CHECK(line.starts_with(';') || line.size() >= 4);
  }

  lv::StartupResult r = lv::ComputeStartup(text.lines);
  LV_CHECK(r.entries.size() <= text.lines.size());
  LV_CHECK(r.buttons.size() == (r.entries.empty() ? 1 : r.entries.size()));
  for (const lv::TwipsRect& b : r.buttons) {
    LV_CHECK(b.left == lv::kButton0Design.left);
    LV_CHECK(std::isfinite(b.top) && std::isfinite(b.width) && std::isfinite(b.height));
    LV_CHECK(b.width >= 0 && b.width <= lv::kMaxTwips);
    LV_CHECK(b.height >= 0 && b.height <= lv::kMaxTwips);
  }
  for (size_t i = 1; i < r.buttons.size(); ++i) LV_CHECK(r.buttons[i].top >= r.buttons[i - 1].top);
  const lv::TwipsRect& last = r.buttons.back();
  LV_CHECK(r.hint.top == last.bottom() + lv::kButtonGap);
  LV_CHECK(r.status.top == r.hint.bottom() + lv::kLabelGap);
  LV_CHECK(r.windowHeight == last.bottom() + lv::kWindowBelowLast);
  LV_CHECK(r.caption.ends_with(std::string(" (ver:") + lv::gVersioPvm + ")"));
  for (const auto* place : {&r.windowLeft, &r.windowTop})
    if (*place) LV_CHECK(std::abs(**place) <= lv::kMaxTwips);
  if (r.windowWidth) LV_CHECK(std::isfinite(*r.windowWidth) && *r.windowWidth >= 0);
  for (size_t i = 0; i < r.entries.size(); ++i) {
    LV_CHECK(!r.entries[i].command.empty());
    // From the second entry on, a button always has a tip unless its caption is empty.
    if (i > 0 && !r.entries[i].caption.empty()) LV_CHECK(!r.entries[i].tooltip.empty());
  }
}

void CheckNumber(std::string_view bytes) {
  float v = lv::ReadLeadingNumber(bytes);
  LV_CHECK(!std::isnan(v));
  lv::NumberReading r = lv::ReadLeadingNumberAt(bytes);
  LV_CHECK(r.end <= bytes.size());
  LV_CHECK(r.hasNumber || (r.value == 0 && r.end == 0));
  LV_CHECK(std::isnan(v) ? std::isnan(r.value) : r.value == v);
}

// The checker reads the file as start-up does, and its findings stand on real lines.
void CheckChecker(std::string_view bytes) {
  unsigned calls = 0;
  lv::MenuCheck check = lv::CheckMenuFile(bytes, [&calls](const std::string& program) {
    LV_CHECK(!program.empty());
    return lv::ProgramSearch{static_cast<lv::ProgramSearch::Result>(calls++ % 3), program};
  });
  lv::MenuText text;
  lv::DecodeMenuFile(bytes, text);
  lv::StartupResult plain = lv::ComputeStartup(text.lines);
  LV_CHECK(check.startup.entries.size() == plain.entries.size());
  LV_CHECK(check.startup.caption == plain.caption);
  LV_CHECK(check.startup.windowHeight == plain.windowHeight);
  LV_CHECK(check.entryLines.size() == plain.entries.size());
  const size_t lastLine = std::max<size_t>(text.lines.size(), 1);
  for (size_t i = 0; i < check.findings.size(); ++i) {
    const lv::Finding& f = check.findings[i];
    LV_CHECK(f.line >= 1 && f.line <= lastLine);
    if (i > 0) LV_CHECK(check.findings[i - 1].line <= f.line);
    LV_CHECK(f.code.size() == 3 && f.code[0] == 'V');
    LV_CHECK(lv::IsValidUtf8(f.message));
    LV_CHECK(f.message.find_first_of("\r\n") == std::string::npos);
    LV_CHECK(f.message.size() < 1000);
  }
  std::string json = lv::FindingsJson("f", check.findings);
  for (char c : json) LV_CHECK(static_cast<unsigned char>(c) >= 0x20 || c == '\n');
  if (check.findings.empty()) LV_CHECK(lv::CheckStatusText(check.ProblemCount()).empty());
}

// Field k of a line split at one character, for every k, puts the line back together.
void CheckFields(std::string_view bytes) {
  if (bytes.empty()) return;
  const char erotin = bytes[0];
  std::string_view rivi = bytes.substr(1);
  size_t separators = 0;
  for (char c : rivi) separators += c == erotin;
  if (separators < 64) {
    std::string joined;
    for (size_t k = 1; k <= separators + 1; ++k) {
      if (k > 1) joined.push_back(erotin);
      std::string field = lv::fe_etsiSana(rivi, static_cast<int>(k), std::string(1, erotin));
      LV_CHECK(field == lv::FieldView(rivi, static_cast<int>(k), erotin));
      joined += field;
    }
    LV_CHECK(joined == rivi);
  }
  LV_CHECK(lv::fe_etsiSana(rivi, static_cast<int>(separators) + 2, std::string(1, erotin)).empty());
  LV_CHECK(lv::fe_etsiSana(rivi, 0, std::string(1, erotin)).empty());

  // Longer separators: only that it ends and stays inside its input.
  if (rivi.size() >= 2) {
    int monesko = static_cast<unsigned char>(rivi[0]) - 16;
    std::string field = lv::fe_etsiSana(rivi.substr(2), monesko, rivi.substr(0, 2));
    LV_CHECK(field.size() <= rivi.size());
  }
}

void CheckReplace(std::string_view bytes) {
  // First byte: length of `merkki`; second: length of `uusimerkki`; then the three texts.
  if (bytes.size() < 2) return;
  size_t lm = static_cast<unsigned char>(bytes[0]) % 8;
  size_t lu = static_cast<unsigned char>(bytes[1]) % 16;
  std::string_view rest = bytes.substr(2);
  if (rest.size() < lm + lu) return;
  std::string_view merkki = rest.substr(0, lm);
  std::string_view uusi = rest.substr(lm, lu);
  std::string_view teksti = rest.substr(lm + lu);

  std::string result = lv::fe_KorvaaMerkki(teksti, merkki, uusi);
  LV_CHECK(lv::fe_KorvaaMerkki(teksti, merkki, merkki) == teksti);
  if (merkki.empty()) {
    LV_CHECK(result == teksti);
    return;
  }
  size_t count = 0;
  for (size_t p = teksti.find(merkki); p != std::string_view::npos;
       p = teksti.find(merkki, p + merkki.size()))
    ++count;
  LV_CHECK(result.size() == teksti.size() - count * merkki.size() + count * uusi.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckReaderAndStartup(bytes);
  CheckNumber(bytes);
  CheckChecker(bytes);
  CheckFields(bytes);
  CheckReplace(bytes);
  return 0;
}
