// SPDX-License-Identifier: MIT
#include "window/web/style.h"

#include <string_view>

#include "window/layout.h"
#include "window/page_text.h"

namespace window::web {
namespace {

namespace layout = window::layout;

using page::Css;
using page::Px;
using page::SongFaces;

}  // namespace

std::string StyleSheet() {
  const int design_width = layout::TwipsToPixels(layout::kClientWidth);
  std::string css;
  css += "html{background:" + Css(layout::kFormColour) + "}";
  css += "body{margin:0}";
  // One twip is --px; the design's size and wider: 1/15 CSS pixel.
  css +=
      "#Form1{--px:calc(1px/15);position:relative;margin:0 auto;overflow:hidden;"
      "width:calc(" +
      std::to_string(layout::kClientWidth) +
      "*var(--px));"
      "height:calc(" +
      std::to_string(layout::kClientHeight) +
      "*var(--px));"
      "background:" +
      Css(layout::kFormColour) + ";color:" + Css(layout::kInkColour) +
      ";font:" + Px(layout::kDefaultPoints) + " " + page::DefaultFaces() +
      ";-webkit-tap-highlight-color:transparent}";
  css +=
      "#Form1>*{position:absolute;box-sizing:border-box;margin:0;"
      "left:calc(var(--x)*var(--px));top:calc(var(--y)*var(--px));"
      "width:calc(var(--w)*var(--px));height:calc(var(--h)*var(--px))}";
  css += "#Form1>div{white-space:pre;overflow:hidden;cursor:default;user-select:none}";
  css += "#Form1>div.wraps{white-space:pre-wrap}";
  css +=
      "#Form1>input{padding:0 2px;border:1px solid #7a7a7a;border-radius:0;"
      "background:" +
      Css(layout::kBoxColour) + ";color:" + Css(layout::kInkColour) +
      ";font:" + Px(layout::kBoxPoints) + " " + SongFaces() + "}";
  css += "#Form1>input::selection{background:" + Css(layout::kSelectionColour) +
         ";color:" + Css(layout::kSelectedInkColour) + "}";
  css += "#Form1>input:focus{outline:none;border-color:#000}";
  css += "#Form1>.title{font:" + Px(layout::kTitlePoints) + " " + SongFaces() + "}";
  css += "#Form1>button{font:inherit;color:inherit;background:" + Css(layout::kCommand1.colour) +
         ";border:1px solid #7a7a7a;border-radius:2px}";
  css +=
      "#Form1 .tip{position:absolute;z-index:9;padding:1px 3px;border:1px solid #000;"
      "background:" +
      Css(layout::kTooltipColour) + ";font:" + Px(layout::kBoxPoints) + " " + SongFaces() +
      ";white-space:nowrap;pointer-events:none}";
  css += "dialog{border:1px solid #7a7a7a;font:" + Px(layout::kBoxPoints) +
         " system-ui,sans-serif;max-width:24em;white-space:pre-line}";
  // Narrower than the window: the grid side at the screen's left edge, the rest under it,
  // twips shrunk to fit the grid's width and no further. Each row stretches by --fy where
  // it would be too short for a finger, and the boxes' digits grow to where iOS keeps the
  // page's zoom.
  const layout::NarrowPlace form = layout::NarrowForm();
  css += "@media (max-width:" + std::to_string(design_width - 1) +
         "px){"
         "#Form1{--px:min(calc(1px/15),calc((100vw - 8px)/" +
         std::to_string(form.twips.width) + "));--fy:max(0px,calc(" +
         std::to_string(layout::kFingerPixels) + "px - " + std::to_string(layout::kBoxHeight) +
         "*var(--px)));margin:0 4px;width:calc(" + std::to_string(form.twips.width) +
         "*var(--px));height:calc(" + std::to_string(form.twips.height) + "*var(--px) + " +
         std::to_string(form.rows_inside) +
         "*var(--fy))}"
         "#Form1>*{left:calc(var(--nx)*var(--px));"
         "top:calc(var(--ny)*var(--px) + var(--nk)*var(--fy));width:calc(var(--nw)*var(--px));"
         "height:calc(var(--nh)*var(--px) + var(--nr)*var(--fy))}"
         "#Form1>input{font-size:" +
         std::to_string(layout::kPhoneBoxTextPixels) + "px}}";
  return css;
}

}  // namespace window::web
