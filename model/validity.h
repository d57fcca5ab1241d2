// Where small-perturbation theory holds for the inputs of one recalculation.
// Above Mach one the wall turns the flow by its local angle; where the
// steepest angle reaches the Prandtl-Meyer angle of the free stream the
// compression on the rising face reaches sonic speed, and the linear picture
// is not even qualitatively right. Short of that, Busemann's second-order
// term measures how far the linear Cp is off. Below Mach one the smallest Cp,
// over each crest, is held against the critical Cp at which the flow there
// reaches sonic speed. Sources: Liepmann & Roshko, Elements of Gasdynamics
// (the Prandtl-Meyer function, the second-order theory of supersonic flow
// past a thin profile, the critical pressure coefficient); the subsonic wavy
// wall is the classical Ackeret/Prandtl-Glauert result (Liepmann & Roshko
// section 8; Anderson, Modern Compressible Flow). docs/manual.md gives the
// formulas.
#pragma once

namespace wavywall {

/// Ratio of the specific heats of air.
inline constexpr double gammaAir = 1.4;

/// The second-order share r at the steepest point up to which linear theory
/// is good, and up to which it is rough.
inline constexpr double goodShare = 0.1;
inline constexpr double roughShare = 0.3;

/// A bound that linear Cp crosses, which no real flow can: above Mach one a
/// smallest Cp below -2/(gamma Moo^2), a negative absolute pressure; below it
/// a largest Cp above the stagnation pressure's.
enum class Limit { none, vacuum, stagnation };

enum class Verdict {
    good,        ///< supersonic, r <= 0.1
    rough,       ///< supersonic, r <= 0.3
    poor,        ///< supersonic, r beyond 0.3
    sonic,       ///< the flow reaches sonic speed: linear theory does not hold
    subcritical, ///< subsonic, the smallest Cp stays above the critical Cp
};

/// The second-order share r up to which linear theory is good, rough or
/// poor: r is about the fractional error of the linear Cp at the steepest
/// point.
Verdict shareBand(double r);

struct Validity {
    double Moo = 0;
    double HbL = 0;
    bool supersonic = false;
    /// sqrt(Moo^2 - 1) above Mach one, sqrt(1 - Moo^2) below.
    double beta = 0;
    /// The steepest wall angle, atan(2 pi |H/L|), in radians.
    double thetaMax = 0;
    /// Supersonic: the Prandtl-Meyer angle of the free stream (radians),
    /// Busemann's coefficients, the second-order share at the steepest point
    /// and the wave drag coefficient per wavelength.
    double nu = 0;
    /// Supersonic off Mach one: the free stream's Mach angle atan(1/beta).
    double mu = 0;
    double C1 = 0;
    double C2 = 0;
    double r = 0;
    double cd = 0;
    /// The smallest linear Cp of the wall; below Mach one also its largest,
    /// the critical Cp and the stagnation pressure's Cp.
    double cpMin = 0;
    double cpMax = 0;
    double cpStar = 0;
    double cpStagnation = 0;
    /// Above Mach one: -2/(gamma Moo^2), the Cp of a vacuum.
    double cpVacuum = 0;
    /// Above Mach one good, rough, poor or sonic; below it subcritical or
    /// sonic, by the critical Cp.
    Verdict verdict = Verdict::sonic;
    /// Below Mach one, subcritical: the second-order share's band (the
    /// incompressible second order gives Cp = -+2kH - (kH)^2 at crest and
    /// trough, k = 2 pi / L, a share r = pi H/L).
    Verdict band = Verdict::good;
    /// A bound the linear Cp crosses; it overrides the verdict.
    Limit limit = Limit::none;
};

/// The Prandtl-Meyer function nu(M) of a Mach number M >= 1, in radians.
double prandtlMeyer(double M);

/// The critical pressure coefficient Cp* of a free-stream Mach number below
/// one: where Cp falls to it, the flow reaches sonic speed.
double criticalCp(double Moo);

struct Busemann {
    double C1;
    double C2;
};

/// Busemann's coefficients of Cp2 = C1 theta + C2 theta^2, from Beta alone
/// (Moo^2 = 1 + Beta^2), so that they stay finite for every Beta a plot can
/// draw from.
Busemann busemann(double Beta);

/// The quantities and the verdict for a Mach number other than 0 (below,
/// at or above one) and a height ratio, both finite.
Validity assessValidity(double Moo, double HbL);

} // namespace wavywall
