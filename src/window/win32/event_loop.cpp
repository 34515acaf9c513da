// SPDX-License-Identifier: MIT
#include "window/win32/event_loop.h"

#include <windows.h>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/layout.h"
#include "window/texts.h"
#include "window/win32/form1.h"
#include "window/win32/message_box.h"

namespace window::win32 {

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet) : form_(form), sheet_(sheet) {
  form_.SetEvents(
      {[this] { Form_Click(); }, [this] { Command1_Click(); }, [this] { Form_QueryUnload(); }});
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
    ApplyFocusRule();
  }
  if (ended_) return false;
  ApplyFocusRule();
  return true;
}

void EventLoop::ApplyFocusRule() {
  const HWND focus = GetFocus();
  const auto cell = form_.CellOf(focus);
  if (!cell || !focus_rule_.Arrive(sheet::ColumnName(cell->column))) return;
  // Selected from the end back to the start, so a long text shows its beginning.
  const int length = GetWindowTextLengthW(focus);
  SendMessageW(focus, EM_SETSEL, static_cast<WPARAM>(length), 0);
  SendMessageW(focus, EM_SCROLLCARET, 0, 0);
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
