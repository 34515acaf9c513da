// SPDX-License-Identifier: MIT
#include "window/qt/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "find.h"
#include "sheet/cell_sheet.h"
#include "window/layout.h"
#include "window/qt/cell_box.h"

using sheet::Column;

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void PlacesEachControlAsTheTablesSay_data();
  void PlacesEachControlAsTheTablesSay();
  void WindowHasItsCaptionSizeAndColour();
  void BoxesUseTheSongFaceAndPeach();
  void CaptionsShowWholeInsideTheirRectangles();
  void EveryBoxHasItsSpokenName_data();
  void EveryBoxHasItsSpokenName();
  void BoxesSwitchOffTheInputMethod();
  void TypingBecomesOneChangeOfTheCell();
  void TypedZeroInAResultCellDisappears();
  void BoxShowsWhatTheCellKeptOfAnEdit();
  void SheetWritesShowTheBeginningOfLongTexts_data();
  void SheetWritesShowTheBeginningOfLongTexts();
  void FocusStartsInTheFirstLengthBox();
  void TextsStayDarkOnLightWhateverTheTheme_data();
  void TextsStayDarkOnLightWhateverTheTheme();
};

namespace {

// The faces the window draws in that this machine lacks, with the packages that bring them
// (the build's list: "face=package|face=package"), to name the cause where captions clip.
QString MissingWindowFonts() {
  QStringList missing;
  for (const QString& face_package : QStringLiteral(VELMORA_WINDOW_FONTS).split('|')) {
    const QString face = face_package.section('=', 0, 0);
    if (!QFontDatabase::hasFamily(face)) {
      missing << QStringLiteral("%1 (Debian's %2)").arg(face, face_package.section('=', 1));
    }
  }
  if (missing.isEmpty()) return {};
  return QStringLiteral("; the window's fonts are missing: ") + missing.join(", ");
}

// WCAG 2's relative luminance of an sRGB colour, and the contrast ratio of two colours.
double Luminance(const QColor& colour) {
  const auto linear = [](double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& one, const QColor& other) {
  const double a = Luminance(one);
  const double b = Luminance(other);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// What a dark desktop theme hands every Qt program: dark grounds, light inks.
QPalette DarkThemePalette() {
  QPalette palette(QColor(53, 53, 53));
  for (const auto role : {QPalette::Base, QPalette::ToolTipBase}) {
    palette.setColor(role, QColor(36, 36, 36));
  }
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                          QPalette::ToolTipText, QPalette::HighlightedText}) {
    palette.setColor(role, QColor(238, 238, 236));
  }
  palette.setColor(QPalette::Highlight, QColor(53, 132, 228));
  return palette;
}

}  // namespace

void Form1Test::PlacesEachControlAsTheTablesSay_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("index");
  QTest::addColumn<QRect>("pixels");
  QTest::newRow("Text1 top row") << "Text1" << 0 << QRect(32, 80, 57, 25);
  QTest::newRow("Text2 row 1") << "Text2" << 1 << QRect(80, 104, 57, 25);
  QTest::newRow("Text3 row 2") << "Text3" << 2 << QRect(128, 128, 57, 25);
  QTest::newRow("Text4 row 3") << "Text4" << 3 << QRect(176, 152, 57, 25);
  QTest::newRow("Text5 row 4") << "Text5" << 4 << QRect(224, 176, 65, 25);
  QTest::newRow("Text6 row 5") << "Text6" << 5 << QRect(288, 200, 57, 25);
  QTest::newRow("Text7 bottom row") << "Text7" << 7 << QRect(336, 248, 65, 25);
  QTest::newRow("Text8") << "Text8" << -1 << QRect(224, 280, 65, 25);
  QTest::newRow("Text9") << "Text9" << -1 << QRect(336, 280, 65, 25);
  QTest::newRow("Label2 title") << "Label2" << -1 << QRect(152, 8, 209, 33);
  QTest::newRow("Label6 heading") << "Label6" << -1 << QRect(48, 56, 185, 17);
  QTest::newRow("Label1 volume") << "Label1" << 0 << QRect(248, 56, 33, 17);
  QTest::newRow("Label1 amount") << "Label1" << 1 << QRect(352, 56, 33, 17);
  QTest::newRow("Label1 price") << "Label1" << 2 << QRect(304, 56, 33, 17);
  QTest::newRow("Label5 units") << "Label5" << -1 << QRect(416, 56, 113, 17);
  QTest::newRow("Label4 instructions") << "Label4" << -1 << QRect(440, 144, 81, 201);
  QTest::newRow("Label3 totals") << "Label3" << -1 << QRect(176, 288, 33, 25);
  QTest::newRow("Command1") << "Command1" << -1 << QRect(448, 104, 65, 33);
}

void Form1Test::PlacesEachControlAsTheTablesSay() {
  QFETCH(QString, name);
  QFETCH(int, index);
  QFETCH(QRect, pixels);
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  const QWidget* control = FindByName(form, name, index);
  QVERIFY(control != nullptr);
  QCOMPARE(control->geometry(), pixels);
}

void Form1Test::WindowHasItsCaptionSizeAndColour() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  QCOMPARE(form.objectName(), "Form1");
  QCOMPARE(form.windowTitle(), "Velmora");
  QCOMPARE(form.size(), QSize(549, 359));
  QCOMPARE(form.minimumSize(), form.maximumSize());
  QCOMPARE(form.palette().color(QPalette::Window), QColor(255, 192, 192));
  QCOMPARE(form.Command1()->palette().color(QPalette::Button), QColor(255, 192, 192));
  QCOMPARE(form.Command1()->text(), "清除数据");
  QCOMPARE(form.findChildren<QLineEdit*>().size(), 58);
  QCOMPARE(form.findChildren<QLabel*>().size(), 8);
}

void Form1Test::BoxesUseTheSongFaceAndPeach() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  const QStringList ming_faces = {"AR PL UMing CN", "Noto Serif CJK SC"};
  auto* title = FindByName<QLabel>(form, "Label2");
  QCOMPARE(title->font().pixelSize(), 29);  // 21.75 points at 96 dots per inch
  QVERIFY2(ming_faces.contains(QFontInfo(title->font()).family()),
           qPrintable(QFontInfo(title->font()).family()));
  for (auto* box : form.findChildren<window::qt::CellBox*>()) {
    QCOMPARE(box->font().pixelSize(), 14);  // 10.5 points
    QVERIFY2(ming_faces.contains(QFontInfo(box->font()).family()),
             qPrintable(QFontInfo(box->font()).family()));
    QCOMPARE(box->palette().color(QPalette::Base), QColor(255, 224, 192));
  }
  // Everything else speaks Chinese in the window's own face.
  for (const QWidget* widget : {static_cast<QWidget*>(&form), FindByName(form, "Label4"),
                                static_cast<QWidget*>(form.Command1())}) {
    QCOMPARE(widget->font().pixelSize(), 12);  // 9 points
    QVERIFY(QRawFont::fromFont(widget->font()).supportsCharacter(U'材'));
  }
}

void Form1Test::CaptionsShowWholeInsideTheirRectangles() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  const auto labels = form.findChildren<QLabel*>();
  for (const QLabel* label : labels) {
    const int flags =
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = label->fontMetrics().boundingRect(label->rect(), flags, label->text());
    QVERIFY2(label->rect().contains(needed),
             qPrintable(QStringLiteral("%1 \"%2\" needs %3x%4 in %5x%6")
                            .arg(label->objectName(), label->text())
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(label->width())
                            .arg(label->height()) +
                        MissingWindowFonts()));
  }
  const QPushButton* button = form.Command1();
  QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8,
           qPrintable(QStringLiteral("the button's caption does not fit") + MissingWindowFonts()));
  QVERIFY(button->fontMetrics().height() < button->height() - 8);
}

void Form1Test::EveryBoxHasItsSpokenName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("spoken");
  QTest::newRow("length") << "Text1" << 0 << "长 第1行";
  QTest::newRow("width") << "Text2" << 3 << "宽 第4行";
  QTest::newRow("thickness") << "Text3" << 5 << "厚 第6行";
  QTest::newRow("pieces") << "Text4" << 7 << "件 第8行";
  QTest::newRow("volume") << "Text5" << 1 << "材积 第2行";
  QTest::newRow("price") << "Text6" << 2 << "单价 第3行";
  QTest::newRow("amount") << "Text7" << 6 << "金额 第7行";
  QTest::newRow("total volume") << "Text8" << -1 << "合计材积";
  QTest::newRow("total amount") << "Text9" << -1 << "合计金额";
  QTest::newRow("button") << "Command1" << -1 << "清除数据";
}

void Form1Test::EveryBoxHasItsSpokenName() {
  QFETCH(QString, name);
  QFETCH(int, index);
  QFETCH(QString, spoken);
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  QCOMPARE(FindByName(form, name, index)->accessibleName(), spoken);
  QSet<QString> names;
  for (const auto* box : form.findChildren<QLineEdit*>()) names.insert(box->accessibleName());
  QCOMPARE(names.size(), 58);
}

void Form1Test::BoxesSwitchOffTheInputMethod() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  // A plain field in the same window proves that the query reaches a focused widget at all.
  auto* control = new QLineEdit(&form);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  // Asked as fcitx, IBus and Windows' IMM ask, of whatever has the focus, as it moves:
  // whether it takes an input method, and with which hints.
  const auto ask = [](QWidget* target) {
    target->setFocus();
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
    QCoreApplication::sendEvent(QGuiApplication::focusObject(), &query);
    return std::pair(query.value(Qt::ImEnabled).toBool(),
                     Qt::InputMethodHints(query.value(Qt::ImHints).toInt()));
  };
  QVERIFY(ask(control).first);
  for (auto* box : form.findChildren<window::qt::CellBox*>()) {
    const auto [enabled, hints] = ask(box);
    QCOMPARE(QGuiApplication::focusObject(), box);
    QVERIFY2(!enabled, qPrintable(box->accessibleName()));
    QVERIFY(hints.testFlag(Qt::ImhPreferNumbers) && hints.testFlag(Qt::ImhLatinOnly));
  }
  QVERIFY(ask(control).first);
}

void Form1Test::TypingBecomesOneChangeOfTheCell() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  int changes = 0;
  sheet.AddChangeListener([&changes](sheet::CellId) { ++changes; });
  auto* volume = form.Box({Column::Text5, 2});
  QTest::keyClicks(volume, "5");
  QCOMPARE(sheet.GetText({Column::Text5, 2}), "5");
  QCOMPARE(changes, 1);
  QTest::keyClicks(volume, ".25");
  QCOMPARE(sheet.GetText({Column::Text5, 2}), "5.25");
  QCOMPARE(volume->cursorPosition(), 4);  // repainting never moves the caret under the user
  QCOMPARE(changes, 4);

  sheet.SetText({Column::Text1, 6}, "2.5");
  QCOMPARE(form.Box({Column::Text1, 6})->text(), "2.5");
  QCOMPARE(changes, 5);
}

void Form1Test::TypedZeroInAResultCellDisappears() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  for (const Column column : {Column::Text5, Column::Text7, Column::Text8, Column::Text9}) {
    auto* box = form.Box({column, 0});
    QTest::keyClicks(box, "0");
    QCOMPARE(box->text(), "");
    QCOMPARE(sheet.GetText({column, 0}), "");
  }
}

void Form1Test::BoxShowsWhatTheCellKeptOfAnEdit() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  auto* box = form.Box({Column::Text2, 3});
  QGuiApplication::clipboard()->setText(QString(1500, '7'));
  box->paste();
  QCOMPARE(box->text(), QString(1000, '7'));
  // More past the limit leaves the cell as it was, so no change is told; the box follows it.
  box->end(false);
  QGuiApplication::clipboard()->setText("8");
  box->paste();
  QCOMPARE(box->text(), QString(1000, '7'));
}

void Form1Test::SheetWritesShowTheBeginningOfLongTexts_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("fits");
  QTest::newRow("total volume") << static_cast<int>(Column::Text8) << "1201.5000" << false;
  QTest::newRow("row amount") << static_cast<int>(Column::Text7) << "12345678.90" << false;
  QTest::newRow("short amount") << static_cast<int>(Column::Text7) << "600.00" << true;
}

void Form1Test::SheetWritesShowTheBeginningOfLongTexts() {
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(bool, fits);
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  auto* box = form.Box({static_cast<Column>(column), 0});
  sheet.SetText(box->Cell(), text.toStdString());
  QCOMPARE(box->text(), text);
  QCOMPARE(box->cursorPosition(), 0);

  QHelpEvent hover(QEvent::ToolTip, box->rect().center(), box->mapToGlobal(box->rect().center()));
  QApplication::sendEvent(box, &hover);
  QCOMPARE(QToolTip::isVisible(), !fits);
  if (!fits) QCOMPARE(QToolTip::text(), text);
  QToolTip::hideText();
}

void Form1Test::FocusStartsInTheFirstLengthBox() {
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  QCOMPARE(form.focusWidget(), form.Box({Column::Text1, 0}));
}

void Form1Test::TextsStayDarkOnLightWhateverTheTheme_data() {
  QTest::addColumn<bool>("dark");
  QTest::newRow("default theme") << false;
  QTest::newRow("dark theme") << true;
}

void Form1Test::TextsStayDarkOnLightWhateverTheTheme() {
  QFETCH(bool, dark);
  const QPalette desktop = QApplication::palette();
  const auto restore = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
  if (dark) QApplication::setPalette(DarkThemePalette());
  sheet::CellSheet sheet;
  window::qt::Form1 form(sheet);
  sheet.SetText({Column::Text9}, "123456789012345678.0000");
  QStringList unreadable;
  const auto check = [&unreadable](const QWidget* widget, QPalette::ColorRole ink,
                                   const QColor& ground) {
    const QColor colour = widget->palette().color(ink);
    const double ratio = Contrast(colour, ground);
    if (ratio < 4.5) {
      unreadable << QStringLiteral("%1 %2: %3 on %4, %5:1")
                        .arg(widget->objectName(), widget->accessibleName(), colour.name(),
                             ground.name())
                        .arg(ratio, 0, 'f', 2);
    }
  };
  for (const auto* box : form.findChildren<window::qt::CellBox*>()) {
    check(box, QPalette::Text, box->palette().color(QPalette::Base));
    check(box, QPalette::HighlightedText, box->palette().color(QPalette::Highlight));
  }
  // Labels draw no ground of their own: the window's shows through.
  for (const auto* label : form.findChildren<QLabel*>()) {
    check(label, label->foregroundRole(), form.palette().color(form.backgroundRole()));
  }
  const QPushButton* button = form.Command1();
  check(button, QPalette::ButtonText, button->palette().color(QPalette::Button));
  // The tooltip that shows a long total whole.
  auto* total = form.Box({Column::Text9});
  QHelpEvent hover(QEvent::ToolTip, total->rect().center(),
                   total->mapToGlobal(total->rect().center()));
  QCoreApplication::sendEvent(total, &hover);
  // Found by its text: an earlier tooltip may still be fading out.
  QLabel* tip = nullptr;
  for (auto* widget : QApplication::topLevelWidgets()) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label != nullptr && label->objectName() == "qtooltip_label" && label->isVisible() &&
        label->text() == total->text()) {
      tip = label;
    }
  }
  QVERIFY(tip != nullptr);
  check(tip, tip->foregroundRole(), tip->palette().color(QPalette::ToolTipBase));
  QToolTip::hideText();
  QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join("; ")));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
