// SPDX-License-Identifier: MIT
#ifndef VELMORA_TESTS_WINDOW_WIN32_PROGRAM_H_
#define VELMORA_TESTS_WINDOW_WIN32_PROGRAM_H_

#include <windows.h>

#include <string>
#include <string_view>

#include "sheet/cell_sheet.h"
#include "window/layout.h"
#include "window/win32/cell_box.h"
#include "window/win32/event_loop.h"
#include "window/win32/form1.h"
#include "window/win32/utf16.h"

// The real program on a real (virtual) display: its window shown, driven with the messages
// a user's keys and clicks produce, each followed by one pass of its main loop.
struct Program {
  Program() : form(sheet), loop(form, sheet) {
    form.Centre();
    ShowWindow(form.Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(form.Handle());
    UpdateWindow(form.Handle());
    Pump();
  }

  // One pass of the main loop; false once the program has ended.
  bool Pump() { return loop.RunPendingMessages(); }

  static HWND Focus() { return GetFocus(); }
  HWND Box(sheet::CellId cell) const { return form.Box(cell); }
  std::string Shown(sheet::CellId cell) const {
    return window::win32::Narrow(window::win32::BoxText(Box(cell)));
  }
  // The focused control as a screen reader names it, "清除数据" for the button.
  std::string FocusName() const {
    if (Focus() == form.Command1()) return "清除数据";
    const auto cell = form.CellOf(Focus());
    return cell ? window::layout::AccessibleName(*cell) : "(none)";
  }

  // A key pressed and released on the focused control, with Shift held if asked: the
  // dialog manager reads Shift from the thread's keyboard state, as for a real key.
  void Key(WORD key, bool shift = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(Focus(), WM_KEYDOWN, key, 1);
    PostMessageW(Focus(), WM_KEYUP, key, (1U << 31) | (1U << 30) | 1);
    Pump();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }

  // Typed into the focused control: each UTF-16 unit as the character a key produces.
  void Type(std::string_view text) {
    for (const wchar_t unit : window::win32::Widen(text)) {
      PostMessageW(Focus(), WM_CHAR, unit, 1);
      Pump();
    }
  }

  // A left click at `at` in `control`'s client area, delivered to whatever a real click
  // there reaches: a label without notifications lets it through to the window.
  // With `move`, the mouse moves that many pixels right between press and release, as
  // hands do; the control that took the press holds the mouse till the release.
  void Click(HWND control, POINT at, int move = 0) {
    POINT screen = at;
    ClientToScreen(control, &screen);
    const HWND hit = WindowFromPoint(screen);
    POINT local = screen;
    ScreenToClient(hit, &local);
    PostMessageW(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    Pump();
    const HWND holder = GetCapture() != nullptr ? GetCapture() : hit;
    const LPARAM end = MAKELPARAM(local.x + move, local.y);
    if (move != 0) PostMessageW(holder, WM_MOUSEMOVE, MK_LBUTTON, end);
    PostMessageW(holder, WM_LBUTTONUP, 0, end);
    Pump();
  }
  void Click(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    Click(control, {client.right / 2, client.bottom / 2});
  }
  void ClickBackground() { Click(form.Handle(), {5, 5}); }

  // Pasted into the focused box, as its edit menu's paste does, from the clipboard.
  void Paste(std::string_view text) {
    const std::wstring wide = window::win32::Widen(text);
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    auto* data = static_cast<wchar_t*>(GlobalLock(memory));
    wide.copy(data, wide.size());
    data[wide.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(Focus(), WM_PASTE, 0, 0);
    Pump();
  }
  void TypeInto(sheet::CellId cell, std::string_view text) {
    Click(Box(cell));
    Type(text);
  }

  sheet::CellSheet sheet;
  window::win32::Form1 form;
  window::win32::EventLoop loop;
};

#endif  // VELMORA_TESTS_WINDOW_WIN32_PROGRAM_H_
