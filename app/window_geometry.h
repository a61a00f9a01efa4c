#pragma once
// The window's twips in pixels on a desktop whose monitors may be scaled differently.
// Sizes (the window's, its controls') are at the DPI of the monitor the window is on.
// Places on the screen (the window's left and top, read from the menu file or put in
// the placement report) are at the system DPI, one rate whichever monitor the window
// is on: a reported place then brings the window back there.
#include <string>

#include "startup.h"

namespace lv {

// 1440 twips per inch, rounded to the nearest pixel; absurd values are clamped.
int TwipsToPixels(float twips, unsigned dpi);
float PixelsToTwips(int pixels, unsigned dpi);

struct Dpis {
  unsigned system = 96;
  unsigned window = 96;
};

struct PixelPoint {
  int x = 0, y = 0;
};

// The window's outer top left corner on the screen after start-up: the menu file's
// "me.left" and "me.top", or `current`, where Windows put the window.
PixelPoint StartupPlace(const StartupResult& r, PixelPoint current, const Dpis& dpis);

// The window's outer width after start-up; `frameWidth` is its borders' in pixels at
// the window's DPI.
int StartupWidth(const StartupResult& r, int frameWidth, const Dpis& dpis);

// The placement report for a window whose outer top left corner is at `place`.
std::string PlacementReportAt(PixelPoint place, const TwipsRect& button0, const Dpis& dpis);

}  // namespace lv
