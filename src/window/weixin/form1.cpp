// SPDX-License-Identifier: MIT
#include "window/weixin/form1.h"

#include "window/layout.h"
#include "window/weixin/page.h"
#include "window/weixin/page_data.h"

namespace window::weixin {

using sheet::CellId;

namespace {

constexpr int kNone = -1;

int IndexOf(CellId cell) { return static_cast<int>(sheet::CellIndex(cell)); }

}  // namespace

Form1::Form1(sheet::CellSheet& sheet) : sheet_(sheet) {
  for (const CellId cell : layout::TabOrder()) cells_[sheet::CellIndex(cell)] = cell;
  sheet_.AddChangeListener([this](CellId cell) { ShowSheetText(cell); });
}

void Form1::Show() {
  shown_ = true;
  for (const CellId cell : cells_) ShowSheetText(cell);
}

std::optional<CellId> Form1::CellOf(int element) const {
  if (element < 0 || element >= sheet::kCellCount) return std::nullopt;
  return cells_[static_cast<std::size_t>(element)];
}

void Form1::OnBoxEdited(CellId cell, const std::string& text) {
  sheet_.SetText(cell, text);
  // The box shows what the cell kept (less than a paste past its length), and the page's
  // data follows what was typed, so a later result equal to the old text still shows.
  ShowSheetText(cell);
}

void Form1::OnBoxFocused(CellId cell, bool select) {
  focused_ = cell;
  page::SetNumber(data::kFocus, IndexOf(cell));
  page::SetNumber(data::kSelected, select ? IndexOf(cell) : kNone);
  if (select) {
    // The box counts its text in UTF-16 units, as JavaScript does: two for a character
    // past the first 65,536, one for every other.
    int length = 0;
    for (const char c : sheet_.GetText(cell)) {
      const auto byte = static_cast<unsigned char>(c);
      if ((byte & 0xC0) != 0x80) length += byte >= 0xF0 ? 2 : 1;
    }
    page::SetNumber(data::kSelectionEnd, length);
  }
}

void Form1::OnBoxLeft(CellId cell) {
  if (focused_ != cell) return;
  focused_.reset();
  page::SetNumber(data::kFocus, kNone);
  page::SetNumber(data::kSelected, kNone);
}

void Form1::ShowWholeText(CellId cell) {
  const std::string& text = sheet_.GetText(cell);
  if (text.empty()) return HideWholeText();
  tip_cell_ = cell;
  page::SetText(data::kTip, text);
  page::SetNumber(data::kTipCell, IndexOf(cell));
}

void Form1::HideWholeText() {
  if (!tip_cell_) return;
  tip_cell_.reset();
  page::SetText(data::kTip, "");
}

void Form1::ShowSheetText(CellId cell) {
  if (!shown_) return;  // Show sends every text
  page::SetText(data::TextKey(sheet::CellIndex(cell)), sheet_.GetText(cell));
  if (tip_cell_ == cell) ShowWholeText(cell);
}

void Form1::Update() {
  if (shown_) page::Update();
}

}  // namespace window::weixin
