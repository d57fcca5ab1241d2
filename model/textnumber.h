// The two conversions between the text boxes and the numbers of the flow
// model. Reading follows the classic BASIC numeric-value rule (leading number,
// blanks ignored, &H and &O whole numbers), with pasted look-alikes such as
// U+2212 MINUS SIGN and full-width digits read as their ASCII forms; writing
// gives the shortest form with at most 15 significant digits. Both use '.'
// whatever the locale of the process, so a value that a scroll bar writes
// always reads back as itself, and both round correctly with any C library
// (docs/design.md).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wavywall {

/// Reads the number at the start of a text. A text without a leading number
/// reads as 0. Empty when the number lies beyond the range of a double; a
/// number too small for a double reads as (signed) zero.
std::optional<double> textToNumber(std::u16string_view text);

/// Writes a number as the shortest decimal text of at most 15 significant
/// digits: 1.01, 2, 0.05, 1E-05, 1.23456789012346E+15.
std::u16string numberToText(double value);

} // namespace wavywall
