// The exact simple wave: the Prandtl-Meyer inversion, the wall's Mach number
// and Cp, the gaps where the flow would reach sound speed, and the shock
// point. Expected values are the references and values worked out
// apart from the program (gamma = 1.4, L = 1): nu inverted by bisection, mu
// as asin(1/M_w), and the cusp as the lowest crossing of neighbouring
// characteristics, with no derivative of the program's; a steep wall whose
// envelope reaches down to the wall has its shock there.
#include "model/simplewave.h"
#include "model/trigonometry.h"
#include "tests/core/check.h"
#include "tests/support/recordingcanvas.h"

#include <cmath>
#include <optional>
#include <string>

using namespace wavywall;

namespace {

FlowState supersonic(double Moo, double HbL) {
    FlowState flow;
    flow.Pi = std::atan(1.0) * 4;
    flow.TwoPi = 2 * flow.Pi;
    flow.L = 1;
    flow.N = 100;
    flow.Beta = std::sqrt(std::pow(Moo, 2) - 1);
    flow.H = HbL;
    return flow;
}

// The core's own arctangent, within 4 units in the last place of the C
// library's (which is within one of the exact value).
void ownArctangent() {
    for (const double z : {1e-300, 1e-8, 0.0985, 0.3, -0.5, 1.0, 1.7320508075688772, 40.0, 1e12}) {
        const double a = sameBitsAtan(z);
        CHECK_ROW(std::abs(a - std::atan(z)) <= 4 * std::abs(std::nextafter(a, 0.0) - a),
                  std::to_string(z));
    }
}

void inversionReturnsTheAngle() {
    for (const double b : {0.01, 0.2, 1.0, 1.7320508075688772, 5.0, 50.0}) {
        const double back = betaOfPrandtlMeyer(prandtlMeyerOfBeta(b), 1);
        CHECK_ROW(std::abs(back - b) <= 1e-13 * b / (b < 0.1 ? 1e-3 : 1), std::to_string(b));
    }
}

void wallStates() {
    const struct {
        double Moo, HbL, x;
        std::optional<double> Cp;
        double M; // 0 where no value is expected, or not checked
    } rows[] = {
        {2, 0.01, 0.75, 0.078471425, 1.8717588},    {2, 0.01, 0.25, -0.066905200, 0},
        {2, 0.01, 0.1, -0.04067304654, 0},          {1.9, 0.012, 0.75, 0.10228243, 1.750037751},
        {1.9, 0.012, 0.25, -0.0849098311, 0},       {1.5, 0.02, 0.75, 0.2689124907, 1.246667446},
        {3, 0.05, 0.75, 0.3675936511, 2.222614333}, {1.2, 0.005, 0.75, 0.1053326014, 1.121151029},
        {1.15, 0.01, 0.75, std::nullopt, 0},        {1.15, 0.01, 0.25, -0.1852137434, 0},
    };
    int row = 0;
    for (const auto &r : rows) {
        const std::optional<WallState> w = simpleWaveAt(supersonic(r.Moo, r.HbL), r.x);
        CHECK_ROW(w.has_value() == r.Cp.has_value(), std::to_string(row));
        if (w && r.Cp) {
            CHECK_ROW(std::abs(w->Cp - *r.Cp) <= 5e-9, std::to_string(row));
            CHECK_ROW(r.M == 0 || std::abs(w->M - r.M) <= 5e-8, std::to_string(row));
        }
        ++row;
    }
}

void shockPoints() {
    const struct {
        double Moo, HbL;
        bool exists, atWall;
        double x, y;
    } rows[] = {
        {2, 0.01, true, false, 1.1725, 0.3784},
        {1.9, 0.012, true, false, 1.0554, 0.3320},
        {1.5, 0.02, true, false, 0.784362, 0.234589},
        {1.2, 0.005, true, false, 1.088126, 0.881504},
        {3, 0.05, true, true, 0, 0},
        {1.5, 0.05, true, true, 0, 0},
        {1.15, 0.01, true, true, 0, 0},
        {2, 0, false, false, 0, 0},
    };
    int row = 0;
    for (const auto &r : rows) {
        const std::optional<ShockPoint> s = shockPoint(supersonic(r.Moo, r.HbL));
        CHECK_ROW(s.has_value() == r.exists, std::to_string(row));
        if (s) {
            CHECK_ROW(s->atWall == r.atWall, std::to_string(row));
            const bool placed = std::abs(s->x - r.x) <= 1e-4 && std::abs(s->y - r.y) <= 1e-4;
            CHECK_ROW(r.atWall || placed, std::to_string(row));
        }
        ++row;
    }
}

// A partly sonic wall leaves gaps exactly where theta >= nu(Moo): at
// Moo 1.15, H/L 0.01, nu = 2.3810 degrees, theta >= nu for x in about
// [0.6151, 0.8849] (solved from sin(2 pi x) = -tan(nu) / (2 pi 0.01)).
void gapsWhereSonic() {
    const FlowState flow = supersonic(1.15, 0.01);
    const ExactTables t = exactTables(flow);
    for (int i = 0; i <= 100; ++i) {
        const double x = t.Xw[i] - std::floor(t.Xw[i]);
        CHECK_ROW(t.Cp[i].has_value() == !(x > 0.6151 && x < 0.8849), std::to_string(i));
    }
    RecordingCanvas flowLayer;
    RecordingCanvas pressureLayer;
    basit_dalga_çiz(flow, flowLayer, pressureLayer);
    // The characteristics from x = 0.75 and 1.75 have no wave; two lines mark
    // the shock.
    CHECK(flowLayer.lines().size() == 7u + 2u);
    CHECK(pressureLayer.lines().size() == 100u - 2 * 15);
    CHECK(pressureLayer.lines()[0].colour == colours::teal);
}

const check::Case cases[] = {
    {"the core's own arctangent", ownArctangent},
    {"the Prandtl-Meyer inversion", inversionReturnsTheAngle},
    {"wall states", wallStates},
    {"shock points", shockPoints},
    {"gaps where the wall is sonic", gapsWhereSonic},
};

} // namespace

int main() {
    return check::runAll(cases);
}
