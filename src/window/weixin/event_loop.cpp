// SPDX-License-Identifier: MIT
#include "window/weixin/event_loop.h"

#include <emscripten/emscripten.h>

#include <string_view>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/layout.h"
#include "window/texts.h"
#include "window/weixin/form1.h"
#include "window/weixin/page.h"
#include "window/weixin/page_data.h"

namespace window::weixin {
namespace {

// The events the page hands over, in the order of their numbers (page::EventType).
enum EventType : int { kTap, kTouchStart, kInput, kFocus, kBlur, kLongPress };
constexpr std::string_view kEventTypes = "tap touchstart input focus blur longpress";

// The page reaches the loop through the two exported functions below.
EventLoop* page_loop = nullptr;

}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void velmora_start() {
  if (page_loop != nullptr) page_loop->Form_Load();
}
EMSCRIPTEN_KEEPALIVE void velmora_handle_event() {
  if (page_loop != nullptr) page_loop->OnEvent();
}
}

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet) : form_(form), sheet_(sheet) {
  page_loop = this;
}

EventLoop::~EventLoop() { page_loop = nullptr; }

void EventLoop::Form_Load() {
  form_.Show();
  // A tap among them calculates once they are all in, and only once.
  replaying_ = true;
  const int count = page::WaitingEventCount();
  for (int i = 0; i < count; ++i) {
    page::SelectWaitingEvent(i);
    Handle();
  }
  replaying_ = false;
  if (tapped_while_replaying_) Form_Click();
  if (focus_rule_.LastTextBoxName().empty()) OnFocus({sheet::Column::Text1, 0});
  form_.Update();
}

void EventLoop::OnEvent() {
  Handle();
  form_.Update();
}

void EventLoop::Handle() {
  const int type = page::EventType(kEventTypes);
  if (type == kTap) return OnTap();
  if (type == kTouchStart) {
    // A touch anywhere but on the box whose number shows puts the number away. The window
    // hears every touch; the element touched is the event's target.
    const auto touched = form_.CellOf(page::EventTargetCell());
    if (!touched || !form_.ShowsWholeTextOf(*touched)) form_.HideWholeText();
    return;
  }
  const auto cell = form_.CellOf(page::EventElementCell());
  if (!cell) return;
  if (type == kInput) {
    form_.OnBoxEdited(*cell, page::EventValue());
  } else if (type == kFocus) {
    OnFocus(*cell);
  } else if (type == kBlur) {
    form_.OnBoxLeft(*cell);
  } else if (type == kLongPress) {
    // Phones show no hover: a finger held on a box shows its whole number.
    form_.ShowWholeText(*cell);
  }
  // Enter (confirm) does nothing: a stray key must neither clear nor calculate.
}

void EventLoop::OnTap() {
  // Boxes catch their own taps; the button's is the only other that reaches an element
  // with an id of its own, and every other tap is on the window's background or a label.
  if (form_.CellOf(page::EventElementCell())) return;
  if (page::EventElementHasId(data::kButtonId)) {
    Command1_Click();
  } else if (replaying_) {
    tapped_while_replaying_ = true;
  } else {
    Form_Click();
  }
}

void EventLoop::OnFocus(sheet::CellId cell) {
  form_.OnBoxFocused(cell, focus_rule_.Arrive(sheet::ColumnName(cell.column)));
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
  page::ShowModal(layout::kFormCaption, texts::kOverflowMessage, texts::kOkButton);
}

}  // namespace window::weixin
