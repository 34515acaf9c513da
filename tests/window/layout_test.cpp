// SPDX-License-Identifier: MIT
#include "window/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

using sheet::CellId;
using sheet::Column;
using window::layout::TabOrder;

TEST(Pixels, RoundTwipsAndPointsToTheNearestPixelAtTheWindowsDpi) {
  using window::layout::PointsToPixels;
  using window::layout::TwipsToPixels;
  const struct {
    const char* name;
    int got, want;
  } cases[] = {
      {"7 twips at 96", TwipsToPixels(7), 0},
      {"8 twips at 96", TwipsToPixels(8), 1},
      {"client width at 96", TwipsToPixels(8235), 549},
      {"client height at 96", TwipsToPixels(5385), 359},
      {"client width at 144, a half up", TwipsToPixels(8235, 144), 824},
      {"client height at 144, a half up", TwipsToPixels(5385, 144), 539},
      {"a row step at 120", TwipsToPixels(360, 120), 30},
      {"box font at 96", PointsToPixels(10.5), 14},
      {"title at 96", PointsToPixels(21.75), 29},
      {"labels at 96", PointsToPixels(9), 12},
      {"box font at 144", PointsToPixels(10.5, 144), 21},
      {"title at 144, a half up", PointsToPixels(21.75, 144), 44},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got, c.want);
  }
}

TEST(TabOrder, GoesAcrossEachRowsInputsThenDownTheResultsThenTheTotals) {
  const std::vector<CellId> order = TabOrder();
  ASSERT_EQ(order.size(), std::size_t{sheet::kCellCount});
  const struct {
    const char* name;
    int position;
    CellId cell;
  } cases[] = {
      {"the start box", 0, {Column::Text1, 0}},
      {"unit price skips the volume", 4, {Column::Text6, 0}},
      {"row 2 after row 1's price", 5, {Column::Text1, 1}},
      {"the last input", 39, {Column::Text6, 7}},
      {"the first volume after it", 40, {Column::Text5, 0}},
      {"its amount", 41, {Column::Text7, 0}},
      {"the last amount", 55, {Column::Text7, 7}},
      {"total volume", 56, {Column::Text8}},
      {"total amount", 57, {Column::Text9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(order[static_cast<std::size_t>(c.position)], c.cell);
  }
  for (std::size_t index = 0; index < order.size(); ++index) {
    EXPECT_EQ(std::count(order.begin(), order.end(), order[index]), 1) << "position " << index;
  }
}

TEST(AccessibleName, NamesEachBoxByItsHeadingAndRow) {
  const struct {
    CellId cell;
    const char* name;
  } cases[] = {
      {{Column::Text1, 0}, "长 第1行"},   {{Column::Text4, 3}, "件 第4行"},
      {{Column::Text5, 7}, "材积 第8行"}, {{Column::Text6, 1}, "单价 第2行"},
      {{Column::Text7, 4}, "金额 第5行"}, {{Column::Text8}, "合计材积"},
      {{Column::Text9}, "合计金额"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(window::layout::AccessibleName(c.cell), c.name);
  }
}

TEST(AccessibleName, RefusesACellThatDoesNotExist) {
  EXPECT_THROW(window::layout::AccessibleName({Column::Text1, 8}), std::out_of_range);
  EXPECT_THROW(window::layout::AccessibleName({Column::Text8, 1}), std::out_of_range);
}

// On a phone the grid keeps its geometry at the screen's edge; what stood right of it stacks
// under the totals, 105 twips apart, texts as wide as the grid (5535 twips). The nine rows
// (eight and the totals) that may stretch for a finger are counted above and inside each.
TEST(NarrowPlacement, KeepsTheGridAndStacksTheRestUnderIt) {
  using window::layout::Placement;
  const struct {
    const char* name;
    Placement wide;
    bool text;
    Placement narrow;
    int rows_above, rows_inside;
  } cases[] = {
      {"first length box", {480, 1200, 855, 375}, false, {0, 1200, 855, 375}, 0, 1},
      {"last price box", {4320, 3720, 855, 375}, false, {3840, 3720, 855, 375}, 7, 1},
      {"total amount", {5040, 4200, 975, 375}, false, {4560, 4200, 975, 375}, 8, 1},
      {"totals label", {2640, 4320, 495, 375}, true, {2160, 4320, 495, 375}, 8, 1},
      {"title", {2280, 120, 3135, 495}, true, {1800, 120, 3135, 495}, 0, 0},
      {"a heading", {3720, 840, 495, 255}, true, {3240, 840, 495, 255}, 0, 0},
      {"units note", {6240, 840, 1695, 255}, true, {0, 4680, 5535, 255}, 9, 0},
      {"clear button", {6720, 1560, 975, 495}, false, {0, 5040, 975, 495}, 9, 0},
      {"instructions", {6600, 2160, 1215, 3015}, true, {0, 5640, 5535, 3015}, 9, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto got = window::layout::NarrowPlacement(c.wide, c.text);
    EXPECT_EQ(std::vector<int>({got.twips.left, got.twips.top, got.twips.width, got.twips.height,
                                got.rows_above, got.rows_inside}),
              std::vector<int>({c.narrow.left, c.narrow.top, c.narrow.width, c.narrow.height,
                                c.rows_above, c.rows_inside}));
  }
  const auto form = window::layout::NarrowForm();
  EXPECT_EQ(std::vector<int>({form.twips.width, form.twips.height, form.rows_inside}),
            std::vector<int>({5535, 5640 + 3015, 9}));
}

}  // namespace
