// SPDX-License-Identifier: MIT
#include "window/layout.h"

#include <stdexcept>

namespace window::layout {

using sheet::CellId;
using sheet::Column;

namespace {

const LabelPlace& LabelNamed(std::string_view name) {
  for (const auto& label : kLabels) {
    if (label.name == name) return label;
  }
  throw std::logic_error("the layout has no label " + std::string(name));
}

// The controls right of the grid, from the top: the units note, the button, the instructions.
std::array<Placement, 3> SideControls() {
  const auto& units = LabelNamed("Label5");
  const auto& instructions = LabelNamed("Label4");
  return {{{units.left, units.top, units.width, units.height},
           {kCommand1.left, kCommand1.top, kCommand1.width, kCommand1.height},
           {instructions.left, instructions.top, instructions.width, instructions.height}}};
}

// Controls stacked under the grid stand as far apart as the headings from the first row.
int NarrowGap() {
  const auto& headings = LabelNamed("Label6");
  return kFirstRowTop - headings.top - headings.height;
}

Placement NarrowTwips(Placement wide, bool text) {
  if (wide.left < kGridRight) return {wide.left - kGridLeft, wide.top, wide.width, wide.height};
  int top = kGridBottom;
  for (const Placement& side : SideControls()) {
    top += NarrowGap();
    if (side.top == wide.top) {
      // Texts as wide as the grid; the instructions keep their height.
      return {0, top, text ? kGridRight - kGridLeft : wide.width, wide.height};
    }
    top += side.height;
  }
  throw std::invalid_argument("no control of the design stands there");
}

// How many of the grid's rows (the eight, then the totals) end at or above `y`.
int RowsEndingBy(int y) {
  int rows = kGridBottom <= y ? 1 : 0;
  for (int row = 1; row <= sheet::kRowCount; ++row) {
    if (kFirstRowTop + kRowStep * row <= y) ++rows;
  }
  return rows;
}

}  // namespace

Placement BoxPlacement(CellId cell) {
  sheet::CellIndex(cell);  // throws for a cell that does not exist
  for (const auto& total : kTotalBoxes) {
    if (total.column == cell.column) return {total.left, total.top, total.width, total.height};
  }
  for (const auto& column : kBoxColumns) {
    if (column.column == cell.column) {
      return {column.left, kFirstRowTop + kRowStep * cell.row, column.width, kBoxHeight};
    }
  }
  throw std::logic_error("the layout has no box for " + std::string(ColumnName(cell.column)));
}

NarrowPlace NarrowPlacement(Placement wide, bool text) {
  const Placement twips = NarrowTwips(wide, text);
  const int rows_above = RowsEndingBy(twips.top);
  return {twips, rows_above, RowsEndingBy(twips.top + twips.height) - rows_above};
}

NarrowPlace NarrowForm() {
  const Placement last = NarrowTwips(SideControls().back(), true);
  const int height = last.top + last.height;
  return {{0, 0, kGridRight - kGridLeft, height}, 0, RowsEndingBy(height)};
}

std::vector<CellId> TabOrder() {
  std::vector<CellId> order;
  for (int row = 0; row < sheet::kRowCount; ++row) {
    for (const Column column :
         {Column::Text1, Column::Text2, Column::Text3, Column::Text4, Column::Text6}) {
      order.push_back({column, row});
    }
  }
  for (int row = 0; row < sheet::kRowCount; ++row) {
    order.push_back({Column::Text5, row});
    order.push_back({Column::Text7, row});
  }
  order.push_back({Column::Text8});
  order.push_back({Column::Text9});
  return order;
}

std::string AccessibleName(CellId cell) {
  sheet::CellIndex(cell);  // throws for a cell that does not exist
  for (const auto& total : kTotalBoxes) {
    if (total.column == cell.column) return std::string(total.accessible_name);
  }
  for (const auto& box : kBoxColumns) {
    if (box.column == cell.column) {
      return std::string(box.heading) + " 第" + std::to_string(cell.row + 1) + "行";
    }
  }
  throw std::logic_error("the layout has no box for " + std::string(ColumnName(cell.column)));
}

}  // namespace window::layout
