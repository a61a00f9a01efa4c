#pragma once
// Start-up as a pure computation: the lines of the menu file in, the whole window
// (buttons, labels, caption, size and place, all in twips) out.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form_design.h"
#include "menu_entry.h"

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

StartupResult ComputeStartup(const std::vector<std::string_view>& lines);

// The full path of the menu file in `programFolder`.
std::string fe_omatd(std::string_view programFolder);

// The width the resize rule gives every button for a window `windowWidth` twips wide,
// or nothing when that width would be negative (the buttons then keep theirs).
std::optional<float> ResizedButtonWidth(float windowWidth, float button0Left);

}  // namespace lv
