// SPDX-License-Identifier: MIT
#include "window/web/form1.h"

#include "window/layout.h"
#include "window/web/page.h"

namespace window::web {

using sheet::CellId;

namespace {

int IndexOf(CellId cell) { return static_cast<int>(sheet::CellIndex(cell)); }

}  // namespace

Form1::Form1(sheet::CellSheet& sheet) : sheet_(sheet) {
  for (const CellId cell : layout::TabOrder()) cells_[sheet::CellIndex(cell)] = cell;
  page::BindForm();
  sheet_.AddChangeListener([this](CellId cell) { ShowSheetText(cell); });
  // The page takes keys before its program runs: what was typed meanwhile is kept.
  for (const CellId cell : cells_) {
    if (!page::BoxText(IndexOf(cell)).empty()) OnBoxEdited(cell);
  }
}

std::optional<CellId> Form1::CellOf(int element) const {
  if (element < 0 || element >= sheet::kCellCount) return std::nullopt;
  return cells_[static_cast<std::size_t>(element)];
}

bool Form1::ShowsWholeTextOf(int element) const {
  return tip_cell_ && CellOf(element) == tip_cell_;
}

void Form1::OnBoxEdited(CellId cell) {
  sheet_.SetText(cell, page::BoxText(IndexOf(cell)));
  // The cell may have kept less than was typed (a paste past its length): show what it kept.
  ShowSheetText(cell);
}

void Form1::ShowSheetText(CellId cell) { page::ShowBoxText(IndexOf(cell), sheet_.GetText(cell)); }

void Form1::ShowWholeText(CellId cell) {
  // A text that shows whole needs no help.
  if (!page::ShowWholeText(IndexOf(cell))) return HideWholeText();
  tip_cell_ = cell;
}

void Form1::HideWholeText() {
  page::HideWholeText();
  tip_cell_.reset();
}

}  // namespace window::web
