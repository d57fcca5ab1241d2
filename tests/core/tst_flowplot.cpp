// The flow picture: the Mach lines, the wall and the streamlines, in their
// order and colours, for ordinary, limiting and extreme flows, and the guard
// that keeps the picture finite.
#include "canvas/displaylist.h"
#include "model/flowplot.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <cfloat>
#include <cmath>
#include <limits>

using namespace wavywall;
using wavywall::testing::loadedState;

namespace {
const double sqrt3 = std::sqrt(std::pow(2.0, 2) - 1);

RecordingCanvas drawn(const FlowState &flow) {
    RecordingCanvas canvas;
    akım_çiz(flow, canvas);
    return canvas;
}

bool near(float actual, double expected, double tolerance = 5e-5) {
    return std::abs(actual - expected) <= tolerance;
}

bool lineIs(const RecordedLine &l, double x1, double y1, double x2, double y2) {
    return near(l.x1, x1) && near(l.y1, y1) && near(l.x2, x2) && near(l.y2, y2);
}

constexpr std::size_t machLine(int k) {
    return 2 + static_cast<std::size_t>(k);
}
constexpr std::size_t wallSegment(int i) {
    return 11 + static_cast<std::size_t>(i);
}
constexpr std::size_t streamlineSegment(int j, int i) {
    return 111 + static_cast<std::size_t>(j - 1) * 100 + static_cast<std::size_t>(i);
}

struct Flow {
    const char *name;
    double Beta;
    double H;
};

void drawsLinesInFixedOrder() {
    const Flow flows[] = {{"default inputs", std::sqrt(std::pow(1.01, 2) - 1), 0.01},
                          {"Mach 2, tall wave", sqrt3, 0.2},
                          {"Mach one", 0.0, 0.1},
                          {"flat wall", 1.0, 0.0},
                          {"negative height", 1.0, -0.1},
                          {"huge Beta", 1e30, 0.01}};
    for (const Flow &f : flows) {
        const RecordingCanvas canvas = drawn(loadedState(f.Beta, f.H));
        using Op = RecordingCanvas::Op;
        const auto &ops = canvas.operations();
        CHECK_ROW(ops.size() == 913 && ops[0] == Op::Cls && ops[1] == Op::Scale, f.name);
        const RecordedScale s = canvas.scales().front();
        CHECK_ROW(s.x1 == -0.2 && s.y1 == -1.8 && s.x2 == 3.8 && s.y2 == 0.2, f.name);
        const auto &lines = canvas.lines();
        CHECK_ROW(lines.size() == 911, f.name);
        if (lines.size() != 911) {
            continue;
        }
        for (std::size_t n = 0; n < lines.size(); ++n) {
            const Colour expected = n < 2     ? colours::grey
                                    : n < 11  ? colours::green
                                    : n < 111 ? colours::red
                                              : colours::blue;
            CHECK_ROW(lines[n].colour == expected, f.name);
        }
        CHECK_ROW(lineIs(lines[0], 0, 0, 2, 0), f.name);
        CHECK_ROW(lines[1].y2 == static_cast<float>(f.H) && lineIs(lines[1], 0, -2, 0, f.H),
                  f.name);
        CHECK_ROW(lines[machLine(8)].x1 == 2.0f, f.name);
    }
}

void machTwoPicture() {
    const RecordingCanvas canvas = drawn(loadedState(sqrt3, 0.1));
    const auto &lines = canvas.lines();
    CHECK(lineIs(lines[machLine(0)], 0, -0.1, 3.2909, -2));
    CHECK(lineIs(lines[machLine(2)], 0.5, 0.1, 4.1373, -2));
    const RecordedLine &first = lines[streamlineSegment(8, 0)];
    const RecordedLine &last = lines[streamlineSegment(8, 99)];
    CHECK(near(first.x1, 2.5981) && near(first.y1, -1.6));
    CHECK(near(last.x2, 4.5981) && near(last.y2, -1.6));
    // Streamline 8 leaves the picture at its right edge.
    CHECK(last.x2 > 3.8f && first.x1 < 3.8f);
}

void machOneHasVerticalMachLines() {
    const FlowState flow = loadedState(0, 0.1);
    const RecordingCanvas canvas = drawn(flow);
    for (int k = 0; k <= 8; ++k) {
        const RecordedLine &l = canvas.lines()[machLine(k)];
        CHECK_ROW(l.x1 == static_cast<float>(k * 0.25) && l.x2 == l.x1 && l.y2 == -2.0f,
                  std::to_string(k));
    }
    const StreamlineTables t = streamlineTables(flow);
    for (int i = 0; i <= 100; ++i) {
        for (int j = 1; j <= streamlineCount; ++j) {
            CHECK_ROW(t.Xs[i][j] == t.Xs[i][0], std::to_string(i) + ", " + std::to_string(j));
        }
    }
}

void flatWallHasStraightStreamlines() {
    const double Beta = 1.11803398875;
    const RecordingCanvas canvas = drawn(loadedState(Beta, 0));
    const auto &lines = canvas.lines();
    CHECK(lines[1].y2 == 0.0f);
    for (int k = 0; k <= 8; ++k) {
        CHECK_ROW(lineIs(lines[machLine(k)], k * 0.25, 0, k * 0.25 + 2 * Beta, -2),
                  std::to_string(k));
    }
    for (int i = 0; i < 100; ++i) {
        CHECK_ROW(lines[wallSegment(i)].y1 == 0.0f && lines[wallSegment(i)].y2 == 0.0f,
                  std::to_string(i));
    }
    CHECK(near(lines[wallSegment(0)].x1, 0) && near(lines[wallSegment(99)].x2, 2));
    for (int j = 1; j <= streamlineCount; ++j) {
        const double h = j / 8.0 * 1.5;
        for (int i = 0; i < 100; ++i) {
            const RecordedLine &l = lines[streamlineSegment(j, i)];
            CHECK_ROW(l.y1 == static_cast<float>(-h) && l.y2 == static_cast<float>(-h),
                      std::to_string(j) + ", " + std::to_string(i));
        }
        CHECK_ROW(near(lines[streamlineSegment(j, 0)].x1, Beta * h), std::to_string(j));
        CHECK_ROW(near(lines[streamlineSegment(j, 99)].x2, 2 + Beta * h), std::to_string(j));
    }
}

void streamlinesStartDownstreamOfWall() {
    for (const double H : {0.01, 0.2, -0.15}) {
        const double Beta = 0.75;
        const StreamlineTables t = streamlineTables(loadedState(Beta, H));
        const std::string row = "H = " + std::to_string(H);
        CHECK_ROW(t.Xs[0][0] == 0.0 && t.Ys[0][0] == H && t.Ys[0][8] == 1.5 + H, row);
        CHECK_ROW(std::abs(t.Xs[0][8] - 1.5 * Beta) < 1e-15, row);
    }
}

bool insideTheArea(UnitPoint p) {
    return p.u >= -1e-9 && p.u <= 1 + 1e-9 && p.v >= -1e-9 && p.v <= 1 + 1e-9;
}

bool onADrawnLine(const DisplayList::PlotLine &kept, const RecordingCanvas &canvas) {
    const UserScale scale = UserScale::fromCorners(-0.2, -1.8, 3.8, 0.2);
    for (const RecordedLine &l : canvas.lines()) {
        const auto clipped = clipToUnitSquare({scale.toUnit(l.x1, l.y1), scale.toUnit(l.x2, l.y2)});
        if (l.colour == kept.colour && clipped && clipped->from == kept.line.from &&
            clipped->to == kept.line.to) {
            return true;
        }
    }
    return false;
}

// What a plot box keeps of an extreme picture is the visible part of the
// lines the plot drew, never a line the plot did not draw.
void extremeFlowsStayOnTheirLines() {
    const Flow flows[] = {
        {"Mach 1e30", 1e30, 0.01}, {"height 1e30", sqrt3, 1e30}, {"beyond float", 1e100, 1e100}};
    for (const Flow &f : flows) {
        const FlowState flow = loadedState(f.Beta, f.H);
        DisplayList list;
        const RecordingCanvas canvas = drawn(flow);
        akım_çiz(flow, list);
        CHECK_ROW(list.lines().size() <= canvas.lines().size(), f.name);
        for (const DisplayList::PlotLine &kept : list.lines()) {
            CHECK_ROW(onADrawnLine(kept, canvas), f.name);
            CHECK_ROW(insideTheArea(kept.line.from) && insideTheArea(kept.line.to), f.name);
        }
    }
}

// The guard passes the inputs the picture draws finitely and stops the ones
// whose coordinates would overflow: the picture shifts points by Beta * H.
void guardStandsBesideThePlot() {
    CHECK(flowPictureStaysFinite(std::sqrt(3.0), 0.2));
    CHECK(flowPictureStaysFinite(0, 1e300));
    CHECK(!flowPictureStaysFinite(1e160, 1e160));
    CHECK(!flowPictureStaysFinite(DBL_MAX / 4, 0));
    CHECK(!flowPictureStaysFinite(std::numeric_limits<double>::infinity(), 0));
}

const check::Case cases[] = {
    {"draws its lines in a fixed order", drawsLinesInFixedOrder},
    {"the Mach 2 picture", machTwoPicture},
    {"Mach one has vertical Mach lines", machOneHasVerticalMachLines},
    {"a flat wall has straight streamlines", flatWallHasStraightStreamlines},
    {"the streamlines start downstream of the wall", streamlinesStartDownstreamOfWall},
    {"extreme flows stay on their lines", extremeFlowsStayOnTheirLines},
    {"the guard stands beside the plot", guardStandsBesideThePlot},
};

} // namespace

int main() {
    return check::runAll(cases);
}
