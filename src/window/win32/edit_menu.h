// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_EDIT_MENU_H_
#define VELMORA_WINDOW_WIN32_EDIT_MENU_H_

#include <windows.h>

namespace window::win32 {

// The right-click menu of a text box, in Chinese whatever Windows' language: undo, cut,
// copy, paste, delete, select all, each enabled as in Windows' own, at `screen_point` (or,
// from the keyboard, at the box). Runs the chosen command on `box`.
void ShowEditMenu(HWND box, POINT screen_point);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_EDIT_MENU_H_
