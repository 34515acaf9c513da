// SPDX-License-Identifier: MIT
#include "window/layout.h"

#include <stdexcept>

namespace window::layout {

using sheet::CellId;
using sheet::Column;

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
