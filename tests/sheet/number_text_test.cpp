// SPDX-License-Identifier: MIT
#include "sheet/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

namespace sheet {
namespace {

struct ParseCase {
  const char* name;
  std::string text;
  double expected;
};

TEST(ParseNumber, ReadsTheNumberAtTheStartOfTheText) {
  const ParseCase cases[] = {
      {"empty", "", 0.0},
      {"only blanks", "   ", 0.0},
      {"word", "abc", 0.0},
      {"leading blanks", "  2.5", 2.5},
      {"leading tab", "\t3", 3.0},
      {"trailing letters", "12abc", 12.0},
      {"comma ends the number", "1,5", 1.0},
      {"blank ends the number", "1 5", 1.0},
      {"volume text", "0.0630", 0.063},
      {"amount text", "600.00", 600.0},
      {"negative", "-0.4000", -0.4},
      {"plus sign", "+7", 7.0},
      {"no integer digits", ".5", 0.5},
      {"no fraction digits", "5.", 5.0},
      {"lone point", ".", 0.0},
      {"lone sign", "-", 0.0},
      {"sign then blank", "- 5", 0.0},
      {"exponent", "1e3", 1000.0},
      {"capital exponent", "2.5E-2", 0.025},
      {"exponent without digits", "12e", 12.0},
      {"exponent sign without digits", "12e+x", 12.0},
      {"other exponent letter", "1d3", 1.0},
      {"infinity word", "inf", 0.0},
      {"long infinity word", "infinity", 0.0},
      {"nan word", "nan", 0.0},
      {"signed nan word", "-nan", 0.0},
      {"hexadecimal float", "0x1p3", 0.0},
      {"full-width digits", "\xEF\xBC\x91\xEF\xBC\x92", 0.0},
      {"ideographic full stop",
       "2\xE3\x80\x82"
       "5",
       2.0},
      {"below the double range", "1e-400", 0.0},
      {"zero with a huge exponent", "0.000e99999", 0.0},
      {"smallest subnormal", "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseNumber(c.text), c.expected);
  }
}

TEST(ParseNumber, IsCorrectlyRounded) {
  EXPECT_EQ(ParseNumber("0.1"), 0.1);
  EXPECT_EQ(ParseNumber("77.77"), 77.77);
  EXPECT_EQ(ParseNumber("9007199254740993"), 9007199254740992.0);  // tie to even
  EXPECT_EQ(ParseNumber("9007199254740993.000001"), 9007199254740994.0);
  // More digits than any fast path takes still round on the exact value.
  EXPECT_EQ(ParseNumber("0." + std::string(800, '0') + "1e800"), 0.1);
}

TEST(ParseNumber, ThrowsOverflowAboveTheDoubleRange) {
  const std::string cases[] = {"1e309", "-1e309", "1" + std::string(400, '0'),
                               "0.0001e99999999999999999999", "1.8e308"};
  for (const auto& text : cases) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ParseNumber(text), OverflowError);
  }
}

struct FormatCase {
  const char* name;
  double value;
  std::string_view pattern;
  std::string expected;
};

TEST(FormatFixed, RoundsToTheLastShownDecimal) {
  const FormatCase cases[] = {
      {"zero volume", 0.0, VolumeFormat, "0.0000"},
      {"zero amount", 0.0, AmountFormat, "0.00"},
      {"pads decimals", 0.063, VolumeFormat, "0.0630"},
      {"keeps integer digits", 1234.5, VolumeFormat, "1234.5000"},
      {"whole amount", 600.0, AmountFormat, "600.00"},
      {"rounds up", 0.001089, VolumeFormat, "0.0011"},
      {"rounds down", 77.7735, AmountFormat, "77.77"},
      {"negative", -0.4, VolumeFormat, "-0.4000"},
      {"below the last decimal", 0.00004, VolumeFormat, "0.0000"},
      {"just above half", 0.00005000001, VolumeFormat, "0.0001"},
      {"no grouping", 12345.6, AmountFormat, "12345.60"},
      {"no exponent when large", 1e20, AmountFormat, "100000000000000000000.00"},
      {"no exponent when small", 1e-300, VolumeFormat, "0.0000"},
      {"exact half rounds away from zero", 0.125, AmountFormat, "0.13"},
      {"negative exact half rounds away from zero", -0.125, AmountFormat, "-0.13"},
      {"exact half of a volume", 0.03125, VolumeFormat, "0.0313"},
      // A double a few units off an exact decimal half reads as that half.
      {"double just below a half", 2.675, AmountFormat, "2.68"},
      {"computed just below a half", 9.231149999999999, VolumeFormat, "9.2312"},
      {"computed amount just below a half", 771.2549999999999, AmountFormat, "771.26"},
      {"negative just below a half", -2.675, AmountFormat, "-2.68"},
      {"double just above a half", 1.005, AmountFormat, "1.01"},
      {"fifteen digits below a half", 0.123449999999999, VolumeFormat, "0.1234"},
      {"sixteen digits below a half", 0.1234499999999999, VolumeFormat, "0.1235"},
      {"rounds up into a new digit", 9.99995, VolumeFormat, "10.0000"},
      {"half of the first decimal below one", 0.00005, VolumeFormat, "0.0001"},
      {"just below half of the first decimal", 0.0000499999999999, VolumeFormat, "0.0000"},
      {"negative rounding to zero has no sign", -0.00001, VolumeFormat, "0.0000"},
      {"negative zero has no sign", -0.0, AmountFormat, "0.00"},
      {"no decimals", 2.5, "0", "3"},
      // Past 15 significant digits a double's digits are noise, and show as zeros.
      {"large amount", 809240558470758.125, AmountFormat, "809240558470758.00"},
      {"large volume", 140737488355328.03125, VolumeFormat, "140737488355328.0000"},
      {"sixteen digits", 1234567890123456.0, AmountFormat, "1234567890123460.00"},
      {"fifteen digits at the last decimal", 12345678901.23456, VolumeFormat, "12345678901.2346"},
      {"smallest subnormal", 4.9406564584124654e-324, VolumeFormat, "0.0000"},
      {"whole number past 64 bits", 18446744073709551616.0, AmountFormat,
       "18446744073709600000.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatFixed(c.value, c.pattern), c.expected);
  }
}

TEST(FormatFixed, WritesLargeValuesInFullWithZerosPastFifteenDigits) {
  const std::string text = FormatFixed(1.79769313486231e308, AmountFormat);
  EXPECT_EQ(text, "179769313486231" + std::string(294, '0') + ".00");
  EXPECT_EQ(ParseNumber(text), 1.79769313486231e308);
}

// The largest doubles read as 1.79769313486232e308, past the double range, which no cell
// could read back.
TEST(FormatFixed, ThrowsOverflowForValuesItCannotShow) {
  for (const double value :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::max(),
        -std::numeric_limits<double>::max()}) {
    SCOPED_TRACE(value);
    EXPECT_THROW(FormatFixed(value, VolumeFormat), OverflowError);
  }
}

TEST(FormatFixed, RejectsPatternsItDoesNotKnow) {
  for (const std::string_view pattern : {"", "0.", "#,##0.00", "00.0", "0.0#", "0,00", "0.00000"}) {
    SCOPED_TRACE(pattern);
    EXPECT_THROW(FormatFixed(1.0, pattern), std::invalid_argument);
  }
}

// Amounts and totals are computed from the texts shown, so every text written must read
// back as the value it shows: formatting what was read gives the same text again.
TEST(NumberText, EveryFormattedTextReadsBackAsItShows) {
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  const auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return state >> 11;
  };
  for (int i = 0; i < 20000; ++i) {
    // Spread values over the sizes the sheet produces, from 1e-6 to 1e12.
    const double mantissa = static_cast<double>(next()) / 9007199254740992.0;
    const double value = mantissa * std::pow(10.0, static_cast<int>(next() % 19) - 6);
    for (const std::string_view pattern : {VolumeFormat, AmountFormat}) {
      const std::string text = FormatFixed(value, pattern);
      ASSERT_EQ(FormatFixed(ParseNumber(text), pattern), text) << value;
    }
  }
}

// A Qt program adopts the user's locale at start; a German one writes "2,5". Linux and
// Windows name that locale differently.
TEST(NumberText, IgnoresTheUsersLocale) {
  const char* name = nullptr;
  for (const char* candidate : {"de_DE.UTF-8", "German_Germany.1252"}) {
    if (std::setlocale(LC_ALL, candidate) != nullptr) {
      name = candidate;
      break;
    }
  }
  if (name == nullptr) {
    GTEST_SKIP() << "no German locale is installed (scripts/setup.sh generates de_DE.UTF-8)";
  }
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  std::locale previous;
  try {
    previous = std::locale::global(std::locale(name));
  } catch (const std::runtime_error&) {
    // MinGW's C++ library knows no named locales; the C library's German one still counts.
  }
  EXPECT_EQ(ParseNumber("2.5"), 2.5);
  EXPECT_EQ(ParseNumber("2,5"), 2.0);
  EXPECT_EQ(FormatFixed(1234.5, VolumeFormat), "1234.5000");
  EXPECT_EQ(FormatFixed(1234567.891, AmountFormat), "1234567.89");
  std::locale::global(previous);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace sheet
