// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_EVENT_LOOP_H_
#define VELMORA_WINDOW_WEIXIN_EVENT_LOOP_H_

#include <optional>

#include "sheet/cell_sheet.h"
#include "window/focus_rule.h"

namespace window::weixin {

class Form1;

// Wires the page's events to the sheet and applies the focus rule: when the focus arrives in
// a box of another column than the last one selected, the box's whole text is selected so
// typing replaces it. WeChat's own loop delivers the events, one at a time, through the
// page's handler (the exported handleEvent).
class EventLoop {
 public:
  // Both must outlive the loop.
  EventLoop(Form1& form, sheet::CellSheet& sheet);
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;
  ~EventLoop();

  // Shows the form on the page, which has started the program. Then handles the events
  // that came before the program ran, in their order, and gives the first box the focus
  // unless the user has already put it somewhere.
  void Form_Load();
  // A tap on the background or a label: one calculation pass. An overflow is reported to
  // the user and leaves the cells as the pass left them.
  void Form_Click();
  // The clear button: every cell becomes empty.
  void Command1_Click();

  // The event being handled (page.h), as WeChat hands it to the page's handler; its changes
  // go to the page in one setData.
  void OnEvent();

 private:
  void Handle();
  void OnTap();
  void OnFocus(sheet::CellId cell);
  void ReportOverflow();

  Form1& form_;
  sheet::CellSheet& sheet_;
  FocusRule focus_rule_;
  // While the events that came before the program are handled, and whether a tap among
  // them asks for the one calculation that follows.
  bool replaying_ = false;
  bool tapped_while_replaying_ = false;
};

}  // namespace window::weixin

#endif  // VELMORA_WINDOW_WEIXIN_EVENT_LOOP_H_
