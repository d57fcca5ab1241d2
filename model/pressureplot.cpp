#include "model/pressureplot.h"

#include "model/wallwave.h"

#include <cmath>
#include <limits>

namespace wavywall {

namespace {

// Below Mach one Cp = -4 pi (H/L) cos(2 pi x / L) / beta' is symmetric about
// each crest, where the flow is fastest (Ackeret/Prandtl-Glauert; Liepmann &
// Roshko, Elements of Gasdynamics, 8).
void subsonicCp(const FlowState &flow, PressureTables &t) {
    const WallWave &wave = wallWave(flow);
    const int N = flow.N;
    const int L = flow.L;
    for (int i = 0; i <= N; ++i) {
        t.Xw[i] = wave.x[i];
        t.Cp[i] = -4 * flow.Pi / flow.BetaPrime * flow.H / L * wave.cosine[i];
    }
}

} // namespace

PressureTables pressureTables(const FlowState &flow) {
    requireDrawable(flow, "pressureTables");
    const double Pi = flow.Pi;
    const double Beta = flow.Beta;
    const double H = flow.H;
    const int N = flow.N;
    const int L = flow.L;
    PressureTables t;
    if (isSubsonic(flow)) {
        subsonicCp(flow, t);
        return t;
    }
    const WallWave &wave = wallWave(flow);
    for (int i = 0; i <= N; ++i) {
        t.Xw[i] = wave.x[i];
        t.Cp[i] = -4 * Pi / Beta * H / L * wave.sine[i];
    }
    return t;
}

void basınç_çiz(const FlowState &flow, Canvas &canvas, Messenger &messenger) {
    requireDrawable(flow, "basınç_çiz");
    canvas.Cls();
    setScale(canvas, pressureScale);
    canvas.Line(0, 0, 2, 0, colours::grey);
    canvas.Line(0, -1.5f, 0, 1.5f, colours::grey);

    // Linear theory breaks down at Mach one, where Beta vanishes.
    if (!isSubsonic(flow) && flow.Beta == 0) {
        messenger.MsgBox(messages::machOne);
        return;
    }

    const PressureTables t = pressureTables(flow);
    // A segment takes the colour of its end point: compression red,
    // expansion blue, and an exact zero counts as compression.
    for (int i = 1; i <= flow.N; ++i) {
        const Colour colour = t.Cp[i] < 0 ? colours::blue : colours::red;
        canvas.Line(toSingle(t.Xw[i - 1]), toSingle(-t.Cp[i - 1]), toSingle(t.Xw[i]),
                    toSingle(-t.Cp[i]), colour);
    }
}

bool pressureCurveStaysFinite(double Beta, double H, double Pi) {
    constexpr double margin = 8;
    const double absH = std::abs(H);
    if (absH > std::numeric_limits<double>::max() / margin) {
        return false;
    }
    return Beta == 0 || std::isfinite(4 * Pi / Beta * absH * margin);
}

} // namespace wavywall
