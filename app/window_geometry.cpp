#include "window_geometry.h"

#include <algorithm>
#include <cmath>

#include "texts.h"

namespace lv {

namespace {

constexpr float kTwipsPerInch = 1440.0f;
constexpr float kMaxPixels = 1 << 24;

}  // namespace

int TwipsToPixels(float twips, unsigned dpi) {
  float px = twips * static_cast<float>(dpi) / kTwipsPerInch;
  if (std::isnan(px)) return 0;
  return static_cast<int>(std::lround(std::clamp(px, -kMaxPixels, kMaxPixels)));
}

float PixelsToTwips(int pixels, unsigned dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

PixelPoint StartupPlace(const StartupResult& r, PixelPoint current, const Dpis& dpis) {
  return {r.windowLeft ? TwipsToPixels(*r.windowLeft, dpis.system) : current.x,
          r.windowTop ? TwipsToPixels(*r.windowTop, dpis.system) : current.y};
}

int StartupWidth(const StartupResult& r, int frameWidth, const Dpis& dpis) {
  if (r.windowWidth) return TwipsToPixels(*r.windowWidth, dpis.window);
  return TwipsToPixels(kClientDesignWidth, dpis.window) + frameWidth;
}

std::string PlacementReportAt(PixelPoint place, const TwipsRect& button0, const Dpis& dpis) {
  return PlacementReport(PixelsToTwips(place.x, dpis.system), PixelsToTwips(place.y, dpis.system),
                         button0.height, button0.width);
}

}  // namespace lv
