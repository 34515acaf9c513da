// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_CELL_BOX_H_
#define VELMORA_WINDOW_WIN32_CELL_BOX_H_

#include <windows.h>

#include <string>

namespace window::win32 {

// Creates the edit control that shows one cell, as a child of `parent` with control id
// `id`: one line, room for any text a cell may hold, no input method (pinyin would turn
// "." into "。" mid-number), the Chinese edit menu, and no selecting of its own when Tab
// lands in it, which the window's focus rule alone decides. A character beyond the basic
// plane, which Windows types as two WM_CHAR halves, goes into the box whole.
HWND CreateCellBox(HWND parent, int id);

// What a box sends its window when it takes the focus for a loop of its own (its menu),
// so the focus rule runs before that loop, as after any other message.
inline constexpr UINT kFocusMovedMessage = WM_APP + 1;

// The box's whole text.
std::wstring BoxText(HWND box);

// Shows `text`, from its beginning, unless the box already shows it: writing the same text
// back on a user's keystroke would move the caret.
void ShowInBox(HWND box, const std::wstring& text);

// Whether the box's text shows whole, without scrolling.
bool TextFits(HWND box);

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_CELL_BOX_H_
