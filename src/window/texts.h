// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_TEXTS_H_
#define VELMORA_WINDOW_TEXTS_H_

#include <array>
#include <string_view>

// What the program says to the user beyond its captions, which stand in the layout table.
// Chinese whatever the desktop's language, since the program's users read Chinese.
namespace window::texts {

inline constexpr std::string_view kOverflowMessage =
    "数字太大，超出了能计算的范围，计算已停止。\n"
    "您输入的数据都保留着，请检查各行的长、宽、厚、件数和单价，改正后再点击页面计算。";

// The button that closes a message.
inline constexpr std::string_view kOkButton = "确定";

// The boxes' right-click menu, in the order and with the access keys of Windows' own.
enum class EditAction { kUndo, kCut, kCopy, kPaste, kDelete, kSelectAll };
struct EditMenuItem {
  EditAction action;
  std::string_view caption;
  bool separator_before;
};
inline constexpr std::array<EditMenuItem, 6> kEditMenu = {{
    {EditAction::kUndo, "撤消(&U)", false},
    {EditAction::kCut, "剪切(&T)", true},
    {EditAction::kCopy, "复制(&C)", false},
    {EditAction::kPaste, "粘贴(&P)", false},
    {EditAction::kDelete, "删除(&D)", false},
    {EditAction::kSelectAll, "全选(&A)", true},
}};

}  // namespace window::texts

#endif  // VELMORA_WINDOW_TEXTS_H_
