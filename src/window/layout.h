// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_LAYOUT_H_
#define VELMORA_WINDOW_LAYOUT_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cell_sheet.h"

// The window's geometry in twips (1/1440 inch), copied row by row from the design so each
// control can be checked against it. Positions are from the client area's top-left corner.
namespace window::layout {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;  // the density the layout was drawn at

// Twips to pixels at `dpi` dots per inch, to the nearest pixel (a half rounds up). At the
// design's 96 these are Qt's logical pixels, which Qt itself scales on high-DPI screens.
constexpr int TwipsToPixels(int twips, int dpi = kDesignDpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

// Typographic points to pixels at `dpi`, to the nearest pixel. Fonts sized in pixels at the
// window's own density keep their fit inside the fixed boxes whatever DPI is reported.
// The sizes are positive, so adding a half and truncating rounds them to the nearest pixel.
constexpr int PointsToPixels(double points, int dpi = kDesignDpi) {
  return static_cast<int>(points * dpi / 72 + 0.5);  // NOLINT(bugprone-incorrect-roundings)
}

struct Rgb {
  int red, green, blue;
};

inline constexpr std::string_view kFormCaption = "Velmora";
inline constexpr int kClientWidth = 8235;
inline constexpr int kClientHeight = 5385;
inline constexpr Rgb kFormColour = {255, 192, 192};
inline constexpr Rgb kBoxColour = {255, 224, 192};
// The design drew every text in the system colours of its day: black ink, white on navy
// when selected, tooltips on pale yellow. Fixed, like the backgrounds, so that a dark
// desktop theme cannot draw pale text on the window's light colours.
inline constexpr Rgb kInkColour = {0, 0, 0};
inline constexpr Rgb kSelectionColour = {10, 36, 106};
inline constexpr Rgb kSelectedInkColour = {255, 255, 255};
inline constexpr Rgb kTooltipColour = {255, 255, 225};

// The face every text box and the title use, and the sizes they use it at.
inline constexpr std::string_view kSongFace = "宋体";
inline constexpr double kBoxPoints = 10.5;
inline constexpr double kTitlePoints = 21.75;
// The window's own font, which every other label and the button inherit: the size of the
// default face on the desktops the layout was drawn for.
inline constexpr double kDefaultPoints = 9;

// One column of text boxes. Rows start at kFirstRowTop and step by kRowStep, so neighbouring
// boxes overlap by one border line.
struct BoxColumn {
  sheet::Column column;
  int left, width;
  std::string_view heading;  // the word a screen reader speaks before the row
};

inline constexpr int kFirstRowTop = 1200;
inline constexpr int kRowStep = 360;
inline constexpr int kBoxHeight = 375;

inline constexpr std::array<BoxColumn, 7> kBoxColumns = {{
    {sheet::Column::Text1, 480, 855, "长"},
    {sheet::Column::Text2, 1200, 855, "宽"},
    {sheet::Column::Text3, 1920, 855, "厚"},
    {sheet::Column::Text4, 2640, 855, "件"},
    {sheet::Column::Text5, 3360, 975, "材积"},
    {sheet::Column::Text6, 4320, 855, "单价"},
    {sheet::Column::Text7, 5040, 975, "金额"},
}};

// The two totals, under the volume and amount columns.
struct TotalBox {
  sheet::Column column;
  int left, top, width, height;
  std::string_view accessible_name;
};

inline constexpr std::array<TotalBox, 2> kTotalBoxes = {{
    {sheet::Column::Text8, 3360, 4200, 975, 375, "合计材积"},
    {sheet::Column::Text9, 5040, 4200, 975, 375, "合计金额"},
}};

struct LabelPlace {
  std::string_view name;
  int index;  // the row of a control array (Label1), -1 for a single control
  std::string_view caption;
  int left, top, width, height;
  bool wraps;
};

inline constexpr std::array<LabelPlace, 8> kLabels = {{
    {"Label2", -1, "Velmora", 2280, 120, 3135, 495, false},
    {"Label6", -1, "（长、    宽、   厚、   件）", 720, 840, 2775, 255, false},
    {"Label1", 0, "材积", 3720, 840, 495, 255, false},
    {"Label1", 2, "单价", 4560, 840, 495, 255, false},
    {"Label1", 1, "金额", 5280, 840, 495, 255, false},
    {"Label5", -1, "单位：立方米、元", 6240, 840, 1695, 255, false},
    {"Label4", -1,
     "使用说明：        在每行空格中输入锯材的长（米）、宽（毫米）、厚（毫米）、件数，"
     "随便点击页面即可计算，可同时计算8种规格锯材材积。",
     6600, 2160, 1215, 3015, true},
    {"Label3", -1, "合计", 2640, 4320, 495, 375, false},
}};

// Label2 is the title, in the Song face at kTitlePoints.
inline constexpr std::string_view kTitleLabel = "Label2";

struct ButtonPlace {
  std::string_view name, caption;
  int left, top, width, height;
  Rgb colour;
};

inline constexpr ButtonPlace kCommand1 = {"Command1", "清除数据", 6720,       1560,
                                          975,        495,        kFormColour};

// A control's place in twips.
struct Placement {
  int left, top, width, height;
};

// Where the box of `cell` stands: its column's place at its row, or the total's own.
Placement BoxPlacement(sheet::CellId cell);

// The grid of boxes with its headings and totals: what must stay together and legible.
inline constexpr int kGridLeft = 480;
inline constexpr int kGridRight = 6015;   // the right edge of the amount column
inline constexpr int kGridBottom = 4575;  // the bottom of the totals row

// Where a control goes on a screen narrower than the window (a phone in portrait): the grid
// side keeps its places, moved to the screen's left edge; the controls right of the grid
// (the units note, the button, the instructions) go under the totals, one under another in
// their order from the top, the texts (`text`) as wide as the grid. Each of the grid's nine
// rows (eight and the totals) may stretch there to fit a finger: `rows_above` of them lie
// above the control's top, `rows_inside` between its top and bottom.
struct NarrowPlace {
  Placement twips;
  int rows_above, rows_inside;
};
NarrowPlace NarrowPlacement(Placement wide, bool text);
// The whole window in that arrangement.
NarrowPlace NarrowForm();

// On a touch screen a row is at least this many CSS pixels tall, a finger's target (Apple
// asks for 44 points, Android for 48 density-independent pixels).
inline constexpr int kFingerPixels = 44;
// The least size of a box's digits on a phone, in CSS pixels: iOS zooms the page into any
// smaller text box that takes the focus, and does not zoom back.
inline constexpr int kPhoneBoxTextPixels = 16;

// The order Tab moves the focus in: across each row's inputs first, then down the results,
// then the totals; the button Command1 comes after the last of them.
std::vector<sheet::CellId> TabOrder();

// The box's name for a screen reader: its column's heading and its row ("长 第1行"), or the
// total's own name ("合计材积").
std::string AccessibleName(sheet::CellId cell);

}  // namespace window::layout

#endif  // VELMORA_WINDOW_LAYOUT_H_
