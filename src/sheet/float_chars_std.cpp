// SPDX-License-Identifier: MIT
// The conversions through <charconv>, which never looks at a locale.
#include <charconv>
#include <stdexcept>
#include <system_error>

#include "sheet/float_chars.h"

namespace sheet {

std::optional<double> ReadDecimal(std::string_view number) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) return std::nullopt;
  return value;
}

std::string ScientificText(double magnitude, int digits) {
  // At most 17 digits, a point and an exponent of at most five characters.
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                          std::chars_format::scientific, digits - 1);
  if (error != std::errc()) throw std::logic_error("scientific buffer too small");
  return std::string(buffer, end);
}

}  // namespace sheet
