// SPDX-License-Identifier: MIT
#include "sheet/cell_sheet.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace sheet {
namespace {

constexpr std::array<std::string_view, 9> kColumnNames = {
    "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9"};

bool IsColumn(Column column) {
  const int value = static_cast<int>(column);
  return value >= 0 && value < static_cast<int>(kColumnNames.size());
}

std::string DescribeCell(CellId id) {
  if (!IsColumn(id.column)) {
    return "column value " + std::to_string(static_cast<int>(id.column)) + ", row " +
           std::to_string(id.row);
  }
  return std::string(ColumnName(id.column)) + "(" + std::to_string(id.row) + ")";
}

// The threshold of the blanking rule bound to a result column; input columns have none.
std::optional<std::string_view> ThresholdOf(Column column) {
  switch (column) {
    case Column::Text5:
    case Column::Text8:
      return VolumeThreshold;
    case Column::Text7:
    case Column::Text9:
      return AmountThreshold;
    default:
      return std::nullopt;
  }
}

// The first kMaxTextLength characters of `text`, each UTF-8 sequence kept whole. A byte
// that belongs to no sequence counts as a character of its own, as a decoder would show it.
std::string_view WithinMaxLength(std::string_view text) {
  if (text.size() <= kMaxTextLength) return text;
  std::size_t characters = 0;
  int continuations_due = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80 && continuations_due > 0) {
      --continuations_due;
      continue;
    }
    if (characters++ == kMaxTextLength) return text.substr(0, i);
    continuations_due = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
  }
  return text;
}

}  // namespace

bool SortsBefore(std::string_view a, std::string_view b) {
  // char_traits<char> compares as unsigned char, so UTF-8 bytes order like code points.
  return a.compare(b) < 0;
}

std::string_view ColumnName(Column column) {
  if (!IsColumn(column)) {
    throw std::out_of_range("no column value " + std::to_string(static_cast<int>(column)));
  }
  return kColumnNames[static_cast<std::size_t>(column)];
}

int RowCountOf(Column column) {
  return column == Column::Text8 || column == Column::Text9 ? 1 : kRowCount;
}

std::size_t CellIndex(CellId id) {
  if (!IsColumn(id.column) || id.row < 0 || id.row >= RowCountOf(id.column)) {
    throw std::out_of_range("no cell " + DescribeCell(id));
  }
  // Text1-Text7 fill the first 56 places column by column; the two totals follow.
  const auto column = static_cast<std::size_t>(id.column);
  constexpr auto kFirstTotal = static_cast<std::size_t>(kCellCount - 2);
  return column <= static_cast<std::size_t>(Column::Text7)
             ? column * kRowCount + static_cast<std::size_t>(id.row)
             : kFirstTotal + column - static_cast<std::size_t>(Column::Text8);
}

const std::string& CellSheet::GetText(CellId id) const { return texts_[CellIndex(id)]; }

void CellSheet::SetText(CellId id, std::string_view text) {
  std::string& cell = texts_[CellIndex(id)];
  text = WithinMaxLength(text);
  if (cell == text) return;
  cell.assign(text);
  // Listeners added while this change is told hear only later changes.
  const std::size_t listener_count = listeners_.size();
  for (std::size_t i = 0; i < listener_count; ++i) listeners_[i](id);
  if (const auto threshold = ThresholdOf(id.column)) BlankBelow(id.column, *threshold);
}

void CellSheet::BlankBelow(Column column, std::string_view threshold) {
  // Every row is examined whichever row changed; a blanking write re-enters this rule,
  // which then finds only cells that are empty or at or above the threshold.
  for (int row = 0; row < RowCountOf(column); ++row) {
    const CellId id{column, row};
    const std::string& text = GetText(id);
    // An empty cell sorts first too, but setting it to "" again would change nothing.
    if (!text.empty() && SortsBefore(text, threshold)) SetText(id, "");
  }
}

void CellSheet::ClearAll() {
  for (std::size_t column = 0; column < kColumnNames.size(); ++column) {
    const auto id_column = static_cast<Column>(column);
    for (int row = 0; row < RowCountOf(id_column); ++row) SetText({id_column, row}, "");
  }
}

void CellSheet::AddChangeListener(ChangeListener listener) {
  listeners_.push_back(std::move(listener));
}

}  // namespace sheet
