// The correctly rounded sine and cosine. The literal values were worked out
// to 300 bits with an arbitrary-precision library and rounded to the nearest
// double; where GCC offers quad precision, a wide sample is also checked
// against libquadmath's sinq and cosq rounded to double.
#include "model/trigonometry.h"
#include "tests/core/check.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <random>
#include <sstream>

#ifdef WAVYWALL_QUADMATH_ORACLE
#include <quadmath.h>
#endif

using namespace wavywall;

namespace {

std::string hex(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// The first six are the plots' own arguments (2 pi x for x = 0.42, 0.60,
// 1.10, 1.42, 1.62, 1.84) where glibc's and musl's sin or cos part in the
// last bit; then the doubles nearest multiples of pi/2, where the reduction
// cancels all but the last bits, a tiny and a large argument, and the limit
// of the exact reduction.
void literalValues() {
    const struct {
        double x;
        double sine;
        double cosine;
    } rows[] = {
        {0x1.51c8b6fbe6351p+1, 0x1.ed50d5cbfa957p-2, -0x1.c0ab44e81c057p-1},
        {0x1.e28c731eb6950p+1, -0x1.2cf2304755a5dp-1, -0x1.9e3779b97f4a9p-1},
        {0x1.ba5614317cb35p+2, 0x1.2cf2304755a62p-1, 0x1.9e3779b97f4a4p-1},
        {0x1.1d8208611af60p+3, 0x1.ed50d5cbfa962p-2, -0x1.c0ab44e81c054p-1},
        {0x1.45b8674e54d7dp+3, -0x1.5e7cf55112018p-1, -0x1.753b603d2b812p-1},
        {0x1.71f4362014835p+3, -0x1.b04bbff642e86p-1, 0x1.1257e3c182b50p-1},
        {0x1.921fb54442d18p+0, 1, 0x1.1a62633145c07p-54},
        {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -1},
        {-0x1.921fb54442d18p+2, 0x1.1a62633145c07p-52, 1},
        {0x1.921fb54442d18p+3, -0x1.1a62633145c07p-51, 1},
        {0x1.56e1fc2f8f359p-997, 0x1.56e1fc2f8f359p-997, 1},
        {3, 0x1.210386db6d55bp-3, -0x1.fae04be85e5d2p-1},
        {3e4, -0x1.9af6f6fce6470p-1, -0x1.315f3639820d8p-1},
        {0x1.921fb544p+15, -0x1.0b4611a62570ep-19, 0x1.fffffffffba3dp-1},
    };
    for (const auto &row : rows) {
        CHECK_ROW(correctlyRoundedSin(row.x) == row.sine, hex(row.x));
        CHECK_ROW(correctlyRoundedCos(row.x) == row.cosine, hex(row.x));
    }
    CHECK(std::signbit(correctlyRoundedSin(-0.0)));
    CHECK(correctlyRoundedCos(-0.0) == 1);
    CHECK(std::isnan(correctlyRoundedSin(INFINITY)) && std::isnan(correctlyRoundedCos(NAN)));
}

// The hardest-to-round arguments (tests/core/data/trig-hard.txt, written with
// its mpmath results by tools/trig_hard_cases.py): each must come out exact.
void hardCases() {
    std::ifstream lines(WAVYWALL_TRIG_HARD_CASES);
    int rows = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string function, argument, expected;
        if (line.starts_with('#') || !(fields >> function >> argument >> expected)) {
            continue;
        }
        const double x = std::strtod(argument.c_str(), nullptr);
        const double result = function == "s" ? correctlyRoundedSin(x) : correctlyRoundedCos(x);
        CHECK_ROW(result == std::strtod(expected.c_str(), nullptr), function + " " + argument);
        ++rows;
    }
    CHECK(rows == 76182);
}

#ifdef WAVYWALL_QUADMATH_ORACLE
// The quad-precision value rounded to double, or NaN where it lies so near a
// midpoint between two doubles that its own error could decide the rounding.
double nearestDouble(__float128 exact) {
    const __float128 margin = 0x1p-100;
    const double below = static_cast<double>(exact * (1 - margin));
    const double above = static_cast<double>(exact * (1 + margin));
    return below == above ? below : NAN;
}

// Arguments spread over [-8 pi, 8 pi], and as many within 2^-20 of a
// multiple of pi/2, where the reduction cancels most.
void agreesWithQuadPrecision() {
    constexpr double pi = std::numbers::pi;
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> spread(-8 * pi, 8 * pi);
    std::uniform_int_distribution<int> quadrant(-16, 16);
    std::uniform_real_distribution<double> offset(-0x1p-20, 0x1p-20);
    int compared = 0;
    int wrong = 0;
    for (int n = 0; n < 200000; ++n) {
        const double x = n % 2 ? spread(random) : quadrant(random) * (pi / 2) + offset(random);
        const double sine = nearestDouble(sinq(x));
        const double cosine = nearestDouble(cosq(x));
        compared += !std::isnan(sine) + !std::isnan(cosine);
        wrong += (!std::isnan(sine) && correctlyRoundedSin(x) != sine) +
                 (!std::isnan(cosine) && correctlyRoundedCos(x) != cosine);
    }
    CHECK(compared > 399000);
    CHECK(wrong == 0);
}
#endif

} // namespace

int main() {
    static const check::Case cases[] = {
        {"literalValues", literalValues},
        {"hardCases", hardCases},
#ifdef WAVYWALL_QUADMATH_ORACLE
        {"agreesWithQuadPrecision", agreesWithQuadPrecision},
#endif
    };
    return check::runAll(cases);
}
