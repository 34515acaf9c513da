// SPDX-License-Identifier: MIT
// The conversions in integer arithmetic of our own, for the WebAssembly builds: there the C
// library's strtod computes in a software long double and printf brings its whole engine,
// which together would be a third of the program a phone downloads. Both conversions are
// exact: they work on the decimal's and the double's exact values in big integers.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "sheet/double_parts.h"
#include "sheet/float_chars.h"

namespace sheet {
namespace {

// A natural number in base 2^32, least significant limb first, with no leading zero limbs.
class Natural {
 public:
  explicit Natural(std::uint64_t value = 0) {
    for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
  }

  bool IsZero() const { return limbs_.empty(); }

  int BitLength() const {
    if (limbs_.empty()) return 0;
    std::uint32_t top = limbs_.back();
    int bits = 0;
    for (; top != 0; top >>= 1) ++bits;
    return static_cast<int>(32 * (limbs_.size() - 1)) + bits;
  }

  // *this = *this * factor + addend.
  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      carry += std::uint64_t{limb} * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  // Multiplies by base^exponent, base at most 10.
  void MultiplyByPower(std::uint32_t base, int exponent) {
    std::uint32_t chunk = 1;
    int chunk_exponent = 0;
    while (std::uint64_t{chunk} * base <= 0xFFFFFFFF) {
      chunk *= base;
      ++chunk_exponent;
    }
    for (; exponent >= chunk_exponent; exponent -= chunk_exponent) MultiplyAdd(chunk, 0);
    for (; exponent > 0; --exponent) MultiplyAdd(base, 0);
  }

  // Returns *this % divisor and leaves *this / divisor.
  std::uint32_t DivideSmall(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (auto it = limbs_.rbegin(); it != limbs_.rend(); ++it) {
      const std::uint64_t current = (remainder << 32) | *it;
      *it = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
  }

  Natural ShiftedLeft(int bits) const {
    Natural result;
    if (IsZero()) return result;
    const auto limb_shift = static_cast<std::size_t>(bits / 32);
    const int bit_shift = bits % 32;
    result.limbs_.assign(limb_shift, 0);
    std::uint32_t spill = 0;
    for (const std::uint32_t limb : limbs_) {
      result.limbs_.push_back((limb << bit_shift) | spill);
      spill = bit_shift == 0 ? 0 : limb >> (32 - bit_shift);
    }
    if (spill != 0) result.limbs_.push_back(spill);
    return result;
  }

  friend bool operator<(const Natural& a, const Natural& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size();
    return std::lexicographical_compare(a.limbs_.rbegin(), a.limbs_.rend(), b.limbs_.rbegin(),
                                        b.limbs_.rend());
  }

  // *this -= other, where other <= *this.
  void Subtract(const Natural& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference = std::int64_t{limbs_[i]} - borrow -
                                (i < other.limbs_.size() ? std::int64_t{other.limbs_[i]} : 0);
      borrow = difference < 0 ? 1 : 0;
      limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    Trim();
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double FromBits(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The double nearest to numerator / denominator (both above zero), ties to even, or
// nothing when that is zero or past the largest double.
std::optional<double> NearestDouble(Natural numerator, Natural denominator) {
  // Scaled so that the quotient q has 63 or 64 bits: ten more than a double keeps, for rounding.
  const int scale = 63 - (numerator.BitLength() - denominator.BitLength());
  if (scale > 0) numerator = numerator.ShiftedLeft(scale);
  if (scale < 0) denominator = denominator.ShiftedLeft(-scale);
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    const Natural part = denominator.ShiftedLeft(bit);
    if (!(numerator < part)) {
      numerator.Subtract(part);
      quotient |= std::uint64_t{1} << bit;
    }
  }
  const bool inexact = !numerator.IsZero();
  // The value is quotient * 2^-scale. The double keeps 53 bits, fewer below 2^-1022.
  int bit_length = 0;
  for (std::uint64_t rest = quotient; rest != 0; rest >>= 1) ++bit_length;
  const int leading_exponent = bit_length - 1 - scale;
  const int precision = leading_exponent >= -1022 ? 53 : leading_exponent + 1075;
  if (precision < 0) return std::nullopt;           // under a quarter of the smallest double
  const int dropped_bits = bit_length - precision;  // 10 to 64
  std::uint64_t kept = dropped_bits == 64 ? 0 : quotient >> dropped_bits;
  const std::uint64_t dropped =
      dropped_bits == 64 ? quotient : quotient & ((std::uint64_t{1} << dropped_bits) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped_bits - 1);
  if (dropped > half || (dropped == half && (inexact || (kept & 1) != 0))) ++kept;
  if (kept == 0) return std::nullopt;
  // kept * 2^(dropped_bits - scale), where that exponent is -1074 or more: the double's bits
  // are the biased exponent over the fraction, and a carry into bit 53 moves into the exponent.
  const std::uint64_t bits = (static_cast<std::uint64_t>(dropped_bits - scale + 1074) << 52) + kept;
  if (bits >= 0x7FF0000000000000) return std::nullopt;
  return FromBits(bits);
}

}  // namespace

std::optional<double> ReadDecimal(std::string_view number) {
  // The significant digits as one integer, and the power of ten that scales them.
  Natural digits;
  std::int64_t digit_count = 0;
  std::int64_t scale = 0;
  std::size_t pos = 0;
  bool in_fraction = false;
  for (; pos < number.size(); ++pos) {
    const char c = number[pos];
    if (c == '.' && !in_fraction) {
      in_fraction = true;
      continue;
    }
    if (!IsDigit(c)) break;
    if (in_fraction) --scale;
    if (digit_count == 0 && c == '0') continue;
    digits.MultiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    ++digit_count;
  }
  if (digits.IsZero()) return 0.0;
  if (pos < number.size()) {  // the exponent, saturated far beyond the double range
    const std::string_view exponent = number.substr(pos + 1);
    const bool negative = !exponent.empty() && exponent.front() == '-';
    std::int64_t value = 0;
    for (const char c : exponent) {
      if (IsDigit(c)) value = std::min<std::int64_t>(value * 10 + (c - '0'), 1'000'000'000);
    }
    scale += negative ? -value : value;
  }
  // The value lies in [10^(digit_count - 1 + scale), 10^(digit_count + scale)).
  if (digit_count - 1 + scale > 308) return std::nullopt;
  if (digit_count + scale < -324) return std::nullopt;
  Natural denominator(1);
  if (scale > 0) digits.MultiplyByPower(10, static_cast<int>(scale));
  if (scale < 0) denominator.MultiplyByPower(10, static_cast<int>(-scale));
  return NearestDouble(std::move(digits), std::move(denominator));
}

std::string ScientificText(double magnitude, int digits) {
  if (digits < 1 || digits > 17) throw std::invalid_argument("scientific digits out of range");
  const auto [mantissa, exponent] = PartsOf(magnitude);
  // mantissa * 2^exponent exactly: an integer, or mantissa * 5^-exponent / 10^-exponent.
  Natural value(mantissa);
  if (exponent > 0) value = value.ShiftedLeft(exponent);
  if (exponent < 0) value.MultiplyByPower(5, -exponent);
  std::string decimal;  // least significant digit first, then reversed
  while (!value.IsZero()) {
    std::uint32_t group = value.DivideSmall(1'000'000'000);
    for (int i = 0; i < 9 && (group != 0 || !value.IsZero()); ++i, group /= 10) {
      decimal += static_cast<char>('0' + group % 10);
    }
  }
  std::reverse(decimal.begin(), decimal.end());
  int decimal_exponent = static_cast<int>(decimal.size()) - 1 + std::min(exponent, 0);

  // Rounded to `digits` digits from the exact expansion, a tie to the even digit.
  const auto keep = static_cast<std::size_t>(digits);
  if (decimal.size() > keep) {
    const char first_dropped = decimal[keep];
    const bool beyond_half = decimal.find_first_not_of('0', keep + 1) != std::string::npos;
    const bool odd = (decimal[keep - 1] - '0') % 2 != 0;
    decimal.resize(keep);
    if (first_dropped > '5' || (first_dropped == '5' && (beyond_half || odd))) {
      std::size_t i = keep;
      while (i > 0 && decimal[i - 1] == '9') decimal[--i] = '0';
      if (i == 0) {
        decimal.insert(decimal.begin(), '1');
        decimal.pop_back();
        ++decimal_exponent;
      } else {
        ++decimal[i - 1];
      }
    }
  }
  decimal.resize(keep, '0');

  std::string text(1, decimal[0]);
  if (keep > 1) text.append(".").append(decimal, 1);
  text += decimal_exponent < 0 ? "e-" : "e+";
  const int shown = decimal_exponent < 0 ? -decimal_exponent : decimal_exponent;
  if (shown < 10) text += '0';
  text += std::to_string(shown);
  return text;
}

}  // namespace sheet
