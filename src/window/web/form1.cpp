// SPDX-License-Identifier: MIT
#include "window/web/form1.h"

#include <string>

#include "window/layout.h"
#include "window/web/style.h"

namespace window::web {
namespace {

using emscripten::val;
using sheet::CellId;
using sheet::Column;

constexpr std::string_view kCellAttribute = "data-cell";

// Places `element` by its twips, for the design's size and for a narrow screen.
void Place(val element, layout::Placement wide, bool text) {
  const layout::NarrowPlace narrow = layout::NarrowPlacement(wide, text);
  val style = element["style"];
  const auto set = [&style](const char* name, int value) {
    style.call<void>("setProperty", val(name), val(std::to_string(value)));
  };
  set("--x", wide.left);
  set("--y", wide.top);
  set("--w", wide.width);
  set("--h", wide.height);
  set("--nx", narrow.twips.left);
  set("--ny", narrow.twips.top);
  set("--nw", narrow.twips.width);
  set("--nh", narrow.twips.height);
  set("--nk", narrow.rows_above);
  set("--nr", narrow.rows_inside);
}

// Phones show a keypad with a point for numbers, and nothing corrects what is typed.
val CreateBox(val document, CellId cell) {
  val box = document.call<val>("createElement", val("input"));
  box.set("type", "text");
  box.call<void>("setAttribute", val("inputmode"), val("decimal"));
  for (const char* off : {"autocomplete", "autocorrect", "autocapitalize"}) {
    box.call<void>("setAttribute", val(off), val("off"));
  }
  box.set("spellcheck", false);
  box.call<void>("setAttribute", val("aria-label"), val(layout::AccessibleName(cell)));
  box.call<void>("setAttribute", val(std::string(kCellAttribute)),
                 val(std::to_string(sheet::CellIndex(cell))));
  // Columns to the right lie over their left neighbours' borders, as on the desktop.
  box["style"].set("zIndex", static_cast<int>(cell.column));
  return box;
}

}  // namespace

Form1::Form1(sheet::CellSheet& sheet)
    : sheet_(sheet),
      document_(val::global("document")),
      form_(document_.call<val>("getElementById", val("Form1"))),
      boxes_(sheet::kCellCount, val::null()),
      command1_(val::null()),
      tip_(val::null()),
      tip_box_(val::null()) {
  val style = document_.call<val>("createElement", val("style"));
  style.set("textContent", StyleSheet());
  document_["head"].call<void>("appendChild", style);
  CreateControls();
  sheet_.AddChangeListener([this](CellId cell) { ShowSheetText(cell); });
}

void Form1::CreateControls() {
  form_.call<void>("setAttribute", val("aria-label"), val(std::string(layout::kFormCaption)));
  // Labels first: the boxes and the button lie over them where they meet.
  for (const auto& label : layout::kLabels) {
    val element = document_.call<val>("createElement", val("div"));
    element.set("textContent", std::string(label.caption));
    element.set("className", label.name == layout::kTitleLabel ? "title"
                             : label.wraps                     ? "wraps"
                                                               : "");
    Place(element, {label.left, label.top, label.width, label.height}, true);
    form_.call<void>("appendChild", element);
  }
  // The boxes in the design's Tab order, which the page's order gives the Tab key.
  for (const CellId cell : layout::TabOrder()) {
    val box = CreateBox(document_, cell);
    Place(box, layout::BoxPlacement(cell), false);
    form_.call<void>("appendChild", box);
    boxes_[sheet::CellIndex(cell)] = box;
    cells_[sheet::CellIndex(cell)] = cell;
  }
  const auto& button = layout::kCommand1;
  command1_ = document_.call<val>("createElement", val("button"));
  command1_.set("type", "button");
  command1_.set("textContent", std::string(button.caption));
  Place(command1_, {button.left, button.top, button.width, button.height}, false);
  form_.call<void>("appendChild", command1_);
  tip_ = document_.call<val>("createElement", val("div"));
  tip_.set("className", "tip");
  tip_.set("hidden", true);
  form_.call<void>("appendChild", tip_);
}

std::optional<CellId> Form1::CellOf(const val& element) const {
  if (!element.instanceof (val::global("HTMLInputElement"))) return std::nullopt;
  const val index = element.call<val>("getAttribute", val(std::string(kCellAttribute)));
  if (index.isNull()) return std::nullopt;
  return cells_.at(std::stoul(index.as<std::string>()));
}

bool Form1::IsBackground(const val& element) const {
  for (const val& page : {form_, document_["body"], document_["documentElement"]}) {
    if (element.strictlyEquals(page)) return true;
  }
  const bool label = element.instanceof
      (val::global("HTMLDivElement")) && element["parentNode"].strictlyEquals(form_);
  return label && !element.strictlyEquals(tip_);
}

void Form1::OnBoxEdited(const val& box) {
  const auto cell = CellOf(box);
  if (!cell) return;
  sheet_.SetText(*cell, box["value"].as<std::string>());
  // The cell may have kept less than was typed (a paste past its length): show what it kept.
  ShowSheetText(*cell);
}

void Form1::ShowSheetText(CellId cell) {
  val box = Box(cell);
  const std::string& text = sheet_.GetText(cell);
  if (box["value"].as<std::string>() == text) return;
  box.set("value", text);
  // A total such as 1201.5000 must never read as 201.5000 in a narrow box.
  box.call<void>("setSelectionRange", val(0), val(0));
  box.set("scrollLeft", 0);
}

void Form1::ShowWholeText(const val& box) {
  // A text that shows whole needs no help.
  if (box["scrollWidth"].as<int>() <= box["clientWidth"].as<int>()) return HideWholeText();
  tip_.set("textContent", box["value"]);
  const int top = box["offsetTop"].as<int>() + box["offsetHeight"].as<int>();
  tip_["style"].set("left", std::to_string(box["offsetLeft"].as<int>()) + "px");
  tip_["style"].set("top", std::to_string(top) + "px");
  tip_.set("hidden", false);
  tip_box_ = box;
}

void Form1::HideWholeText() {
  tip_.set("hidden", true);
  tip_box_ = val::null();
}

}  // namespace window::web
