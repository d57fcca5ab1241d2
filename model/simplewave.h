// The real flow beside the linear one: the exact isentropic simple wave over
// the wavy wall, its characteristics and the shock they form. Above Mach one
// every wall point turns the flow by its local angle theta(x) = atan(dy_w/dx),
// positive where the wall rises (a compression); the state on the wall is
// fixed by the Prandtl-Meyer function, nu(M_w) = nu(Moo) - theta(x), and it
// is carried unchanged along the straight characteristic that leaves the wall
// point at the angle theta + mu(M_w), mu = asin(1/M_w) (Anderson, Modern
// Compressible Flow, 3rd ed., eq. 4.44 for nu(M) and ch. 11 for the method of
// characteristics; Liepmann & Roshko, Elements of Gasdynamics, ch. 4 and 12).
// Where the characteristics of a concave flank converge they form an
// envelope; its cusp, the first point where neighbouring characteristics
// meet, is where a shock forms (Shapiro, The Dynamics and Thermodynamics of
// Compressible Fluid Flow, vol. 1, ch. 15). Where nu(Moo) - theta(x) <= 0 the
// compression would slow the flow to sound speed: there is no simple wave,
// and no value.
//
// The layer neglects what the shock does once it has formed: the waves it
// reflects and the entropy it raises, both third order in theta. It is the
// real flow up to the shock, not beyond it.
//
// The Mach numbers are carried as b = sqrt(M^2 - 1), as the flow state
// carries Beta, so that nu, mu and the characteristics' slopes need only the
// square root and the arctangent; the arctangent is the core's own
// (sameBitsAtan, model/trigonometry.h), since the C libraries' part in the
// last bit now and then and Halley's steps would carry that into the result
// (docs/design.md). basit_dalga_çiz is Turkish for "draw the simple wave".
#pragma once

#include "canvas/canvas.h"
#include "model/flowplot.h"
#include "model/flowstate.h"

#include <array>
#include <optional>

namespace wavywall {

/// The Prandtl-Meyer function of b = sqrt(M^2 - 1) >= 0, in radians.
double prandtlMeyerOfBeta(double b);

/// The b >= 0 whose Prandtl-Meyer angle is nu >= 0: Halley's method on nu(b)
/// from start, kept inside a bracket of the root (a step that would leave it
/// halves the bracket instead), until a step is below 2^-20 of b, after
/// which the cubic convergence leaves a few ulps of the root.
double betaOfPrandtlMeyer(double nu, double start);

/// The state on the wall at x where a simple wave exists there.
struct WallState {
    /// sqrt(M_w^2 - 1) and the local Mach number M_w.
    double b;
    double M;
    /// The wall's slope dy_w/dx and the turning theta = atan of it.
    double slope;
    double theta;
    /// The exact isentropic pressure coefficient.
    double Cp;
};

/// True for a flow that can carry a simple wave: supersonic, off Mach one.
bool hasSimpleWave(const FlowState &flow);

/// The wall state at x, empty where nu(Moo) - theta(x) <= 0 or the flow
/// carries no simple wave.
std::optional<WallState> simpleWaveAt(const FlowState &flow, double x);

/// The exact Cp at the pressure plot's abscissae, i = 0..N; empty where
/// there is no value.
struct ExactTables {
    std::array<double, maxIntervals + 1> Xw;
    std::array<std::optional<double>, maxIntervals + 1> Cp;
};
ExactTables exactTables(const FlowState &flow);

/// The characteristics from the Mach lines' nine wall points, in flow
/// coordinates from the wall up to y = 2; empty where a point has no simple
/// wave.
std::array<std::optional<MachLine>, machLineCount> exactCharacteristics(const FlowState &flow);

/// Where the first wavelength's characteristics form the shock: the cusp of
/// their envelope, x from x = 0 (the first crest) and y from the wall's mean
/// line; atWall where the simple wave reaches sound speed on the wall, which
/// puts the shock on the wall at the steepest point. Empty for a flat wall or
/// a flow without a simple wave. For a small amplitude the weakly non-linear
/// theory (Whitham, Linear and Nonlinear Waves) estimates the height above
/// the trough as y_s ~ Beta^2 L / (2 pi^2 (gamma + 1) Moo^4 H/L); that is an
/// estimate only, near the cusp computed here for small H/L (0.388 above
/// the trough against 0.396 at Moo 2, H/L 0.01).
struct ShockPoint {
    double x;
    double y;
    bool atWall;
};
std::optional<ShockPoint> shockPoint(const FlowState &flow);

/// Clears both layers, sets the plots' scales and, for a flow with a simple
/// wave, draws into the flow layer the characteristics and a cross at the
/// shock point, into the pressure layer the exact Cp in segments between
/// points that both have a value, all in teal.
void basit_dalga_çiz(const FlowState &flow, Canvas &flowLayer, Canvas &pressureLayer);

} // namespace wavywall
