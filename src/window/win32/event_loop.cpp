// SPDX-License-Identifier: MIT
#include "window/win32/event_loop.h"

#include <windows.h>
#include <windowsx.h>

#include <cstdlib>
#include <utility>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/layout.h"
#include "window/texts.h"
#include "window/win32/form1.h"
#include "window/win32/message_box.h"

namespace window::win32 {
namespace {

// Selected from the end back to the start, so a long text shows its beginning.
void SelectWholeText(HWND box) {
  const int length = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(length), 0);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

// Where on the screen the pointer was when the last message taken was sent.
POINT MessagePointer() {
  const DWORD position = GetMessagePos();
  return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

// Where on the screen the pointer was for `message`: a client-area mouse message says where
// it reached its window, which a click's press and release are compared by.
POINT PointerOf(const MSG& message) {
  if (message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST ||
      message.message == WM_MOUSEWHEEL || message.message == WM_MOUSEHWHEEL) {
    return MessagePointer();
  }
  POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
  ClientToScreen(message.hwnd, &point);
  return point;
}

}  // namespace

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet) : form_(form), sheet_(sheet) {
  form_.SetEvents({[this] { Form_Click(); }, [this] { Command1_Click(); },
                   [this] { Form_QueryUnload(); }, [this] { ApplyFocusRule(MessagePointer()); }});
}

int EventLoop::Form_Load() {
  form_.Centre();
  ShowWindow(form_.Handle(), SW_SHOWNORMAL);
  UpdateWindow(form_.Handle());
  return FocusSelectLoop();
}

int EventLoop::FocusSelectLoop() {
  // Nothing runs while no message comes: the loop sleeps in WaitMessage.
  while (RunPendingMessages()) WaitMessage();
  return 0;
}

bool EventLoop::RunPendingMessages() {
  MSG message;
  while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ended_ = true;
      break;
    }
    if (!IsDialogMessageW(form_.Handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    // After each message, not only after the batch: a key typed ahead, in the batch that
    // moved the focus, would otherwise be selected with the box's old text and replaced.
    ApplyFocusRule(PointerOf(message));
  }
  if (ended_) return false;
  ApplyFocusRule(MessagePointer());
  return true;
}

void EventLoop::ApplyFocusRule(POINT pointer) {
  SelectIfClickEnded(pointer);
  const HWND focus = GetFocus();
  const auto cell = form_.CellOf(focus);
  if (!cell || !focus_rule_.Arrive(sheet::ColumnName(cell->column))) return;
  // A left press that brought the focus still holds the mouse, and its moves would move
  // the selection's end: select once the click ends.
  if (GetCapture() == focus) {
    clicked_box_ = focus;
    press_ = pointer;
    return;
  }
  SelectWholeText(focus);
}

void EventLoop::SelectIfClickEnded(POINT pointer) {
  if (clicked_box_ == nullptr || GetCapture() == clicked_box_) return;
  const HWND box = std::exchange(clicked_box_, nullptr);
  if (GetFocus() != box) return;
  // Hands move a pixel or two while clicking; only a longer move is a drag, which keeps
  // what it selected.
  if (std::abs(pointer.x - press_.x) <= GetSystemMetrics(SM_CXDRAG) &&
      std::abs(pointer.y - press_.y) <= GetSystemMetrics(SM_CYDRAG)) {
    SelectWholeText(box);
  }
}

void EventLoop::Form_Click() {
  try {
    sheet::Calculate(sheet_);
  } catch (const sheet::OverflowError&) {
    ShowWarning(form_.Handle(), layout::kFormCaption, texts::kOverflowMessage);
  }
}

void EventLoop::Command1_Click() { sheet_.ClearAll(); }

void EventLoop::Form_QueryUnload() {
  // No later message is handled: the loop stops at the next one, and the window goes.
  ended_ = true;
  ShowWindow(form_.Handle(), SW_HIDE);
  PostQuitMessage(0);
}

}  // namespace window::win32
