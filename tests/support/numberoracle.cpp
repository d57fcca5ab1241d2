#include "tests/support/numberoracle.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>
#include <vector>

namespace wavywall::fuzz {

namespace {

// Blanks of every width, the invisible marks and the look-alikes pasted from
// PDFs and web pages, listed one by one: what each reads as, or 0 when it
// counts as a blank.
struct PastedCharacter {
    char16_t pasted;
    char readsAs;
};
constexpr PastedCharacter pastedCharacters[] = {
    {u' ', 0},     {u'\t', 0},    {u'\n', 0},    {0x00A0, 0},   {0x2000, 0},   {0x2001, 0},
    {0x2002, 0},   {0x2003, 0},   {0x2004, 0},   {0x2005, 0},   {0x2006, 0},   {0x2007, 0},
    {0x2008, 0},   {0x2009, 0},   {0x200A, 0},   {0x200B, 0},   {0x200C, 0},   {0x200D, 0},
    {0x200E, 0},   {0x200F, 0},   {0x202F, 0},   {0x2060, 0},   {0x3000, 0},   {0xFEFF, 0},
    {0x2212, '-'}, {0xFF0B, '+'}, {0xFF0D, '-'}, {0xFF0E, '.'}, {0xFF10, '0'}, {0xFF11, '1'},
    {0xFF12, '2'}, {0xFF13, '3'}, {0xFF14, '4'}, {0xFF15, '5'}, {0xFF16, '6'}, {0xFF17, '7'},
    {0xFF18, '8'}, {0xFF19, '9'},
};

// The characters that can matter, as ASCII: blanks dropped, look-alikes
// replaced; the first other character beyond ASCII ends the text, since
// nothing after it can belong to the number.
std::string cleaned(std::u16string_view text) {
    std::string out;
    for (const char16_t u : text) {
        const PastedCharacter *known = nullptr;
        for (const PastedCharacter &p : pastedCharacters) {
            known = p.pasted == u ? &p : known;
        }
        if (known != nullptr) {
            if (known->readsAs != 0) {
                out.push_back(known->readsAs);
            }
            continue;
        }
        if (u >= 0x80) {
            break;
        }
        out.push_back(static_cast<char>(u));
    }
    return out;
}

int digitValue(char c, int base) {
    int v = 99;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

// The whole number as its binary digits, most significant first, without
// leading zeros.
std::vector<bool> binaryDigits(const std::string &digits, int base) {
    const int width = base == 16 ? 4 : 3;
    std::vector<bool> bits;
    for (const char c : digits) {
        const int v = digitValue(c, base);
        if (v < 0) {
            break;
        }
        for (int b = width - 1; b >= 0; --b) {
            const bool bit = (v >> b) & 1;
            if (bit || !bits.empty()) {
                bits.push_back(bit);
            }
        }
    }
    return bits;
}

// Round to nearest, ties to even: the top 53 bits, then the first dropped bit
// and whether any bit below it is set.
std::optional<double> roundToDouble(const std::vector<bool> &bits) {
    constexpr std::size_t precision = 53;
    std::uint64_t mantissa = 0;
    const std::size_t kept = std::min(bits.size(), precision);
    for (std::size_t i = 0; i < kept; ++i) {
        mantissa = mantissa * 2 + bits[i];
    }
    int exponent = static_cast<int>(bits.size() - kept);
    if (bits.size() > precision) {
        const bool half = bits[precision];
        bool below = false;
        for (std::size_t i = precision + 1; i < bits.size() && !below; ++i) {
            below = bits[i];
        }
        if (half && (below || (mantissa & 1))) {
            ++mantissa;
        }
        if (mantissa == (std::uint64_t{1} << precision)) {
            mantissa >>= 1;
            ++exponent;
        }
    }
    // The largest double is (2^53 - 1) * 2^971.
    if (exponent > 971) {
        return std::nullopt;
    }
    return std::ldexp(static_cast<double>(mantissa), exponent);
}

// The longest prefix of the form [sign] digits [. digits] [e [sign] digits],
// with at least one mantissa digit and the exponent only when it has digits.
std::string decimalPrefix(const std::string &s) {
    enum State { Start, Signed, Whole, Point, Fraction, Mark, MarkSign, Exponent };
    State state = Start;
    std::size_t accepted = 0; // length of the longest complete number so far
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool digit = c >= '0' && c <= '9';
        const bool sign = c == '+' || c == '-';
        const bool mark = c == 'e' || c == 'E';
        State next;
        if (state == Start && sign) {
            next = Signed;
        } else if ((state == Start || state == Signed || state == Whole) && digit) {
            next = Whole;
        } else if ((state == Start || state == Signed || state == Whole) && c == '.') {
            next = Point;
        } else if ((state == Point || state == Fraction) && digit) {
            next = Fraction;
        } else if ((state == Whole || state == Fraction) && mark) {
            next = Mark;
        } else if (state == Point && mark && accepted > 0) {
            next = Mark; // "5.e3": the point followed digits
        } else if (state == Mark && sign) {
            next = MarkSign;
        } else if ((state == Mark || state == MarkSign || state == Exponent) && digit) {
            next = Exponent;
        } else {
            break;
        }
        state = next;
        if (state == Whole || state == Fraction || state == Exponent ||
            (state == Point && accepted > 0)) {
            accepted = i + 1;
        }
    }
    return s.substr(0, accepted);
}

std::optional<double> decimalValue(const std::string &prefix) {
    if (prefix.empty()) {
        return 0.0;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    errno = 0;
    char *end = nullptr;
    const double value = strtod_l(prefix.c_str(), &end, cLocale);
    if (end != prefix.c_str() + prefix.size()) {
        std::abort(); // the two grammars disagree: a fault of this oracle
    }
    if (errno == ERANGE && std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> oracleNumber(std::u16string_view text) {
    const std::string s = cleaned(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = s[1];
        if (kind == 'H' || kind == 'h') {
            return roundToDouble(binaryDigits(s.substr(2), 16));
        }
        if (kind == 'O' || kind == 'o') {
            return roundToDouble(binaryDigits(s.substr(2), 8));
        }
    }
    return decimalValue(decimalPrefix(s));
}

bool sameReading(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) {
        return !a && !b;
    }
    return std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

} // namespace wavywall::fuzz
