// SPDX-License-Identifier: MIT
#include "sheet/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace sheet {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
// Patterns with more decimals than this are no pattern of the sheet's.
constexpr int kMaxDecimals = 20;
// Sign, the 309 integer digits of the largest double, the point and the decimals.
constexpr std::size_t kMaxFormattedSize = 1 + 309 + 1 + kMaxDecimals;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t DigitRunAt(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - pos;
}

// The decimal shape a number may take: digits, an optional point and fraction (at least
// one digit in all), then an exponent only if it has digits. Anything else ends it, which
// keeps words like "inf" and "nan" and hexadecimal floats out of the conversion.
struct NumberShape {
  std::size_t int_digits = 0;
  std::size_t frac_digits = 0;
  std::size_t length = 0;     // of the whole number, exponent included
  std::int64_t exponent = 0;  // saturated; only used to tell overflow from underflow
};

NumberShape ScanNumber(std::string_view text) {
  NumberShape shape;
  shape.int_digits = DigitRunAt(text, 0);
  std::size_t pos = shape.int_digits;
  if (pos < text.size() && text[pos] == '.') {
    shape.frac_digits = DigitRunAt(text, pos + 1);
    pos += 1 + shape.frac_digits;
  }
  if (shape.int_digits + shape.frac_digits == 0) return {};
  shape.length = pos;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t digits_at = pos + 1;
    const bool negative = digits_at < text.size() && text[digits_at] == '-';
    if (digits_at < text.size() && (text[digits_at] == '+' || negative)) ++digits_at;
    const std::size_t exp_digits = DigitRunAt(text, digits_at);
    if (exp_digits > 0) {
      constexpr std::int64_t kSaturation = 1'000'000'000;
      for (std::size_t i = digits_at; i < digits_at + exp_digits; ++i) {
        shape.exponent = std::min(shape.exponent * 10 + (text[i] - '0'), kSaturation);
      }
      if (negative) shape.exponent = -shape.exponent;
      shape.length = digits_at + exp_digits;
    }
  }
  return shape;
}

// Whether a number the conversion could not represent lies above the double range
// (rather than below it): its leading non-zero digit's decimal position plus its exponent.
bool IsAboveRange(std::string_view number, const NumberShape& shape) {
  std::int64_t magnitude = 0;
  bool found = false;
  for (std::size_t i = 0; i < shape.int_digits && !found; ++i) {
    if (number[i] != '0') {
      magnitude = static_cast<std::int64_t>(shape.int_digits - i);
      found = true;
    }
  }
  for (std::size_t i = 0; i < shape.frac_digits && !found; ++i) {
    if (number[shape.int_digits + 1 + i] != '0') {
      magnitude = -static_cast<std::int64_t>(i);
      found = true;
    }
  }
  return found && magnitude + shape.exponent > 0;
}

int DecimalsOf(std::string_view pattern) {
  const bool well_formed =
      pattern == "0" ||
      (pattern.size() >= 3 && pattern.size() - 2 <= kMaxDecimals && pattern.starts_with("0.") &&
       pattern.find_first_not_of('0', 2) == std::string_view::npos);
  if (!well_formed) {
    throw std::invalid_argument("unsupported number pattern \"" + std::string(pattern) + "\"");
  }
  return pattern.size() == 1 ? 0 : static_cast<int>(pattern.size() - 2);
}

// A double lies exactly halfway between two values with `decimals` decimals only when it
// times 2^(decimals + 1) is an odd integer: the half's factor 5^decimals must cancel.
bool IsExactHalf(double value, int decimals) {
  return std::fabs(std::fmod(std::ldexp(value, decimals + 1), 2.0)) == 1.0;
}

}  // namespace

double ParseNumber(std::string_view text) {
  const std::size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return 0.0;
  std::string_view rest = text.substr(start);
  const bool negative = rest.front() == '-';
  if (negative || rest.front() == '+') rest.remove_prefix(1);

  const NumberShape shape = ScanNumber(rest);
  if (shape.length == 0) return 0.0;
  const std::string_view number = rest.substr(0, shape.length);

  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (IsAboveRange(number, shape)) {
      throw OverflowError("number too large: \"" + std::string(number.substr(0, 40)) + "\"");
    }
    value = 0.0;
  }
  return negative ? -value : value;
}

std::string FormatFixed(double value, std::string_view pattern) {
  const int decimals = DecimalsOf(pattern);
  if (!std::isfinite(value)) throw OverflowError("result out of the double range");
  // Exact halves round away from zero (0.125 shows as 0.13), as people round by hand;
  // moving one ulp outwards lets the correctly rounded conversion do just that.
  if (IsExactHalf(value, decimals)) {
    value = std::nextafter(value, std::copysign(std::numeric_limits<double>::infinity(), value));
  }
  char buffer[kMaxFormattedSize];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (error != std::errc()) throw std::logic_error("fixed-point buffer too small");
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  // A negative value that rounds to zero shows as zero, not "-0.0000".
  if (text.starts_with('-') && text.find_first_not_of("0.", 1) == std::string_view::npos) {
    text.remove_prefix(1);
  }
  return std::string(text);
}

}  // namespace sheet
