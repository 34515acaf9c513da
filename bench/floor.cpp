// SPDX-License-Identifier: MIT
// The floor for the start-up benchmark: the same window as Velmora's (58 boxes, 8 labels,
// the button, the same fonts, captions and colours) with no sheet and no logic, so that
// Velmora's figures over these show what the program's own code costs.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "window/layout.h"
#include "window/qt/look.h"
#include "window/qt/qt_texts.h"

namespace {

using window::qt::Place;
using window::qt::SetColour;
namespace layout = window::layout;

void AddBox(QWidget& form, const QRect& geometry) {
  auto* box = new QLineEdit(&form);
  box->setGeometry(geometry);
  box->setFont(window::qt::SongFont(layout::kBoxPoints));
  SetColour(box, QPalette::Base, layout::kBoxColour);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget form;
  form.setWindowTitle("Velmora floor");
  form.setFixedSize(layout::TwipsToPixels(layout::kClientWidth),
                    layout::TwipsToPixels(layout::kClientHeight));
  SetColour(&form, QPalette::Window, layout::kFormColour);
  form.setAutoFillBackground(true);
  form.setFont(window::qt::DefaultFont());

  for (const auto& column : layout::kBoxColumns) {
    for (int row = 0; row < 8; ++row) {
      AddBox(form, Place(column.left, layout::kFirstRowTop + layout::kRowStep * row, column.width,
                         layout::kBoxHeight));
    }
  }
  for (const auto& total : layout::kTotalBoxes) {
    AddBox(form, Place(total.left, total.top, total.width, total.height));
  }
  for (const auto& entry : layout::kLabels) {
    auto* label = new QLabel(window::qt::ToQString(entry.caption), &form);
    label->setWordWrap(entry.wraps);
    label->setGeometry(Place(entry.left, entry.top, entry.width, entry.height));
    if (entry.name == layout::kTitleLabel)
      label->setFont(window::qt::SongFont(layout::kTitlePoints));
  }
  const auto& entry = layout::kCommand1;
  auto* button = new QPushButton(window::qt::ToQString(entry.caption), &form);
  button->setGeometry(Place(entry.left, entry.top, entry.width, entry.height));
  SetColour(button, QPalette::Button, entry.colour);

  form.show();
  return QApplication::exec();
}
