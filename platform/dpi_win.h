#pragma once
// Geometry lives in twips; these convert at a window's DPI. The per-monitor DPI
// functions are looked up at run time, so the program still starts where they are missing.
#include <windows.h>

namespace lv {

UINT WindowDpi(HWND hwnd);
UINT SystemDpi();

// 1440 twips per inch, rounded to the nearest pixel; absurd values are clamped.
int TwipsToPixels(float twips, UINT dpi);
float PixelsToTwips(int pixels, UINT dpi);

int SystemMetricForDpi(int index, UINT dpi);
void AdjustWindowRectForDpi(RECT* rect, DWORD style, bool menu, DWORD exStyle, UINT dpi);

// The system's message font, sized for `dpi`. The caller owns the font.
HFONT CreateMessageFont(UINT dpi);

}  // namespace lv
