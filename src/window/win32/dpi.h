// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_DPI_H_
#define VELMORA_WINDOW_WIN32_DPI_H_

#include <windows.h>

// The window's dots per inch, on every Windows from 7 on. What only newer Windows have (a
// DPI per monitor, from 8.1; per window, from 10) is looked up when the program runs, so
// the program file imports nothing Windows 7 lacks.
namespace window::win32 {

// The DPI `window` is drawn at: its own on Windows 10 and 11, its monitor's on 8.1, the
// system's on 7 and 8.
int WindowDpi(HWND window);

// The outer rectangle of a window with this style whose client area is `client`, at `dpi`.
RECT WindowRectFor(RECT client, DWORD style, DWORD ex_style, int dpi);

// The system's message font (the one Windows' own dialogs use), sized for `dpi`.
LOGFONTW MessageFont(int dpi);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_DPI_H_
