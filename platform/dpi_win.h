#pragma once
// The DPIs that geometry in twips is converted at. The per-monitor DPI functions are
// looked up at run time, so the program still starts where they are missing.
#include <windows.h>

namespace lv {

UINT WindowDpi(HWND hwnd);
UINT SystemDpi();

int SystemMetricForDpi(int index, UINT dpi);
void AdjustWindowRectForDpi(RECT* rect, DWORD style, bool menu, DWORD exStyle, UINT dpi);

// The system's message font, sized for `dpi`. The caller owns the font.
HFONT CreateMessageFont(UINT dpi);

}  // namespace lv
