// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WIN32_EVENT_LOOP_H_
#define VELMORA_WINDOW_WIN32_EVENT_LOOP_H_

#include <windows.h>

#include <string>

#include "sheet/cell_sheet.h"
#include "window/focus_rule.h"

namespace window::win32 {

class Form1;

// Wires the window's events to the sheet and runs the program's main loop, which applies
// the focus rule after every batch of messages and then waits for the next one.
class EventLoop {
 public:
  // Both must outlive the loop.
  EventLoop(Form1& form, sheet::CellSheet& sheet);

  // Shows the window centred on its monitor and runs the program until the window closes;
  // returns the program's exit code.
  int Form_Load();

  // One pass of the main loop without waiting: every pending message, through the dialog
  // manager (Tab, Shift+Tab, Enter, Escape), each followed by the focus rule. False once
  // the program has ended.
  bool RunPendingMessages();

  // A click on the background: one calculation pass. An overflow is reported to the user
  // and leaves the cells as the pass left them.
  void Form_Click();
  // The clear button: every cell becomes empty.
  void Command1_Click();
  // Any request to close the window ends the program at once.
  void Form_QueryUnload();

  const std::string& LastTextBoxName() const { return focus_rule_.LastTextBoxName(); }
  bool Ended() const { return ended_; }

 private:
  int FocusSelectLoop();
  // `pointer`: where on the screen the pointer was for the message just handled.
  void ApplyFocusRule(POINT pointer);
  void SelectIfClickEnded(POINT pointer);

  Form1& form_;
  sheet::CellSheet& sheet_;
  FocusRule focus_rule_;
  bool ended_ = false;
  // A box the focus arrived in by a left press that has not ended yet, and where the press
  // was on the screen: its text is selected once the click ends.
  HWND clicked_box_ = nullptr;
  POINT press_{};
};

}  // namespace window::win32

#endif  // VELMORA_WINDOW_WIN32_EVENT_LOOP_H_
