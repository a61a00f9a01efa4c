#include "dpi_win.h"

namespace lv {

namespace {

template <typename F>
F LookUp(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

}  // namespace

UINT SystemDpi() {
  static const auto fn = LookUp<GetDpiForSystemFn>("GetDpiForSystem");
  if (fn) return fn();
  HDC screen = GetDC(nullptr);
  UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

UINT WindowDpi(HWND hwnd) {
  static const auto fn = LookUp<GetDpiForWindowFn>("GetDpiForWindow");
  UINT dpi = fn && hwnd ? fn(hwnd) : 0;
  return dpi ? dpi : SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto fn = LookUp<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return fn ? fn(index, dpi) : GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, bool menu, DWORD exStyle, UINT dpi) {
  static const auto fn = LookUp<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (!fn || !fn(rect, style, menu, exStyle, dpi)) AdjustWindowRectEx(rect, style, menu, exStyle);
}

HFONT CreateMessageFont(UINT dpi) {
  static const auto fn = LookUp<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (fn && fn(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    return CreateFontIndirectW(&metrics.lfMessageFont);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // The system's metrics are for the system DPI: scale them to this window's.
  metrics.lfMessageFont.lfHeight =
      MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace lv
