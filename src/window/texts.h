// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_TEXTS_H_
#define VELMORA_WINDOW_TEXTS_H_

#include <QString>
#include <string_view>

// What the program says to the user beyond its captions, which stand in the layout table.
namespace window::texts {

// The program's literals are UTF-8; Qt wants UTF-16.
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Makes Qt's own texts in the window (the boxes' edit menu, the message box's buttons)
// Chinese whatever the desktop's language, from Qt's translations built into the program.
void UseChineseQtTexts();

inline constexpr std::string_view kOverflowMessage =
    "数字太大，超出了能计算的范围，计算已停止。\n"
    "您输入的数据都保留着，请检查各行的长、宽、厚、件数和单价，改正后再点击页面计算。";

}  // namespace window::texts

#endif  // VELMORA_WINDOW_TEXTS_H_
