#include "model/shortestnumber.h"

#include "canvas/classicnumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace wavywall {

namespace {

// A double reads back from 17 significant digits whatever it is.
constexpr int maxDigits = 17;

struct Written {
    char text[32];
    int length;
};

// Significant digits and the decimal exponent of the first: 0.06 to three
// digits is ("600", -2).
struct Decimal {
    bool negative = false;
    // Room for 17 digits and the one a carry adds before it is dropped.
    char digits[maxDigits + 1] = {};
    std::size_t count = 0;
    int exponent = 0;
};

// Both C libraries the core is built with (glibc, and the one emscripten
// brings) round printf's digits and strtod's reading correctly, so the same
// double gives the same text in both builds.
Decimal printed(double value, int digits) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    Decimal d;
    d.negative = text[0] == '-';
    const char *at = text + (d.negative ? 1 : 0);
    for (; *at != 'e'; ++at) {
        if (*at != '.') {
            d.digits[d.count++] = *at;
        }
    }
    d.exponent = std::atoi(at + 1);
    return d;
}

// One unit more in the last digit, away from zero.
Decimal nextAwayFromZero(Decimal d) {
    std::size_t i = d.count;
    while (i > 0 && d.digits[i - 1] == '9') {
        d.digits[--i] = '0';
    }
    if (i == 0) {
        d.digits[0] = '1';
        ++d.exponent;
    } else {
        ++d.digits[i - 1];
    }
    return d;
}

// The value rounded to p digits, from its 17 digits: rounding those again is
// exact unless the digits dropped are a 5 and zeros, a tie that the first
// rounding may have made; printf then rounds from the double itself.
Decimal nearest(double value, const Decimal &all, int digits) {
    const std::size_t p = static_cast<std::size_t>(digits);
    if (p >= all.count) {
        return all;
    }
    const char *const end = all.digits + all.count;
    if (all.digits[p] == '5' &&
        std::all_of(all.digits + p + 1, end, [](char c) { return c == '0'; })) {
        return printed(value, digits);
    }
    Decimal kept = all;
    kept.count = p;
    return all.digits[p] >= '5' ? nextAwayFromZero(kept) : kept;
}

// The digits as "%.{p}g" writes them: plain where the decimal exponent lies
// from -4 to p - 1, "d.ddde+XX" otherwise, no zeros at the end.
Written gStyle(const Decimal &d, int precision) {
    std::string digits(d.digits, d.count);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string text;
    text.reserve(32);
    text.append(d.negative ? "-" : "");
    if (d.exponent < -4 || d.exponent >= precision) {
        text.push_back(digits[0]);
        if (digits.size() > 1) {
            text.push_back('.');
            text.append(digits, 1, std::string::npos);
        }
        char tail[16];
        std::snprintf(tail, sizeof tail, "e%c%02d", d.exponent < 0 ? '-' : '+',
                      std::abs(d.exponent));
        text.append(tail);
    } else if (d.exponent < 0) {
        text.append("0.");
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        text.append(digits);
    } else {
        const std::size_t whole = static_cast<std::size_t>(d.exponent) + 1;
        digits.resize(std::max(digits.size(), whole), '0');
        text.append(digits, 0, whole);
        if (digits.size() > whole) {
            text.push_back('.');
            text.append(digits, whole, std::string::npos);
        }
    }
    Written w{};
    w.length = std::snprintf(w.text, sizeof w.text, "%s", text.c_str());
    return w;
}

bool readsBack(const Written &w, double value) {
    return std::strtod(w.text, nullptr) == value;
}

// Clinger's fast path, as the text boxes' reading has it: a mantissa below
// 2^53 and a power of ten up to 1e22 are both exact, so one division or
// multiplication gives what strtod would, in every build; other texts go
// to strtod.
bool readsBack(const Decimal &d, int precision, double value) {
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int exactPowers = 22;
    constexpr std::uint64_t exactMantissas = std::uint64_t{1} << 53;
    std::uint64_t mantissa = 0;
    for (std::size_t i = 0; i < d.count; ++i) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(d.digits[i] - '0');
    }
    const int scale = d.exponent - static_cast<int>(d.count) + 1;
    if (d.count > 16 || mantissa >= exactMantissas || std::abs(scale) > exactPowers) {
        return readsBack(gStyle(d, precision), value);
    }
    const double m = static_cast<double>(mantissa);
    const double read = scale < 0 ? m / powersOfTen[-scale] : m * powersOfTen[scale];
    return (d.negative ? -read : read) == value;
}

// Where the doubles next to the value lie at the same distance on both sides,
// a text of p digits that reads back makes one of p + 1 digits do so too (the
// nearest p + 1 digit text is at least as near), so the shortest length can
// be searched by halves. Most computed values need 16 or 17 digits, which
// are tried first.
Written shortestEvenlySpaced(double value, const Decimal &all) {
    const auto reads = [&](int digits) {
        return readsBack(nearest(value, all, digits), digits, value);
    };
    int low = 1;
    int high = maxDigits - 2;
    if (!reads(maxDigits - 1)) {
        low = high = maxDigits;
    } else if (!reads(maxDigits - 2)) {
        low = high = maxDigits - 1;
    }
    while (low < high) {
        const int middle = (low + high) / 2;
        if (reads(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return gStyle(nearest(value, all, low), low);
}

// Next to a power of two the double below is half as far as the one above:
// the nearest text of p digits may fall short below while the next one,
// away from zero, reads back; each length is tried with both in turn.
Written shortestNextToPowerOfTwo(double value, const Decimal &all) {
    for (int digits = 1; digits < maxDigits; ++digits) {
        const Decimal near = nearest(value, all, digits);
        if (readsBack(near, digits, value)) {
            return gStyle(near, digits);
        }
        if (const Decimal next = nextAwayFromZero(near); readsBack(next, digits, value)) {
            return gStyle(next, digits);
        }
    }
    return gStyle(all, maxDigits);
}

bool evenlySpaced(double value) {
    int exponent = 0;
    return std::abs(std::frexp(value, &exponent)) != 0.5;
}

} // namespace

std::string shortestNumber(double value) {
    if (value == 0) {
        return "0";
    }
    const ClassicNumbers classicNumbers;
    if (!std::isfinite(value)) {
        char text[8];
        const int length = std::snprintf(text, sizeof text, "%g", value);
        return {text, static_cast<std::size_t>(length)};
    }
    const Decimal all = printed(value, maxDigits);
    const Written w = evenlySpaced(value) ? shortestEvenlySpaced(value, all)
                                          : shortestNextToPowerOfTwo(value, all);
    return {w.text, static_cast<std::size_t>(w.length)};
}

} // namespace wavywall
