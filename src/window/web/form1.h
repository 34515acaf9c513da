// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEB_FORM1_H_
#define VELMORA_WINDOW_WEB_FORM1_H_

#include <array>
#include <optional>

#include "sheet/cell_sheet.h"

namespace window::web {

// The page's one form: the 58 cell boxes (<input>), the labels and the clear button
// (<button>) that the page already holds (markup.h), in the element with id "Form1". Each
// box shows its cell and turns the user's edits into SetText; the page keeps no copy of the
// cells.
class Form1 {
 public:
  // Binds to `sheet`, which must outlive the form; texts typed before are its first.
  explicit Form1(sheet::CellSheet& sheet);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The cell whose box `element` (a page::Target or a cell's index) is, if it is one.
  std::optional<sheet::CellId> CellOf(int element) const;

  // The user changed the box's text: it becomes its cell's text.
  void OnBoxEdited(sheet::CellId cell);
  // Shows the box's whole text under it, when it does not fit, until HideWholeText.
  void ShowWholeText(sheet::CellId cell);
  void HideWholeText();
  // Whether the whole text shown is that of the box `element`.
  bool ShowsWholeTextOf(int element) const;

 private:
  void ShowSheetText(sheet::CellId cell);

  sheet::CellSheet& sheet_;
  std::array<sheet::CellId, sheet::kCellCount> cells_{};  // by the cell's index
  std::optional<sheet::CellId> tip_cell_;                 // whose text the tip shows
};

}  // namespace window::web

#endif  // VELMORA_WINDOW_WEB_FORM1_H_
