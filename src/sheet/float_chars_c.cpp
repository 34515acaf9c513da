// SPDX-License-Identifier: MIT
// The conversions through the C library, for a platform whose locale is always "C".
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "sheet/float_chars.h"

namespace sheet {

std::optional<double> ReadDecimal(std::string_view number) {
  const std::string terminated(number);
  errno = 0;
  const double value = std::strtod(terminated.c_str(), nullptr);
  // A result below the normal range still comes with ERANGE when it is not zero.
  if (errno == ERANGE && (std::isinf(value) || value == 0.0)) return std::nullopt;
  return value;
}

std::string ScientificText(double magnitude, int digits) {
  char buffer[32];
  const int length = std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, magnitude);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
    throw std::logic_error("scientific buffer too small");
  }
  return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace sheet
