#include "menu_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "command_choice.h"
#include "menu_text.h"
#include "text_helpers.h"
#include "texts.h"

namespace lv {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::virhe: return "virhe";
    case Severity::varoitus: return "varoitus";
    case Severity::huomautus: return "huomautus";
  }
  return "huomautus";
}

size_t MenuCheck::ProblemCount() const {
  return static_cast<size_t>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
    return f.severity != Severity::huomautus;
  }));
}

namespace {

// A button whose top lies this far down cannot be seen on a screen 1080 pixels high
// at 96 DPI: no window's client area there reaches it.
constexpr float kTallScreenTwips = 1080 * 15;

// Text from the file inside a message: in quotes, and cut short when it is long.
std::string Quote(std::string_view text) {
  constexpr size_t kMax = 60;
  std::string out = "\"";
  if (text.size() <= kMax) {
    out.append(text);
  } else {
    size_t cut = kMax - 3;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    out.append(text.substr(0, cut)).append("…");
  }
  return out + "\"";
}

std::string Number(float value) {
  if (std::isinf(value)) return value > 0 ? "ääretön" : "-ääretön";
  return TwipsText(value);
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The attached key nearest to `key` as the author may have meant it.
std::string_view NearestAttachedKey(std::string_view key) {
  std::string lower = ToLowerAscii(key);
  std::erase(lower, ' ');
  std::string_view best;
  size_t bestDistance = 4;  // further than this is no typo
  for (const KeyRule& rule : kLineKeys) {
    if (rule.kind != LineKind::Attached || lower.size() > rule.key.size() + 4) continue;
    size_t d = EditDistance(lower, rule.key);
    if (d < bestDistance) best = rule.key, bestDistance = d;
  }
  return best;
}

std::string_view SettingName(SettingKey key) {
  for (const KeyRule& rule : kLineKeys)
    if (rule.kind == LineKind::Setting && rule.setting == key) return rule.key;
  return {};
}

bool IsCommandField(AttachedField field) {
  return field != AttachedField::Tooltip && field != AttachedField::ClickTitle;
}

// `lower` begins with a character that has no case ("%", ".").
size_t FindNoCase(std::string_view text, std::string_view lower, size_t from = 0) {
  for (size_t i = text.find(lower[0], from); i != std::string_view::npos;
       i = text.find(lower[0], i + 1))
    if (StartsWithNoCase(text.substr(i), lower)) return i;
  return std::string_view::npos;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "C:\..." or "\\server\...": where an unquoted blank splits a path.
bool StartsWithPath(std::string_view text) {
  return (text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\') ||
         text.starts_with("\\\\");
}

// An unquoted program path with a blank in it, as far as it can be told: up to an
// executable's extension after the blank, or up to a word after the blank that goes
// on with the path's backslashes. Empty when there is none.
std::string_view UnquotedPathWithBlank(std::string_view command) {
  if (!StartsWithPath(command)) return {};
  const size_t blank = command.find(' ');
  if (blank == std::string_view::npos) return {};
  for (std::string_view ext : {".exe", ".com", ".bat", ".cmd"}) {
    for (size_t p = FindNoCase(command, ext); p != std::string_view::npos;
         p = FindNoCase(command, ext, p + 1)) {
      size_t end = p + ext.size();
      if (end < command.size() && command[end] != ' ') continue;
      return end > blank ? command.substr(0, end) : std::string_view{};
    }
  }
  size_t wordEnd = command.find(' ', blank + 1);
  std::string_view word = command.substr(blank + 1, wordEnd - blank - 1);
  if (word.empty() || word.find('\\') == std::string_view::npos || StartsWithPath(word) ||
      std::string_view("\\/\"-%").find(word[0]) != std::string_view::npos)
    return {};
  return command.substr(0, std::min(wordEnd, command.size()));
}

// A web address written without "http": "www." first, or a host name with a dot and
// a top-level domain of letters, then a path.
bool LooksLikeWebAddress(std::string_view command) {
  std::string_view word = command.substr(0, command.find_first_of(" \t"));
  if (StartsWithNoCase(word, "www.") && word.size() > 4) return true;
  const size_t slash = word.find('/');
  if (slash == std::string_view::npos || slash == 0) return false;
  std::string_view host = word.substr(0, slash);
  const size_t dot = host.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return false;
  for (char c : host)
    if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
  std::string_view tld = host.substr(dot + 1);
  if (tld.size() < 2 || !std::all_of(tld.begin(), tld.end(), IsAsciiLetter)) return false;
  // "ohjelma.exe/x" is a program with a switch, not a host.
  static constexpr std::array<std::string_view, 12> kProgramExtensions = {
      "exe", "com", "bat", "cmd", "msc", "cpl", "lnk", "vbs", "js", "ps1", "txt", "oma"};
  std::string lowerTld = ToLowerAscii(tld);
  return std::find(kProgramExtensions.begin(), kProgramExtensions.end(), lowerTld) ==
         kProgramExtensions.end();
}

// Lines as the decoder splits them: which line end each line has.
enum class LineEnd { None, CrLf, Cr, Lf };

const char* LineEndName(LineEnd end) {
  switch (end) {
    case LineEnd::CrLf: return "CR LF";
    case LineEnd::Cr: return "CR";
    case LineEnd::Lf: return "LF";
    case LineEnd::None: break;
  }
  return "";
}

class Checker final : public StartupObserver {
 public:
  explicit Checker(const ProgramFinder& findProgram) : findProgram_(findProgram) {}

  void OnLine(size_t index, std::string_view text, const MenuLine& line) override {
    if (line.kind == LineKind::Comment || line.kind == LineKind::Blank) return;
    if (line.cut) CheckCut(index, line);
    switch (line.kind) {
      case LineKind::Entry: OnEntry(index, text, line); break;
      case LineKind::Ignored: OnIgnored(index, text, line); break;
      case LineKind::Attached: OnAttached(index, line); break;
      case LineKind::Setting: OnSetting(index, line); break;
      case LineKind::Comment:
      case LineKind::Blank: break;
    }
  }

  void OnAttachedWithoutEntry(size_t index, const MenuLine& line) override {
    Add(index, "V02", Severity::varoitus,
        Quote(line.key) +
            " ennen ensimmäistä painiketta ei kuulu millekään painikkeelle: "
            "rivi ohitetaan");
  }

  void OnNumber(size_t index, const MenuLine& line, const NumberReading& read,
                float kept) override {
    const std::string name = Quote(SettingName(line.setting));
    if (!read.hasNumber) {
      Add(index, "V05", Severity::varoitus,
          line.value.empty() ? name + ": arvo puuttuu, joten se luetaan nollaksi"
                             : name + ": arvo " + Quote(line.value) +
                                   " ei ala numerolla, joten se luetaan nollaksi");
    } else if (read.end < line.value.size()) {
      Add(index, "V06", Severity::varoitus,
          name + ": luetaan " + Number(read.value) + ", loppu " +
              Quote(line.value.substr(read.end)) + " ohitetaan");
    }
    const bool size =
        line.setting == SettingKey::ButtonHeight || line.setting == SettingKey::ButtonWidth;
    if (size && read.value <= 0) {
      std::string what = read.value == 0 ? name + " on 0"
                                         : name + " on " + Number(read.value) +
                                               ", mutta koko ei voi olla negatiivinen";
      Add(index, "V07", Severity::varoitus,
          what + (line.setting == SettingKey::ButtonHeight
                      ? ": painikkeet eivät näy"
                      : ": ikkunasta tulee niin kapea kuin Windows sallii"));
    } else if (kept != read.value) {
      Add(index, "V07", Severity::varoitus,
          name + " " + Number(read.value) + " on liian " + (size ? "suuri" : "kaukana") +
              ": käytetään " + Number(kept));
    }
  }

  // After start-up: what needs the whole file.
  void Finish(const StartupResult& startup) {
    if (entryLines_.empty()) {
      Add(0, "V19", Severity::varoitus,
          "valikossa ei ole yhtään painiketta: painike tehdään rivillä muotoa \"Nimi = komento\"");
      return;
    }
    for (size_t i = 0; i < startup.entries.size(); ++i) {
      const float top = startup.buttons[i].top;
      if (top < kTallScreenTwips) continue;
      const size_t more = startup.entries.size() - i - 1;
      Add(entryLines_[i] - 1, "V15", Severity::varoitus,
          "painike " + Quote(startup.entries[i].caption) +
              (more ? " ja " + std::to_string(more) + " sen jälkeen tulevaa" : std::string()) +
              " alkaa " + Number(top) + " twipin kohdalta: 1080 pikselin korkuisella näytöllä " +
              (more ? "ne eivät" : "se ei") +
              " mahdu ikkunaan (pienennä cmdaja.height-arvoa tai jaa valikko kahteen)");
      break;
    }
  }

  std::vector<Finding> findings;
  const std::vector<size_t>& EntryLines() const { return entryLines_; }

  void Add(size_t index, std::string_view code, Severity severity, std::string message) {
    findings.push_back(Finding{index + 1, code, severity, std::move(message)});
  }

 private:
  void CheckCut(size_t index, const MenuLine& line) {
    std::string_view what = "arvo";
    if (line.kind == LineKind::Entry || line.kind == LineKind::Ignored ||
        (line.kind == LineKind::Attached && IsCommandField(line.field)))
      what = "komento";
    else if (line.kind == LineKind::Attached)
      what = "teksti";
    std::string message = std::string(what) + " katkeaa toiseen \"=\"-merkkiin";
    if (!line.dropped.empty()) message += "; pois jää " + Quote(line.dropped);
    Add(index, "V01", Severity::varoitus, std::move(message));
  }

  void OnEntry(size_t index, std::string_view text, const MenuLine& line) {
    entryLines_.push_back(index + 1);
    attachedLines_.fill(0);
    if (line.key.empty())
      Add(index, "V10", Severity::varoitus, "painikkeen nimi on tyhjä (rivi alkaa \"=\"-merkillä)");
    else if (line.key.starts_with('.'))
      Add(index, "V03", Severity::varoitus,
          Quote(line.key) + " ei ole tunnettu avain, joten rivistä tuli oma painike" +
              Suggestion(line.key));
    else if (text.starts_with(' ') && line.key.starts_with(';'))
      Add(index, "V20", Severity::varoitus,
          "rivi ei ole kommentti, koska \";\" ei ole rivin ensimmäinen merkki: siitä tuli "
          "painike " +
              Quote(line.key));
    CheckCommand(index, line.value);
  }

  void OnIgnored(size_t index, std::string_view text, const MenuLine& line) {
    if (line.key.starts_with('.')) {
      Add(index, "V03", Severity::varoitus,
          Quote(line.key) + " ei ole tunnettu avain: rivi ohitetaan" + Suggestion(line.key));
    } else if (text.find('=') == std::string_view::npos) {
      std::string message =
          "rivillä ei ole \"=\"-merkkiä eikä se ole tunnettu avain: rivi ohitetaan";
      if (StartsWithNoCase(text, "rem"))
        message += " (kommenttirivi alkaa \";\" tai \"rem \" välilyönnin kanssa)";
      Add(index, "V04", Severity::varoitus, std::move(message));
    } else {
      Add(index, "V09", Severity::varoitus,
          "\"=\"-merkin jälkeen ei ole komentoa, joten painiketta " + Quote(line.key) +
              " ei tule: rivi ohitetaan");
    }
  }

  void OnAttached(size_t index, const MenuLine& line) {
    if (entryLines_.empty()) return;  // told by OnAttachedWithoutEntry
    // An empty tip line changes nothing, so it does not replace an earlier one.
    if (line.field == AttachedField::Tooltip && line.value.empty()) return;
    size_t& earlier = attachedLines_[static_cast<size_t>(line.field)];
    if (earlier)
      Add(index, "V08", Severity::huomautus,
          Quote(line.key) + " annettiin tälle painikkeelle jo rivillä " + std::to_string(earlier) +
              "; voimaan jää tämä rivi");
    earlier = index + 1;
    if (IsCommandField(line.field) && !line.value.empty()) CheckCommand(index, line.value);
  }

  void OnSetting(size_t index, const MenuLine& line) {
    const size_t key = static_cast<size_t>(line.setting);
    if (size_t earlier = settingLines_[key]) {
      std::string message = Quote(SettingName(line.setting)) + " annettiin jo rivillä " +
                            std::to_string(earlier) + "; ";
      if (line.setting == SettingKey::ButtonHeight && entriesAtSetting_[key] != entryLines_.size())
        message += "tämä rivi koskee ensimmäistä painiketta ja tästä eteenpäin tulevia";
      else
        message += "voimaan jää tämä rivi";
      Add(index, "V08", Severity::huomautus, std::move(message));
    }
    settingLines_[key] = index + 1;
    entriesAtSetting_[key] = entryLines_.size();
  }

  std::string Suggestion(std::string_view key) {
    std::string_view nearest = NearestAttachedKey(key);
    return nearest.empty() ? std::string() : "; tarkoititko " + Quote(nearest) + "?";
  }

  void CheckCommand(size_t index, std::string_view command) {
    constexpr std::string_view kPlaceholder = "%valikko.oma%";
    for (size_t p = FindNoCase(command, kPlaceholder); p != std::string_view::npos;
         p = FindNoCase(command, kPlaceholder, p + 1)) {
      if (command.substr(p, kPlaceholder.size()) == kPlaceholder) continue;
      Add(index, "V12", Severity::varoitus,
          Quote(command.substr(p, kPlaceholder.size())) +
              " ei korvaudu valikkotiedoston polulla: kirjoita \"%valikko.oma%\" pienin kirjaimin");
      break;
    }
    if (IsWebAddress(command)) return;
    if (LooksLikeWebAddress(command)) {
      Add(index, "V13", Severity::varoitus,
          Quote(command.substr(0, command.find_first_of(" \t"))) +
              " käynnistetään ohjelmana eikä avata selaimessa: aloita osoite \"https://\"");
      return;
    }
    if (std::string_view path = UnquotedPathWithBlank(command); !path.empty()) {
      Add(index, "V11", Severity::varoitus,
          "polussa " + Quote(path) +
              " on välilyönti: kirjoita polku lainausmerkkeihin, muuten Windows voi "
              "käynnistää väärän ohjelman");
      return;
    }
    if (findProgram_) FindProgram(index, command);
  }

  void FindProgram(size_t index, std::string_view command) {
    std::optional<std::string> program = ProgramOfCommand(command);
    if (!program) return;
    auto [it, added] = programs_.try_emplace(*program);
    if (added) it->second = findProgram_(*program);
    const ProgramSearch& found = it->second;
    if (found.result == ProgramSearch::NotFound)
      Add(index, "V16", Severity::varoitus, "ohjelmaa " + Quote(*program) + " ei löydy");
    else if (found.result == ProgramSearch::AppPathsOnly)
      Add(index, "V16", Severity::varoitus,
          "ohjelma " + Quote(*program) +
              " löytyy vain App Paths -rekisteristä, jota komentorivi ei käytä: kirjoita koko "
              "polku " +
              Quote(found.appPath));
  }

  const ProgramFinder& findProgram_;
  std::vector<size_t> entryLines_;
  std::array<size_t, 8> attachedLines_{};  // this entry's line of each field, from 1
  std::array<size_t, 5> settingLines_{};   // each setting's line, from 1
  std::array<size_t, 5> entriesAtSetting_{};
  std::map<std::string, ProgramSearch, std::less<>> programs_;
};

// The encoding and line ends: what the decoder chose, and where it read text that
// was probably not meant so.
void CheckText(std::string_view bytes, const MenuText& text, Checker& checker) {
  // Every byte from 0x80 on grows when Windows-1252 becomes UTF-8.
  if (text.encoding == TextEncoding::Windows1252 && text.text.size() != bytes.size())
    checker.Add(0, "V14", Severity::huomautus,
                "tiedosto ei ole UTF-8-muotoinen, joten se luetaan Windows-1252-merkistönä (ANSI)");
  if (text.encoding == TextEncoding::Utf8Bom && !IsValidUtf8(bytes.substr(3)))
    checker.Add(
        0, "V18", Severity::varoitus,
        "tiedosto alkaa UTF-8-merkillä, mutta siinä on tavuja, jotka eivät ole UTF-8:aa: ne "
        "näkyvät merkkinä \"\xEF\xBF\xBD\" (tallenna tiedosto uudelleen UTF-8-muodossa)");

  // Each line but the last ends right where its view ends.
  LineEnd first = LineEnd::None;
  const std::string& t = text.text;
  for (size_t line = 0; line < text.lines.size(); ++line) {
    const size_t i =
        static_cast<size_t>(text.lines[line].data() - t.data()) + text.lines[line].size();
    if (i >= t.size()) break;
    const LineEnd end = t[i] == '\n'                             ? LineEnd::Lf
                        : (i + 1 < t.size() && t[i + 1] == '\n') ? LineEnd::CrLf
                                                                 : LineEnd::Cr;
    if (first == LineEnd::None) {
      first = end;
    } else if (end != first) {
      checker.Add(line, "V14", Severity::huomautus,
                  std::string("rivinvaihdot ovat sekaisin: tämä rivi päättyy merkkeihin ") +
                      LineEndName(end) + ", aiemmat merkkeihin " + LineEndName(first));
      break;
    }
  }
}

// Text that is no menu file at all: the program would read it as nonsense.
std::optional<std::string> NotText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
    return "tiedosto on tallennettu UTF-16-muodossa (Unicode), jota ohjelma ei lue: tallenna "
           "se Muistiossa ANSI- tai UTF-8-muodossa";
  if (bytes.find('\0') != std::string_view::npos)
    return "tiedostossa on NUL-tavuja, joten se ei ole tekstitiedosto";
  return std::nullopt;
}

}  // namespace

MenuCheck CheckMenuFile(std::string_view bytes, const ProgramFinder& findProgram) {
  MenuCheck result;
  MenuText text;
  DecodeMenuFile(bytes, text);
  // No programs are looked for in a file that is no text: it holds nothing but noise.
  std::optional<std::string> notText = NotText(bytes);
  const ProgramFinder none;
  Checker checker(notText ? none : findProgram);
  CheckText(bytes, text, checker);
  result.startup = ComputeStartup(text.lines, &checker);
  checker.Finish(result.startup);
  result.entryLines = checker.EntryLines();
  result.findings = std::move(checker.findings);
  // Whatever else the lines say, the one thing to know is that this is no menu file.
  if (notText) result.findings.assign(1, Finding{1, "V17", Severity::virhe, std::move(*notText)});
  std::stable_sort(result.findings.begin(), result.findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return result;
}

std::optional<std::string> ProgramOfCommand(std::string_view command) {
  if (IsWebAddress(command)) return std::nullopt;
  std::string_view program;
  if (command.starts_with('"')) {
    program = command.substr(1, command.find('"', 1) - 1);
  } else {
    program = command.substr(0, command.find_first_of(" \t"));
  }
  if (program.empty()) return std::nullopt;
  // The name without folder and extension: "C:\Windows\System32\CMD.EXE" is cmd.
  std::string_view name = program.substr(program.find_last_of("\\/:") + 1);
  name = name.substr(0, name.find('.'));
  const std::string lower = ToLowerAscii(name);
  if (lower == "cmd" || lower == "start") return std::nullopt;
  return std::string(program);
}

}  // namespace lv
