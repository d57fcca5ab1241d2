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

/// What a text gave: the number, and whether the rule read all of it. A text
/// read in part has characters after its number that cannot continue it
/// ("0,05": the comma and what follows, or a word after the digits); the
/// recalculation goes on with the number and the front ends say so.
struct NumberReading {
    std::optional<double> value;
    bool whole = true;
    /// The first character not read is a comma, as a Turkish or German
    /// decimal comma would be.
    bool stoppedAtComma = false;
};

/// Reads as textToNumber does and tells whether the whole text was read.
NumberReading readNumber(std::u16string_view text);

/// The note for a text read in part, Turkish like the window, with the
/// number read: "yalnızca 0 okundu; virgül sayıyı bitirir, ondalık ayracı
/// noktadır". Empty for a text read whole, or beyond the range of a double
/// (whose message says more).
std::u16string partialReadingNote(const NumberReading &reading);

/// Writes a number as the shortest decimal text of at most 15 significant
/// digits: 1.01, 2, 0.05, 1E-05, 1.23456789012346E+15.
std::u16string numberToText(double value);

} // namespace wavywall
