#include "check_report.h"

#include <array>
#include <cstdio>
#include <utility>

#include "command_choice.h"

namespace lv {

namespace {

constexpr size_t kReportMax = 20;

size_t CountOf(const std::vector<Finding>& findings, Severity severity) {
  size_t n = 0;
  for (const Finding& f : findings) n += f.severity == severity;
  return n;
}

// "1 virhe", "3 virhettä".
std::string Counted(size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

}  // namespace

std::string FindingsText(std::string_view file, const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) {
    out.append(file).append(":").append(std::to_string(f.line)).append(": ");
    out.append(SeverityName(f.severity)).append(": ").append(f.message);
    out.append(" [").append(f.code).append("]\n");
  }
  return out;
}

std::string FindingsJson(std::string_view file, const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) {
    if (!out.empty()) out += ",\n";
    out += "{\"file\": ";
    AppendJsonString(out, file);
    out += ", \"line\": " + std::to_string(f.line) + ", \"code\": ";
    AppendJsonString(out, f.code);
    out += ", \"severity\": ";
    AppendJsonString(out, SeverityName(f.severity));
    out += ", \"message\": ";
    AppendJsonString(out, f.message);
    out += "}";
  }
  return out;
}

std::string FindingsSummary(std::string_view what, const std::vector<Finding>& findings) {
  return std::string(what) + ": " +
         Counted(CountOf(findings, Severity::virhe), "virhe", "virhettä") + ", " +
         Counted(CountOf(findings, Severity::varoitus), "varoitus", "varoitusta") + ", " +
         Counted(CountOf(findings, Severity::huomautus), "huomautus", "huomautusta");
}

std::string PressTable(std::string_view file, const MenuCheck& check) {
  static constexpr std::array<std::pair<Trigger, std::string_view>, 7> kPresses = {{
      {Trigger::plain, "napsautus"},
      {Trigger::shift, "Shift"},
      {Trigger::ctrl, "Ctrl"},
      {Trigger::alt, "Alt"},
      {Trigger::shiftctrl, "Shift+Ctrl"},
      {Trigger::right, "oikea painike"},
      {Trigger::middle, "keskipainike"},
  }};
  const std::vector<MenuEntry>& entries = check.startup.entries;
  std::string out =
      std::string(file) + ": " + Counted(entries.size(), "painike", "painiketta") + "\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& e = entries[i];
    out += "\n";
    if (i < check.entryLines.size()) out += "rivi " + std::to_string(check.entryLines[i]) + ": ";
    out += "\"" + e.caption + "\"\n";
    for (const auto& [trigger, name] : kPresses) {
      std::string label = "  " + std::string(name) + ":";
      // Pads by characters, not bytes: the names are ASCII.
      label.resize(18, ' ');
      out += label + SelectCommand(e, trigger) + "\n";
    }
  }
  return out;
}

std::string CheckReportText(std::string_view td, const std::vector<Finding>& findings) {
  std::string out = "Valikkotiedosto " + std::string(td) + "\n\n";
  if (findings.empty()) return out + "Tiedostosta ei löytynyt huomautettavaa.";
  for (size_t i = 0; i < findings.size() && i < kReportMax; ++i) {
    if (i > 0) out += "\n";
    out += "rivi " + std::to_string(findings[i].line) + ": " + findings[i].message;
  }
  if (findings.size() > kReportMax)
    out += "\n\n... ja " + std::to_string(findings.size() - kReportMax) + " muuta";
  return out;
}

std::string CheckStatusText(size_t problems) {
  if (problems == 0) return {};
  return "Valikossa " + Counted(problems, "ongelma", "ongelmaa") + ": katso Ohje";
}

}  // namespace lv
