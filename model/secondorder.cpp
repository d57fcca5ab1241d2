#include "model/secondorder.h"

#include "model/pressureplot.h"
#include "model/validity.h"
#include "model/wallwave.h"

#include <cmath>

namespace wavywall {

SecondOrderTables secondOrderTables(const FlowState &flow) {
    requireDrawable(flow, "secondOrderTables");
    const double Pi = flow.Pi;
    const int N = flow.N;
    const int L = flow.L;
    const Busemann b = busemann(flow.Beta);
    const WallWave &wave = wallWave(flow);
    SecondOrderTables t;
    for (int i = 0; i <= N; ++i) {
        t.Xw[i] = wave.x[i];
        const double theta = std::atan(-2 * Pi * flow.H / L * wave.sine[i]);
        t.Cp2[i] = b.C1 * theta + b.C2 * theta * theta;
    }
    return t;
}

void ikinci_mertebe_çiz(const FlowState &flow, Canvas &layer) {
    requireDrawable(flow, "ikinci_mertebe_çiz");
    layer.Cls();
    setScale(layer, pressureScale);
    if (isSubsonic(flow) || flow.Beta == 0) {
        return;
    }
    const SecondOrderTables t = secondOrderTables(flow);
    for (int i = 1; i <= flow.N; ++i) {
        layer.Line(toSingle(t.Xw[i - 1]), toSingle(-t.Cp2[i - 1]), toSingle(t.Xw[i]),
                   toSingle(-t.Cp2[i]), colours::purple);
    }
}

} // namespace wavywall
