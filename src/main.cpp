// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>

#include "sheet/cell_sheet.h"
#include "window/qt/event_loop.h"
#include "window/qt/form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Velmora");
  QApplication::setApplicationVersion(VELMORA_VERSION);
  QApplication::setDesktopFileName(VELMORA_APP_ID);
  QIcon icon;
  for (const int size : {16, 32, 48}) icon.addFile(QString(":/icons/velmora-%1.png").arg(size));
  QApplication::setWindowIcon(icon);

  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  window::qt::EventLoop loop(form, sheet);
  return loop.Form_Load();
}
