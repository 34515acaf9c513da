// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_QT_QT_TEXTS_H_
#define VELMORA_WINDOW_QT_QT_TEXTS_H_

#include <QString>
#include <string_view>

namespace window::qt {

// The program's literals are UTF-8; Qt wants UTF-16.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Makes Qt's own texts in the window (the boxes' edit menu, the message box's buttons)
// Chinese whatever the desktop's language, from Qt's translations built into the program.
void UseChineseQtTexts();

}  // namespace window::qt

#endif  // VELMORA_WINDOW_QT_QT_TEXTS_H_
