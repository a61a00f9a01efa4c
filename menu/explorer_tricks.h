#pragma once
// Appending the example rows ("Explorer tricks") to the end of the menu file, and the
// safe way of rewriting the file: the whole new content goes to ~valikko.oma first and
// only then replaces the menu file in one step, so a failure never leaves it half-written.
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace lv {

// The appended rows, in order, as UTF-8. Rows 1-3 are comments, 4-11 become buttons.
inline constexpr std::array<std::string_view, 11> kExplorerTrickRows = {
    ";",
    "; Esimerkkejä resurssienhallinnan ja komentokehotteen avaamiseksi",
    ";",
    "c:\\lumorats (res.hall. avaa)= cmd /c %windir%\\explorer.exe /e,/expand,c:\\lumorats",
    "c:\\lumorats (res.hall. valitse) = cmd /c %windir%\\explorer.exe /e,/select,c:\\lumorats",
    "c:\\lumorats (cmd)=cmd /k cd c:\\lumorats",
    "c:\\lumorats (cmd, dir uusimmat)=cmd /k cd c:\\lumorats & dir /od",
    "valikko.oma = notepad c:\\lumorats\\valikko.oma",
    "USB kopiointi = cmd /c  %windir%\\explorer.exe D:\\ & %windir%\\explorer.exe E:\\ & "
    "%windir%\\explorer.exe /e,/select,c:\\lumorats",
    "cmd = cmd /k cd c:\\",
    "Sammuta = cmd /c start shutdown -s -t 0",
};

// The complete new content of a menu file whose current bytes are `menuFileBytes`:
// every earlier line with its bytes unchanged and CR LF behind it (a line ends at
// CR LF, CR or a lone LF, as the reader decides), then the appended rows, each with
// CR LF. The rows are written in the file's own encoding: UTF-8 for a UTF-8 file (its
// byte-order mark kept), Windows-1252 otherwise.
std::string AppendExplorerTricks(std::string_view menuFileBytes);

// True for a file saved as UTF-16 (Notepad's "Unicode"): its lines cannot be copied
// byte by byte with single-byte line ends without ruining it, so nothing is appended.
bool IsUtf16File(std::string_view bytes);

// The temporary file's full path in `programFolder`.
std::string TempMenuPath(std::string_view programFolder);

// The outcome of one file-system operation; `reason` is the system's description of
// the failure, shown to the user as it is.
struct FileOpResult {
  bool ok = true;
  std::string reason;

  static FileOpResult Ok() { return {}; }
  static FileOpResult Failed(std::string why) { return {false, std::move(why)}; }
};

// The file operations the appending needs; the program implements them over Win32,
// the tests over memory.
class FileSystemOps {
 public:
  virtual ~FileSystemOps() = default;
  // The whole file into `bytes`.
  virtual FileOpResult ReadAll(const std::string& path, std::string& bytes) = 0;
  // Creates the file, or empties one that exists, writes `bytes` and flushes them to
  // the disk before returning success. On failure the file may hold part of them.
  virtual FileOpResult WriteAllFlushed(const std::string& path, std::string_view bytes) = 0;
  // Puts `replacement` in the place of `target` in one step. On failure `target` must
  // be exactly as it was (so `replacement` is still the only copy of the new content).
  virtual FileOpResult ReplaceWith(const std::string& target, const std::string& replacement) = 0;
  // Deletes the file; a file that does not exist counts as deleted.
  virtual FileOpResult Remove(const std::string& path) = 0;
};

// Finnish names of the steps, as the failure message shows them.
inline constexpr char kStepReadMenu[] = "valikkotiedoston lukeminen";
inline constexpr char kStepCheckEncoding[] = "valikkotiedoston merkistön tarkistus";
inline constexpr char kStepWriteTemp[] = "väliaikaistiedoston kirjoittaminen";
inline constexpr char kStepReplaceMenu[] = "valikkotiedoston korvaaminen uudella";

struct AppendResult {
  bool ok = true;
  std::string step;    // the failed step, one of the kStep... names; empty on success
  std::string reason;  // why it failed
  // Set when the temporary file could not be removed after a failure.
  bool tempLeft = false;
  std::string tempRemoveReason;
};

// Appends the example rows to the menu file `td` through the temporary file `tempPath`:
// reads `td`, writes the whole new content to `tempPath` (an old file there is
// overwritten), and replaces `td` with it. On any failure `td` is left as it was and
// the temporary file is removed. Starting Notepad and the restart prompt are the
// caller's, after success only.
AppendResult lisaaniksit(FileSystemOps& fs, const std::string& td, const std::string& tempPath);

inline constexpr char kAppendFailureTitle[] = "RIVIEN LISÄÄMINEN EPÄONNISTUI";

// The message shown after a failure, lines separated by LF.
std::string AppendFailureText(const AppendResult& result, std::string_view td,
                              std::string_view tempPath);

}  // namespace lv
