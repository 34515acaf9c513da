// SPDX-License-Identifier: MIT
#include "window/qt/event_loop.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>

#include "find.h"
#include "sheet/cell_sheet.h"
#include "window/qt/cell_box.h"
#include "window/qt/form1.h"

using sheet::Column;

namespace {

// The real window on the offscreen platform, with overflow reports caught instead of shown.
struct Program {
  Program() : form(sheet), loop(form, sheet) {
    loop.SetOverflowReporter([this](QWidget*, const QString& message) { reports << message; });
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) qFatal("the window never became active");
  }

  QLineEdit* Cell(const QString& spoken) const { return FindByAccessibleName(form, spoken); }
  QString Shown(const QString& spoken) const { return Cell(spoken)->text(); }

  void Type(const QString& spoken, const QString& text) {
    Click(Cell(spoken));
    QTest::keyClicks(Cell(spoken), text);
  }
  static void Click(QWidget* widget, QPoint at = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    QCoreApplication::processEvents();
  }
  void ClickBackground() { Click(&form, QPoint(5, 5)); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QCoreApplication::processEvents();
  }
  void FillWorkedRow() {
    Type("长 第1行", "4");
    Type("宽 第1行", "200");
    Type("厚 第1行", "50");
    Type("件 第1行", "10");
    Type("单价 第1行", "1500");
  }
  QStringList AllShown() const {
    QStringList texts;
    for (const auto* box : form.findChildren<QLineEdit*>()) texts << box->text();
    return texts;
  }

  sheet::CellSheet sheet;
  window::qt::Form1 form;
  window::qt::EventLoop loop;
  QStringList reports;
};

}  // namespace

class EventLoopTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void BackgroundClickCalculatesTheWorkedRow();
  void LabelClickCalculatesBoxAndButtonClicksDoNot();
  void ButtonClearsEveryCellAndTheNextClickWritesBlanks();
  void EnterAndEscapeNeverClear();
  void TabGoesAcrossEachRowThenDownTheResults();
  void FirstPassSelectsTheStartBox();
  void FocusRuleSelectsOnArrivalInAnotherColumn_data();
  void FocusRuleSelectsOnArrivalInAnotherColumn();
  void KeysTypedAheadOfTheFocusRuleAreKept();
  void SelectionIsMadeOncePerArrival();
  void OverflowIsReportedAndTypedDataKept();
  void QtsOwnTextsAreChinese_data();
  void QtsOwnTextsAreChinese();
  // Last: once the program has ended, Windows ends every later modal loop at once.
  void ClosingTheWindowEndsTheProgram();

 private:
  std::unique_ptr<Program> program_;
};

void EventLoopTest::init() {
  program_ = std::make_unique<Program>();
  QVERIFY(QTest::qWaitForWindowActive(&program_->form));
}

void EventLoopTest::BackgroundClickCalculatesTheWorkedRow() {
  Program& p = *program_;
  p.FillWorkedRow();
  p.ClickBackground();
  QCOMPARE(p.Shown("材积 第1行"), "0.4000");
  QCOMPARE(p.Shown("金额 第1行"), "600.00");
  QCOMPARE(p.Shown("合计材积"), "0.4000");
  QCOMPARE(p.Shown("合计金额"), "600.0000");
  QCOMPARE(p.Shown("材积 第2行"), "");
  QCOMPARE(p.Shown("金额 第8行"), "");
}

void EventLoopTest::LabelClickCalculatesBoxAndButtonClicksDoNot() {
  Program& p = *program_;
  p.FillWorkedRow();
  Program::Click(p.Cell("材积 第1行"));
  Program::Click(p.Cell("单价 第3行"));
  QCOMPARE(p.Shown("材积 第1行"), "");
  Program::Click(FindByName(p.form, "Label4"));
  QCOMPARE(p.Shown("材积 第1行"), "0.4000");
  // A press on the background released elsewhere is no click.
  QTest::mousePress(&p.form, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&p.form, Qt::LeftButton, {}, QPoint(600, 5));
  QCOMPARE(p.Shown("合计金额"), "600.0000");
}

void EventLoopTest::ButtonClearsEveryCellAndTheNextClickWritesBlanks() {
  Program& p = *program_;
  p.FillWorkedRow();
  p.Type("金额 第5行", "77");
  p.ClickBackground();
  Program::Click(p.form.Command1());
  QCOMPARE(p.AllShown(), QStringList(58, QString()));
  p.ClickBackground();
  QCOMPARE(p.AllShown(), QStringList(58, QString()));
}

void EventLoopTest::EnterAndEscapeNeverClear() {
  Program& p = *program_;
  p.FillWorkedRow();
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) p.Key(key);
  p.form.Command1()->setFocus();
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) p.Key(key);
  QCOMPARE(p.Shown("单价 第1行"), "1500");
}

void EventLoopTest::TabGoesAcrossEachRowThenDownTheResults() {
  Program& p = *program_;
  auto spoken = [] { return QApplication::focusWidget()->accessibleName(); };
  QStringList visited = {spoken()};
  for (int i = 0; i < 59; ++i) {
    p.Key(Qt::Key_Tab);
    visited << spoken();
  }
  QCOMPARE(visited.first(), "长 第1行");
  QCOMPARE(visited.mid(0, 6),
           QStringList({"长 第1行", "宽 第1行", "厚 第1行", "件 第1行", "单价 第1行", "长 第2行"}));
  QCOMPARE(visited.mid(39, 4),
           QStringList({"单价 第8行", "材积 第1行", "金额 第1行", "材积 第2行"}));
  QCOMPARE(visited.mid(55, 5),
           QStringList({"金额 第8行", "合计材积", "合计金额", "清除数据", "长 第1行"}));
  QCOMPARE(QSet<QString>(visited.begin(), visited.end()).size(), 59);
}

void EventLoopTest::FirstPassSelectsTheStartBox() {
  QCoreApplication::processEvents();
  QCOMPARE(program_->loop.LastTextBoxName(), "Text1");
}

void EventLoopTest::FocusRuleSelectsOnArrivalInAnotherColumn_data() {
  QTest::addColumn<QString>("from");
  QTest::addColumn<QString>("to");
  QTest::addColumn<int>("move");  // pixels the mouse moves between press and release; -1: Tab
  QTest::addColumn<QString>("selected");
  const QString drag_distance = QString::number(QApplication::startDragDistance());
  QTest::newRow("tab to the next column") << "长 第1行"
                                          << "宽 第1行" << -1 << "200";
  QTest::newRow("click into another column") << "长 第1行"
                                             << "宽 第1行" << 0 << "200";
  QTest::newRow("click moving 3 px into another column") << "长 第1行"
                                                         << "宽 第1行" << 3 << "200";
  QTest::newRow("drag into another column selects what it drags over")
      << "长 第1行"
      << "宽 第1行" << QApplication::startDragDistance() + 30 << "";
  QTest::newRow("click within a column") << "长 第1行"
                                         << "长 第4行" << 0 << "";
  QTest::newRow("click into a total") << "长 第1行"
                                      << "合计金额" << 0 << "600.0000";
}

void EventLoopTest::FocusRuleSelectsOnArrivalInAnotherColumn() {
  QFETCH(QString, from);
  QFETCH(QString, to);
  QFETCH(int, move);
  QFETCH(QString, selected);
  Program& p = *program_;
  p.sheet.SetText({Column::Text2, 0}, "200");
  p.sheet.SetText({Column::Text1, 3}, "123");
  p.sheet.SetText({Column::Text9}, "600.0000");
  Program::Click(p.Cell(from));
  QLineEdit* box = p.Cell(to);
  if (move < 0) {
    p.Key(Qt::Key_Tab);
  } else {
    // Pressed right of the text, moving left, so a drag selects the end of the text.
    const QPoint press(box->width() - 4, box->height() / 2);
    QTest::mousePress(box, Qt::LeftButton, {}, press);
    QTest::mouseMove(box, press - QPoint(move, 0));
    QTest::mouseRelease(box, Qt::LeftButton, {}, press - QPoint(move, 0));
    QCoreApplication::processEvents();
  }
  QCOMPARE(QApplication::focusWidget(), box);
  if (move > QApplication::startDragDistance()) {
    QVERIFY(box->hasSelectedText());
    QVERIFY(box->selectedText() != box->text());
    return;
  }
  QCOMPARE(box->selectedText(), selected);
  // Typing replaces the whole text where it was selected.
  QTest::keyClicks(box, "15");
  QCOMPARE(box->text(), selected.isEmpty() ? box->text() : QString("15"));
}

// Keys that arrive in one batch with the Tabs between them, as a fast typist or a barcode
// scanner sends them, each land in the box the Tab before them reached.
void EventLoopTest::KeysTypedAheadOfTheFocusRuleAreKept() {
  Program& p = *program_;
  p.FillWorkedRow();
  Program::Click(p.Cell("长 第1行"));
  for (const QChar key : QString("\t300\t60\t12\t999")) {
    const int code = key == '\t' ? int{Qt::Key_Tab} : int{key.unicode()};
    const QString text = key == '\t' ? QString() : QString(key);
    QCoreApplication::postEvent(p.form.windowHandle(),
                                new QKeyEvent(QEvent::KeyPress, code, Qt::NoModifier, text));
    QCoreApplication::postEvent(p.form.windowHandle(),
                                new QKeyEvent(QEvent::KeyRelease, code, Qt::NoModifier, text));
  }
  QCoreApplication::processEvents();
  QCOMPARE(p.Shown("宽 第1行"), "300");
  QCOMPARE(p.Shown("厚 第1行"), "60");
  QCOMPARE(p.Shown("件 第1行"), "12");
  QCOMPARE(p.Shown("单价 第1行"), "999");
}

void EventLoopTest::SelectionIsMadeOncePerArrival() {
  Program& p = *program_;
  p.FillWorkedRow();
  p.ClickBackground();
  // Tabbing from the last price into the first volume selects the result shown there.
  Program::Click(p.Cell("单价 第8行"));
  p.Key(Qt::Key_Tab);
  QCOMPARE(p.Cell("材积 第1行")->selectedText(), "0.4000");
  // A click inside the same box places the caret; the rule does not select again.
  Program::Click(p.Cell("材积 第1行"));
  QVERIFY(!p.Cell("材积 第1行")->hasSelectedText());
  // Leaving a column for the button and coming back selects nothing, not even Qt's own.
  Program::Click(p.Cell("合计金额"));
  p.Key(Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), p.form.Command1());
  p.Key(Qt::Key_Tab, Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), p.Cell("合计金额"));
  QVERIFY(!p.Cell("合计金额")->hasSelectedText());
}

void EventLoopTest::OverflowIsReportedAndTypedDataKept() {
  Program& p = *program_;
  p.FillWorkedRow();
  p.Type("长 第3行", "1e200");
  p.Type("宽 第3行", "1e200");
  p.Type("厚 第3行", "1");
  p.Type("件 第3行", "1");
  p.Type("合计材积", "9");
  p.ClickBackground();
  QCOMPARE(p.reports.size(), 1);
  QVERIFY(p.reports.first().contains("太大"));
  QCOMPARE(p.Shown("材积 第1行"), "0.4000");  // written before the overflow
  QCOMPARE(p.Shown("金额 第1行"), "");        // the pass stopped before the amounts
  QCOMPARE(p.Shown("合计材积"), "9");
  QCOMPARE(p.Shown("长 第3行"), "1e200");
  QCOMPARE(p.Shown("宽 第3行"), "1e200");
  // Still running: arriving from another column selects, so typing replaces the inputs.
  p.Type("长 第3行", "2");
  p.Type("宽 第3行", "100");
  QCOMPARE(p.Shown("长 第3行"), "2");
  p.ClickBackground();
  QCOMPARE(p.reports.size(), 1);
  QCOMPARE(p.Shown("材积 第3行"), "0.0002");
  QCOMPARE(p.Shown("金额 第1行"), "600.00");
}

void EventLoopTest::ClosingTheWindowEndsTheProgram() {
  Program& p = *program_;
  p.form.hide();
  QPoint centre;
  QTimer::singleShot(0, &p.form, [&p, &centre] {
    centre = p.form.geometry().center();
    p.form.Box({Column::Text1, 0})->setText("4");  // closing mid-edit asks nothing
    p.form.close();
  });
  bool timed_out = false;
  QTimer::singleShot(5000, [&timed_out] {
    timed_out = true;
    QCoreApplication::exit(1);
  });
  QCOMPARE(p.loop.Form_Load(), 0);
  QVERIFY(!timed_out);
  QVERIFY(!p.form.isVisible());
  const QPoint screen_centre = p.form.screen()->availableGeometry().center();
  QVERIFY2((centre - screen_centre).manhattanLength() <= 2, "the window opens centred");
}

void EventLoopTest::QtsOwnTextsAreChinese_data() {
  QTest::addColumn<QString>("locale");
  QTest::addColumn<bool>("message");
  QTest::newRow("edit menu, English desktop") << "en_US" << false;
  QTest::newRow("edit menu, German desktop") << "de_DE" << false;
  QTest::newRow("overflow message, English desktop") << "en_US" << true;
  QTest::newRow("overflow message, German desktop") << "de_DE" << true;
}

void EventLoopTest::QtsOwnTextsAreChinese() {
  QFETCH(QString, locale);
  QFETCH(bool, message);
  const QLocale desktop;
  QLocale::setDefault(QLocale(locale));
  const auto restore = qScopeGuard([&desktop] { QLocale::setDefault(desktop); });
  // The program as it starts, overflow reports included.
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  window::qt::EventLoop loop(form, sheet);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));

  if (!message) {
    // The edit menu that a right click opens on a box.
    auto* box = form.Box({Column::Text1, 0});
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, box->rect().center(),
                                  box->mapToGlobal(box->rect().center()));
    QCoreApplication::sendEvent(box, &right_click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QStringList items;
    for (const QAction* action : menu->actions()) {
      if (!action->isSeparator()) items << action->text().section('\t', 0, 0);
    }
    menu->close();
    QCOMPARE(items, QStringList({"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除",
                                 "全选"}));
    return;
  }
  // The message box that reports an overflow: read and answered once it shows.
  for (const Column column : {Column::Text1, Column::Text2, Column::Text3, Column::Text4}) {
    sheet.SetText({column, 0}, "1e200");
  }
  QStringList buttons;
  QTimer poll;
  connect(&poll, &QTimer::timeout, [&poll, &buttons] {
    for (auto* widget : QApplication::topLevelWidgets()) {
      auto* shown = qobject_cast<QMessageBox*>(widget);
      if (shown == nullptr || !shown->isVisible() || shown->buttons().isEmpty()) continue;
      poll.stop();
      for (const QAbstractButton* button : shown->buttons()) buttons << button->text();
      shown->buttons().first()->click();
      return;
    }
  });
  poll.start(10);
  loop.Form_Click();
  QCOMPARE(buttons, QStringList({"确定"}));
}

QTEST_MAIN(EventLoopTest)
#include "event_loop_test.moc"
