// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_QT_CELL_BOX_H_
#define VELMORA_WINDOW_QT_CELL_BOX_H_

#include <QLineEdit>

#include "sheet/cell_sheet.h"

namespace window::qt {

// The text box that shows one sheet cell. It leaves selecting on arrival to the window's
// focus rule, and shows a text too wide for it from its beginning, whole in a tooltip.
class CellBox : public QLineEdit {
  Q_OBJECT

 public:
  CellBox(sheet::CellId cell, QWidget* parent);

  sheet::CellId Cell() const { return cell_; }

  // Shows `text` as written by the sheet, scrolled to its beginning.
  void ShowSheetText(const QString& text);

  // Selects the whole text for the focus rule, at once, or, when a left click brought the
  // focus, as that click ends: the press would place the caret. A drag further than the
  // platform's drag distance keeps what it selected.
  void SelectOnArrival();

 protected:
  bool event(QEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool TextFits() const;
  void SelectWholeText();

  const sheet::CellId cell_;
  bool arrived_by_click_ = false;
  bool select_when_click_ends_ = false;
  QPoint press_position_;
};

}  // namespace window::qt

#endif  // VELMORA_WINDOW_QT_CELL_BOX_H_
