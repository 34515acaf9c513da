// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_CELL_BOX_H_
#define VELMORA_WINDOW_WIN32_CELL_BOX_H_

#include <windows.h>

#include <string>

namespace window::win32 {

// Creates the edit control that shows one cell, as a child of `parent` with control id
// `id`: one line, room for any text a cell may hold, no input method (pinyin would turn
// "." into "。" mid-number), the Chinese edit menu, and no selecting of its own when Tab
// lands in it, which the window's focus rule alone decides.
HWND CreateCellBox(HWND parent, int id);

// The box's whole text.
std::wstring BoxText(HWND box);

// Shows `text`, from its beginning, unless the box already shows it: writing the same text
// back on a user's keystroke would move the caret.
void ShowInBox(HWND box, const std::wstring& text);

// Whether the box's text shows whole, without scrolling.
bool TextFits(HWND box);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_CELL_BOX_H_
