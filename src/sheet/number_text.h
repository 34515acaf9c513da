// SPDX-License-Identifier: MIT
#ifndef VELMORA_SHEET_NUMBER_TEXT_H_
#define VELMORA_SHEET_NUMBER_TEXT_H_

#include <stdexcept>
#include <string>
#include <string_view>

namespace sheet {

// Patterns for FormatFixed: volumes and totals show four decimals, row amounts two.
inline constexpr std::string_view VolumeFormat = "0.0000";
inline constexpr std::string_view AmountFormat = "0.00";

// A number too large for a double, met while reading a text or writing a result.
class OverflowError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  OverflowError() : std::runtime_error("floating-point overflow") {}
};

// Reads the decimal number at the start of `text` (after leading blanks) and ignores
// whatever follows; a text with no number there gives 0. Only "." is a decimal point,
// whatever the locale. Correctly rounded. Throws OverflowError past the double range.
double ParseNumber(std::string_view text);

// Renders `value` in fixed point with as many decimals as `pattern` has zeros after its
// point ("0.0000" or "0.00"), correctly rounded from the double's exact value; exact
// halves round away from zero. Never an exponent, never grouping, never "-0.00".
// Throws OverflowError for a value that is not finite, std::invalid_argument for a
// pattern that is not "0" or "0." followed by one to four zeros.
std::string FormatFixed(double value, std::string_view pattern);

}  // namespace sheet

#endif  // VELMORA_SHEET_NUMBER_TEXT_H_
