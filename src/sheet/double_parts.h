// SPDX-License-Identifier: MIT
#ifndef VELMORA_SHEET_DOUBLE_PARTS_H_
#define VELMORA_SHEET_DOUBLE_PARTS_H_

#include <cstdint>
#include <cstring>

namespace sheet {

// A finite double of zero or more as it is stored: exactly mantissa * 2^exponent, with a
// mantissa of at most 53 bits.
struct DoubleParts {
  std::uint64_t mantissa;
  int exponent;
};

inline DoubleParts PartsOf(double magnitude) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const auto biased_exponent = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  // Below the normal range the implicit leading bit is absent and the exponent stays put.
  return {biased_exponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52),
          (biased_exponent == 0 ? 1 : biased_exponent) - 1075};
}

}  // namespace sheet

#endif  // VELMORA_SHEET_DOUBLE_PARTS_H_
