// SPDX-License-Identifier: MIT
// Whole sheets against the hand calculation: exact decimal arithmetic on the typed texts,
// in integers, rounded half up as a desk calculator or a spreadsheet's ROUND does.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "results.h"
#include "sheet/calculate.h"

namespace sheet {
namespace {

// A typed number: `scaled` / 10^decimals.
struct Typed {
  std::int64_t scaled;
  int decimals;
};

std::int64_t PowerOfTen(int exponent) {
  std::int64_t power = 1;
  while (exponent-- > 0) power *= 10;
  return power;
}

std::string Text(Typed number) {
  std::string digits = std::to_string(number.scaled);
  const auto point = static_cast<std::size_t>(number.decimals);
  if (point == 0) return digits;
  if (digits.size() <= point) digits.insert(0, point + 1 - digits.size(), '0');
  const std::size_t whole = digits.size() - point;
  return digits.substr(0, whole) + '.' + digits.substr(whole);
}

// `number` in units of 10^-decimals, where decimals is at least its own.
std::int64_t In(Typed number, int decimals) {
  return number.scaled * PowerOfTen(decimals - number.decimals);
}

std::int64_t RoundedDivision(std::int64_t numerator, std::int64_t divisor) {
  return (numerator + divisor / 2) / divisor;
}

// A result cell as the hand calculation shows it: blank when zero.
std::string Shown(std::int64_t scaled, int decimals) {
  return scaled == 0 ? "" : Text({scaled, decimals});
}

struct Row {
  Typed length, width, thickness, pieces, price;  // m, mm, mm, pieces, yuan per m³
};

// The 18 result texts of a sheet of `rows` (rows past the list are empty), in the order
// volumes, amounts, total volume, total amount.
std::vector<std::string> ByHand(const std::vector<Row>& rows) {
  std::vector<std::string> volumes(kRowCount), amounts(kRowCount);
  std::int64_t total_volume = 0;  // 10^-4 m³
  std::int64_t total_amount = 0;  // 10^-2 yuan
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const Row& row = rows[r];
    // length in mm × width × thickness in 0.1 mm × pieces = 10^-11 m³.
    const std::int64_t exact =
        In(row.length, 3) * In(row.width, 1) * In(row.thickness, 1) * row.pieces.scaled;
    const std::int64_t volume = RoundedDivision(exact, 10'000'000);
    const std::int64_t amount = RoundedDivision(volume * In(row.price, 2), 10'000);
    volumes[r] = Shown(volume, 4);
    amounts[r] = Shown(amount, 2);
    total_volume += volume;
    total_amount += amount;
  }
  std::vector<std::string> results = volumes;
  results.insert(results.end(), amounts.begin(), amounts.end());
  results.push_back(Shown(total_volume, 4));
  results.push_back(Shown(total_amount * 100, 4));
  return results;
}

std::vector<std::string> ByVelmora(const std::vector<Row>& rows) {
  CellSheet sheet;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const int row = static_cast<int>(r);
    sheet.SetText({Column::Text1, row}, Text(rows[r].length));
    sheet.SetText({Column::Text2, row}, Text(rows[r].width));
    sheet.SetText({Column::Text3, row}, Text(rows[r].thickness));
    sheet.SetText({Column::Text4, row}, Text(rows[r].pieces));
    sheet.SetText({Column::Text6, row}, Text(rows[r].price));
  }
  Calculate(sheet);
  return Results(sheet);
}

// Sheets as a timber yard types them: lengths to the millimetre, widths and thicknesses in
// whole or tenth millimetres, 1 to 500 pieces, prices to the fen.
class SheetGenerator {
 public:
  std::vector<Row> Next() {
    std::vector<Row> rows(static_cast<std::size_t>(1 + Below(kRowCount)));
    for (Row& row : rows) {
      row.length = Decimal(500, 12'000, 3);
      row.width = Decimal(100, 5'000, 1);
      row.thickness = Decimal(100, 3'000, 1);
      row.pieces = {static_cast<std::int64_t>(1 + Below(500)), 0};
      row.price = Decimal(10'000, 999'999, 2);
    }
    return rows;
  }

 private:
  std::uint64_t Below(std::uint64_t bound) {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return (state_ >> 33) % bound;
  }
  // A number in [low, high] × 10^-max_decimals, typed with 0 to max_decimals decimals.
  Typed Decimal(std::int64_t low, std::int64_t high, int max_decimals) {
    const int decimals = static_cast<int>(Below(static_cast<std::uint64_t>(max_decimals) + 1));
    const std::int64_t value =
        low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low)));
    return {value / PowerOfTen(max_decimals - decimals), decimals};
  }
  std::uint64_t state_ = 0x5EED'0F'7117'BE12u;
};

TEST(HandCalculation, ExactHalvesRoundUp) {
  struct Case {
    const char* name;
    Row row;
    std::string volume, amount;
  };
  const Case cases[] = {
      {"volume 9.23115", {{632, 2}, {41, 0}, {95, 0}, {375, 0}, {2521, 0}}, "9.2312", "23271.86"},
      {"amount 771.255", {{188, 2}, {4329, 1}, {1729, 1}, {7, 0}, {783, 0}}, "0.9850", "771.26"},
      {"amount 2.675", {{1, 0}, {1000, 0}, {1000, 0}, {1, 0}, {2675, 3}}, "1.0000", "2.68"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> results = ByVelmora({c.row});
    EXPECT_EQ(results[0], c.volume);
    EXPECT_EQ(results[8], c.amount);
  }
}

TEST(HandCalculation, EveryResultOfRandomSheets) {
  constexpr int kSheets = 20000;
  SheetGenerator generator;
  int mismatches = 0;
  for (int i = 0; i < kSheets; ++i) {
    const std::vector<Row> rows = generator.Next();
    const std::vector<std::string> expected = ByHand(rows);
    const std::vector<std::string> shown = ByVelmora(rows);
    for (std::size_t cell = 0; cell < shown.size(); ++cell) {
      if (shown[cell] == expected[cell]) continue;
      if (++mismatches <= 5) {
        ADD_FAILURE() << "sheet " << i << ", result " << cell << ": shows " << shown[cell]
                      << ", by hand " << expected[cell] << " (row 0 typed " << Text(rows[0].length)
                      << " × " << Text(rows[0].width) << " × " << Text(rows[0].thickness) << " × "
                      << Text(rows[0].pieces) << " at " << Text(rows[0].price) << ")";
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "results that differ from the hand calculation in " << kSheets
                           << " sheets";
}

}  // namespace
}  // namespace sheet
