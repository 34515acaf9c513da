// SPDX-License-Identifier: MIT
// Arbitrary bytes into ParseNumber, checked against the C library's strtod in the "C" locale;
// arbitrary doubles into FormatFixed, checked against a decimal computation of its own.
#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/number_text.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal number strtod would read at the start of `text`, written as a state machine
// of its own; strtod's extra forms (inf, nan, hexadecimal) are not numbers here.
std::string OracleNumber(std::string_view text) {
  enum class State { kBlanks, kSign, kInteger, kFraction } state = State::kBlanks;
  std::string number;
  std::size_t digits = 0;
  std::size_t i = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (state == State::kBlanks && std::strchr(" \t\r\n", c) != nullptr && c != '\0') continue;
    if (state == State::kBlanks && (c == '+' || c == '-')) {
      number += c;
      state = State::kSign;
    } else if (IsDigit(c) && state != State::kFraction) {
      number += c;
      ++digits;
      state = State::kInteger;
    } else if (IsDigit(c)) {
      number += c;
      ++digits;
    } else if (c == '.' && state != State::kFraction) {
      number += c;
      state = State::kFraction;
    } else {
      break;
    }
  }
  if (digits == 0) return "0";
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    const std::size_t first_digit = j;
    while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
    if (j > first_digit) number += exponent;
  }
  return number;
}

void CheckParse(std::string_view text) {
  const std::string number = OracleNumber(text);
  errno = 0;
  char* end = nullptr;
  const double expected = std::strtod(number.c_str(), &end);
  const bool out_of_range = errno == ERANGE;
  if (end != number.c_str() + number.size()) Fail("oracle number not read whole: " + number);
  double parsed = 0.0;
  try {
    parsed = sheet::ParseNumber(text);
  } catch (const sheet::OverflowError&) {
    if (out_of_range && std::isinf(expected)) return;
    Fail("overflow reported for " + number);
  }
  if (!std::isfinite(parsed)) Fail("not finite for " + number);
  const bool tiny = out_of_range && std::fabs(expected) < DBL_MIN;
  if (parsed != expected && !(tiny && parsed == 0.0)) Fail("wrong value for " + number);
}

// The exact decimal expansion of `magnitude` (finite, not negative): all its digits, of which
// the first `point` lie before the decimal point. A double is mantissa × 2^exponent, and
// for a negative exponent that is mantissa × 5^-exponent / 10^-exponent.
struct Expansion {
  std::string digits;
  std::size_t point;
};

Expansion ExactExpansion(double magnitude) {
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  std::vector<std::uint32_t> little;  // decimal digits, least significant first
  for (; mantissa != 0; mantissa /= 10) little.push_back(static_cast<std::uint32_t>(mantissa % 10));
  const auto multiply = [&little](std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (auto& digit : little) {
      carry += digit * factor;
      digit = static_cast<std::uint32_t>(carry % 10);
      carry /= 10;
    }
    for (; carry != 0; carry /= 10) little.push_back(static_cast<std::uint32_t>(carry % 10));
  };
  for (int twos = exponent; twos > 0; --twos) multiply(2);
  int fives = -exponent;
  for (; fives >= 13; fives -= 13) multiply(1220703125);  // 5^13
  for (; fives > 0; --fives) multiply(5);
  Expansion result;
  for (auto it = little.rbegin(); it != little.rend(); ++it) result.digits += char('0' + *it);
  const std::size_t decimals = exponent < 0 ? static_cast<std::size_t>(-exponent) : 0;
  if (result.digits.size() <= decimals)
    result.digits.insert(0, decimals + 1 - result.digits.size(), '0');
  result.point = result.digits.size() - decimals;
  return result;
}

// Zeros every digit from `keep` on, adding one to the digit before when `round_up` says so.
void Cut(Expansion& number, std::size_t keep, bool round_up) {
  std::fill(number.digits.begin() + static_cast<std::ptrdiff_t>(keep), number.digits.end(), '0');
  for (std::size_t i = keep; round_up && i-- > 0;) {
    if (number.digits[i] != '9') return void(++number.digits[i]);
    number.digits[i] = '0';
  }
  if (round_up) {
    number.digits.insert(0, "1");
    ++number.point;
  }
}

// What the text under `decimals` must be: the exact value rounded to 15 significant digits
// (exact ties to even, as every correctly rounded conversion does), that rounded half away
// from zero to `decimals` decimals, no sign on zero.
std::string OracleFixed(double value, std::size_t decimals) {
  Expansion number = ExactExpansion(std::fabs(value));
  const std::size_t first = number.digits.find_first_not_of('0');
  if (first != std::string::npos && first + 15 < number.digits.size()) {
    const std::size_t keep = first + 15;
    const std::string_view rest = std::string_view(number.digits).substr(keep);
    const bool above =
        rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != rest.npos);
    const bool tie = rest[0] == '5' && !above;
    Cut(number, keep, above || (tie && (number.digits[keep - 1] - '0') % 2 == 1));
  }
  const std::size_t keep = number.point + decimals;
  if (keep < number.digits.size()) Cut(number, keep, number.digits[keep] >= '5');
  number.digits.resize(number.point + decimals, '0');  // the decimals shown, padded
  std::string text = number.digits.substr(0, number.point);
  text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
  if (decimals > 0) text += "." + number.digits.substr(number.point);
  const bool zero = text.find_first_not_of("0.") == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + text;
}

void CheckFormat(double value, std::string_view pattern, std::size_t decimals) {
  std::string text;
  try {
    text = sheet::FormatFixed(value, pattern);
  } catch (const sheet::OverflowError&) {
    // Only a value that reads as a number past the double range may not be shown.
    if (std::isfinite(value) &&
        std::isfinite(std::strtod(OracleFixed(value, decimals).c_str(), nullptr))) {
      Fail("overflow reported for a value that can be shown");
    }
    return;
  }
  if (!std::isfinite(value)) Fail("no overflow for a value that is not finite");
  const std::size_t point = text.find('.');
  const std::size_t first = text.front() == '-' ? 1 : 0;
  const bool shaped = point != text.npos && point > first && text.size() == point + 1 + decimals &&
                      text.find_first_not_of("0123456789", first) == point &&
                      text.find_first_not_of("0123456789", point + 1) == text.npos;
  if (!shaped) Fail("badly shaped text " + text);
  if (text != OracleFixed(value, decimals)) Fail("wrong rounding: " + text);
  if (sheet::ParseNumber(text) != std::strtod(text.c_str(), nullptr)) Fail("reads back wrong");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckParse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= sizeof(double)) {
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    CheckFormat(value, sheet::VolumeFormat, 4);
    CheckFormat(value, sheet::AmountFormat, 2);
  }
  return 0;
}
