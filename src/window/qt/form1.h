// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_QT_FORM1_H_
#define VELMORA_WINDOW_QT_FORM1_H_

#include <QWidget>
#include <array>

#include "sheet/cell_sheet.h"

class QPushButton;

namespace window::qt {

class CellBox;

// The program's one window: the 58 cell boxes, their labels and the clear button, placed by
// the layout table. Each box shows its sheet cell and turns the user's edits into SetText;
// the window keeps no copy of the cells.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  // Binds to `sheet`, which must outlive the window.
  explicit Form1(sheet::CellSheet& sheet);

  CellBox* Box(sheet::CellId cell) const;
  QPushButton* Command1() const { return command1_; }

 signals:
  // A left click on the window's background or on a label.
  void BackgroundClicked();
  // Any request to close the window.
  void QueryUnload();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateBoxes();
  void CreateLabels();
  void CreateButton();
  void SetTabOrder();
  CellBox* AddBox(sheet::CellId cell, const QRect& geometry, const QString& accessible_name);

  sheet::CellSheet& sheet_;
  std::array<CellBox*, sheet::kCellCount> boxes_{};  // owned by the window, as its children
  QPushButton* command1_ = nullptr;
  bool background_pressed_ = false;
};

}  // namespace window::qt

#endif  // VELMORA_WINDOW_QT_FORM1_H_
