// SPDX-License-Identifier: MIT
#ifndef VELMORA_SHEET_FLOAT_CHARS_H_
#define VELMORA_SHEET_FLOAT_CHARS_H_

#include <optional>
#include <string>
#include <string_view>

namespace sheet {

// The two conversions number_text needs, in the "C" notation whatever the user's locale.
// The standard library's <charconv> does them natively; where it lacks them for doubles
// (WebAssembly's), integer arithmetic of our own does.

// The double nearest to `number`, a plain decimal ("12.5", "1e-3", no sign, no blanks), or
// nothing when it lies outside the double range: above the largest double or so close to
// zero that it rounds to zero.
std::optional<double> ReadDecimal(std::string_view number);

// `magnitude` (finite, above zero) in scientific notation with `digits` significant digits,
// correctly rounded from its exact binary value: "d.ddd…e+XX" or "d.ddd…e-XX".
std::string ScientificText(double magnitude, int digits);

}  // namespace sheet

#endif  // VELMORA_SHEET_FLOAT_CHARS_H_
