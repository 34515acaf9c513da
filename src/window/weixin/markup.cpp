// SPDX-License-Identifier: MIT
#include "window/weixin/markup.h"

#include "window/layout.h"
#include "window/page_text.h"
#include "window/weixin/page_data.h"

namespace window::weixin {
namespace {

using page::Attribute;
using page::Escaped;
using sheet::CellId;

// A WXML expression: "{{…}}".
std::string Bound(std::string_view expression) { return "{{" + std::string(expression) + "}}"; }

std::string Label(const layout::LabelPlace& label, std::size_t index) {
  std::string classes = "label l" + std::to_string(index);
  if (label.name == layout::kTitleLabel) classes += " title";
  if (label.wraps) classes += " wraps";
  return "<view" + Attribute("class", classes) + ">" + Escaped(label.caption) + "</view>";
}

// Every box asks for the decimal keypad and holds as much as its cell. The focus and the
// selection are the page's to set, so the focus rule can select a box's text on arrival.
std::string Box(CellId cell) {
  const std::string index = std::to_string(sheet::CellIndex(cell));
  const std::string mine = std::string(data::kSelected) + "===" + index;
  return "<input" + Attribute("id", "c" + index) + Attribute("class", "box c" + index) +
         Attribute("data-" + std::string(data::kCellAttribute), Bound(index)) + " type=\"digit\"" +
         Attribute("maxlength", std::to_string(sheet::kMaxTextLength)) +
         Attribute("aria-label", layout::AccessibleName(cell)) +
         Attribute("value", Bound(data::TextKey(sheet::CellIndex(cell)))) +
         Attribute("focus", Bound(std::string(data::kFocus) + "===" + index)) +
         Attribute("selection-start", Bound(mine + "?0:-1")) +
         Attribute("selection-end", Bound(mine + "?" + std::string(data::kSelectionEnd) + ":-1")) +
         " bindinput=\"onEvent\" bindfocus=\"onEvent\" bindblur=\"onEvent\""
         " bindconfirm=\"onEvent\" bindlongpress=\"onEvent\" catchtap=\"onEvent\"/>";
}

}  // namespace

std::string PageMarkup() {
  std::string wxml = "<view id=\"Form1\" class=\"window\"" +
                     Attribute("aria-label", layout::kFormCaption) +
                     " bindtap=\"onEvent\" bindtouchstart=\"onEvent\">";
  // Labels first: the boxes and the button lie over them where they meet.
  for (std::size_t i = 0; i < layout::kLabels.size(); ++i) wxml += Label(layout::kLabels[i], i);
  for (const CellId cell : layout::TabOrder()) wxml += Box(cell);
  wxml += "<button" + Attribute("id", data::kButtonId) + " class=\"clear\" catchtap=\"onEvent\">" +
          Escaped(layout::kCommand1.caption) + "</button>";
  wxml += "<view" + Attribute("class", "tip t" + Bound(data::kTipCell)) +
          Attribute("wx:if", Bound(data::kTip)) + ">" + Bound(data::kTip) + "</view></view>\n";
  return wxml;
}

}  // namespace window::weixin
