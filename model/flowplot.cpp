#include "model/flowplot.h"

#include <cmath>
#include <limits>

namespace wavywall {

namespace {

constexpr int Ns = streamlineCount;

void drawFrame(const FlowState &flow, Canvas &canvas) {
    canvas.Cls();
    setScale(canvas, flowScale);
    canvas.Line(0, 0, 2, 0, colours::grey);
    canvas.Line(0, -2, 0, toSingle(flow.H), colours::grey);
}

void drawMachLines(const FlowState &flow, Canvas &canvas) {
    for (const MachLine &m : machLines(flow)) {
        canvas.Line(toSingle(m.x0), toSingle(-m.y0), toSingle(m.x1), toSingle(-m.y1),
                    colours::green);
    }
}

void computeCurves(const FlowState &flow, PointTable &Xs, PointTable &Ys) {
    // Each streamline point is formed from its stored height, so the shift
    // downstream is Beta times the stored difference from the wall.
    const WallWave &wave = wallWave(flow);
    const int N = flow.N;
    for (int i = 0; i <= N; ++i) {
        Xs[i][0] = wave.x[i];
        Ys[i][0] = flow.H * wave.cosine[i];
    }
    // A streamline point's H cos(2 pi x / L) is the wall's height at the same
    // x, the very value stored for the wall, so it is read back rather than
    // computed again for every streamline.
    for (int i = 0; i <= N; ++i) {
        const double x = wave.x[i];
        const double wall = Ys[i][0];
        for (int j = 1; j <= Ns; ++j) {
            const double h = static_cast<double>(j) / Ns * 1.5;
            Ys[i][j] = h + wall;
            Xs[i][j] = x + flow.Beta * (Ys[i][j] - Ys[i][0]);
        }
    }
}

// Below Mach one the disturbance decays away from the wall: the streamline
// that starts at height h follows y = h + H exp(-2 pi beta' h / L)
// cos(2 pi x / L), straight above the wall point, with no shift downstream
// (Ackeret/Prandtl-Glauert; Liepmann & Roshko, Elements of Gasdynamics, 8).
// The decay depends on the streamline alone and is taken once for each.
void computeSubsonicCurves(const FlowState &flow, PointTable &Xs, PointTable &Ys) {
    const WallWave &wave = wallWave(flow);
    const int N = flow.N;
    const int L = flow.L;
    std::array<double, Ns + 1> decay{};
    for (int j = 1; j <= Ns; ++j) {
        const double h = static_cast<double>(j) / Ns * 1.5;
        decay[j] = std::exp(-2 * flow.Pi * flow.BetaPrime * h / L);
    }
    for (int i = 0; i <= N; ++i) {
        const double x = wave.x[i];
        Xs[i][0] = x;
        Ys[i][0] = flow.H * wave.cosine[i];
        for (int j = 1; j <= Ns; ++j) {
            const double h = static_cast<double>(j) / Ns * 1.5;
            Xs[i][j] = x;
            Ys[i][j] = h + flow.H * decay[j] * wave.cosine[i];
        }
    }
}

// A curve's points go to the canvas once each, as one polyline.
void drawCurve(const PointTable &Xs, const PointTable &Ys, int j, int N, Colour colour,
               Canvas &canvas) {
    std::array<float, maxIntervals + 1> x{};
    std::array<float, maxIntervals + 1> y{};
    for (int i = 0; i <= N; ++i) {
        x[i] = toSingle(Xs[i][j]);
        y[i] = toSingle(-Ys[i][j]);
    }
    const auto points = static_cast<std::size_t>(N) + 1;
    canvas.Polyline(std::span(x.data(), points), std::span(y.data(), points), colour);
}

} // namespace

void akım_çiz(const FlowState &flow, Canvas &canvas) {
    requireDrawable(flow, "akım_çiz");
    drawFrame(flow, canvas);
    // Subsonic disturbances travel upstream too: there are no Mach lines.
    if (!isSubsonic(flow)) {
        drawMachLines(flow, canvas);
    }

    const StreamlineTables t = streamlineTables(flow);
    drawCurve(t.Xs, t.Ys, 0, flow.N, colours::red, canvas);
    for (int j = 1; j <= Ns; ++j) {
        drawCurve(t.Xs, t.Ys, j, flow.N, colours::blue, canvas);
    }
}

// The Mach lines start on the wall every quarter wavelength and run upstream-
// to-downstream up to y = 2, above the visible region. An integer counter
// keeps the last start exactly at x0 = 2.
std::array<MachLine, machLineCount> machLines(const FlowState &flow) {
    const WallWave &wave = wallWave(flow);
    std::array<MachLine, machLineCount> lines{};
    for (int k = 0; k < machLineCount; ++k) {
        const double x0 = k * 0.25;
        const double y0 = flow.H * wave.machCosine[k];
        const double c = x0 - flow.Beta * y0;
        const double y1 = 2;
        const double x1 = c + flow.Beta * y1;
        lines[k] = {x0, y0, x1, y1};
    }
    return lines;
}

StreamlineTables streamlineTables(const FlowState &flow) {
    requireDrawable(flow, "streamlineTables");
    StreamlineTables t;
    if (isSubsonic(flow)) {
        computeSubsonicCurves(flow, t.Xs, t.Ys);
    } else {
        computeCurves(flow, t.Xs, t.Ys);
    }
    return t;
}

// A margin of eight keeps every sum of the largest terms finite too.
bool flowPictureStaysFinite(double Beta, double H) {
    constexpr double margin = 8;
    const double largest = std::numeric_limits<double>::max() / margin;
    const double absH = std::abs(H);
    return !(Beta * absH > largest || Beta > largest || absH > largest);
}

} // namespace wavywall
