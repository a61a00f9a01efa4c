#include "explorer_tricks.h"

#include "menu_text.h"

namespace lv {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

// System error texts end with CR LF; the message box wants none inside a line.
std::string_view TrimLineEnds(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
    text.remove_suffix(1);
  return text;
}

}  // namespace

bool IsUtf16File(std::string_view bytes) {
  return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

std::string AppendExplorerTricks(std::string_view menuFileBytes) {
  const TextEncoding encoding = DetectEncoding(menuFileBytes);
  std::string out;
  out.reserve(menuFileBytes.size() + menuFileBytes.size() / 16 + 600);

  // The mark is not part of the first line: a file that holds only the mark has no
  // lines and keeps the mark in front of the appended rows.
  std::string_view body = menuFileBytes;
  if (encoding == TextEncoding::Utf8Bom) {
    out.append(kBom);
    body.remove_prefix(kBom.size());
  }
  for (std::string_view line : SplitLines(body)) {
    out.append(line);
    out.append(kCrLf);
  }
  const bool utf8 = encoding != TextEncoding::Windows1252;
  for (std::string_view row : kExplorerTrickRows) {
    out.append(utf8 ? std::string(row) : Utf8ToWindows1252(row));
    out.append(kCrLf);
  }
  return out;
}

std::string TempMenuPath(std::string_view programFolder) {
  std::string path(programFolder);
  if (!path.ends_with('\\')) path += '\\';
  path += "~valikko.oma";
  return path;
}

AppendResult lisaaniksit(FileSystemOps& fs, const std::string& td, const std::string& tempPath) {
  AppendResult result;
  const auto fail = [&](const char* step, std::string reason) {
    result.ok = false;
    result.step = step;
    result.reason = std::move(reason);
  };

  std::string before;
  if (FileOpResult r = fs.ReadAll(td, before); !r.ok) {
    fail(kStepReadMenu, std::move(r.reason));
    return result;  // nothing written yet
  }
  if (IsUtf16File(before)) {
    fail(kStepCheckEncoding,
         "Tiedosto on tallennettu UTF-16-muodossa (Unicode), jota valikko ei osaa lukea. "
         "Tallenna se muistiossa UTF-8- tai ANSI-muodossa.");
    return result;
  }

  const std::string after = AppendExplorerTricks(before);
  if (FileOpResult r = fs.WriteAllFlushed(tempPath, after); !r.ok) {
    fail(kStepWriteTemp, std::move(r.reason));
  } else if (FileOpResult r2 = fs.ReplaceWith(td, tempPath); !r2.ok) {
    fail(kStepReplaceMenu, std::move(r2.reason));
  } else {
    return result;  // the temporary file has become the menu file
  }

  // The menu file is as it was; the temporary file, whole or partial, must go.
  if (FileOpResult r = fs.Remove(tempPath); !r.ok) {
    result.tempLeft = true;
    result.tempRemoveReason = std::move(r.reason);
  }
  return result;
}

std::string AppendFailureText(const AppendResult& result, std::string_view td,
                              std::string_view tempPath) {
  std::string text = "Rivien lisääminen valikkoon epäonnistui.\n\n";
  text += "Vaihe: ";
  text += result.step;
  text += "\nSyy: ";
  std::string_view reason = TrimLineEnds(result.reason);
  text += reason.empty() ? std::string_view("tuntematon") : reason;
  text += "\n\nValikkotiedosto ";
  text += td;
  text += " on ennallaan.\n";
  if (result.tempLeft) {
    text += "\nVäliaikaistiedostoa ";
    text += tempPath;
    text += " ei voitu poistaa: ";
    std::string_view why = TrimLineEnds(result.tempRemoveReason);
    text += why.empty() ? std::string_view("tuntematon syy") : why;
    text += "\n";
  }
  return text;
}

}  // namespace lv
