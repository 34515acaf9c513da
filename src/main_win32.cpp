// SPDX-License-Identifier: MIT
#include <windows.h>

#include "sheet/cell_sheet.h"
#include "window/win32/event_loop.h"
#include "window/win32/form1.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
  sheet::CellSheet sheet;
  window::win32::Form1 form(sheet);
  window::win32::EventLoop loop(form, sheet);
  return loop.Form_Load();
}
