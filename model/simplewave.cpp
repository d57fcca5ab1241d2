#include "model/simplewave.h"

#include "model/pressureplot.h"
#include "model/trigonometry.h"
#include "model/validity.h"

#include <cmath>
#include <limits>

namespace wavywall {

namespace {

// (gamma + 1) / (gamma - 1), the constant of the Prandtl-Meyer function.
constexpr double pmK = (gammaAir + 1) / (gammaAir - 1);

// dnu/db = b^2 (1 - 1/k) / ((1 + b^2/k) (1 + b^2)).
double prandtlMeyerSlope(double b) {
    const double b2 = b * b;
    return b2 * (1 - 1 / pmK) / ((1 + b2 / pmK) * (1 + b2));
}

// The wall's slope dy_w/dx, written as the second order writes it.
double wallSlope(const FlowState &flow, double x) {
    return -2 * flow.Pi * flow.H / flow.L * correctlyRoundedSin(2 * flow.Pi / flow.L * x);
}

// The cotangent of the characteristic's angle theta + mu, from the slope
// tan(theta) and b = cot(mu): cot(theta + mu) = (b - slope) / (1 + b slope).
template <typename State> double characteristicCot(const State &w) {
    return (w.b - w.slope) / (1 + w.b * w.slope);
}

// The turning and b_w on the wall: nu(b_w) = nu(Beta) - theta, from the
// linear guess b_w = Beta - theta / nu'(Beta).
struct WallTurning {
    double slope;
    double theta;
    double b;
};
std::optional<WallTurning> wallTurning(const FlowState &flow, double x) {
    if (!hasSimpleWave(flow)) {
        return std::nullopt;
    }
    const double slope = wallSlope(flow, x);
    const double theta = sameBitsAtan(slope);
    const double target = prandtlMeyerOfBeta(flow.Beta) - theta;
    if (!(target > 0)) {
        return std::nullopt;
    }
    const double b = betaOfPrandtlMeyer(target, flow.Beta - theta / prandtlMeyerSlope(flow.Beta));
    return WallTurning{slope, theta, b};
}

// How far above the wall point x0 the envelope of the characteristics lies:
// at a fixed height the family x = x0 + (y - y_w(x0)) cot(phi(x0)) has
// dx/dx0 = 0 where y - y_w = (1 - slope cot phi) sin^2 phi / phi'. With
// nu(M_w) = nu(Moo) - theta, phi' = theta' (gamma + 1)/2 M_w^2 / (M_w^2 - 1)
// and theta' = y_w'' / (1 + slope^2). Empty where the characteristics do
// not converge (phi' <= 0) or there is no simple wave.
struct EnvelopePoint {
    double x;
    double y;
};
std::optional<EnvelopePoint> envelopeAt(const FlowState &flow, double x0) {
    const std::optional<WallTurning> w = wallTurning(flow, x0);
    if (!w) {
        return std::nullopt;
    }
    const double k = 2 * flow.Pi / flow.L;
    const double curvature = -flow.H * k * k * correctlyRoundedCos(k * x0);
    const double thetaRate = curvature / (1 + w->slope * w->slope);
    const double phiRate = thetaRate * (gammaAir + 1) / 2 * (1 + w->b * w->b) / (w->b * w->b);
    if (!(phiRate > 0)) {
        return std::nullopt;
    }
    const double c = characteristicCot(*w);
    const double above = (1 - w->slope * c) / ((1 + c * c) * phiRate);
    const double y0 = flow.H * correctlyRoundedCos(k * x0);
    return EnvelopePoint{x0 + above * c, y0 + above};
}

double envelopeHeight(const FlowState &flow, double x0) {
    const std::optional<EnvelopePoint> p = envelopeAt(flow, x0);
    return p ? p->y : std::numeric_limits<double>::infinity();
}

constexpr float markerSize = 0.04f;

} // namespace

double prandtlMeyerOfBeta(double b) {
    return std::sqrt(pmK) * sameBitsAtan(b / std::sqrt(pmK)) - sameBitsAtan(b);
}

// Halley's steps, b - 2 f f' / (2 f'^2 - f f'') with f = nu(b) - nu, whose
// error shrinks as its cube: once a step is below 2^-20 of b the next error
// lies near the rounding of nu, and the iteration ends. A step that would
// leave the bracket of the root halves the bracket instead.
double betaOfPrandtlMeyer(double nu, double start) {
    if (!(nu > 0)) {
        return 0;
    }
    double lo = 0;
    double hi = std::numeric_limits<double>::infinity();
    double b = start > 0 ? start : 1;
    for (int step = 0; step < 200; ++step) {
        const double f = prandtlMeyerOfBeta(b) - nu;
        if (f == 0) {
            return b;
        }
        (f < 0 ? lo : hi) = b;
        const double slope = prandtlMeyerSlope(b);
        const double b2 = b * b;
        const double curvature = slope * (2 / b - 2 * b / (pmK + b2) - 2 * b / (1 + b2));
        double next = b - 2 * f * slope / (2 * slope * slope - f * curvature);
        if (!(next > lo && next < hi)) {
            next = std::isinf(hi) ? 2 * b : (lo + hi) / 2;
        }
        const bool settled = std::abs(next - b) <= 0x1p-20 * next;
        b = next;
        if (settled) {
            break;
        }
    }
    return b;
}

bool hasSimpleWave(const FlowState &flow) {
    return !isSubsonic(flow) && flow.Beta != 0;
}

// Then M_w^2 = 1 + b_w^2 and the isentropic
// Cp = 2/(gamma Moo^2) [((1 + (gamma-1)/2 Moo^2) / (1 + (gamma-1)/2 M_w^2))
// ^(gamma/(gamma-1)) - 1] (Anderson, Modern Compressible Flow, eq. 3.30 and
// 4.44).
std::optional<WallState> simpleWaveAt(const FlowState &flow, double x) {
    const std::optional<WallTurning> w = wallTurning(flow, x);
    if (!w) {
        return std::nullopt;
    }
    const double Moo2 = 1 + flow.Beta * flow.Beta;
    const double M2 = 1 + w->b * w->b;
    const double half = (gammaAir - 1) / 2;
    const double ratio = (1 + half * Moo2) / (1 + half * M2);
    const double Cp = 2 / (gammaAir * Moo2) * (std::pow(ratio, gammaAir / (gammaAir - 1)) - 1);
    return WallState{w->b, std::sqrt(M2), w->slope, w->theta, Cp};
}

ExactTables exactTables(const FlowState &flow) {
    requireDrawable(flow, "exactTables");
    ExactTables t;
    // The wall repeats every wavelength: with an even N the second takes the
    // first's values.
    const int wavelength = flow.N % 2 == 0 ? flow.N / 2 : flow.N + 1;
    for (int i = 0; i <= flow.N; ++i) {
        t.Xw[i] = static_cast<double>(i) / flow.N * 2 * flow.L;
        if (i >= wavelength) {
            t.Cp[i] = t.Cp[i - wavelength];
            continue;
        }
        const std::optional<WallState> w = simpleWaveAt(flow, t.Xw[i]);
        t.Cp[i] = w ? std::optional<double>(w->Cp) : std::nullopt;
    }
    return t;
}

std::array<std::optional<MachLine>, machLineCount> exactCharacteristics(const FlowState &flow) {
    std::array<std::optional<MachLine>, machLineCount> lines{};
    for (int k = 0; k < machLineCount; ++k) {
        const double x0 = k * 0.25 * flow.L;
        const std::optional<WallState> w = simpleWaveAt(flow, x0);
        if (!w) {
            continue;
        }
        const double y0 = flow.H * correctlyRoundedCos(flow.TwoPi / flow.L * x0);
        const double y1 = 2;
        lines[k] = MachLine{x0, y0, x0 + (y1 - y0) * characteristicCot(*w), y1};
    }
    return lines;
}

// The cusp is the lowest point of the envelope over the first wavelength's
// concave flank, a quarter wavelength either side of the trough: 15 points
// find its neighbourhood, a golden-section search of 20 steps narrows it to
// some 4e-6 L. The cusp is where the envelope's point stands still as x0
// moves, so its x and y are then off by the square of that. Where the envelope of a steep wall
// reaches down to the wall itself, the characteristics meet on the wall: the shock starts there.
std::optional<ShockPoint> shockPoint(const FlowState &flow) {
    if (!hasSimpleWave(flow) || flow.H == 0) {
        return std::nullopt;
    }
    const double L = flow.L;
    const double steepest = flow.H > 0 ? 0.75 * L : 0.25 * L;
    if (!simpleWaveAt(flow, steepest)) {
        return ShockPoint{steepest, 0, true};
    }
    const double trough = flow.H > 0 ? 0.5 * L : L;
    constexpr int samples = 16;
    const double from = trough - 0.25 * L;
    const double step = 0.5 * L / samples;
    int best = 1;
    double lowest = std::numeric_limits<double>::infinity();
    for (int j = 1; j < samples; ++j) {
        const std::optional<EnvelopePoint> p = envelopeAt(flow, from + j * step);
        if (!p) {
            continue;
        }
        const double wall = flow.H * correctlyRoundedCos(flow.TwoPi / L * p->x);
        if (!(p->y > wall)) {
            return ShockPoint{p->x, wall, true};
        }
        if (p->y < lowest) {
            lowest = p->y;
            best = j;
        }
    }
    double a = from + (best - 1) * step;
    double d = from + (best + 1) * step;
    const double golden = 0.6180339887498949;
    double b = d - golden * (d - a);
    double c = a + golden * (d - a);
    double yb = envelopeHeight(flow, b);
    double yc = envelopeHeight(flow, c);
    for (int i = 0; i < 20; ++i) {
        if (yb < yc) {
            d = c;
            c = b;
            yc = yb;
            b = d - golden * (d - a);
            yb = envelopeHeight(flow, b);
        } else {
            a = b;
            b = c;
            yb = yc;
            c = a + golden * (d - a);
            yc = envelopeHeight(flow, c);
        }
    }
    const std::optional<EnvelopePoint> cusp = envelopeAt(flow, (a + d) / 2);
    if (!cusp) {
        return std::nullopt;
    }
    return ShockPoint{cusp->x, cusp->y, false};
}

void basit_dalga_çiz(const FlowState &flow, Canvas &flowLayer, Canvas &pressureLayer) {
    requireDrawable(flow, "basit_dalga_çiz");
    flowLayer.Cls();
    setScale(flowLayer, flowScale);
    pressureLayer.Cls();
    setScale(pressureLayer, pressureScale);
    if (!hasSimpleWave(flow)) {
        return;
    }
    for (const std::optional<MachLine> &m : exactCharacteristics(flow)) {
        if (m) {
            flowLayer.Line(toSingle(m->x0), toSingle(-m->y0), toSingle(m->x1), toSingle(-m->y1),
                           colours::teal);
        }
    }
    if (const std::optional<ShockPoint> s = shockPoint(flow)) {
        const float x = toSingle(s->x);
        const float y = toSingle(-s->y);
        flowLayer.Line(x - markerSize, y - markerSize, x + markerSize, y + markerSize,
                       colours::teal);
        flowLayer.Line(x - markerSize, y + markerSize, x + markerSize, y - markerSize,
                       colours::teal);
    }
    const ExactTables t = exactTables(flow);
    for (int i = 1; i <= flow.N; ++i) {
        if (t.Cp[i - 1] && t.Cp[i]) {
            pressureLayer.Line(toSingle(t.Xw[i - 1]), toSingle(-*t.Cp[i - 1]), toSingle(t.Xw[i]),
                               toSingle(-*t.Cp[i]), colours::teal);
        }
    }
}

} // namespace wavywall
