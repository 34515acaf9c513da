// SPDX-License-Identifier: MIT
#include "window/win32/cell_box.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include "sheet/cell_sheet.h"
#include "window/win32/edit_menu.h"

namespace window::win32 {
namespace {

LRESULT CALLBACK CellBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                             UINT_PTR subclass, DWORD_PTR data);

// Windows types a character beyond the basic plane as two WM_CHAR halves. The first alone
// would reach the sheet as U+FFFD, and the box, rewritten, would lose its caret: it waits in
// the subclass's data for its partner, and the pair goes in as one edit.
LRESULT OnChar(HWND box, WPARAM unit, LPARAM lparam, DWORD_PTR pending_high) {
  if (IS_HIGH_SURROGATE(unit)) {
    SetWindowSubclass(box, CellBoxProc, 0, unit);
    return 0;
  }
  if (pending_high != 0) {
    SetWindowSubclass(box, CellBoxProc, 0, 0);
    if (IS_LOW_SURROGATE(unit)) {
      const wchar_t pair[] = {static_cast<wchar_t>(pending_high), static_cast<wchar_t>(unit),
                              L'\0'};
      SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
      return 0;
    }
  }
  return DefSubclassProc(box, WM_CHAR, unit, lparam);
}

LRESULT CALLBACK CellBoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                             UINT_PTR /*subclass*/, DWORD_PTR data) {
  switch (message) {
    case WM_CHAR:
      return OnChar(box, wparam, lparam, data);
    case WM_GETDLGCODE:
      // Without this, the dialog manager selects a box's whole text whenever Tab lands in
      // it, even coming back into the column last selected.
      return DefSubclassProc(box, message, wparam, lparam) & ~DLGC_HASSETSEL;
    case WM_CONTEXTMENU:
      ShowEditMenu(box, {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, CellBoxProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wparam, lparam);
}

}  // namespace

HWND CreateCellBox(HWND parent, int id) {
  const HWND box = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
      nullptr);
  // A character takes one or two UTF-16 units; the sheet cuts what is longer and the
  // repaint shows its cut.
  SendMessageW(box, EM_SETLIMITTEXT, 2 * sheet::kMaxTextLength, 0);
  // No input context at all: the documented way to keep every input method out of a box.
  ImmAssociateContextEx(box, nullptr, 0);
  SetWindowSubclass(box, CellBoxProc, 0, 0);
  return box;
}

std::wstring BoxText(HWND box) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ShowInBox(HWND box, const std::wstring& text) {
  if (BoxText(box) == text) return;
  SetWindowTextW(box, text.c_str());
  // A total such as 1201.5000 must never read as 201.5000 in a narrow box.
  SendMessageW(box, EM_SETSEL, 0, 0);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

bool TextFits(HWND box) {
  const std::wstring text = BoxText(box);
  RECT client;
  GetClientRect(box, &client);
  const auto margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
  // The edit control keeps one pixel on each side inside its margins.
  const LONG room = client.right - LOWORD(margins) - HIWORD(margins) - 2;
  const HDC dc = GetDC(box);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  return size.cx <= room;
}

}  // namespace window::win32
