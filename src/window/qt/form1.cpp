// SPDX-License-Identifier: MIT
#include "window/qt/form1.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include "window/layout.h"
#include "window/qt/cell_box.h"
#include "window/qt/look.h"
#include "window/qt/qt_texts.h"

namespace window::qt {
using sheet::CellId;
using sheet::Column;

Form1::Form1(sheet::CellSheet& sheet) : sheet_(sheet) {
  UseChineseQtTexts();
  setObjectName("Form1");
  setWindowTitle(ToQString(layout::kFormCaption));
  setFixedSize(layout::TwipsToPixels(layout::kClientWidth),
               layout::TwipsToPixels(layout::kClientHeight));
  SetColour(this, QPalette::Window, layout::kFormColour);
  SetDesignInk(this);
  setAutoFillBackground(true);
  setFont(DefaultFont());

  CreateBoxes();
  CreateLabels();
  CreateButton();
  SetTabOrder();

  sheet_.AddChangeListener([self = QPointer<Form1>(this)](CellId cell) {
    if (self) self->Box(cell)->ShowSheetText(QString::fromStdString(self->sheet_.GetText(cell)));
  });
  Box({Column::Text1, 0})->setFocus();
}

CellBox* Form1::Box(CellId cell) const { return boxes_[sheet::CellIndex(cell)]; }

CellBox* Form1::AddBox(CellId cell, const QRect& geometry, const QString& accessible_name) {
  auto* box = new CellBox(cell, this);
  box->setObjectName(ToQString(sheet::ColumnName(cell.column)));
  box->setGeometry(geometry);
  box->setFont(SongFont(layout::kBoxPoints));
  SetColour(box, QPalette::Base, layout::kBoxColour);
  box->setAccessibleName(accessible_name);
  connect(box, &QLineEdit::textEdited, this, [this, box, cell](const QString& text) {
    sheet_.SetText(cell, text.toStdString());
    // The cell may keep less than the box holds (past the length limit, or a broken surrogate
    // pair) with no change to tell: show what it kept.
    box->ShowSheetText(QString::fromStdString(sheet_.GetText(cell)));
  });
  boxes_[sheet::CellIndex(cell)] = box;
  return box;
}

void Form1::CreateBoxes() {
  for (const auto& entry : layout::kBoxColumns) {
    for (int row = 0; row < sheet::kRowCount; ++row) {
      const int top = layout::kFirstRowTop + layout::kRowStep * row;
      CellBox* box =
          AddBox({entry.column, row}, Place(entry.left, top, entry.width, layout::kBoxHeight),
                 QString::fromStdString(layout::AccessibleName({entry.column, row})));
      box->setProperty("Index", row);
    }
  }
  for (const auto& entry : layout::kTotalBoxes) {
    AddBox({entry.column}, Place(entry.left, entry.top, entry.width, entry.height),
           ToQString(entry.accessible_name));
  }
}

void Form1::CreateLabels() {
  for (const auto& entry : layout::kLabels) {
    auto* label = new QLabel(ToQString(entry.caption), this);
    label->setObjectName(ToQString(entry.name));
    if (entry.index >= 0) label->setProperty("Index", entry.index);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(entry.wraps);
    label->setGeometry(Place(entry.left, entry.top, entry.width, entry.height));
    if (entry.name == layout::kTitleLabel) label->setFont(SongFont(layout::kTitlePoints));
  }
}

void Form1::CreateButton() {
  const auto& entry = layout::kCommand1;
  command1_ = new QPushButton(ToQString(entry.caption), this);
  command1_->setObjectName(ToQString(entry.name));
  command1_->setGeometry(Place(entry.left, entry.top, entry.width, entry.height));
  command1_->setAccessibleName(command1_->text());
  SetColour(command1_, QPalette::Button, entry.colour);
  // Neither Enter nor Escape may press it: a stray key must not erase the user's work.
  command1_->setAutoDefault(false);
  command1_->setDefault(false);
}

void Form1::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const CellId cell : layout::TabOrder()) {
    if (previous != nullptr) setTabOrder(previous, Box(cell));
    previous = Box(cell);
  }
  setTabOrder(previous, command1_);
}

void Form1::mousePressEvent(QMouseEvent* event) {
  background_pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release on the background; dragging off it cancels.
  const bool click = background_pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  background_pressed_ = false;
  event->accept();
  if (click) emit BackgroundClicked();
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  emit QueryUnload();
}

}  // namespace window::qt
