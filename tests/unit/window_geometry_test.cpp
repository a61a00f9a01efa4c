#include "window_geometry.h"

#include <gtest/gtest.h>

#include <string>


namespace lv {
namespace {


// Desktops whose window's monitor is scaled like the system, more or less.
const Dpis kDesktops[] = {{96, 96}, {96, 144}, {144, 96}, {120, 168}, {168, 120}, {192, 96}};

std::string Describe(const Dpis& d) {
  return "system " + std::to_string(d.system) + " DPI, window " + std::to_string(d.window) + " DPI";
}

// A place in the menu file is on the screen: the same pixels whichever monitor the
// window starts on. A size is at the window's DPI.
TEST(WindowGeometry, PlaceAtTheSystemDpiWidthAtTheWindowDpi) {
  struct Case {
    Dpis dpis;
    PixelPoint place;      // me.left=1500, me.top=-300
    int width;             // no cmdaja.width: 6150 twips of client and a 16-pixel frame
    int widthFromTheFile;  // cmdaja.width=3800: 4110 twips
  };
  const Case cases[] = {
      {{96, 96}, {100, -20}, 426, 274},   {{96, 144}, {100, -20}, 631, 411},
      {{144, 96}, {150, -30}, 426, 274},  {{144, 144}, {150, -30}, 631, 411},
      {{120, 192}, {125, -25}, 836, 548},
  };
  const StartupResult placed = ComputeStartupFromBytes("me.left=1500\r\nme.top=-300\r\neka = cmd\r\n");
  const StartupResult plain = ComputeStartupFromBytes("eka = cmd\r\n");
  const StartupResult wide = ComputeStartupFromBytes("cmdaja.width=3800\r\neka = cmd\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.dpis));
    const PixelPoint p = StartupPlace(placed, {7, 9}, c.dpis);
    EXPECT_EQ(p.x, c.place.x);
    EXPECT_EQ(p.y, c.place.y);
    const PixelPoint unset = StartupPlace(plain, {7, 9}, c.dpis);
    EXPECT_EQ(unset.x, 7);
    EXPECT_EQ(unset.y, 9);
    EXPECT_EQ(StartupWidth(plain, 16, c.dpis), c.width);
    EXPECT_EQ(StartupWidth(wide, 16, c.dpis), c.widthFromTheFile);
  }
}

// Report, paste, restart: the window comes back to the same pixels, also when it
// was reported on one monitor and starts on another.
TEST(WindowGeometry, ReportedPlaceBringsTheWindowBack) {
  const TwipsRect button0{105, 165, 3700, 350};
  for (const Dpis& reported : kDesktops) {
    for (const Dpis& started : kDesktops) {
      if (started.system != reported.system) continue;  // one desktop, two monitors
      for (PixelPoint at : {PixelPoint{0, 0}, PixelPoint{-1921, -7}, PixelPoint{1, 333},
                            PixelPoint{2559, 1439}, PixelPoint{7681, -1}}) {
        SCOPED_TRACE(Describe(reported) + " -> " + Describe(started) + " at " +
                     std::to_string(at.x) + ", " + std::to_string(at.y));
        const std::string report = PlacementReportAt(at, button0, reported);
        const PixelPoint back = StartupPlace(ComputeStartupFromBytes(report + "eka = cmd\r\n"), {}, started);
        EXPECT_EQ(back.x, at.x) << report;
        EXPECT_EQ(back.y, at.y) << report;
      }
    }
  }
}

TEST(WindowGeometry, ReportIsInScreenTwipsOfTheSystemDpi) {
  // The worked example: 82, 141 pixels at 96 DPI are 1230 and 2115 twips.
  EXPECT_EQ(
      PlacementReportAt({82, 141}, {105, 165, 5640, 615}, {96, 144}),
      "me.left = 1230\r\nme.top = 2115\r\n\r\ncmdAja.height = 615\r\ncmdAja.width = 5640\r\n");
  EXPECT_EQ(PlacementReportAt({-10, 20}, {105, 165, 5640, 615}, {144, 96}).substr(0, 30),
            "me.left = -100\r\nme.top = 200\r\n");
}

}  // namespace
}  // namespace lv
