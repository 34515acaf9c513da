// SPDX-License-Identifier: MIT
#include "window/weixin/form1.h"

#include "window/layout.h"
#include "window/weixin/page_data.h"

namespace window::weixin {

using emscripten::val;
using sheet::CellId;

namespace {

constexpr int kNone = -1;

int IndexOf(CellId cell) { return static_cast<int>(sheet::CellIndex(cell)); }

}  // namespace

Form1::Form1(sheet::CellSheet& sheet) : sheet_(sheet), page_(val::null()) {
  for (const CellId cell : layout::TabOrder()) cells_[sheet::CellIndex(cell)] = cell;
  sheet_.AddChangeListener([this](CellId cell) { ShowSheetText(cell); });
}

void Form1::Show(const val& page) {
  page_ = page;
  for (const CellId cell : cells_) ShowSheetText(cell);
}

std::optional<CellId> Form1::CellOf(const val& element) const {
  if (element.isUndefined() || element.isNull()) return std::nullopt;
  const val dataset = element["dataset"];
  if (dataset.isUndefined() || dataset.isNull()) return std::nullopt;
  const val index = dataset[std::string(data::kCellAttribute)];
  if (!index.isNumber()) return std::nullopt;
  return cells_.at(index.as<std::size_t>());
}

void Form1::OnBoxEdited(CellId cell, const std::string& text) {
  sheet_.SetText(cell, text);
  // The box shows what the cell kept (less than a paste past its length), and the page's
  // data follows what was typed, so a later result equal to the old text still shows.
  ShowSheetText(cell);
}

void Form1::OnBoxFocused(CellId cell, bool select) {
  focused_ = cell;
  Change(data::kFocus, val(IndexOf(cell)));
  Change(data::kSelected, val(select ? IndexOf(cell) : kNone));
  if (select) {
    // The box counts its text in UTF-16 units, as JavaScript does: two for a character
    // past the first 65,536, one for every other.
    int length = 0;
    for (const char c : sheet_.GetText(cell)) {
      const auto byte = static_cast<unsigned char>(c);
      if ((byte & 0xC0) != 0x80) length += byte >= 0xF0 ? 2 : 1;
    }
    Change(data::kSelectionEnd, val(length));
  }
}

void Form1::OnBoxLeft(CellId cell) {
  if (focused_ != cell) return;
  focused_.reset();
  Change(data::kFocus, val(kNone));
  Change(data::kSelected, val(kNone));
}

void Form1::ShowWholeText(CellId cell) {
  const std::string& text = sheet_.GetText(cell);
  if (text.empty()) return HideWholeText();
  tip_cell_ = cell;
  Change(data::kTip, val(text));
  Change(data::kTipCell, val(IndexOf(cell)));
}

void Form1::HideWholeText() {
  if (!tip_cell_) return;
  tip_cell_.reset();
  Change(data::kTip, val(""));
}

void Form1::ShowSheetText(CellId cell) {
  Change(data::TextKey(sheet::CellIndex(cell)), val(sheet_.GetText(cell)));
  if (tip_cell_ == cell) ShowWholeText(cell);
}

void Form1::Change(std::string_view key, const val& value) {
  changes_.insert_or_assign(std::string(key), value);
}

void Form1::Update() {
  if (page_.isNull()) return;
  // Only what the page does not show yet: a result written and blanked again in one pass,
  // as every empty row's is, costs WeChat nothing.
  const val shown = page_["data"];
  val data = val::object();
  bool changed = false;
  for (const auto& [key, value] : changes_) {
    if (shown[key].strictlyEquals(value)) continue;
    data.set(key, value);
    changed = true;
  }
  changes_.clear();
  if (changed) page_.call<void>("setData", data);
}

}  // namespace window::weixin
