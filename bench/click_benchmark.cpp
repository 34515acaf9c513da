// SPDX-License-Identifier: MIT
// Time from the release of a click on the background to the window repainted with the new
// results: the calculation, the cell changes it raises, and a full synchronous repaint.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "sheet/cell_sheet.h"
#include "window/qt/event_loop.h"
#include "window/qt/form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  sheet::CellSheet cells;
  window::qt::Form1 form(cells);
  window::qt::EventLoop loop(form, cells);
  using sheet::Column;
  for (int row = 0; row < sheet::kRowCount; ++row) {
    cells.SetText({Column::Text1, row}, "4");
    cells.SetText({Column::Text2, row}, "200");
    cells.SetText({Column::Text3, row}, std::to_string(50 + row));
    cells.SetText({Column::Text4, row}, "10");
  }
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;

  constexpr int kClicks = 200;
  const QPoint background(5, 5);
  std::vector<double> milliseconds;
  for (int click = 0; click < kClicks; ++click) {
    // Every row's price changes, so every result changes and must be repainted.
    for (int row = 0; row < sheet::kRowCount; ++row) {
      cells.SetText({Column::Text6, row}, click % 2 == 0 ? "1500" : "1600");
    }
    form.repaint();
    QTest::mousePress(&form, Qt::LeftButton, {}, background);
    const auto start = std::chrono::steady_clock::now();
    QTest::mouseRelease(&form, Qt::LeftButton, {}, background);
    form.repaint();
    const auto end = std::chrono::steady_clock::now();
    milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf(
      "click to repainted results over %d clicks: min %.2f ms, median %.2f ms, max %.2f ms\n",
      kClicks, milliseconds.front(), milliseconds[milliseconds.size() / 2], milliseconds.back());
  return 0;
}
