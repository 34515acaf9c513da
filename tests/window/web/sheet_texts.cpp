// SPDX-License-Identifier: MIT
// The desktop programs' texts for sheets the page test types: each input line holds the 40
// typed texts, row by row (length, width, thickness, pieces, price), separated by tabs; each
// output line the 18 results (volumes, amounts, total volume, total amount), or "overflow".
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "sheet/results.h"  // the sheet suite's

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
    const std::vector<std::string> results = sheet::Results(cells);
    for (std::size_t i = 0; i < results.size(); ++i) std::cout << (i > 0 ? "\t" : "") << results[i];
    std::cout << '\n';
  }
}
