// SPDX-License-Identifier: MIT
// The desktop programs' texts for sheets the page test types: each input line holds the 40
// typed texts, row by row (length, width, thickness, pieces, price), separated by tabs; each
// output line the 18 results (volumes, amounts, total volume, total amount), or "overflow".
#include <iostream>
#include <sstream>
#include <string>

#include "sheet/calculate.h"
#include "sheet/number_text.h"

int main() {
  using sheet::Column;
  constexpr Column kInputs[] = {Column::Text1, Column::Text2, Column::Text3, Column::Text4,
                                Column::Text6};
  std::string line;
  while (std::getline(std::cin, line)) {
    sheet::CellSheet cells;
    std::istringstream typed(line);
    for (int row = 0; row < sheet::kRowCount; ++row) {
      for (const Column column : kInputs) {
        std::string text;
        std::getline(typed, text, '\t');
        cells.SetText({column, row}, text);
      }
    }
    try {
      sheet::Calculate(cells);
    } catch (const sheet::OverflowError&) {
      std::cout << "overflow\n";
      continue;
    }
    std::string results;
    for (const Column column : {Column::Text5, Column::Text7}) {
      for (int row = 0; row < sheet::kRowCount; ++row)
        results += cells.GetText({column, row}) + '\t';
    }
    results += cells.GetText({Column::Text8}) + '\t' + cells.GetText({Column::Text9});
    std::cout << results << '\n';
  }
}
