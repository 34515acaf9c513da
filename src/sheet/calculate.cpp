// SPDX-License-Identifier: MIT
#include "sheet/calculate.h"

#include <cmath>
#include <string>
#include <string_view>

#include "sheet/number_text.h"

namespace sheet {
namespace {

// Width and thickness are in millimetres: their product over this gives square metres.
constexpr double kSquareMillimetresPerSquareMetre = 1000000.0;

double ReadNumber(const CellSheet& sheet, Column column, int row) {
  return ParseNumber(sheet.GetText({column, row}));
}

// Any overflow, division by zero or invalid operation on the way leaves an infinity or a
// NaN behind, so testing the finished value catches them all before anything is written.
void WriteResult(CellSheet& sheet, CellId id, double value, std::string_view pattern) {
  if (!std::isfinite(value)) {
    throw OverflowError("overflow computing " + std::string(ColumnName(id.column)) + "(" +
                        std::to_string(id.row) + ")");
  }
  sheet.SetText(id, FormatFixed(value, pattern));
}

double SumColumn(const CellSheet& sheet, Column column) {
  double sum = 0.0;
  for (int row = 0; row < kRowCount; ++row) sum += ReadNumber(sheet, column, row);
  return sum;
}

}  // namespace

void Calculate(CellSheet& sheet) {
  for (int row = 0; row < kRowCount; ++row) {
    const double length = ReadNumber(sheet, Column::Text1, row);
    const double width = ReadNumber(sheet, Column::Text2, row);
    const double thickness = ReadNumber(sheet, Column::Text3, row);
    const double pieces = ReadNumber(sheet, Column::Text4, row);
    const double volume = width * length * thickness * pieces / kSquareMillimetresPerSquareMetre;
    WriteResult(sheet, {Column::Text5, row}, volume, VolumeFormat);
  }
  for (int row = 0; row < kRowCount; ++row) {
    const double volume = ReadNumber(sheet, Column::Text5, row);
    const double price = ReadNumber(sheet, Column::Text6, row);
    WriteResult(sheet, {Column::Text7, row}, price * volume, AmountFormat);
  }
  WriteResult(sheet, {Column::Text8}, SumColumn(sheet, Column::Text5), VolumeFormat);
  WriteResult(sheet, {Column::Text9}, SumColumn(sheet, Column::Text7), VolumeFormat);
}

}  // namespace sheet
