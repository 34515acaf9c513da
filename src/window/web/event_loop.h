// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEB_EVENT_LOOP_H_
#define VELMORA_WINDOW_WEB_EVENT_LOOP_H_

#include <optional>

#include "sheet/cell_sheet.h"
#include "window/focus_rule.h"

namespace window::web {

class Form1;

// Wires the page's events to the sheet and applies the focus rule: when the focus arrives in
// a box of another column than the last one selected, the box's whole text is selected so
// typing replaces it. The browser's own loop delivers the events, one at a time.
class EventLoop {
 public:
  // Both must outlive the loop.
  EventLoop(Form1& form, sheet::CellSheet& sheet);
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;
  ~EventLoop();

  // Listens to the page, and applies the focus rule to the box that has the focus (the first
  // box, unless the user moved on before the program ran); then handles the presses and
  // clicks the page kept while the program was on its way.
  void Form_Load();
  // A tap or click on the background or a label: one calculation pass. An overflow is
  // reported to the user and leaves the cells as the pass left them.
  void Form_Click();
  // The clear button: every cell becomes empty.
  void Command1_Click();

  // One event of the page, as its listeners receive it: its type is its place in the list
  // of types the page listens to.
  void OnEvent(int type);
  // A finger has rested on the box (a cell's index) long enough.
  void OnLongPress(int box);

 private:
  void OnClick(int target);
  void OnFocusIn(int target);
  void OnMouseDown(int target);
  void OnMouseUp();
  void OnContextMenu(int target);
  void OnTouch(bool start, int target);
  void ReportOverflow();

  Form1& form_;
  sheet::CellSheet& sheet_;
  FocusRule focus_rule_;
  // The box a press is in, and where it began, while the mouse button is down.
  std::optional<sheet::CellId> pressed_box_;
  double press_x_ = 0;
  double press_y_ = 0;
  // Whether the last press began on the background. One that began in a box and ended
  // elsewhere selects text: the click the browser then gives their common parent is no
  // calculation.
  bool press_on_background_ = true;
  // Whether the box pressed is to be selected once the click ends.
  bool select_when_click_ends_ = false;
  // While the events kept before the program ran are handled, and whether a tap among
  // them asks for the one calculation that follows.
  bool replaying_ = false;
  bool tapped_while_replaying_ = false;
  // Whether a finger is held on a box, waiting to count as a long press.
  bool long_press_pending_ = false;
};

}  // namespace window::web

#endif  // VELMORA_WINDOW_WEB_EVENT_LOOP_H_
