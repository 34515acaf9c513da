// SPDX-License-Identifier: MIT
#include "window/weixin/event_loop.h"

#include <emscripten/bind.h>

#include <string>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/layout.h"
#include "window/texts.h"
#include "window/weixin/form1.h"
#include "window/weixin/page_data.h"

namespace window::weixin {
namespace {

using emscripten::val;

// The page's handler reaches the loop through two exported functions.
EventLoop* page_loop = nullptr;
void Start(const val& page, const val& wx, const val& waiting) {
  if (page_loop != nullptr) page_loop->Form_Load(page, wx, waiting);
}
void HandleEvent(const val& event) {
  if (page_loop != nullptr) page_loop->OnEvent(event);
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmora) {
  emscripten::function("start", &Start);
  emscripten::function("handleEvent", &HandleEvent);
}

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet)
    : form_(form), sheet_(sheet), wx_(val::null()) {
  page_loop = this;
}

EventLoop::~EventLoop() { page_loop = nullptr; }

void EventLoop::Form_Load(const val& page, const val& wx, const val& waiting) {
  form_.Show(page);
  wx_ = wx;
  // A tap among them calculates once they are all in, and only once.
  replaying_ = true;
  const int count = waiting["length"].as<int>();
  for (int i = 0; i < count; ++i) Handle(waiting[i]);
  replaying_ = false;
  if (tapped_while_replaying_) Form_Click();
  if (focus_rule_.LastTextBoxName().empty()) OnFocus({sheet::Column::Text1, 0});
  form_.Update();
}

void EventLoop::OnEvent(const val& event) {
  Handle(event);
  form_.Update();
}

void EventLoop::Handle(const val& event) {
  const std::string type = event["type"].as<std::string>();
  const val element = event["currentTarget"];
  if (type == "tap") return OnTap(element);
  if (type == "touchstart") {
    // A touch anywhere but on the box whose number shows puts the number away. The window
    // hears every touch; the element touched is the event's target.
    const auto touched = form_.CellOf(event["target"]);
    if (!touched || !form_.ShowsWholeTextOf(*touched)) form_.HideWholeText();
    return;
  }
  const auto cell = form_.CellOf(element);
  if (!cell) return;
  if (type == "input") {
    form_.OnBoxEdited(*cell, event["detail"]["value"].as<std::string>());
  } else if (type == "focus") {
    OnFocus(*cell);
  } else if (type == "blur") {
    form_.OnBoxLeft(*cell);
  } else if (type == "longpress") {
    // Phones show no hover: a finger held on a box shows its whole number.
    form_.ShowWholeText(*cell);
  }
  // Enter (confirm) does nothing: a stray key must neither clear nor calculate.
}

void EventLoop::OnTap(const val& element) {
  // Boxes catch their own taps; the button's is the only other that reaches an element
  // with an id of its own, and every other tap is on the window's background or a label.
  if (form_.CellOf(element)) return;
  if (element["id"].as<std::string>() == data::kButtonId) {
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
  val options = val::object();
  options.set("title", std::string(layout::kFormCaption));
  options.set("content", std::string(texts::kOverflowMessage));
  options.set("showCancel", false);
  options.set("confirmText", std::string(texts::kOkButton));
  wx_.call<void>("showModal", options);
}

}  // namespace window::weixin
