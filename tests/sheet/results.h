// SPDX-License-Identifier: MIT
#ifndef VELMORA_TESTS_SHEET_RESULTS_H_
#define VELMORA_TESTS_SHEET_RESULTS_H_

#include <string>
#include <vector>

#include "sheet/cell_sheet.h"

namespace sheet {

// The 18 result texts in the order the pass writes them: the volumes, the amounts, the
// total volume, the total amount.
inline std::vector<std::string> Results(const CellSheet& sheet) {
  std::vector<std::string> texts;
  for (const Column column : {Column::Text5, Column::Text7}) {
    for (int row = 0; row < kRowCount; ++row) texts.push_back(sheet.GetText({column, row}));
  }
  texts.push_back(sheet.GetText({Column::Text8}));
  texts.push_back(sheet.GetText({Column::Text9}));
  return texts;
}

}  // namespace sheet

#endif  // VELMORA_TESTS_SHEET_RESULTS_H_
