#include "model/trigonometry.h"

#include "model/exactsine.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

// Double-double arithmetic: a value carried as the unevaluated sum of two
// doubles, some 106 bits. Error-free transformations after Knuth (two-sum)
// and Dekker (split and product, no fused multiply-add: the build turns
// contraction off so that every product here is rounded once, as written);
// J.-M. Muller et al., Handbook of Floating-Point Arithmetic, 2nd ed., ch. 4
// and 14. The argument is reduced by Cody and Waite's method with pi/2 in
// five parts (W. J. Cody, W. Waite, Software Manual for the Elementary
// Functions, 1980), and the reduced sine and cosine are their Taylor series.
// A fast sum, then a double-double one, each returned only where its proven
// error cannot move the rounding (Ziv's strategy); the rare argument whose
// sine lies nearer still to a midpoint between two doubles goes to an exact
// integer evaluation (model/exactsine.h). So every result is the nearest
// double, and tests/core/tst_trigonometry.cpp holds that against the known
// hardest-to-round arguments.

namespace wavywall {

namespace {

struct DoubleDouble {
    double hi;
    double lo;
};

constexpr DoubleDouble twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Needs |a| >= |b| or a == 0.
constexpr DoubleDouble fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

constexpr DoubleDouble split(double a) {
    constexpr double splitter = 134217729.0; // 2^27 + 1
    const double c = splitter * a;
    const double hi = c - (c - a);
    return {hi, a - hi};
}

constexpr DoubleDouble twoProduct(double a, double b) {
    const double p = a * b;
    const DoubleDouble x = split(a);
    const DoubleDouble y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

constexpr DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    s = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(s.hi, s.lo + t.lo);
}

// A double-double plus a double, with a relative error of at most 2^-105
// (Joldes, Muller and Popescu, ACM TOMS 44, 2017, algorithm 4).
constexpr DoubleDouble addDouble(DoubleDouble a, double b) {
    const DoubleDouble s = twoSum(a.hi, b);
    return fastTwoSum(s.hi, s.lo + a.lo);
}

constexpr DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr DoubleDouble divide(DoubleDouble a, double b) {
    const double q = a.hi / b;
    const DoubleDouble p = twoProduct(q, b);
    const double remainder = ((a.hi - p.hi) - p.lo) + a.lo;
    return fastTwoSum(q, remainder / b);
}

// The Taylor coefficients (-1)^n / (2n + first)!, n = 1, 2, ..., kept to
// 106 bits: first = 1 gives the sine's, first = 0 the cosine's.
template <int count> constexpr auto taylorCoefficients(int first) {
    struct Table {
        DoubleDouble c[count];
    } table{};
    DoubleDouble c{1, 0};
    for (int n = 1; n <= count; ++n) {
        c = divide(c, -(2 * n + first - 1) * (2 * n + first));
        table.c[n - 1] = c;
    }
    return table;
}

// |r| <= pi/4, z = r^2 <= 0.62: fourteen terms leave a remainder below
// 2^-110. The terms past the first seven (sine) or eight (cosine) are below
// 2^-52 of the result, so plain doubles carry them with an error below
// 2^-104. (The reduction leaves |r| <= pi/64, where the series is the same
// only more than exact enough; the table's octant needs pi/4.)
constexpr int taylorTerms = 14;
constexpr auto sineCoefficients = taylorCoefficients<taylorTerms>(1);
constexpr auto cosineCoefficients = taylorCoefficients<taylorTerms>(0);

// c[0] + z c[1] + ... + z^(terms-1) c[terms-1], the first `exact` of them in
// double-double.
constexpr DoubleDouble series(const DoubleDouble (&c)[taylorTerms], DoubleDouble z, int exact) {
    double tail = c[taylorTerms - 1].hi;
    for (int n = taylorTerms - 2; n >= exact; --n) {
        tail = c[n].hi + z.hi * tail;
    }
    DoubleDouble sum{tail, 0};
    for (int n = exact - 1; n >= 0; --n) {
        sum = add(c[n], multiply(z, sum));
    }
    return sum;
}

// sin r = r + r z (-1/3! + z/5! - ...)
constexpr DoubleDouble seriesSine(DoubleDouble r, DoubleDouble z) {
    return add(r, multiply(multiply(r, z), series(sineCoefficients.c, z, 7)));
}

// cos r = 1 + z (-1/2! + z/4! - ...)
constexpr DoubleDouble seriesCosine(DoubleDouble z) {
    return add({1, 0}, multiply(z, series(cosineCoefficients.c, z, 8)));
}

// pi/2 in five parts: the first four have 33 significant bits, so that k
// times each sixteenth is exact for |k| < 2^20; the last carries the rest to
// 2^-197.
constexpr double halfPi[] = {0x1.921fb544p+0, 0x1.0b4611a6p-34, 0x1.3198a2ep-69, 0x1.b839a252p-104,
                             0x1.27044533e63a0p-142};
constexpr double step = 0x1p-4;                         // pi/32 = pi/2 times this
constexpr double stepsPerRadian = 0x1.45f306dc9c883p+3; // 32/pi
constexpr double reductionLimit = 0x1.921fb544p+15;     // 2^19 pi/32

constexpr DoubleDouble piOver32() {
    DoubleDouble p = twoSum(halfPi[0] * step, halfPi[1] * step);
    p = add(p, {halfPi[2] * step, 0});
    return add(p, {halfPi[3] * step, 0});
}

// sin(j pi/32) for j = 0 ... 63, from the series at the first eighth of a
// turn and the symmetries of the circle beyond it.
struct SineTable {
    DoubleDouble sine[64];
};

constexpr SineTable sineTable() {
    SineTable table{};
    DoubleDouble firstOctant[9][2]{}; // sin and cos of m pi/32, m <= 8
    for (int m = 0; m <= 8; ++m) {
        const DoubleDouble a = multiply(piOver32(), {static_cast<double>(m), 0});
        const DoubleDouble z = multiply(a, a);
        firstOctant[m][0] = seriesSine(a, z);
        firstOctant[m][1] = seriesCosine(z);
    }
    for (int m = 0; m < 16; ++m) {
        const DoubleDouble s = m <= 8 ? firstOctant[m][0] : firstOctant[16 - m][1];
        const DoubleDouble c = m <= 8 ? firstOctant[m][1] : firstOctant[16 - m][0];
        table.sine[m] = s;
        table.sine[m + 16] = c;
        table.sine[m + 32] = {-s.hi, -s.lo};
        table.sine[m + 48] = {-c.hi, -c.lo};
    }
    return table;
}

constexpr SineTable table = sineTable();

// x = k pi/32 + r with |r| <= pi/64 (a little more where k rounds).
struct Reduced {
    DoubleDouble r;
    unsigned step; // k mod 64
};

Reduced reduce(double x) {
    // Adding and taking away 1.5 * 2^52 rounds to the nearest whole number.
    constexpr double rounder = 0x1.8p52;
    const double k = (x * stepsPerRadian + rounder) - rounder;
    DoubleDouble r = twoSum(x, -k * (halfPi[0] * step));
    for (int part = 1; part < 5; ++part) {
        r = addDouble(r, -k * (halfPi[part] * step));
    }
    return {r, static_cast<unsigned>(static_cast<long>(k)) & 63U};
}

// sin(a + r) = S + C r - S r^2/2 + [S (cos r - 1 + r^2/2) + C (sin r - r)],
// with S = sin a and C = cos a from the table. The bracket is below 2^-14 of
// the result (|r| <= pi/64), so plain doubles carry it; its two series and
// the sum's last additions leave an error below 2^-61 of the result. The sum
// is returned when that error cannot move its rounding (the rounding test of
// Ziv's strategy, as in CRlibm), which holds for all but about one argument
// in sixty.
std::optional<double> fastSine(DoubleDouble S, DoubleDouble C, DoubleDouble r) {
    const double z = r.hi * r.hi;
    const double sineTail =
        r.hi * z *
        (-1.0 / 6 + z * (1.0 / 120 + z * (-1.0 / 5040 + z * (1.0 / 362880 - z / 39916800))));
    const double cosineTail =
        z * z *
        (1.0 / 24 + z * (-1.0 / 720 + z * (1.0 / 40320 + z * (-1.0 / 3628800 + z / 479001600))));
    const DoubleDouble square = multiply(r, r);
    const DoubleDouble a = multiply(C, r);
    const DoubleDouble b = multiply(S, {-square.hi / 2, -square.lo / 2});
    const DoubleDouble s1 = twoSum(S.hi, a.hi);
    const DoubleDouble s2 = twoSum(s1.hi, b.hi);
    const double small = S.hi * cosineTail + C.hi * sineTail;
    const DoubleDouble sum = fastTwoSum(s2.hi, s1.lo + s2.lo + S.lo + a.lo + b.lo + small);
    constexpr double margin = 1 + 0x1p-6;
    if (sum.hi == sum.hi + sum.lo * margin) {
        return sum.hi;
    }
    return std::nullopt;
}

// Whether every value within `bound` of sum.hi + sum.lo (|sum.lo| at most
// half an ulp of sum.hi, as add leaves it) rounds to sum.hi: true when
// |sum.lo| + bound stays below half the smaller gap from sum.hi to its two
// neighbours, which is an ulp, or half of one below a power of two. The gap
// is read from the bits (exact, and no call on the fast path's way); the
// factor 1 + 2^-50 covers the two roundings of the left side.
bool roundsSurely(DoubleDouble sum, double bound) {
    constexpr std::uint64_t fractionBits = (std::uint64_t{1} << 52) - 1;
    const double magnitude = std::abs(sum.hi);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits); // std::bit_cast, which WebAssembly's library lacks
    const std::uint64_t exponent = bits >> 52;
    if (exponent <= 54 || exponent == 2047) {
        return false; // tiny, infinite or not a number: not met here
    }
    const std::uint64_t ulpBits = (exponent - 52) << 52;
    double ulp = 0;
    std::memcpy(&ulp, &ulpBits, sizeof ulp);
    const double smallerGap = (bits & fractionBits) == 0 ? ulp / 2 : ulp;
    return (std::abs(sum.lo) + bound) * (1 + 0x1p-50) < smallerGap / 2;
}

// The same sum with both series in double-double. The reduced argument is
// off by less than 2^-103 of itself plus 2^-155 (the partial sums of the
// reduction, each added with an error below 2^-105 of it, the first of them
// up to 2^-52 in size), the table's entries and the series by less than
// 2^-101, and each product and sum adds 2^-104; where the table's sine is
// not zero its two terms cancel by at most a factor 3.2 (sin(pi/32) against
// sin(pi/64)). That leaves an error below 2^-97 of the result plus 2^-150.
// The rounding test allows 2^-80 and 2^-140, so that it holds even if that
// estimate were off by a factor of a thousand; where it fails (about once
// in 2^26 calls of this step) the exact step decides.
std::optional<double> accurateSine(DoubleDouble S, DoubleDouble C, DoubleDouble r) {
    const DoubleDouble z = multiply(r, r);
    const DoubleDouble sum = add(multiply(S, seriesCosine(z)), multiply(C, seriesSine(r, z)));
    if (roundsSurely(sum, 0x1p-80 * std::abs(sum.hi) + 0x1p-140)) {
        return sum.hi;
    }
    return std::nullopt;
}

// Where the fast sum cannot decide: sin(x + q pi/2), with q = 0 for the sine
// and 1 for the cosine, x reduced to S, C and r as in sineOfStep. Kept out of
// line (GCC's and Clang's attributes; others ignore them) so that the fast
// path keeps no registers for it: 280 instructions a cosine against 297
// when the double-double step was inlined (docs/performance.md).
[[gnu::cold, gnu::noinline]] double slowSine(DoubleDouble S, DoubleDouble C, DoubleDouble r,
                                             double x, unsigned quarterTurns) {
    if (const std::optional<double> accurate = accurateSine(S, C, r)) {
        return *accurate;
    }
    return exactSine(x, quarterTurns);
}

double sineOfStep(Reduced reduced, double x, unsigned quarterTurns) {
    const DoubleDouble S = table.sine[reduced.step];
    const DoubleDouble C = table.sine[(reduced.step + 16) & 63U];
    if (const std::optional<double> fast = fastSine(S, C, reduced.r)) {
        return *fast;
    }
    return slowSine(S, C, reduced.r, x, quarterTurns);
}

} // namespace

double correctlyRoundedSin(double x) {
    if (x == 0) {
        return x; // keeps the sign of zero
    }
    if (!(std::abs(x) <= reductionLimit)) {
        return std::sin(x);
    }
    return sineOfStep(reduce(x), x, 0);
}

double correctlyRoundedCos(double x) {
    if (!(std::abs(x) <= reductionLimit)) {
        return std::cos(x);
    }
    // cos x = sin(x + pi/2), sixteen steps further round the circle.
    Reduced reduced = reduce(x);
    reduced.step = (reduced.step + 16) & 63U;
    return sineOfStep(reduced, x, 1);
}

double sameBitsAtan(double z) {
    if (std::isnan(z) || z == 0) {
        return z;
    }
    const bool negative = z < 0;
    double t = std::abs(z);
    // pi/2 in two parts, for atan z = pi/2 - atan(1/z).
    constexpr double halfPiHigh = 1.5707963267948966;
    constexpr double halfPiLow = 6.123233995736766e-17;
    const bool inverted = t > 1;
    if (inverted) {
        t = 1 / t;
    }
    for (int halving = 0; halving < 2; ++halving) {
        t = t / (1 + std::sqrt(1 + t * t));
    }
    // -1/3, 1/5, -1/7, ..., 1/25.
    constexpr double coefficients[] = {-1.0 / 3,  1.0 / 5,  -1.0 / 7,  1.0 / 9,
                                       -1.0 / 11, 1.0 / 13, -1.0 / 15, 1.0 / 17,
                                       -1.0 / 19, 1.0 / 21, -1.0 / 23, 1.0 / 25};
    const double t2 = t * t;
    double series = 0;
    for (int k = 11; k >= 0; --k) {
        series = coefficients[k] + t2 * series;
    }
    double angle = 4 * (t + t * t2 * series);
    if (inverted) {
        angle = (halfPiHigh - angle) + halfPiLow;
    }
    return negative ? -angle : angle;
}

} // namespace wavywall
