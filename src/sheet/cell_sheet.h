// SPDX-License-Identifier: MIT
#ifndef VELMORA_SHEET_CELL_SHEET_H_
#define VELMORA_SHEET_CELL_SHEET_H_

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace sheet {

// The sheet's columns: Text1-Text4 and Text6 are typed inputs (length m, width mm,
// thickness mm, pieces, unit price), Text5 and Text7 the row volume (m³) and amount
// (yuan), Text8 and Text9 the total volume and total amount.
enum class Column { Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9 };

inline constexpr int kRowCount = 8;
inline constexpr int kCellCount = 7 * kRowCount + 2;

// The most characters (code points) a cell holds: far beyond any number a user types or a
// result the sheet writes (the largest double takes 314), small enough that a stray paste of
// a whole document stays cheap. A longer text keeps its first kMaxTextLength characters.
inline constexpr std::size_t kMaxTextLength = 1000;

// One cell: a column and, for Text1-Text7, a row 0-7 (top row 0); row is 0 for the totals.
struct CellId {
  Column column;
  int row = 0;
  bool operator==(const CellId&) const = default;
};

// A result cell whose text sorts before its threshold shows zero or less, and is blanked.
inline constexpr std::string_view VolumeThreshold = "0.00001";
inline constexpr std::string_view AmountThreshold = "0.01";

// Ordinal comparison: `a` sorts before `b` when its first differing character code is
// lower, or when it is a proper prefix of `b`. No locale, no case folding.
bool SortsBefore(std::string_view a, std::string_view b);

// The column's name as the window knows its controls: "Text1" ... "Text9".
std::string_view ColumnName(Column column);

// Rows in the column: 8 for Text1-Text7, 1 for the totals Text8 and Text9.
int RowCountOf(Column column);

// The cell's place among the 58, from 0 (Text1 row 0) column by column to 57 (Text9).
// Throws std::out_of_range naming the cell when `id` names none.
std::size_t CellIndex(CellId id);

// The 58 cell texts (UTF-8), their change notifications and the blanking rules that empty
// a result cell showing zero or a negative value. Every rule runs synchronously inside the
// SetText that triggered it, so a blanked cell is already empty when SetText returns.
class CellSheet {
 public:
  // Told of every actual change, nested ones included, after the new text is stored;
  // it reads the current text with GetText.
  using ChangeListener = std::function<void(CellId)>;

  CellSheet() = default;
  CellSheet(const CellSheet&) = delete;
  CellSheet& operator=(const CellSheet&) = delete;

  // Throws std::out_of_range naming the cell when `id` names no cell.
  const std::string& GetText(CellId id) const;

  // Stores `text`, cut to kMaxTextLength characters; when that differs from the current text,
  // tells the listeners and then runs the column's blanking rule. Throws std::out_of_range naming
  // the cell when `id` names none.
  void SetText(CellId id, std::string_view text);

  // Empties all 58 cells through SetText, so each changed cell notifies as usual.
  void ClearAll();

  void AddChangeListener(ChangeListener listener);

 private:
  void BlankBelow(Column column, std::string_view threshold);

  std::array<std::string, kCellCount> texts_;
  // A deque keeps each listener in place while a listener adds another during a change.
  std::deque<ChangeListener> listeners_;
};

}  // namespace sheet

#endif  // VELMORA_SHEET_CELL_SHEET_H_
