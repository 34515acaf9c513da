// SPDX-License-Identifier: MIT
#include "sheet/cell_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace sheet {
namespace {

// Every notification with the text the cell held when it was told.
class Recorder {
 public:
  explicit Recorder(CellSheet& sheet) : sheet_(sheet) {
    sheet.AddChangeListener([this](CellId id) { seen_.emplace_back(id, sheet_.GetText(id)); });
  }
  const std::vector<std::pair<CellId, std::string>>& seen() const { return seen_; }
  void Clear() { seen_.clear(); }

 private:
  CellSheet& sheet_;
  std::vector<std::pair<CellId, std::string>> seen_;
};

TEST(SortsBefore, ComparesCharacterCodesOrdinally) {
  struct Case {
    std::string_view a, b;
    bool expected;
  };
  const Case cases[] = {
      {"", "0.01", true},
      {"", "", false},
      {"0.0000", "0.00001", true},
      {"0.00", "0.01", true},
      {"-5", "0.00001", true},
      {".5", "0.01", true},
      {" 5", "0.01", true},
      {"0.0001", "0.00001", false},
      {"0.01", "0.01", false},
      {"0.0100", "0.01", false},
      {"0.10", "0.01", false},
      {"1", "0.00001", false},
      {"\xE4\xB8\x80", "0.01", false},  // a Chinese character: bytes above ASCII
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " vs " + std::string(c.b));
    EXPECT_EQ(SortsBefore(c.a, c.b), c.expected);
  }
}

TEST(CellSheet, StartsWithEveryCellEmpty) {
  CellSheet sheet;
  for (int column = 0; column < 9; ++column) {
    for (int row = 0; row < RowCountOf(static_cast<Column>(column)); ++row) {
      EXPECT_EQ(sheet.GetText({static_cast<Column>(column), row}), "");
    }
  }
}

TEST(CellSheet, BlanksResultsShowingZeroOrLess) {
  struct Case {
    const char* name;
    CellId cell;
    std::string text, kept;
    std::size_t notifications;
  };
  const Case cases[] = {
      {"zero volume", {Column::Text5, 2}, "0.0000", "", 2},
      {"positive volume", {Column::Text5, 0}, "0.4000", "0.4000", 1},
      {"smallest volume", {Column::Text5, 7}, "0.0001", "0.0001", 1},
      {"typed zero", {Column::Text5, 3}, "0", "", 2},
      {"typed minus", {Column::Text7, 3}, "-", "", 2},
      {"typed point", {Column::Text8}, ".", "", 2},
      {"typed leading blank", {Column::Text9}, " 5", "", 2},
      {"typed five", {Column::Text7, 1}, "5", "5", 1},
      {"negative volume", {Column::Text5, 1}, "-0.4000", "", 2},
      {"smallest amount", {Column::Text7, 4}, "0.01", "0.01", 1},
      {"zero amount", {Column::Text7, 4}, "0.00", "", 2},
      {"zero total amount", {Column::Text9}, "0.0000", "", 2},
      {"total amount", {Column::Text9}, "600.0000", "600.0000", 1},
      {"total volume at its threshold", {Column::Text8}, "0.00001", "0.00001", 1},
      {"input column has no rule", {Column::Text1, 0}, "0", "0", 1},
      {"unit price has no rule", {Column::Text6, 5}, "-3", "-3", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CellSheet sheet;
    Recorder recorder(sheet);
    sheet.SetText(c.cell, c.text);
    EXPECT_EQ(sheet.GetText(c.cell), c.kept);
    ASSERT_EQ(recorder.seen().size(), c.notifications);
    // The change itself is told first, then the blanking nested inside it.
    EXPECT_EQ(recorder.seen().front(), std::make_pair(c.cell, c.text));
  }
}

TEST(CellSheet, RuleLeavesTheColumnsOtherCellsAlone) {
  CellSheet sheet;
  sheet.SetText({Column::Text5, 0}, "0.4000");
  sheet.SetText({Column::Text5, 3}, "5");
  Recorder recorder(sheet);
  sheet.SetText({Column::Text5, 5}, "0.00");
  EXPECT_EQ(sheet.GetText({Column::Text5, 0}), "0.4000");
  EXPECT_EQ(sheet.GetText({Column::Text5, 3}), "5");
  EXPECT_EQ(sheet.GetText({Column::Text5, 5}), "");
  const std::vector<std::pair<CellId, std::string>> expected = {{{Column::Text5, 5}, "0.00"},
                                                                {{Column::Text5, 5}, ""}};
  EXPECT_EQ(recorder.seen(), expected);
}

TEST(CellSheet, UnchangedTextTellsNobody) {
  CellSheet sheet;
  sheet.SetText({Column::Text2, 4}, "200");
  Recorder recorder(sheet);
  sheet.SetText({Column::Text2, 4}, "200");
  sheet.SetText({Column::Text3, 4}, "");
  sheet.SetText({Column::Text9}, "");
  EXPECT_TRUE(recorder.seen().empty());
}

TEST(CellSheet, KeepsAnyTextUpToTheLengthLimit) {
  const std::string han = "\xE6\x9D\x90";  // one character, three bytes
  const std::string broken = "\x9D\x9D";   // continuation bytes with no lead byte
  struct Case {
    const char* name;
    std::string text, kept;
  };
  const Case cases[] = {
      {"control and invalid bytes", std::string("a\0b\xFF\n", 5), std::string("a\0b\xFF\n", 5)},
      {"exactly the limit", std::string(1000, '7'), std::string(1000, '7')},
      {"one past the limit", std::string(1001, '7'), std::string(1000, '7')},
      {"a pasted page", std::string(100000, '7'), std::string(1000, '7')},
      {"characters kept whole", std::string(999, '7') + han + han, std::string(999, '7') + han},
      {"stray continuation bytes count one each", std::string(10000, '\x9D'),
       std::string(1000, '\x9D')},
      {"stray bytes past the limit", std::string(998, '7') + broken + "b",
       std::string(998, '7') + broken},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CellSheet sheet;
    sheet.SetText({Column::Text6, 7}, c.text);
    EXPECT_EQ(sheet.GetText({Column::Text6, 7}), c.kept);
  }
}

TEST(CellSheet, ClearAllEmptiesEveryCellAndTellsEachChange) {
  CellSheet sheet;
  sheet.SetText({Column::Text1, 0}, "4");
  sheet.SetText({Column::Text5, 0}, "0.4000");
  sheet.SetText({Column::Text5, 6}, "1.0000");
  sheet.SetText({Column::Text7, 7}, "600.00");
  sheet.SetText({Column::Text8}, "1.4000");
  sheet.SetText({Column::Text9}, "600.0000");
  Recorder recorder(sheet);
  sheet.ClearAll();
  for (int column = 0; column < 9; ++column) {
    for (int row = 0; row < RowCountOf(static_cast<Column>(column)); ++row) {
      EXPECT_EQ(sheet.GetText({static_cast<Column>(column), row}), "");
    }
  }
  EXPECT_EQ(recorder.seen().size(), 6u);
  for (const auto& [id, text] : recorder.seen()) EXPECT_EQ(text, "");

  recorder.Clear();
  sheet.ClearAll();
  EXPECT_TRUE(recorder.seen().empty());
}

TEST(CellSheet, EveryListenerIsTold) {
  CellSheet sheet;
  int first = 0;
  int second = 0;
  sheet.AddChangeListener([&first](CellId) { ++first; });
  sheet.AddChangeListener([&second](CellId) { ++second; });
  sheet.SetText({Column::Text7, 0}, "0.00");
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 2);
}

TEST(CellSheet, NamesTheCellThatDoesNotExist) {
  struct Case {
    CellId cell;
    std::string named;
  };
  const Case cases[] = {
      {{Column::Text1, -1}, "Text1(-1)"},
      {{Column::Text7, 8}, "Text7(8)"},
      {{Column::Text8, 1}, "Text8(1)"},
      {{Column::Text9, -1}, "Text9(-1)"},
      {{static_cast<Column>(9), 0}, "column value 9"},
      {{static_cast<Column>(-1), 0}, "column value -1"},
  };
  CellSheet sheet;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.named);
    for (const bool writing : {false, true}) {
      try {
        if (writing) {
          sheet.SetText(c.cell, "1");
        } else {
          sheet.GetText(c.cell);
        }
        ADD_FAILURE() << "no exception";
      } catch (const std::out_of_range& error) {
        EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
      }
    }
  }
}

}  // namespace
}  // namespace sheet
