#pragma once
// The menu file written when the program folder has none: a working menu for the
// Lumora programs and at the same time a worked example of the file format.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

enum class BlockKind {
  Program,          // a desktop program whose executable is looked for when the file is written
  DesktopShortcut,  // a per-user application started from its shortcut on the desktop
  WebPage,          // only opens a web page of the maker
};

// How the block's tooltip row ends.
enum class TipStyle {
  Full,      // every modifier listed, the middle button last
  NoMiddle,  // ends after the right button: the middle row is commented out
  Tool,      // a small tool: only " // shift: ohjesivu"
};

// One block of the product part of the default menu.
struct ProductBlock {
  BlockKind kind = BlockKind::Program;
  std::string_view blockName{};      // after "; *** " in the header row
  std::string_view caption{};        // the button text
  std::string_view programPath{};    // the executable, or the shortcut file; empty for a web page
  std::string_view productPage{};    // opened when the program is missing; a web page's own target
  std::string_view supportPage{};    // Shift
  std::string_view knowledgePage{};  // Ctrl
  std::string_view manual{};         // Shift+Ctrl
  std::string_view update{};         // Alt
  std::string_view changeHistory{};  // right button
  std::string_view middleTarget{};   // middle button; empty: the charts-of-accounts page
  std::string_view middleName{};     // the tooltip's name for `middleTarget` when it is set
  bool middleCommented = false;      // the middle row is written as a comment
  std::string_view tipName{};        // the product name in capitals
  TipStyle tip = TipStyle::Full;
  bool tipTrailingSpace = false;
  int blankRowsAfter = 1;
};

// The fifteen product blocks, in the order they stand in the file.
std::span<const ProductBlock> DefaultProductBlocks();

// The bytes of the default menu file, Windows-1252, CR LF after every row.
// `fe_levylla` is asked once per program block, in file order, whether that program
// is installed; an installed program gets a direct entry, a missing one an entry that
// starts it if it has appeared since and otherwise opens its product page.
std::string BuildDefaultMenu(const std::function<bool(const std::string& programPath)>& fe_levylla);

// The executables looked for, in the order `fe_levylla` is asked about them.
std::vector<std::string> DefaultMenuProgramPaths();

}  // namespace lv
