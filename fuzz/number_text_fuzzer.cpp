// SPDX-License-Identifier: MIT
// Arbitrary bytes into ParseNumber, arbitrary doubles into FormatFixed, each checked against
// the C library's conversions in the "C" locale.
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

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

// What the text under `decimals` must be, worked out on the exact decimal expansion that
// printf writes: cut after `decimals` digits, add one to the last kept digit when the first
// dropped one is 5 or more (halves away from zero), no sign on zero.
std::string OracleFixed(double value, std::size_t decimals) {
  char exact[1500];
  std::snprintf(exact, sizeof exact, "%.1100f", std::fabs(value));
  std::string digits(exact);
  const std::size_t point = digits.find('.');
  const bool round_up = digits[point + 1 + decimals] >= '5';
  digits.resize(decimals == 0 ? point : point + 1 + decimals);
  for (std::size_t i = digits.size(); round_up && i-- > 0;) {
    if (digits[i] == '.') continue;
    if (digits[i] != '9') {
      ++digits[i];
      break;
    }
    digits[i] = '0';
    if (i == 0) digits.insert(0, "1");
  }
  const bool zero = digits.find_first_not_of("0.") == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + digits;
}

void CheckFormat(double value, std::string_view pattern, std::size_t decimals) {
  std::string text;
  try {
    text = sheet::FormatFixed(value, pattern);
  } catch (const sheet::OverflowError&) {
    if (std::isfinite(value)) Fail("overflow reported for a finite value");
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
