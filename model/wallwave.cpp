#include "model/wallwave.h"

#include "model/trigonometry.h"

#include <cstring>

namespace wavywall {

namespace {

// What the wave was worked out for, compared bit for bit.
struct Key {
    double Pi = 0;
    double TwoPi = 0;
    int L = 0;
    int N = 0;
    bool operator==(const Key &other) const {
        return std::memcmp(&Pi, &other.Pi, sizeof Pi) == 0 &&
               std::memcmp(&TwoPi, &other.TwoPi, sizeof TwoPi) == 0 && L == other.L && N == other.N;
    }
};

// The phase of each point as the plots have always written it: 2 pi / L x,
// with x = i / N 2 L.
void compute(const FlowState &flow, WallWave &wave) {
    const int N = flow.N;
    const int L = flow.L;
    for (int i = 0; i <= N; ++i) {
        wave.x[i] = static_cast<double>(i) / N * 2 * L;
        const double phase = 2 * flow.Pi / L * wave.x[i];
        wave.sine[i] = correctlyRoundedSin(phase);
        wave.cosine[i] = correctlyRoundedCos(phase);
    }
    for (int k = 0; k < machLineCount; ++k) {
        wave.machCosine[k] = correctlyRoundedCos(flow.TwoPi * (k * 0.25));
    }
}

} // namespace

const WallWave &wallWave(const FlowState &flow) {
    requireDrawable(flow, "wallWave");
    thread_local Key kept;
    thread_local WallWave wave;
    const Key key{flow.Pi, flow.TwoPi, flow.L, flow.N};
    if (!(key == kept)) {
        compute(flow, wave);
        kept = key;
    }
    return wave;
}

} // namespace wavywall
