// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_PAGE_DATA_H_
#define VELMORA_WINDOW_WEIXIN_PAGE_DATA_H_

#include <string>
#include <string_view>

// The page's data, which its WXML binds (markup.h) and the form sets (form1.h).
namespace window::weixin::data {

// Each box's text, under this prefix and its cell's index: "v0" … "v57".
inline constexpr std::string_view kTextPrefix = "v";
inline std::string TextKey(std::size_t cell_index) {
  return std::string(kTextPrefix) + std::to_string(cell_index);
}

// The index of the box that holds the keyboard focus, or -1.
inline constexpr std::string_view kFocus = "focus";
// The index of the box whose text is selected on its arrival, or -1, and where the selection
// ends (its text's length).
inline constexpr std::string_view kSelected = "sel";
inline constexpr std::string_view kSelectionEnd = "selEnd";
// The whole number shown under a box, empty when none is shown, and that box's index.
inline constexpr std::string_view kTip = "tip";
inline constexpr std::string_view kTipCell = "tipCell";

// The attribute naming the cell a box shows, by its index; events carry it in their dataset.
inline constexpr std::string_view kCellAttribute = "cell";
// The id of the clear button, which events carry as their element's id.
inline constexpr std::string_view kButtonId = "Command1";

}  // namespace window::weixin::data

#endif  // VELMORA_WINDOW_WEIXIN_PAGE_DATA_H_
