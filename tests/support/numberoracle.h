// A second, deliberately different reading of the text boxes' number rule,
// against which the fuzzers judge the program's own: a character-by-character
// state machine for the extent of the number, the C library's strtod under the
// "C" locale for decimal values, and a bit-by-bit rounding loop for &H and &O
// whole numbers.
#pragma once

#include <optional>
#include <string_view>

namespace wavywall::fuzz {

/// The value the text should read as; empty when it lies beyond a double.
std::optional<double> oracleNumber(std::u16string_view text);

/// True when both are empty or both hold the same double, sign of zero included.
bool sameReading(std::optional<double> a, std::optional<double> b);

} // namespace wavywall::fuzz
