// SPDX-License-Identifier: MIT
#include "window/win32/dpi.h"

#include <cstring>
#include <string>

namespace window::win32 {
namespace {

// A function of `module` by name, or null where this Windows lacks it.
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  Function function = nullptr;
  if (module == nullptr) return function;
  const FARPROC address = GetProcAddress(module, name);
  static_assert(sizeof function == sizeof address);
  std::memcpy(&function, &address, sizeof function);
  return function;
}

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

// Shcore.dll exists from Windows 8.1 on; loaded by its full path so that no copy planted
// beside the program can stand in for it on an older Windows.
HMODULE Shcore() {
  static const HMODULE shcore = [] {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return HMODULE{};
    return LoadLibraryW((std::wstring(folder, length) + L"\\shcore.dll").c_str());
  }();
  return shcore;
}

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window =
      Lookup<GetDpiForWindowFunction>(User32(), "GetDpiForWindow");
  if (get_dpi_for_window != nullptr) return static_cast<int>(get_dpi_for_window(window));

  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto get_dpi_for_monitor =
      Lookup<GetDpiForMonitorFunction>(Shcore(), "GetDpiForMonitor");
  UINT dpi_x = 0;
  UINT dpi_y = 0;
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  if (get_dpi_for_monitor != nullptr &&
      SUCCEEDED(get_dpi_for_monitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                    kEffectiveDpi, &dpi_x, &dpi_y))) {
    return static_cast<int>(dpi_y);
  }
  return SystemDpi();
}

RECT WindowRectFor(RECT client, DWORD style, DWORD ex_style, int dpi) {
  using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = Lookup<AdjustFunction>(User32(), "AdjustWindowRectExForDpi");
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&client, style, FALSE, ex_style, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&client, style, FALSE, ex_style);
  }
  return client;
}

LOGFONTW MessageFont(int dpi) {
  using ParametersFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto parameters_for_dpi =
      Lookup<ParametersFunction>(User32(), "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (parameters_for_dpi != nullptr && parameters_for_dpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize,
                                                          &metrics, 0, static_cast<UINT>(dpi))) {
    return metrics.lfMessageFont;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  // Given at the system's DPI: scaled to the window's where the two differ (Windows 8.1).
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
  return font;
}

}  // namespace window::win32
