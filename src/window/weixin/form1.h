// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_FORM1_H_
#define VELMORA_WINDOW_WEIXIN_FORM1_H_

#include <array>
#include <optional>
#include <string>

#include "sheet/cell_sheet.h"

namespace window::weixin {

// The mini program's one page as the form: its WXML (markup.h) binds each box to the page's
// data, and the form sets that data from the sheet. The user's edits become SetText; what
// changes meanwhile goes to the page in one setData per event. No copy of the cells is kept.
class Form1 {
 public:
  // Binds to `sheet`, which must outlive the form.
  explicit Form1(sheet::CellSheet& sheet);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // The page has started: it shows the form, from every cell's text on.
  void Show();

  // The cell of the box whose index is `element`, if it is one (-1 is none).
  std::optional<sheet::CellId> CellOf(int element) const;

  // The user changed the box's text to `text`: it becomes its cell's text.
  void OnBoxEdited(sheet::CellId cell, const std::string& text);
  // The box has the keyboard focus; with `select`, its whole text is selected so typing
  // replaces it.
  void OnBoxFocused(sheet::CellId cell, bool select);
  // The box has lost the keyboard focus.
  void OnBoxLeft(sheet::CellId cell);
  // Shows the box's whole number under it, until HideWholeText.
  void ShowWholeText(sheet::CellId cell);
  void HideWholeText();
  bool ShowsWholeTextOf(sheet::CellId cell) const { return tip_cell_ == cell; }

  // Sends what changed since the last call to the page, in one setData.
  void Update();

 private:
  void ShowSheetText(sheet::CellId cell);

  sheet::CellSheet& sheet_;
  std::array<sheet::CellId, sheet::kCellCount> cells_{};  // by the cell's index
  bool shown_ = false;
  std::optional<sheet::CellId> focused_;
  std::optional<sheet::CellId> tip_cell_;
};

}  // namespace window::weixin

#endif  // VELMORA_WINDOW_WEIXIN_FORM1_H_
