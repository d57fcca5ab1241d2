#include "model/validity.h"

#include <cmath>

namespace wavywall {

namespace {

constexpr double pi = 3.141592653589793;

// Supersonic: sonic where the steepest turning reaches the Prandtl-Meyer
// angle, otherwise judged by the second-order share.
void assessSupersonic(Validity &v) {
    const double M = std::abs(v.Moo);
    v.beta = std::sqrt(std::pow(M, 2) - 1);
    v.nu = prandtlMeyer(M);
    const Busemann b = busemann(v.beta);
    v.C1 = b.C1;
    v.C2 = b.C2;
    v.r = v.C2 * v.thetaMax / v.C1;
    v.cd = 4 * pi * pi * v.HbL * v.HbL / v.beta;
    v.mu = v.beta == 0 ? pi / 2 : std::atan(1 / v.beta);
    v.cpMin = v.beta == 0 ? 0 : -4 * pi * std::abs(v.HbL) / v.beta;
    v.cpVacuum = -2 / (gammaAir * std::pow(M, 2));
    v.verdict = v.thetaMax >= v.nu ? Verdict::sonic : shareBand(v.r);
    if (v.beta != 0 && v.cpMin < v.cpVacuum) {
        v.limit = Limit::vacuum;
    }
}

// Subsonic: Cp = -4 pi (H/L) cos(2 pi x / L) / beta' is smallest over the
// crests (the troughs for a negative H/L) and largest over the troughs;
// there is no wave drag. The stagnation pressure bounds every real Cp from
// above: Cp0 = 2/(gamma M^2) [(1 + (gamma-1)/2 M^2)^(gamma/(gamma-1)) - 1]
// (Anderson, Modern Compressible Flow, eq. 3.30 with M = 0 at the wall).
void assessSubsonic(Validity &v) {
    v.beta = std::sqrt(1 - std::pow(v.Moo, 2));
    v.cpMin = -4 * pi * std::abs(v.HbL) / v.beta;
    v.cpMax = -v.cpMin;
    v.cpStar = criticalCp(v.Moo);
    const double m2 = std::pow(v.Moo, 2);
    v.cpStagnation = 2 / (gammaAir * m2) *
                     (std::pow(1 + (gammaAir - 1) / 2 * m2, gammaAir / (gammaAir - 1)) - 1);
    v.verdict = v.cpMin <= v.cpStar ? Verdict::sonic : Verdict::subcritical;
    v.r = pi * std::abs(v.HbL);
    v.band = shareBand(v.r);
    if (v.cpMax > v.cpStagnation) {
        v.limit = Limit::stagnation;
    }
}

} // namespace

Verdict shareBand(double r) {
    return r <= goodShare ? Verdict::good : r <= roughShare ? Verdict::rough : Verdict::poor;
}

double prandtlMeyer(double M) {
    const double k = (gammaAir + 1) / (gammaAir - 1);
    const double m2 = std::pow(M, 2) - 1;
    return std::sqrt(k) * std::atan(std::sqrt(m2 / k)) - std::atan(std::sqrt(m2));
}

double criticalCp(double Moo) {
    const double m2 = std::pow(Moo, 2);
    const double ratio = (2 + (gammaAir - 1) * m2) / (gammaAir + 1);
    return 2 / (gammaAir * m2) * (std::pow(ratio, gammaAir / (gammaAir - 1)) - 1);
}

// C2 = ((gamma + 1) Moo^4 - 4 Beta^2) / (2 Beta^4), written with q = 1/Beta^2
// and Moo^2 / Beta^2 = 1 + q, which neither overflows for a large Beta nor
// loses anything for a small one.
Busemann busemann(double Beta) {
    const double q = 1 / (Beta * Beta);
    return {2 / Beta, ((gammaAir + 1) * (1 + q) * (1 + q) - 4 * q) / 2};
}

Validity assessValidity(double Moo, double HbL) {
    Validity v;
    v.Moo = Moo;
    v.HbL = HbL;
    v.supersonic = std::abs(Moo) >= 1;
    v.thetaMax = std::atan(2 * pi * std::abs(HbL));
    if (v.supersonic) {
        assessSupersonic(v);
    } else {
        assessSubsonic(v);
    }
    return v;
}

} // namespace wavywall
