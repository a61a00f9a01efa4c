#pragma once
// The window as it is built, before the menu file is applied. All values in twips
// (1/1440 inch; 15 twips per pixel at 96 DPI).

namespace lv {

struct TwipsRect {
  float left = 0, top = 0, width = 0, height = 0;
  float bottom() const { return top + height; }
};

inline constexpr char kFormCaption[] = "Lumora Valikko";
inline constexpr char kButtonDesignCaption[] = "cmdAja";
inline constexpr char kLabelDesignText[] = "Käynnistys ok!";

inline constexpr float kClientDesignWidth = 6150;
inline constexpr float kClientDesignHeight = 4470;
inline constexpr TwipsRect kButton0Design{105, 165, 5640, 615};
inline constexpr TwipsRect kHintDesign{165, 870, 7005, 285};     // lblVinkki
inline constexpr TwipsRect kStatusDesign{150, 1110, 7005, 285};  // lblKomento

inline constexpr float kButtonGap = 50;          // between two buttons, and above lblVinkki
inline constexpr float kLabelGap = 30;           // between lblVinkki and lblKomento
inline constexpr float kWindowBelowLast = 1150;  // window height beyond the last button
inline constexpr float kWidthExtra = 100;        // window width beyond 2 x left + button width
inline constexpr float kResizeMargin = 200;      // button width = window width - this - 2 x left

// Sizes and positions a menu file may set are clamped to this many twips (32767
// pixels at 96 DPI, the largest coordinate every part of Windows accepts).
inline constexpr float kMaxTwips = 32767.0f * 15.0f;

}  // namespace lv
