// SPDX-License-Identifier: MIT
#include "sheet/cell_sheet.h"
#include "window/web/event_loop.h"
#include "window/web/form1.h"

// The page lives on after main returns: the browser's loop delivers its events from then on.
int main() {
  static sheet::CellSheet sheet;
  static window::web::Form1 form(sheet);
  static window::web::EventLoop loop(form, sheet);
  loop.Form_Load();
  return 0;
}
