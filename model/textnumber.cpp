#include "model/textnumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace wavywall {

namespace {

bool isIgnored(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The text as the reading rule sees it: Latin-1 characters without the blanks,
// tabs and line feeds. Anything beyond Latin-1 cannot continue a number, so it
// is kept only as a stop mark.
std::string significantCharacters(QStringView text) {
    std::string kept;
    kept.reserve(static_cast<std::size_t>(std::min<qsizetype>(text.size(), 64)));
    for (const QChar c : text) {
        if (isIgnored(c)) {
            continue;
        }
        kept.push_back(c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x7f');
    }
    return kept;
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
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::hex);
    if (error == std::errc::result_out_of_range) {
        return std::nullopt;
    }
    return value;
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

std::optional<double> readWholeNumber(std::string_view text) {
    const char base = text[1];
    std::string_view rest = text.substr(2);
    if (base == 'H' || base == 'h') {
        std::size_t n = 0;
        while (n < rest.size() && isHexDigit(rest[n])) {
            ++n;
        }
        return parseHexDigits(rest.substr(0, n));
    }
    std::size_t n = 0;
    while (n < rest.size() && isOctalDigit(rest[n])) {
        ++n;
    }
    return parseHexDigits(octalAsHex(rest.substr(0, n)));
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

// from_chars reports tiny and huge numbers alike as out of range; the order
// of magnitude tells which: the place of the mantissa's first non-zero digit
// plus the exponent, read with saturation so that an exponent of a thousand
// digits still counts by its sign.
long long saturatedExponent(std::string_view digits, bool negative) {
    constexpr long long limit = 1'000'000'000'000LL;
    long long exponent = 0;
    for (const char d : digits) {
        exponent = std::min(limit, exponent * 10 + (d - '0'));
    }
    return negative ? -exponent : exponent;
}

bool isTooSmall(std::string_view number) {
    if (number[0] == '+' || number[0] == '-') {
        number.remove_prefix(1);
    }
    const std::size_t exponentMark = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentMark);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    const long long magnitude =
        firstSignificant < point
            ? static_cast<long long>(point - firstSignificant) - 1
            : static_cast<long long>(point) - static_cast<long long>(firstSignificant);
    long long exponent = 0;
    if (exponentMark != std::string_view::npos) {
        std::string_view digits = number.substr(exponentMark + 1);
        const bool negative = !digits.empty() && digits[0] == '-';
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
            digits.remove_prefix(1);
        }
        exponent = saturatedExponent(digits, negative);
    }
    return magnitude + exponent < 0;
}

std::optional<double> readDecimal(std::string_view text) {
    const DecimalExtent extent = measureDecimal(text);
    if (!extent.hasDigits) {
        return 0.0;
    }
    std::string_view number = text.substr(0, extent.length);
    const bool negative = number[0] == '-';
    const std::string_view digits =
        (number[0] == '+' || number[0] == '-') ? number.substr(1) : number;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!isTooSmall(number)) {
            return std::nullopt;
        }
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace

std::optional<double> textToNumber(QStringView text) {
    const std::string kept = significantCharacters(text);
    if (kept.size() >= 2 && kept[0] == '&') {
        const char base = kept[1];
        if (base == 'H' || base == 'h' || base == 'O' || base == 'o') {
            return readWholeNumber(kept);
        }
    }
    return readDecimal(kept);
}

QString numberToText(double value) {
    if (value == 0) {
        return QStringLiteral("0");
    }
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, end - buffer);
    text.replace(u'e', u'E');
    return text;
}

} // namespace wavywall
