#include "model/exactsine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Fixed-point numbers of any length: a sign and a magnitude in 32-bit limbs
// (least significant first), read as magnitude / 2^bits. Every operation
// either is exact or truncates toward zero, losing less than one unit of
// 2^-bits; each step below counts its units of error, so the result carries
// a bound that is proven, not estimated.

namespace wavywall {

namespace {

using Limbs = std::vector<std::uint32_t>;

struct Fixed {
    bool negative = false;
    Limbs limbs; // no zero limb at the top
};

void trim(Limbs &a) {
    while (!a.empty() && a.back() == 0) {
        a.pop_back();
    }
}

int compareMagnitudes(const Limbs &a, const Limbs &b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

Limbs addMagnitudes(const Limbs &a, const Limbs &b) {
    Limbs sum(std::max(a.size(), b.size()) + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i + 1 < sum.size(); ++i) {
        carry += (i < a.size() ? a[i] : 0ULL) + (i < b.size() ? b[i] : 0ULL);
        sum[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    sum.back() = static_cast<std::uint32_t>(carry);
    trim(sum);
    return sum;
}

// a - b for a >= b.
Limbs subtractMagnitudes(const Limbs &a, const Limbs &b) {
    Limbs difference(a.size());
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t d = static_cast<std::int64_t>(a[i]) - (i < b.size() ? b[i] : 0) - borrow;
        borrow = d < 0 ? 1 : 0;
        difference[i] = static_cast<std::uint32_t>(d + (borrow << 32));
    }
    trim(difference);
    return difference;
}

Fixed add(const Fixed &a, const Fixed &b) {
    if (a.negative == b.negative) {
        return {a.negative, addMagnitudes(a.limbs, b.limbs)};
    }
    if (compareMagnitudes(a.limbs, b.limbs) >= 0) {
        return {a.negative, subtractMagnitudes(a.limbs, b.limbs)};
    }
    return {b.negative, subtractMagnitudes(b.limbs, a.limbs)};
}

Fixed negate(Fixed a) {
    a.negative = !a.negative;
    return a;
}

Limbs shiftLeft(const Limbs &a, int bits) {
    Limbs shifted(a.size() + static_cast<std::size_t>(bits / 32) + 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::uint64_t wide = static_cast<std::uint64_t>(a[i]) << (bits % 32);
        shifted[i + bits / 32] |= static_cast<std::uint32_t>(wide);
        shifted[i + bits / 32 + 1] |= static_cast<std::uint32_t>(wide >> 32);
    }
    trim(shifted);
    return shifted;
}

// Truncates: the bits shifted out are lost.
Limbs shiftRight(const Limbs &a, int bits) {
    const std::size_t skip = static_cast<std::size_t>(bits / 32);
    if (skip >= a.size()) {
        return {};
    }
    Limbs shifted(a.size() - skip);
    for (std::size_t i = 0; i < shifted.size(); ++i) {
        std::uint64_t wide = a[i + skip];
        if (i + skip + 1 < a.size()) {
            wide |= static_cast<std::uint64_t>(a[i + skip + 1]) << 32;
        }
        shifted[i] = static_cast<std::uint32_t>(wide >> (bits % 32));
    }
    trim(shifted);
    return shifted;
}

// a b / 2^bits, truncated: an error below one unit.
Fixed multiply(const Fixed &a, const Fixed &b, int bits) {
    Limbs product(a.limbs.size() + b.limbs.size(), 0);
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs.size(); ++j) {
            carry += static_cast<std::uint64_t>(a.limbs[i]) * b.limbs[j] + product[i + j];
            product[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        product[i + b.limbs.size()] = static_cast<std::uint32_t>(carry);
    }
    return {a.negative != b.negative, shiftRight(product, bits)};
}

// a times a small whole number: exact.
Fixed multiplySmall(const Fixed &a, std::uint32_t m) {
    return multiply(a, {false, {m}}, 0);
}

// a / d, truncated: an error below one unit.
Fixed divideSmall(const Fixed &a, std::uint32_t d) {
    Limbs quotient(a.limbs.size());
    std::uint64_t remainder = 0;
    for (std::size_t i = a.limbs.size(); i-- > 0;) {
        remainder = (remainder << 32) | a.limbs[i];
        quotient[i] = static_cast<std::uint32_t>(remainder / d);
        remainder %= d;
    }
    trim(quotient);
    return {a.negative, quotient};
}

Fixed one(int bits) {
    return {false, shiftLeft({1}, bits)};
}

int bitLength(const Limbs &a) {
    if (a.empty()) {
        return 0;
    }
    int length = 32 * static_cast<int>(a.size() - 1);
    for (std::uint32_t top = a.back(); top != 0; top >>= 1) {
        ++length;
    }
    return length;
}

bool bit(const Limbs &a, int index) {
    const auto limb = static_cast<std::size_t>(index / 32);
    return limb < a.size() && ((a[limb] >> (index % 32)) & 1U) != 0;
}

bool anyBitBelow(const Limbs &a, int index) {
    const auto limb = static_cast<std::size_t>(index / 32);
    for (std::size_t i = 0; i < limb && i < a.size(); ++i) {
        if (a[i] != 0) {
            return true;
        }
    }
    const std::uint32_t mask = (1U << (index % 32)) - 1;
    return limb < a.size() && (a[limb] & mask) != 0;
}

// The double nearest a / 2^bits, ties to even: exact integer rounding, then
// a scaling by a power of two, which is exact for the values met here.
double nearestDouble(const Fixed &a, int bits) {
    const int length = bitLength(a.limbs);
    const int drop = std::max(length - 53, 0);
    const Limbs top = shiftRight(a.limbs, drop);
    std::uint64_t mantissa = 0;
    for (std::size_t i = top.size(); i-- > 0;) {
        mantissa = (mantissa << 32) | top[i];
    }
    if (drop > 0 && bit(a.limbs, drop - 1) &&
        (anyBitBelow(a.limbs, drop - 1) || (mantissa & 1U) != 0)) {
        ++mantissa;
    }
    const double magnitude = std::ldexp(static_cast<double>(mantissa), drop - bits);
    return a.negative ? -magnitude : magnitude;
}

// A value with its error bound in units of 2^-bits.
struct Bounded {
    Fixed value;
    std::uint64_t error;
};

// arctan(1/n) = 1/n - 1/(3 n^3) + ...: each term is off by less than two
// units (one from each division, the earlier errors divided by n^2), and the
// terms left once one truncates to zero sum to less than two units.
Bounded arctanOfInverse(std::uint32_t n, int bits) {
    Fixed power = divideSmall(one(bits), n);
    Fixed sum = power;
    std::uint64_t error = 2;
    for (std::uint32_t k = 1; !power.limbs.empty(); ++k) {
        power = divideSmall(power, n * n);
        const Fixed term = divideSmall(power, 2 * k + 1);
        sum = add(sum, k % 2 == 1 ? negate(term) : term);
        error += 2;
    }
    return {sum, error};
}

// pi/2 = 8 arctan(1/5) - 2 arctan(1/239) (Machin, 1706).
Bounded halfPi(int bits) {
    const Bounded a = arctanOfInverse(5, bits);
    const Bounded b = arctanOfInverse(239, bits);
    return {add(multiplySmall(a.value, 8), negate(multiplySmall(b.value, 2))),
            8 * a.error + 2 * b.error};
}

// The Taylor series of sin r (first = 1) or cos r (first = 0) for |r| < 1.
// With z = r^2 truncated (less than a unit off) each term is t z / m for a
// whole m >= 2, so an error e of the term before becomes at most
// (e + 2)/2 + 1: no term is more than four units off. The terms alternate and
// shrink, so those after the first that truncates to zero sum to less than
// it, under five units.
Bounded series(const Fixed &r, int first, int bits) {
    const Fixed z = multiply(r, r, bits);
    Fixed term = first == 1 ? r : one(bits);
    Fixed sum = term;
    std::uint64_t error = 5;
    for (std::uint32_t n = 1; !term.limbs.empty(); ++n) {
        const std::uint32_t m = (2 * n + first - 1) * (2 * n + first);
        term = divideSmall(multiply(term, z, bits), m);
        sum = add(sum, n % 2 == 1 ? negate(term) : term);
        error += 4;
    }
    return {sum, error};
}

// x as a fixed-point number: exact where x is a whole multiple of 2^-bits.
Fixed fixedOf(double x, int bits) {
    int exponent = 0;
    const double fraction = std::frexp(std::abs(x), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const Limbs limbs{static_cast<std::uint32_t>(mantissa),
                      static_cast<std::uint32_t>(mantissa >> 32)};
    return {x < 0, shiftLeft(limbs, exponent - 53 + bits)};
}

// sin(x + q pi/2) to `bits` bits, with x = k pi/2 + r, |r| <= pi/4 (a little
// more where k rounds the other way): r is off by |k| times pi/2's error.
Bounded sineAt(double x, unsigned quarterTurns, int bits) {
    constexpr double rounder = 0x1.8p52;
    const double k = (x * 0x1.45f306dc9c883p-1 + rounder) - rounder; // x / (pi/2), rounded
    const Bounded h = halfPi(bits);
    const auto steps = static_cast<std::uint32_t>(std::abs(k));
    Fixed r = add(fixedOf(x, bits),
                  k < 0 ? multiplySmall(h.value, steps) : negate(multiplySmall(h.value, steps)));
    const unsigned quadrant = (static_cast<unsigned>(static_cast<long>(k)) + quarterTurns) & 3U;
    Bounded s = series(r, quadrant % 2 == 0 ? 1 : 0, bits);
    s.error += steps * h.error; // sin and cos move no more than their argument
    if (quadrant >= 2) {
        s.value = negate(s.value);
    }
    return s;
}

} // namespace

double exactSine(double x, unsigned quarterTurns) {
    // Below 2^-26, sin x lies within x^3/6 < 2^-54 |x| of x, and below 2^-27
    // cos x within x^2/2 < 2^-55 of 1: nearer than half the gap to the next
    // double, so those are the nearest doubles.
    if (quarterTurns == 0 && std::abs(x) < 0x1p-26) {
        return x;
    }
    if (quarterTurns == 1 && std::abs(x) < 0x1p-27) {
        return 1;
    }
    // From 2^-27 on, x is a whole multiple of 2^-80, and so of 2^-bits.
    for (int bits = 192;; bits *= 2) {
        const Bounded s = sineAt(x, quarterTurns, bits);
        Fixed error{
            false,
            {static_cast<std::uint32_t>(s.error), static_cast<std::uint32_t>(s.error >> 32)}};
        trim(error.limbs);
        const double below = nearestDouble(add(s.value, negate(error)), bits);
        const double above = nearestDouble(add(s.value, error), bits);
        if (below == above) {
            return below;
        }
    }
}

} // namespace wavywall
