// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_QT_EVENT_LOOP_H_
#define VELMORA_WINDOW_QT_EVENT_LOOP_H_

#include <QObject>
#include <QString>
#include <functional>

#include "sheet/cell_sheet.h"
#include "window/focus_rule.h"

namespace window::qt {

class Form1;

// Tells the user that a calculation overflowed, over `parent`.
using OverflowReporter = std::function<void(QWidget* parent, const QString& message)>;

// Wires the window's events to the sheet and applies the focus rule: when the focus arrives
// in a text box of another column than the last one selected, the box's whole text is
// selected so typing replaces it.
class EventLoop : public QObject {
  Q_OBJECT

 public:
  // Both must outlive the loop. Reports overflow in a message box until told otherwise.
  EventLoop(Form1& form, sheet::CellSheet& sheet);

  // Shows the window centred on its screen and runs the program until the window closes;
  // returns the program's exit code.
  int Form_Load();

  // A click on the background: one calculation pass. An overflow is reported to the user
  // and leaves the cells as the pass left them.
  void Form_Click();
  // The clear button: every cell becomes empty.
  void Command1_Click();
  // Any request to close the window ends the program at once.
  void Form_QueryUnload();

  // The column name of the box the focus rule last selected; empty until the first.
  QString LastTextBoxName() const { return QString::fromStdString(focus_rule_.LastTextBoxName()); }

  void SetOverflowReporter(OverflowReporter reporter) { report_overflow_ = std::move(reporter); }

 private:
  int FocusSelectLoop();
  void ApplyFocusRule();

  Form1& form_;
  sheet::CellSheet& sheet_;
  FocusRule focus_rule_;
  OverflowReporter report_overflow_;
};

}  // namespace window::qt

#endif  // VELMORA_WINDOW_QT_EVENT_LOOP_H_
