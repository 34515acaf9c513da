// SPDX-License-Identifier: MIT
#include "sheet/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "sheet/double_parts.h"
#include "sheet/float_chars.h"

namespace sheet {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";
// The most decimals a pattern may ask for; the sheet's own ask for four and two.
constexpr int kMaxDecimals = 4;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Counts the digits from `pos` on and folds them into `value`, which stays exact (and is
// then used) only while the mantissa has at most kExactDigits digits.
std::size_t DigitRunAt(std::string_view text, std::size_t pos, std::uint64_t& value) {
  std::size_t end = pos;
  for (; end < text.size() && IsDigit(text[end]); ++end) {
    value = value * 10 + static_cast<std::uint64_t>(text[end] - '0');
  }
  return end - pos;
}

// Every integer of up to 15 digits, and every power of ten up to 1e15, is a double; the
// quotient of two such doubles is then the correctly rounded value of the decimal.
constexpr std::size_t kExactDigits = 15;
constexpr std::array<double, kExactDigits + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The decimal shape a number may take: digits, an optional point and fraction (at least
// one digit in all), then an exponent only if it has digits. Anything else ends it, which
// keeps words like "inf" and "nan" and hexadecimal floats out of the conversion.
struct NumberShape {
  std::size_t int_digits = 0;
  std::size_t frac_digits = 0;
  std::size_t length = 0;      // of the whole number, exponent included
  std::int64_t exponent = 0;   // saturated
  std::uint64_t mantissa = 0;  // the digits without the point, while exact
  bool has_exponent = false;
};

NumberShape ScanNumber(std::string_view text) {
  NumberShape shape;
  shape.int_digits = DigitRunAt(text, 0, shape.mantissa);
  std::size_t pos = shape.int_digits;
  if (pos < text.size() && text[pos] == '.') {
    shape.frac_digits = DigitRunAt(text, pos + 1, shape.mantissa);
    pos += 1 + shape.frac_digits;
  }
  if (shape.int_digits + shape.frac_digits == 0) return {};
  shape.length = pos;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t digits_at = pos + 1;
    const bool negative = digits_at < text.size() && text[digits_at] == '-';
    if (digits_at < text.size() && (text[digits_at] == '+' || negative)) ++digits_at;
    constexpr std::int64_t kSaturation = 1'000'000'000;
    std::size_t end = digits_at;
    for (; end < text.size() && IsDigit(text[end]); ++end) {
      shape.exponent = std::min(shape.exponent * 10 + (text[end] - '0'), kSaturation);
    }
    if (end > digits_at) {
      if (negative) shape.exponent = -shape.exponent;
      shape.length = end;
      shape.has_exponent = true;
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

// A double holds 15 significant decimal digits reliably; what lies beyond them is the
// binary's error, not part of the number a person reads.
constexpr int kReadableDigits = 15;

// Rounds `magnitude` (finite, not negative) to `decimals` decimals and returns the result
// times 10^decimals, using integers only. A double is mantissa × 2^exponent exactly, so the
// value times 10^decimals is mantissa × 5^decimals / 2^(-exponent - decimals), and the bits
// shifted out decide the rounding. Gives nothing where that exact rounding may differ from
// rounding the value's 15 digits: near a half of the last decimal, or past 15 digits.
std::optional<std::uint64_t> ScaledAndRounded(double magnitude, int decimals) {
  constexpr std::array<std::uint64_t, kMaxDecimals + 1> kPowersOfFive = {1, 5, 25, 125, 625};
  const auto [mantissa, exponent] = PartsOf(magnitude);

  // Below 2^63, since the mantissa has 53 bits and 5^4 < 2^10.
  const std::uint64_t numerator = mantissa * kPowersOfFive[static_cast<std::size_t>(decimals)];
  const int shift = -exponent - decimals;
  if (shift <= 0) return std::nullopt;  // a whole number of 16 digits or more
  if (shift >= 64) return 0;            // under a third of the last decimal
  const std::uint64_t kept = numerator >> shift;
  const std::uint64_t dropped = numerator & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  // Rounding to 15 digits moves the value by at most half a unit of its 15th digit, which
  // is under 1e-14 of the value: a value farther from the half keeps its side of it. In
  // units of the dropped bits, (kept + 1) << shift is above the value and below 2^64.
  const std::uint64_t distance = dropped >= half ? dropped - half : half - dropped;
  if (distance <= ((kept + 1) << shift) / 100'000'000'000'000) return std::nullopt;
  return dropped > half ? kept + 1 : kept;
}

// Adds one to a string of decimal digits ("" counts as 0).
void Increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The digits of `magnitude` (finite, above zero) times 10^decimals as a person reads the
// value: its 15 significant digits, rounded half away from zero at the last decimal, and
// zeros for whatever lies beyond the 15th digit.
std::string ReadableScaledDigits(double magnitude, int decimals) {
  const std::string text = ScientificText(magnitude, kReadableDigits);
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                  exponent);
  // The largest doubles read as a number past the largest double, which nothing could read
  // back: they overflow as any larger result does.
  if (exponent == 308 && digits > "179769313486231") {
    throw OverflowError("result out of the double range");
  }
  // How many of the digits lie at or above the last decimal.
  const int kept = exponent + 1 + decimals;
  if (kept < 0) return "0";
  const auto keep = static_cast<std::size_t>(kept);
  if (keep >= digits.size()) return digits + std::string(keep - digits.size(), '0');
  const bool round_up = digits[keep] >= '5';
  digits.resize(keep);
  if (round_up) Increment(digits);
  return digits.empty() ? "0" : digits;
}

// Writes `scaled` (decimal digits of the value times 10^decimals) in fixed point, with at
// least one digit before the point.
std::string FixedText(std::string_view scaled, int decimals, bool negative) {
  const auto point = static_cast<std::size_t>(decimals);
  std::string text;
  text.reserve(scaled.size() + point + 3);
  if (negative && scaled.find_first_not_of('0') != std::string_view::npos) text += '-';
  if (scaled.size() <= point) text.append(point + 1 - scaled.size(), '0');
  text += scaled;
  if (point > 0) text.insert(text.size() - point, 1, '.');
  return text;
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
  // Short plain decimals, which is what people type, need no general conversion.
  if (!shape.has_exponent && shape.int_digits + shape.frac_digits <= kExactDigits) {
    // Signed, so a 32-bit x86 build converts it without x87 arithmetic; it is below 10^15.
    const double value = static_cast<double>(static_cast<std::int64_t>(shape.mantissa)) /
                         kPowersOfTen[shape.frac_digits];
    return negative ? -value : value;
  }
  const std::string_view number = rest.substr(0, shape.length);

  const std::optional<double> read = ReadDecimal(number);
  if (!read && IsAboveRange(number, shape)) {
    throw OverflowError("number too large: \"" + std::string(number.substr(0, 40)) + "\"");
  }
  const double value = read.value_or(0.0);
  return negative ? -value : value;
}

std::string FormatFixed(double value, std::string_view pattern) {
  const int decimals = DecimalsOf(pattern);
  if (!std::isfinite(value)) throw OverflowError("result out of the double range");
  const double magnitude = std::fabs(value);
  const bool negative = std::signbit(value);
  if (const auto scaled = ScaledAndRounded(magnitude, decimals)) {
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, *scaled);
    return FixedText(std::string_view(digits, static_cast<std::size_t>(end - digits)), decimals,
                     negative);
  }
  return FixedText(ReadableScaledDigits(magnitude, decimals), decimals, negative);
}

}  // namespace sheet
