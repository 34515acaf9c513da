// SPDX-License-Identifier: MIT
#include "window/weixin/style.h"

#include <algorithm>
#include <cstdio>

#include "window/layout.h"
#include "window/page_text.h"

namespace window::weixin {
namespace {

using page::Css;
using page::Px;
using page::SongFaces;

// WeChat's screen is 750 rpx wide, whatever its pixels.
constexpr double kScreenRpx = 750;
// The phone WeChat's designs are drawn for (an iPhone 6, 7 or 8): 1 rpx is half a pixel.
constexpr double kReferencePhonePixels = 375;
// The form's margin either side, as the web page's on a phone.
constexpr double kMarginRpx = 8;

double RpxPerTwip() { return (kScreenRpx - 2 * kMarginRpx) / layout::NarrowForm().twips.width; }

// What each grid row grows by, so that it is a finger's height on the reference phone.
double FingerStretch() {
  const double finger = layout::kFingerPixels * kScreenRpx / kReferencePhonePixels;
  return std::max(0.0, finger - layout::kBoxHeight * RpxPerTwip());
}

std::string Rpx(double rpx) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2frpx", rpx);
  return text;
}

// The control's place on the phone, as a rule for `selector`.
std::string PlaceRule(const std::string& selector, layout::Placement wide, bool text,
                      int z_index = 0) {
  const layout::NarrowPlace narrow = layout::NarrowPlacement(wide, text);
  const double k = RpxPerTwip();
  std::string rule = selector + "{left:" + Rpx(kMarginRpx + narrow.twips.left * k) +
                     ";top:" + Rpx(narrow.twips.top * k + narrow.rows_above * FingerStretch()) +
                     ";width:" + Rpx(narrow.twips.width * k) + ";height:" +
                     Rpx(narrow.twips.height * k + narrow.rows_inside * FingerStretch());
  if (z_index > 0) rule += ";z-index:" + std::to_string(z_index);
  return rule + "}";
}

// Where the tip of a box's whole number stands: under the box, as wide as it needs.
std::string TipRule(const std::string& selector, layout::Placement box) {
  const layout::NarrowPlace narrow = layout::NarrowPlacement(box, false);
  const double k = RpxPerTwip();
  const double bottom = (narrow.twips.top + narrow.twips.height) * k +
                        (narrow.rows_above + narrow.rows_inside) * FingerStretch();
  return selector + "{left:" + Rpx(kMarginRpx + narrow.twips.left * k) + ";top:" + Rpx(bottom) +
         "}";
}

std::string BoxFont() { return std::to_string(layout::kPhoneBoxTextPixels) + "px " + SongFaces(); }

}  // namespace

std::string PageStyle() {
  const layout::NarrowPlace form = layout::NarrowForm();
  const double form_height = form.twips.height * RpxPerTwip() + form.rows_inside * FingerStretch();
  std::string wxss;
  // The window is the whole screen, so a tap under the form lands on its background. (No
  // page selector: a page built as a component takes none.)
  wxss += ".window{position:relative;width:" + Rpx(kScreenRpx) + ";height:" + Rpx(form_height) +
          ";min-height:100vh;overflow:hidden;background:" + Css(layout::kFormColour) +
          ";color:" + Css(layout::kInkColour) + ";font:" + Px(layout::kDefaultPoints) + " " +
          page::DefaultFaces() + "}\n";
  wxss += ".label,.box,.clear,.tip{position:absolute;box-sizing:border-box;margin:0}\n";
  wxss += ".label{white-space:pre;overflow:hidden}\n.wraps{white-space:pre-wrap}\n";
  wxss += ".title{font:" + Px(layout::kTitlePoints) + " " + SongFaces() + "}\n";
  // WeChat's input has a least height of its own, which the grid's rows must not take.
  wxss += ".box{min-height:0;padding:0 2px;border:1px solid #7a7a7a;border-radius:0;background:" +
          Css(layout::kBoxColour) + ";color:" + Css(layout::kInkColour) + ";font:" + BoxFont() +
          "}\n";
  // WeChat's button draws its border in ::after and brings its own size, margins and font.
  wxss +=
      ".clear{display:flex;align-items:center;justify-content:center;padding:0;font:inherit;"
      "line-height:normal;color:inherit;background:" +
      Css(layout::kCommand1.colour) + ";border:1px solid #7a7a7a;border-radius:2px}\n";
  wxss += ".clear::after{border:none}\n";
  wxss += ".tip{z-index:9;padding:1px 3px;border:1px solid #000;background:" +
          Css(layout::kTooltipColour) + ";font:" + BoxFont() +
          ";white-space:nowrap;pointer-events:none}\n";
  for (std::size_t i = 0; i < layout::kLabels.size(); ++i) {
    const auto& label = layout::kLabels[i];
    wxss += PlaceRule(".l" + std::to_string(i), {label.left, label.top, label.width, label.height},
                      true) +
            "\n";
  }
  for (const sheet::CellId cell : layout::TabOrder()) {
    const std::string index = std::to_string(sheet::CellIndex(cell));
    // Columns to the right lie over their left neighbours' borders, as on the desktop.
    wxss += PlaceRule(".c" + index, layout::BoxPlacement(cell), false,
                      static_cast<int>(cell.column) + 1) +
            "\n";
    wxss += TipRule(".t" + index, layout::BoxPlacement(cell)) + "\n";
  }
  const auto& button = layout::kCommand1;
  wxss += PlaceRule(".clear", {button.left, button.top, button.width, button.height}, false) + "\n";
  return wxss;
}

}  // namespace window::weixin
