#include "model/textnumber.h"

#include "canvas/classicnumbers.h"
#include "model/messenger.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace wavywall {

namespace {

// The reading rule, over the text as typed or pasted:
//
//   text         = ( whole-number | decimal | nothing ) { any }
//   whole-number = "&" ( "H" | "h" ) { hex-digit } | "&" ( "O" | "o" ) { octal-digit }
//   decimal      = [ sign ] ( digit { digit } [ "." { digit } ] | "." digit { digit } )
//                  [ exponent ]
//   exponent     = ( "E" | "e" ) [ sign ] digit { digit }   (taken only with its digits)
//   sign         = "+" | "-"
//
// A blank may stand anywhere, inside the number too, and is dropped before
// the rule is read: space, tab, line feed, the Unicode spaces U+00A0,
// U+2000-U+200A, U+202F and U+3000, and the invisible marks U+200B-U+200D,
// U+200E, U+200F, U+2060 and U+FEFF. Text pasted from a PDF or a web page
// carries look-alikes, which read as what they look like: U+2212 MINUS SIGN and
// U+FF0D as "-", U+FF0B as "+", U+FF0E as ".", the full-width digits
// U+FF10-U+FF19 as "0"-"9". Every other character means itself; one that
// cannot continue the number ends it (a comma too: "1,5" reads as 1), and a
// text without a leading number reads as 0.

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\u00A0' ||
           (c >= u'\u2000' && c <= u'\u200F') || c == u'\u202F' || c == u'\u2060' ||
           c == u'\u3000' || c == u'\uFEFF';
}

// The ASCII character a character reads as; anything else beyond ASCII cannot
// continue a number, so it is kept only as a stop mark.
char readsAs(char16_t c) {
    if (c < 0x80) {
        return static_cast<char>(c);
    }
    if (c >= u'\uFF10' && c <= u'\uFF19') {
        return static_cast<char>('0' + (c - u'\uFF10'));
    }
    switch (c) {
    case u'\u2212':
    case u'\uFF0D':
        return '-';
    case u'\uFF0B':
        return '+';
    case u'\uFF0E':
        return '.';
    default:
        return '\x7f';
    }
}

// The text as the grammar above sees it: ASCII, without blanks.
std::string significantCharacters(std::u16string_view text) {
    std::string kept;
    kept.reserve(std::min<std::size_t>(text.size(), 64));
    for (const char16_t c : text) {
        if (!isBlank(c)) {
            kept.push_back(readsAs(c));
        }
    }
    return kept;
}

// strtod rounds correctly in glibc and in the C library of WebAssembly builds
// alike, for decimal and hexadecimal texts of any length; the text handed to
// it is already known to be a plain unsigned number. Empty when the value is
// beyond a double; a value too small for a double comes back as zero.
std::optional<double> correctlyRounded(const std::string &number) {
    const ClassicNumbers classicNumbers;
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

std::optional<double> parseHexDigits(std::string_view digits) {
    if (digits.empty()) {
        return 0.0;
    }
    std::string number = "0x";
    number.append(digits);
    return correctlyRounded(number);
}

// Octal digits become the same bits written in hexadecimal, so both whole-
// number forms share one correctly rounded conversion.
std::string octalAsHex(std::string_view octal) {
    std::string bits;
    bits.reserve(octal.size() * 3 + 3);
    for (const char d : octal) {
        const int v = d - '0';
        bits.push_back((v & 4) ? '1' : '0');
        bits.push_back((v & 2) ? '1' : '0');
        bits.push_back((v & 1) ? '1' : '0');
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    hex.reserve(bits.size() / 4);
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                           (bits[i + 3] - '0');
        hex.push_back(hexDigits[nibble]);
    }
    return hex;
}

// A number read from the start of the significant characters, and how many
// of them it took.
struct Read {
    std::optional<double> value;
    std::size_t length;
};

Read readWholeNumber(std::string_view text) {
    const char base = text[1];
    std::string_view rest = text.substr(2);
    if (base == 'H' || base == 'h') {
        std::size_t n = 0;
        while (n < rest.size() && isHexDigit(rest[n])) {
            ++n;
        }
        return {parseHexDigits(rest.substr(0, n)), n + 2};
    }
    std::size_t n = 0;
    while (n < rest.size() && isOctalDigit(rest[n])) {
        ++n;
    }
    return {parseHexDigits(octalAsHex(rest.substr(0, n))), n + 2};
}

// Length of the leading decimal number: sign, digits with at most one point,
// and an exponent only where digits follow it.
struct DecimalExtent {
    std::size_t length = 0;
    bool hasDigits = false;
};

std::size_t skipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    return at;
}

DecimalExtent measureDecimal(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const std::size_t mantissaStart = at;
    at = skipDigits(text, at);
    bool hasDigits = at > mantissaStart;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionStart = ++at;
        at = skipDigits(text, at);
        hasDigits = hasDigits || at > fractionStart;
    }
    if (hasDigits && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent) {
            at = exponentEnd;
        }
    }
    return {at, hasDigits};
}

// Clinger's fast path for the texts people type: a mantissa of at most 15
// significant digits is exact as a double, and so is every power of ten up to
// 1e22, so one multiplication or division of the two is the correctly rounded
// value, with no call into the C library. Empty when the text does not fit;
// strtod then reads it.
std::optional<double> exactShortDecimal(std::string_view digits) {
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int maxExponent = 22;
    constexpr int maxSignificant = 15;
    std::uint64_t mantissa = 0;
    int significant = 0;
    int exponent = 0;
    bool afterPoint = false;
    std::size_t at = 0;
    for (; at < digits.size() && digits[at] != 'e' && digits[at] != 'E'; ++at) {
        if (digits[at] == '.') {
            afterPoint = true;
            continue;
        }
        if (mantissa != 0 || digits[at] != '0') {
            if (++significant > maxSignificant) {
                return std::nullopt;
            }
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(digits[at] - '0');
        }
        exponent -= afterPoint ? 1 : 0;
    }
    if (at < digits.size()) {
        std::string_view written = digits.substr(at + 1);
        const bool negative = written[0] == '-';
        if (written[0] == '+' || written[0] == '-') {
            written.remove_prefix(1);
        }
        if (written.size() > 4) {
            return std::nullopt;
        }
        int value = 0;
        for (const char d : written) {
            value = value * 10 + (d - '0');
        }
        exponent += negative ? -value : value;
    }
    if (mantissa == 0) {
        return 0.0;
    }
    if (exponent < -maxExponent || exponent > maxExponent) {
        return std::nullopt;
    }
    const double m = static_cast<double>(mantissa);
    return exponent < 0 ? m / powersOfTen[-exponent] : m * powersOfTen[exponent];
}

// A sign or a point without digits reads nothing.
Read readDecimal(std::string_view text) {
    const DecimalExtent extent = measureDecimal(text);
    if (!extent.hasDigits) {
        return {0.0, 0};
    }
    const std::string_view number = text.substr(0, extent.length);
    const bool negative = number[0] == '-';
    const std::string_view digits =
        (number[0] == '+' || number[0] == '-') ? number.substr(1) : number;
    std::optional<double> value = exactShortDecimal(digits);
    if (!value) {
        value = correctlyRounded(std::string(digits));
    }
    if (!value) {
        return {std::nullopt, extent.length};
    }
    return {negative ? -*value : *value, extent.length};
}

Read readSignificant(std::string_view kept) {
    if (kept.size() >= 2 && kept[0] == '&') {
        const char base = kept[1];
        if (base == 'H' || base == 'h' || base == 'O' || base == 'o') {
            return readWholeNumber(kept);
        }
    }
    return readDecimal(kept);
}

} // namespace

std::optional<double> textToNumber(std::u16string_view text) {
    return readNumber(text).value;
}

NumberReading readNumber(std::u16string_view text) {
    const std::string kept = significantCharacters(text);
    const Read read = readSignificant(kept);
    if (read.length == kept.size()) {
        return {read.value, true, false};
    }
    return {read.value, false, kept[read.length] == ','};
}

std::u16string partialReadingNote(const NumberReading &reading) {
    if (reading.whole || !reading.value) {
        return {};
    }
    std::u16string note = std::u16string(messages::readOnly) + numberToText(*reading.value) +
                          std::u16string(messages::readOnlyEnd);
    return reading.stoppedAtComma ? note + std::u16string(messages::commaEndsNumber) : note;
}

std::u16string numberToText(double value) {
    if (value == 0) {
        return u"0";
    }
    char buffer[32];
    int length = 0;
    {
        const ClassicNumbers classicNumbers;
        length = std::snprintf(buffer, sizeof buffer, "%.15G", value);
    }
    return {buffer, buffer + std::clamp(length, 0, static_cast<int>(sizeof buffer) - 1)};
}

} // namespace wavywall
