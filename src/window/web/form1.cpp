// SPDX-License-Identifier: MIT
#include "window/web/form1.h"

#include <string>

#include "window/layout.h"
#include "window/web/markup.h"

namespace window::web {

using emscripten::val;
using sheet::CellId;

Form1::Form1(sheet::CellSheet& sheet)
    : sheet_(sheet),
      document_(val::global("document")),
      form_(document_.call<val>("getElementById", val("Form1"))),
      boxes_(sheet::kCellCount, val::null()),
      command1_(form_.call<val>("querySelector", val("button"))),
      tip_(form_.call<val>("querySelector", val(".tip"))),
      tip_box_(val::null()) {
  for (const CellId cell : layout::TabOrder()) cells_[sheet::CellIndex(cell)] = cell;
  const val boxes = form_.call<val>("querySelectorAll", val("input"));
  const int count = boxes["length"].as<int>();
  for (int i = 0; i < count; ++i) {
    const val box = boxes[i];
    if (const auto cell = CellOf(box)) boxes_[sheet::CellIndex(*cell)] = box;
  }
  sheet_.AddChangeListener([this](CellId cell) { ShowSheetText(cell); });
  // The page takes keys before its program runs: what was typed meanwhile is kept.
  for (const val& box : boxes_) {
    if (!box["value"].as<std::string>().empty()) OnBoxEdited(box);
  }
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
