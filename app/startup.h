#pragma once
// Start-up as a pure computation: the lines of the menu file in, the whole window
// (buttons, labels, caption, size and place, all in twips) out.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form_design.h"
#include "leading_number.h"
#include "menu_entry.h"
#include "menu_line.h"

namespace lv {

inline constexpr char gVersioPvm[] = "3.12.2023";

struct StartupResult {
  // One per entry line, in file order; empty when the file has none. Button 0 then
  // stays as built: caption "cmdAja", no command.
  std::vector<MenuEntry> entries;
  // One per button, so never empty: buttons[i] belongs to entries[i].
  std::vector<TwipsRect> buttons;
  TwipsRect hint = kHintDesign;
  TwipsRect status = kStatusDesign;
  std::string caption;              // the title with " (ver:3.12.2023)" behind it
  std::optional<float> windowLeft;  // unset: Windows' default place
  std::optional<float> windowTop;
  std::optional<float> windowWidth;  // unset: the built width
  float windowHeight = 0;            // outer height, as the menu file's rule gives it
};

// Start-up tells what it does with each line as it goes, so that the menu file checker
// explains a file through this one reading of it. `index` counts lines from 0.
class StartupObserver {
 public:
  // Every line, as it was classified, before it is applied.
  virtual void OnLine(size_t index, std::string_view text, const MenuLine& line) = 0;
  // An attached line with no entry above it: nothing takes it.
  virtual void OnAttachedWithoutEntry(size_t index, const MenuLine& line) = 0;
  // A setting read as a number, and the value kept after clamping it.
  virtual void OnNumber(size_t index, const MenuLine& line, const NumberReading& read,
                        float kept) = 0;

 protected:
  ~StartupObserver() = default;
};

StartupResult ComputeStartup(const std::vector<std::string_view>& lines,
                             StartupObserver* observer = nullptr);

// The same for the bytes of a menu file, decoded as the program reads it.
StartupResult ComputeStartupFromBytes(std::string_view bytes);

// The full path of the menu file in `programFolder`.
std::string fe_omatd(std::string_view programFolder);

// The width the resize rule gives every button for a window `windowWidth` twips wide,
// or nothing when that width would be negative (the buttons then keep theirs).
std::optional<float> ResizedButtonWidth(float windowWidth, float button0Left);

}  // namespace lv
