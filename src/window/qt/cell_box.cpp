// SPDX-License-Identifier: MIT
#include "window/qt/cell_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace window::qt {
namespace {

// QLineEdit keeps this many pixels free on each side inside its contents rectangle.
constexpr int kInnerMargin = 2;

}  // namespace

CellBox::CellBox(sheet::CellId cell, QWidget* parent) : QLineEdit(parent), cell_(cell) {
  // Numbers only: an input method for Chinese would turn "." into "。" mid-number.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly | Qt::ImhNoPredictiveText |
                      Qt::ImhNoAutoUppercase);
  // Room for any text the cell may hold (a character takes one or two UTF-16 units); the
  // sheet cuts what is longer and the repaint shows its cut.
  setMaxLength(static_cast<int>(2 * sheet::kMaxTextLength));
}

void CellBox::ShowSheetText(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  // A total such as 1201.5000 must never read as 201.5000 in a narrow box.
  setCursorPosition(0);
}

bool CellBox::TextFits() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  const QMargins margins = textMargins();
  const int room = contents.width() - margins.left() - margins.right() - 2 * kInnerMargin;
  return fontMetrics().horizontalAdvance(text()) <= room;
}

bool CellBox::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (TextFits()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), text(), this);
      // A tooltip is a window of its own, and both the style (Windows' takes the desktop
      // theme's colours) and a change of theme recolour it: it takes the window's once shown.
      QToolTip::setPalette(palette());
    }
    return true;
  }
  return QLineEdit::event(event);
}

QVariant CellBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  // Input method frameworks (fcitx, IBus, Windows' IMM) ask this, not the widget attribute,
  // and QLineEdit answers "enabled" whenever the box itself is enabled.
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

void CellBox::SelectWholeText() {
  // From the end back to the start, so a long text shows its beginning.
  const auto length = static_cast<int>(text().size());
  setSelection(length, -length);
}

void CellBox::SelectOnArrival() {
  if (arrived_by_click_ && (QGuiApplication::mouseButtons() & Qt::LeftButton)) {
    select_when_click_ends_ = true;
    return;
  }
  SelectWholeText();
}

void CellBox::mousePressEvent(QMouseEvent* event) {
  press_position_ = event->position().toPoint();
  QLineEdit::mousePressEvent(event);
}

void CellBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (!select_when_click_ends_ || event->button() != Qt::LeftButton) return;
  select_when_click_ends_ = false;
  // Hands move a pixel or two while clicking; only a longer move is a drag.
  if ((event->position().toPoint() - press_position_).manhattanLength() <
      QApplication::startDragDistance()) {
    SelectWholeText();
  }
}

void CellBox::focusOutEvent(QFocusEvent* event) {
  select_when_click_ends_ = false;
  QLineEdit::focusOutEvent(event);
}

void CellBox::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  arrived_by_click_ = reason == Qt::MouseFocusReason;
  // QLineEdit selects everything on Tab; here only the window's focus rule selects, and it
  // leaves a box alone when the focus comes back to the same column.
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason) {
    QFocusEvent plain(event->type(), Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&plain);
    return;
  }
  QLineEdit::focusInEvent(event);
}

}  // namespace window::qt
