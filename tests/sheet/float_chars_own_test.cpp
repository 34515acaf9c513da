// SPDX-License-Identifier: MIT
// The conversions of our own (the WebAssembly builds') against the C++ library's <charconv>.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <system_error>

#include "sheet/float_chars.h"

namespace sheet {
namespace {

std::optional<double> LibraryRead(const std::string& number) {
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) return std::nullopt;
  EXPECT_EQ(error, std::errc()) << number;
  EXPECT_EQ(end, number.data() + number.size()) << number;
  return value;
}

std::string LibraryScientific(double magnitude, int digits) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                          std::chars_format::scientific, digits - 1);
  EXPECT_EQ(error, std::errc());
  return std::string(buffer, end);
}

void ExpectSameRead(const std::string& number) {
  const std::optional<double> expected = LibraryRead(number);
  const std::optional<double> read = ReadDecimal(number);
  ASSERT_EQ(read.has_value(), expected.has_value()) << number;
  if (expected) {
    EXPECT_EQ(std::memcmp(&*read, &*expected, sizeof(double)), 0)
        << number << ": " << *read << " against " << *expected;
  }
}

TEST(OwnReadDecimal, EdgesOfTheDoubleRangeAndTies) {
  const std::string long_tail(900, '0');
  for (const std::string& number : std::initializer_list<std::string>{
           "0", "0.000", "000", "0e999999999", "1", "12.5", "0.1", "5.", ".5", "1e-3", "1E+3",
           "00000.000001234e+5", "600.00", "123456789012345678901234567890",
           // The largest double, halfway past it, and beyond.
           "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308",
           "179769313486231580793728971405301e276", "1e309", "1e999999999",
           // The smallest normal and subnormal doubles, and halfway under the smallest.
           "2.2250738585072011e-308", "2.2250738585072014e-308", "4.9406564584124654e-324",
           "2.4703282292062327e-324", "2.4703282292062328e-324", "1e-324", "1e-999999999",
           // 2^53 + 1 and + 3 lie halfway between doubles: ties go to the even one.
           "9007199254740993", "9007199254740995", "9007199254740993.0000000001",
           std::string("9007199254740993").append(long_tail),
           std::string("9007199254740993").append(long_tail).append("1e-900"),
           std::string("0.").append(long_tail).append("1e+902"),
           std::string("1").append(long_tail).append("e-1200"), std::string(1000, '9')}) {
    ExpectSameRead(number);
  }
}

TEST(OwnReadDecimal, RandomDecimalsAndMidpointsBetweenDoubles) {
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 20000; ++i) {
    std::string number;
    const auto digits = 1 + random() % 40;
    const auto point = random() % (digits + 1);
    for (std::uint64_t d = 0; d <= digits; ++d) {
      if (d == point) number += '.';
      if (d < digits) number += static_cast<char>('0' + random() % 10);
    }
    const auto exponent = static_cast<int>(random() % 680) - 350;
    number.append("e").append(std::to_string(exponent));
    ExpectSameRead(number);
  }
  // A midpoint's exact expansion, written from a long double that holds it exactly.
  if constexpr (std::numeric_limits<long double>::digits >= 64) {
    for (int i = 0; i < 5000; ++i) {
      const int exponent = static_cast<int>(random() % 2000) - 1000;
      const double below = std::ldexp(1.0 + static_cast<double>(random() >> 12) / 0x1p52, exponent);
      const double above = std::nextafter(below, 2 * below);
      const long double middle = (static_cast<long double>(below) + above) / 2;
      char buffer[1200];
      const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, middle,
                                              std::chars_format::scientific, 1100);
      ASSERT_EQ(error, std::errc());
      ExpectSameRead(std::string(buffer, end));
    }
  }
}

TEST(OwnScientificText, AgreesWithTheLibraryOnEveryKindOfDouble) {
  // Exact ties at the last digit kept round to the even digit.
  for (const double value : {1.0, 0.5, 0.125, 0.375, 1000000000000005.0, 1000000000000015.0,
                             9.231149999999999, 0.1, 600.0, 1e22, 1e23, 0x1p-1074, 0x1p-1022,
                             std::numeric_limits<double>::max(), 999999999999999.5}) {
    for (const int digits : {1, 2, 15, 17}) {
      EXPECT_EQ(ScientificText(value, digits), LibraryScientific(value, digits)) << value;
    }
  }
  std::mt19937_64 random(1210);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random() % 0x7FF0000000000000;
    if (i % 4 == 0) bits %= 0x0010000000000000;  // subnormal
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (value == 0) continue;
    const int digits = i % 3 == 0 ? 17 : 15;
    ASSERT_EQ(ScientificText(value, digits), LibraryScientific(value, digits)) << bits;
  }
  // Sixteen-digit whole numbers ending in 5: exact ties at fifteen digits.
  for (int i = 0; i < 2000; ++i) {
    const auto value = static_cast<double>(
        (1'000'000'000'000'000 + random() % 8'000'000'000'000'000) / 10 * 10 + 5);
    ASSERT_EQ(ScientificText(value, 15), LibraryScientific(value, 15)) << value;
  }
}

}  // namespace
}  // namespace sheet
