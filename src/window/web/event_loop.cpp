// SPDX-License-Identifier: MIT
#include "window/web/event_loop.h"

#include <emscripten/emscripten.h>

#include <cmath>
#include <string_view>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/layout.h"
#include "window/texts.h"
#include "window/web/form1.h"
#include "window/web/page.h"

namespace window::web {
namespace {

// Browsers tell no drag distance of their own: Windows' default, 4 pixels either way.
constexpr double kDragDistance = 4;
// How long a finger rests on a box before it counts as a long press: Android's default.
constexpr int kLongPressMilliseconds = 500;

// The events the loop listens to, in the order of their numbers.
enum EventType : int {
  kInput,
  kClick,
  kFocusIn,
  kMouseDown,
  kMouseUp,
  kContextMenu,
  kKeyDown,
  kMouseOver,
  kMouseOut,
  kTouchStart,
  kTouchMove,
  kTouchEnd,
  kTouchCancel
};
constexpr std::string_view kEventTypes =
    "input click focusin mousedown mouseup contextmenu keydown mouseover mouseout touchstart "
    "touchmove touchend touchcancel";

// The page's listeners reach the loop through the two exported functions below.
EventLoop* page_loop = nullptr;

}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void velmora_handle_event(int type) {
  if (page_loop != nullptr) page_loop->OnEvent(type);
}
EMSCRIPTEN_KEEPALIVE void velmora_handle_long_press(int box) {
  if (page_loop != nullptr) page_loop->OnLongPress(box);
}
}

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet) : form_(form), sheet_(sheet) {
  page_loop = this;
}

EventLoop::~EventLoop() { page_loop = nullptr; }

void EventLoop::Form_Load() {
  // The whole page is the window: a click beside, above or below the form is on its
  // background, and a press may end anywhere.
  page::Listen(kEventTypes);
  // The page focused its first box before the program ran, and the user may have typed
  // there or moved on: the box with the focus has arrived, and what it holds stays as typed.
  if (const auto cell = form_.CellOf(page::FocusedBox())) {
    focus_rule_.Arrive(sheet::ColumnName(cell->column));
  } else {
    page::FocusBox(static_cast<int>(sheet::CellIndex({sheet::Column::Text1, 0})));
  }
  // Presses and clicks made before the program ran, in their order: any tap on the page
  // among them calculates now, once, with what the boxes hold.
  replaying_ = true;
  page::ReplayEarlyEvents();
  replaying_ = false;
  if (tapped_while_replaying_) Form_Click();
  // The moment a click calculates, in the page's own timeline, for whoever measures the
  // start (bench/web-startup.py) and for the page test.
  page::Mark("velmora-running");
}

void EventLoop::OnEvent(int type) {
  const int target = page::EventTarget();
  switch (type) {
    case kInput:
      if (const auto cell = form_.CellOf(target)) form_.OnBoxEdited(*cell);
      break;
    case kClick:
      OnClick(target);
      break;
    case kFocusIn:
      OnFocusIn(target);
      break;
    case kMouseDown:
      OnMouseDown(target);
      break;
    case kMouseUp:
      OnMouseUp();
      break;
    case kContextMenu:
      OnContextMenu(target);
      break;
    case kKeyDown:
      // Enter on the focused button would press it: a stray key must not erase the work.
      if (target == page::kButton && page::EventKeyIsEnter()) page::PreventDefault();
      break;
    case kMouseOver:
      if (const auto cell = form_.CellOf(target)) form_.ShowWholeText(*cell);
      break;
    case kMouseOut:
      form_.HideWholeText();
      break;
    default:  // the touches
      OnTouch(type == kTouchStart, target);
  }
}

void EventLoop::OnLongPress(int box) {
  long_press_pending_ = false;
  if (const auto cell = form_.CellOf(box)) form_.ShowWholeText(*cell);
}

void EventLoop::OnTouch(bool start, int target) {
  // Phones show no hover: a finger held still on a box shows its whole number.
  if (long_press_pending_) page::CancelLongPress();
  long_press_pending_ = false;
  if (!start) return;
  if (!form_.ShowsWholeTextOf(target)) form_.HideWholeText();
  if (!form_.CellOf(target)) return;
  page::StartLongPress(target, kLongPressMilliseconds);
  long_press_pending_ = true;
}

void EventLoop::OnClick(int target) {
  if (target == page::kButton) {
    Command1_Click();
  } else if (press_on_background_ && target == page::kBackground) {
    if (replaying_) {
      tapped_while_replaying_ = true;
    } else {
      Form_Click();
    }
  }
}

void EventLoop::OnFocusIn(int target) {
  const auto cell = form_.CellOf(target);
  if (!cell || !focus_rule_.Arrive(sheet::ColumnName(cell->column))) return;
  // A press that brought the focus still holds the mouse, and would place the caret and
  // drag the selection: select once the click ends.
  if (cell == pressed_box_) {
    select_when_click_ends_ = true;
    return;
  }
  page::SelectWholeText(target);
}

void EventLoop::OnMouseDown(int target) {
  // The press that follows a long press on the box keeps its number shown.
  if (!form_.ShowsWholeTextOf(target)) form_.HideWholeText();
  select_when_click_ends_ = false;
  pressed_box_ = form_.CellOf(target);
  press_on_background_ = target == page::kBackground;
  press_x_ = page::EventX();
  press_y_ = page::EventY();
}

void EventLoop::OnMouseUp() {
  const auto box = pressed_box_;
  pressed_box_.reset();
  if (!select_when_click_ends_ || !box) return;
  select_when_click_ends_ = false;
  // Hands move a pixel or two while clicking; only a longer move is a drag, which keeps
  // what it selected.
  if (std::abs(page::EventX() - press_x_) <= kDragDistance &&
      std::abs(page::EventY() - press_y_) <= kDragDistance) {
    page::SelectWholeText(static_cast<int>(sheet::CellIndex(*box)));
  }
}

void EventLoop::OnContextMenu(int target) {
  const auto cell = form_.CellOf(target);
  // The menu (paste) acts on the arrival's selection; a long press also shows the number.
  if (select_when_click_ends_ && cell && cell == pressed_box_) {
    select_when_click_ends_ = false;
    page::SelectWholeText(target);
  }
  if (cell) form_.ShowWholeText(*cell);
}

void EventLoop::Form_Click() {
  try {
    sheet::Calculate(sheet_);
  } catch (const sheet::OverflowError&) {
    ReportOverflow();
  }
}

void EventLoop::Command1_Click() { sheet_.ClearAll(); }

void EventLoop::ReportOverflow() {
  page::ShowMessage(layout::kFormCaption, texts::kOverflowMessage, texts::kOkButton);
}

}  // namespace window::web
