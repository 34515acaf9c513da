// SPDX-License-Identifier: MIT
#ifndef VELMORA_SHEET_CALCULATE_H_
#define VELMORA_SHEET_CALCULATE_H_

#include "sheet/cell_sheet.h"

namespace sheet {

// One calculation pass: writes every row's volume (Text5, m³, four decimals) and amount
// (Text7, yuan, two decimals), then the total volume (Text8) and total amount (Text9), both
// with four decimals. Each later step reads back the text shown, not the unrounded value.
// A product or sum outside the double range throws OverflowError at once: cells already
// written keep their new texts, the overflowing cell and all after it their old ones.
void Calculate(CellSheet& sheet);

}  // namespace sheet

#endif  // VELMORA_SHEET_CALCULATE_H_
