// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEB_FORM1_H_
#define VELMORA_WINDOW_WEB_FORM1_H_

#include <emscripten/val.h>

#include <array>
#include <optional>
#include <vector>

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

  emscripten::val Box(sheet::CellId cell) const { return boxes_.at(sheet::CellIndex(cell)); }
  emscripten::val Command1() const { return command1_; }
  // The cell `element` shows, if it is one of the boxes.
  std::optional<sheet::CellId> CellOf(const emscripten::val& element) const;
  // Whether `element` is the window's background: the page around the form, the form
  // itself or one of its labels.
  bool IsBackground(const emscripten::val& element) const;

  // The user changed `box`'s text: it becomes its cell's text.
  void OnBoxEdited(const emscripten::val& box);
  // Shows the whole text of `box` under it, when it does not fit, until HideWholeText.
  void ShowWholeText(const emscripten::val& box);
  void HideWholeText();
  // Whether the whole text shown is `box`'s.
  bool ShowsWholeTextOf(const emscripten::val& box) const { return tip_box_.strictlyEquals(box); }

 private:
  void ShowSheetText(sheet::CellId cell);

  sheet::CellSheet& sheet_;
  emscripten::val document_;
  emscripten::val form_;
  std::vector<emscripten::val> boxes_;                    // by the cell's index
  std::array<sheet::CellId, sheet::kCellCount> cells_{};  // by the cell's index, as boxes_
  emscripten::val command1_;
  emscripten::val tip_;
  emscripten::val tip_box_;  // whose text the tip shows, or null
};

}  // namespace window::web

#endif  // VELMORA_WINDOW_WEB_FORM1_H_
