#include "model/shortestnumber.h"

#include "canvas/classicnumbers.h"

#include <algorithm>
#include <cmath>
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

// Both C libraries the core is built with (glibc, and the one emscripten
// brings) round printf's digits and strtod's reading correctly, so the same
// double gives the same text in both builds.
Written withDigits(double value, int digits) {
    Written w{};
    w.length = std::snprintf(w.text, sizeof w.text, "%.*g", digits, value);
    return w;
}

bool readsBack(const Written &w, double value) {
    return std::strtod(w.text, nullptr) == value;
}

// Where the doubles next to the value lie at the same distance on both sides,
// a text of p digits that reads back makes one of p + 1 digits do so too (the
// nearest p + 1 digit text is at least as near), so the shortest length can
// be searched by halves.
bool evenlySpaced(double value) {
    int exponent = 0;
    return std::abs(std::frexp(value, &exponent)) != 0.5;
}

int shortestByHalves(double value) {
    int low = 1;
    int high = maxDigits;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (readsBack(withDigits(value, middle), value)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

// The digits as "%.{p}g" writes them: plain where the decimal exponent lies
// from -4 to p - 1, "d.ddde+XX" otherwise, no zeros at the end.
Written gStyle(bool negative, std::string digits, int exponent, int precision) {
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string text;
    text.reserve(32);
    text.append(negative ? "-" : "");
    if (exponent < -4 || exponent >= precision) {
        text.push_back(digits[0]);
        if (digits.size() > 1) {
            text.push_back('.');
            text.append(digits, 1, std::string::npos);
        }
        char tail[16];
        std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text.append(tail);
    } else if (exponent < 0) {
        text.append("0.");
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(digits);
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
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

// The p digit text next to the nearest one, away from zero.
Written nextAwayFromZero(double value, int digits) {
    char e[40];
    std::snprintf(e, sizeof e, "%.*e", digits - 1, value);
    const std::string text(e);
    const std::size_t at = text.find('e');
    int exponent = std::atoi(text.c_str() + at + 1);
    std::string mantissa;
    for (const char c : text.substr(0, at)) {
        if (c >= '0' && c <= '9') {
            mantissa.push_back(c);
        }
    }
    std::size_t i = mantissa.size();
    while (i > 0 && mantissa[i - 1] == '9') {
        mantissa[--i] = '0';
    }
    if (i == 0) {
        mantissa.insert(mantissa.begin(), '1');
        mantissa.pop_back();
        ++exponent;
    } else {
        ++mantissa[i - 1];
    }
    return gStyle(value < 0, mantissa, exponent, digits);
}

// Next to a power of two the double below is half as far as the one above:
// the nearest text of p digits may fall short below while the next one,
// away from zero, reads back; each length is tried with both in turn.
Written shortestNextToPowerOfTwo(double value) {
    for (int digits = 1; digits < maxDigits; ++digits) {
        if (const Written nearest = withDigits(value, digits); readsBack(nearest, value)) {
            return nearest;
        }
        if (const Written next = nextAwayFromZero(value, digits); readsBack(next, value)) {
            return next;
        }
    }
    return withDigits(value, maxDigits);
}

} // namespace

std::string shortestNumber(double value) {
    if (value == 0) {
        return "0";
    }
    const ClassicNumbers classicNumbers;
    if (!std::isfinite(value)) {
        const Written w = withDigits(value, 1);
        return {w.text, static_cast<std::size_t>(w.length)};
    }
    const Written w = evenlySpaced(value) ? withDigits(value, shortestByHalves(value))
                                          : shortestNextToPowerOfTwo(value);
    return {w.text, static_cast<std::size_t>(w.length)};
}

} // namespace wavywall
