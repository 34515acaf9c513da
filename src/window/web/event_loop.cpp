// SPDX-License-Identifier: MIT
#include "window/web/event_loop.h"

#include <emscripten/bind.h>

#include <cmath>
#include <string>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/layout.h"
#include "window/texts.h"
#include "window/web/form1.h"

namespace window::web {
namespace {

using emscripten::val;

// Browsers tell no drag distance of their own: Windows' default, 4 pixels either way.
constexpr double kDragDistance = 4;
// How long a finger rests on a box before it counts as a long press: Android's default.
constexpr int kLongPressMilliseconds = 500;

// The page's listeners reach the loop through one exported function.
EventLoop* page_loop = nullptr;
void HandleEvent(const val& event) {
  if (page_loop != nullptr) page_loop->OnEvent(event);
}

// Selected from the end back to the start, so a long text shows its beginning.
void SelectWholeText(const val& box) {
  const int length = box["value"]["length"].as<int>();
  box.call<void>("setSelectionRange", val(0), val(length), val("backward"));
}

}  // namespace

EMSCRIPTEN_BINDINGS(velmora) { emscripten::function("handleEvent", &HandleEvent); }

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet)
    : form_(form),
      sheet_(sheet),
      pressed_box_(val::null()),
      dialog_(val::null()),
      long_press_(val::null()) {
  page_loop = this;
}

EventLoop::~EventLoop() { page_loop = nullptr; }

void EventLoop::Form_Load() {
  // The whole page is the window: a click beside, above or below the form is on its
  // background, and a press may end anywhere.
  const val handler = val::module_property("handleEvent");
  for (const char* type :
       {"input", "click", "focusin", "mousedown", "mouseup", "contextmenu", "keydown", "mouseover",
        "mouseout", "touchstart", "touchmove", "touchend", "touchcancel"}) {
    val::global("document").call<void>("addEventListener", val(type), handler);
  }
  // The page focused its first box before the program ran, and the user may have typed
  // there or moved on: the box with the focus has arrived, and what it holds stays as typed.
  const val focused = val::global("document")["activeElement"];
  if (const auto cell = form_.CellOf(focused)) {
    focus_rule_.Arrive(sheet::ColumnName(cell->column));
  } else {
    form_.Box({sheet::Column::Text1, 0}).call<void>("focus");
  }
  // Presses and clicks made before the program ran, in their order: any tap on the page
  // among them calculates now, once, with what the boxes hold.
  const val early = val::global("velmoraEarly");
  if (!early.isUndefined() && !early.isNull()) {
    val::global().set("velmoraEarly", val::null());
    replaying_ = true;
    const int count = early["length"].as<int>();
    for (int i = 0; i < count; ++i) OnEvent(early[i]);
    replaying_ = false;
    if (tapped_while_replaying_) Form_Click();
  }
  // The moment a click calculates, in the page's own timeline, for whoever measures the
  // start (bench/web-startup.py) and for the page test.
  val::global("performance").call<void>("mark", val("velmora-running"));
}

void EventLoop::OnEvent(const val& event) {
  const std::string type = event["type"].as<std::string>();
  const val target = event["target"];
  if (type == "input") {
    form_.OnBoxEdited(target);
  } else if (type == "click") {
    OnClick(target);
  } else if (type == "focusin") {
    OnFocusIn(target);
  } else if (type == "mousedown") {
    OnMouseDown(event);
  } else if (type == "mouseup") {
    OnMouseUp(event);
  } else if (type == "contextmenu") {
    OnContextMenu(target);
  } else if (type == "keydown") {
    // Enter on the focused button would press it: a stray key must not erase the work.
    if (target.strictlyEquals(form_.Command1()) && event["key"].as<std::string>() == "Enter") {
      event.call<void>("preventDefault");
    }
  } else if (type == "mouseover" && form_.CellOf(target)) {
    form_.ShowWholeText(target);
  } else if (type == "mouseout") {
    form_.HideWholeText();
  } else if (type.starts_with("touch")) {
    OnTouch(event);
  } else if (type == "longpress") {
    long_press_ = val::null();
    form_.ShowWholeText(target);
  }
}

void EventLoop::OnTouch(const val& event) {
  // Phones show no hover: a finger held still on a box shows its whole number.
  if (!long_press_.isNull()) val::global("clearTimeout")(long_press_);
  long_press_ = val::null();
  const val target = event["target"];
  if (event["type"].as<std::string>() != "touchstart") return;
  if (!form_.ShowsWholeTextOf(target)) form_.HideWholeText();
  if (!form_.CellOf(target)) return;
  val long_press = val::object();
  long_press.set("type", "longpress");
  long_press.set("target", target);
  long_press_ = val::global("setTimeout")(val::module_property("handleEvent"),
                                          kLongPressMilliseconds, long_press);
}

void EventLoop::OnClick(const val& target) {
  if (target.strictlyEquals(form_.Command1())) {
    Command1_Click();
  } else if (press_on_background_ && form_.IsBackground(target)) {
    if (replaying_) {
      tapped_while_replaying_ = true;
    } else {
      Form_Click();
    }
  }
}

void EventLoop::OnFocusIn(const val& target) {
  const auto cell = form_.CellOf(target);
  if (!cell || !focus_rule_.Arrive(sheet::ColumnName(cell->column))) return;
  // A press that brought the focus still holds the mouse, and would place the caret and
  // drag the selection: select once the click ends.
  if (target.strictlyEquals(pressed_box_)) {
    select_when_click_ends_ = true;
    return;
  }
  SelectWholeText(target);
}

void EventLoop::OnMouseDown(const val& event) {
  // The press that follows a long press on the box keeps its number shown.
  if (!form_.ShowsWholeTextOf(event["target"])) form_.HideWholeText();
  select_when_click_ends_ = false;
  const val target = event["target"];
  pressed_box_ = form_.CellOf(target) ? target : val::null();
  press_on_background_ = form_.IsBackground(target);
  press_x_ = event["clientX"].as<double>();
  press_y_ = event["clientY"].as<double>();
}

void EventLoop::OnMouseUp(const val& event) {
  const val box = pressed_box_;
  pressed_box_ = val::null();
  if (!select_when_click_ends_) return;
  select_when_click_ends_ = false;
  // Hands move a pixel or two while clicking; only a longer move is a drag, which keeps
  // what it selected.
  if (std::abs(event["clientX"].as<double>() - press_x_) <= kDragDistance &&
      std::abs(event["clientY"].as<double>() - press_y_) <= kDragDistance) {
    SelectWholeText(box);
  }
}

void EventLoop::OnContextMenu(const val& target) {
  // The menu (paste) acts on the arrival's selection; a long press also shows the number.
  if (select_when_click_ends_ && target.strictlyEquals(pressed_box_)) {
    select_when_click_ends_ = false;
    SelectWholeText(target);
  }
  if (form_.CellOf(target)) form_.ShowWholeText(target);
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
  const val document = val::global("document");
  if (dialog_.isNull()) {
    // A form of method "dialog" closes the dialog by its button, and Escape closes it too.
    dialog_ = document.call<val>("createElement", val("dialog"));
    dialog_.call<void>("setAttribute", val("aria-label"), val(std::string(layout::kFormCaption)));
    val text = document.call<val>("createElement", val("p"));
    text.set("textContent", std::string(texts::kOverflowMessage));
    val close = document.call<val>("createElement", val("form"));
    close.set("method", "dialog");
    val button = document.call<val>("createElement", val("button"));
    button.set("textContent", std::string(texts::kOkButton));
    close.call<void>("appendChild", button);
    dialog_.call<void>("appendChild", text);
    dialog_.call<void>("appendChild", close);
    document["body"].call<void>("appendChild", dialog_);
  }
  dialog_.call<void>("showModal");
}

}  // namespace window::web
