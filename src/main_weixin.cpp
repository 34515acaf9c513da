// SPDX-License-Identifier: MIT
#include "sheet/cell_sheet.h"
#include "window/weixin/event_loop.h"
#include "window/weixin/form1.h"

// The program lives on after main returns: the page starts it (the exported start) and
// hands it WeChat's events from then on.
int main() {
  static sheet::CellSheet sheet;
  static window::weixin::Form1 form(sheet);
  static window::weixin::EventLoop loop(form, sheet);
  return 0;
}
