// SPDX-License-Identifier: MIT
#include "sheet/calculate.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "results.h"
#include "sheet/number_text.h"

namespace sheet {
namespace {

// What one row's user types: length, width, thickness, pieces, unit price.
struct RowInput {
  std::string length, width, thickness, pieces, price;
};

void TypeRow(CellSheet& sheet, int row, const RowInput& input) {
  sheet.SetText({Column::Text1, row}, input.length);
  sheet.SetText({Column::Text2, row}, input.width);
  sheet.SetText({Column::Text3, row}, input.thickness);
  sheet.SetText({Column::Text4, row}, input.pieces);
  sheet.SetText({Column::Text6, row}, input.price);
}

TEST(Calculate, WorkedExampleFillsRowZeroAndTotals) {
  CellSheet sheet;
  TypeRow(sheet, 0, {"4", "200", "50", "10", "1500"});
  Calculate(sheet);
  std::vector<std::string> expected(18, "");
  expected[0] = "0.4000";
  expected[8] = "600.00";
  expected[16] = "0.4000";
  expected[17] = "600.0000";
  EXPECT_EQ(Results(sheet), expected);
}

TEST(Calculate, EmptySheetEndsWithEveryResultBlank) {
  CellSheet sheet;
  Calculate(sheet);
  EXPECT_EQ(Results(sheet), std::vector<std::string>(18, ""));
}

TEST(Calculate, OneRow) {
  struct Case {
    const char* name;
    RowInput input;
    std::string volume, amount;
  };
  const Case cases[] = {
      {"worked row", {"4", "200", "50", "10", "1500"}, "0.4000", "600.00"},
      {"an input empty", {"4", "200", "", "10", "1500"}, "", ""},
      {"an input not a number", {"4", "abc", "50", "10", "1500"}, "", ""},
      {"small boards", {"2.5", "120", "30", "7", "1000"}, "0.0630", "63.00"},
      {"amount uses the shown volume", {"1", "33", "33", "1", "1000"}, "0.0011", "1.10"},
      {"volume below the last decimal", {"1", "2", "20", "1", "1000000"}, "", ""},
      {"negative length", {"-4", "200", "50", "10", "1500"}, "", ""},
      {"two negative inputs", {"-4", "-200", "50", "10", "1500"}, "0.4000", "600.00"},
      {"price without sizes", {"", "", "", "", "1500"}, "", ""},
      {"sizes without price", {"4", "200", "50", "10", ""}, "0.4000", ""},
      {"negative price", {"4", "200", "50", "10", "-1"}, "0.4000", ""},
      {"fractional pieces", {"4", "200", "50", "2.5", "100"}, "0.1000", "10.00"},
      {"typed decoration", {" 4m", "200mm", "50 mm", "10件", "1500元"}, "0.4000", "600.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CellSheet sheet;
    TypeRow(sheet, 3, c.input);
    Calculate(sheet);
    EXPECT_EQ(sheet.GetText({Column::Text5, 3}), c.volume);
    EXPECT_EQ(sheet.GetText({Column::Text7, 3}), c.amount);
    // With a single row the totals repeat it, in four decimals, or stay blank.
    EXPECT_EQ(sheet.GetText({Column::Text8}), c.volume);
    const std::string total_amount = c.amount.empty() ? "" : c.amount + "00";
    EXPECT_EQ(sheet.GetText({Column::Text9}), total_amount);
  }
}

TEST(Calculate, TotalsAddTheShownValues) {
  CellSheet sheet;
  // Each row is 0.00104 m³, shown 0.0010; the total adds what is shown.
  for (int row = 0; row < 5; ++row) TypeRow(sheet, row, {"1", "26", "40", "1", "1000"});
  TypeRow(sheet, 5, {"-1", "26", "40", "1", "1000"});  // negative: left out of both totals
  Calculate(sheet);
  EXPECT_EQ(sheet.GetText({Column::Text5, 0}), "0.0010");
  EXPECT_EQ(sheet.GetText({Column::Text7, 0}), "1.00");
  EXPECT_EQ(sheet.GetText({Column::Text8}), "0.0050");
  EXPECT_EQ(sheet.GetText({Column::Text9}), "5.0000");
}

TEST(Calculate, TotalAmountOfShownAmounts) {
  CellSheet sheet;
  TypeRow(sheet, 0, {"1", "1000", "1000", "1", "77.77"});
  TypeRow(sheet, 7, {"1", "1000", "1000", "1", "22.23"});
  Calculate(sheet);
  EXPECT_EQ(sheet.GetText({Column::Text7, 0}), "77.77");
  EXPECT_EQ(sheet.GetText({Column::Text7, 7}), "22.23");
  EXPECT_EQ(sheet.GetText({Column::Text9}), "100.0000");
}

TEST(Calculate, OverwritesWhatWasTypedIntoResultCells) {
  CellSheet sheet;
  sheet.SetText({Column::Text5, 3}, "999");
  sheet.SetText({Column::Text7, 2}, "5");
  sheet.SetText({Column::Text8}, "12");
  Calculate(sheet);
  EXPECT_EQ(Results(sheet), std::vector<std::string>(18, ""));
}

TEST(Calculate, SecondPassLeavesTheSameTexts) {
  CellSheet sheet;
  TypeRow(sheet, 0, {"4", "200", "50", "10", "1500"});
  TypeRow(sheet, 1, {"2.5", "120", "30", "7", "1000"});
  TypeRow(sheet, 2, {"-4", "200", "50", "10", "1500"});
  Calculate(sheet);
  const std::vector<std::string> first = Results(sheet);
  Calculate(sheet);
  EXPECT_EQ(Results(sheet), first);
}

// Rows 0 and 1 hold earlier results and row 4 overflows: what the pass had written stays,
// the rest keeps what it held before the pass, and no cell ever shows "inf" or "nan".
TEST(Calculate, OverflowStopsThePassWhereItHappens) {
  struct Case {
    const char* name;
    std::array<RowInput, 2> rows;  // typed into rows 0 and 4
    std::size_t written;           // how many of the 18 results the pass wrote first
  };
  const Case cases[] = {
      {"volume product", {{{"4", "200", "50", "10", "1"}, {"1e200", "1e200", "1", "1", "1"}}}, 4},
      {"length beyond the double range",
       {{{"4", "200", "50", "10", "1"}, {"1e400", "1", "1", "1", "1"}}},
       4},
      {"infinity times zero",
       {{{"4", "200", "50", "10", "1"}, {"1e300", "1e300", "0", "1", "1"}}},
       4},
      {"amount product", {{{"4", "200", "50", "10", "1"}, {"1e300", "1", "1e6", "1", "1e9"}}}, 12},
      {"total amount",
       {{{"1e302", "1", "1e6", "1", "1e6"}, {"1e302", "1", "1e6", "1", "1e6"}}},
       17},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CellSheet sheet;
    for (int row = 0; row < kRowCount; ++row) {
      sheet.SetText({Column::Text5, row}, "9.0000");
      sheet.SetText({Column::Text7, row}, "9.00");
    }
    sheet.SetText({Column::Text8}, "9.0000");
    sheet.SetText({Column::Text9}, "9.0000");
    const std::vector<std::string> before = Results(sheet);
    TypeRow(sheet, 0, c.rows[0]);
    TypeRow(sheet, 4, c.rows[1]);

    EXPECT_THROW(Calculate(sheet), OverflowError);
    const std::vector<std::string> after = Results(sheet);
    for (std::size_t i = c.written; i < after.size(); ++i) {
      EXPECT_EQ(after[i], before[i]) << "result " << i << " was written";
    }
    for (std::size_t i = 0; i < c.written; ++i) {
      EXPECT_NE(after[i], before[i]) << "result " << i << " was not written";
    }
  }
}

}  // namespace
}  // namespace sheet
