// SPDX-License-Identifier: MIT
// A plain Qt text field in a window of its own, for the input method check: typed into the
// same way as the number boxes, it shows that the input method is really at work.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QLineEdit field;
  field.setWindowTitle("Control");
  field.resize(300, 40);
  field.show();
  return QApplication::exec();
}
