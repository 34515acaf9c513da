// SPDX-License-Identifier: MIT
#include "window/win32/edit_menu.h"

#include "window/texts.h"
#include "window/win32/cell_box.h"
#include "window/win32/utf16.h"

namespace window::win32 {
namespace {

using texts::EditAction;

bool Enabled(HWND box, EditAction action) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selected = start != end;
  const auto length = static_cast<DWORD>(GetWindowTextLengthW(box));
  switch (action) {
    case EditAction::kUndo:
      return SendMessageW(box, EM_CANUNDO, 0, 0) != 0;
    case EditAction::kCut:
    case EditAction::kCopy:
    case EditAction::kDelete:
      return selected;
    case EditAction::kPaste:
      return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0;
    case EditAction::kSelectAll:
      return length > 0 && !(start == 0 && end == length);
  }
  return false;
}

void Run(HWND box, EditAction action) {
  switch (action) {
    case EditAction::kUndo:
      SendMessageW(box, EM_UNDO, 0, 0);
      return;
    case EditAction::kCut:
      SendMessageW(box, WM_CUT, 0, 0);
      return;
    case EditAction::kCopy:
      SendMessageW(box, WM_COPY, 0, 0);
      return;
    case EditAction::kPaste:
      SendMessageW(box, WM_PASTE, 0, 0);
      return;
    case EditAction::kDelete:
      SendMessageW(box, WM_CLEAR, 0, 0);
      return;
    case EditAction::kSelectAll:
      SendMessageW(box, EM_SETSEL, 0, -1);
      return;
  }
}

}  // namespace

void ShowEditMenu(HWND box, POINT screen_point) {
  SetFocus(box);
  // The arrival selects before the menu's loop, so a paste replaces the text.
  SendMessageW(GetParent(box), kFocusMovedMessage, 0, 0);
  if (screen_point.x == -1 && screen_point.y == -1) {
    RECT rect;
    GetWindowRect(box, &rect);
    screen_point = {rect.left, rect.bottom};
  }
  const HMENU menu = CreatePopupMenu();
  // Command ids from 1: TrackPopupMenu answers 0 when nothing was chosen.
  UINT id = 1;
  for (const auto& item : texts::kEditMenu) {
    if (item.separator_before) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const UINT state = Enabled(box, item.action) ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu, MF_STRING | state, id++, Widen(item.caption).c_str());
  }
  const auto chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       screen_point.x, screen_point.y, 0, box, nullptr));
  DestroyMenu(menu);
  if (chosen != 0) Run(box, texts::kEditMenu[chosen - 1].action);
}

}  // namespace window::win32
