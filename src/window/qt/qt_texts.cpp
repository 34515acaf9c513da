// SPDX-License-Identifier: MIT
#include "window/qt/qt_texts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace window::qt {

void UseChineseQtTexts() {
  // Once per program; the translator lives as long as the application.
  static const bool installed = [] {
    auto* translator = new QTranslator(QCoreApplication::instance());
    return translator->load(QStringLiteral(":/translations/qtbase_zh_CN.qm")) &&
           QCoreApplication::installTranslator(translator);
  }();
  (void)installed;
}

}  // namespace window::qt
