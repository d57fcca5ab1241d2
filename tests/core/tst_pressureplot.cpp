// The wall pressure coefficient: its values, the colours by sign, the
// refusal at Mach one, and the guard that keeps the curve finite.
#include "model/pressureplot.h"
#include "tests/core/check.h"
#include "tests/support/fakes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

using namespace wavywall;
using wavywall::MessageList;
using wavywall::testing::agrees12;
using wavywall::testing::loadedState;

namespace {
// Beta and H of the default inputs, Moo = 1.01 and H/L = 0.01.
const double defaultBeta = std::sqrt(std::pow(1.01, 2) - 1);
constexpr double defaultH = 0.01;

void defaultInputsGiveTextbookValues() {
    const FlowState flow = loadedState(defaultBeta, defaultH);
    CHECK(agrees12(flow.Beta, 0.141774468788));
    CHECK(agrees12(-4 * flow.Pi * flow.H / (flow.L * flow.Beta), -0.886363442009));
    const PressureTables t = pressureTables(flow);
    CHECK(t.Xw[10] == 0.2 && t.Xw[100] == 2.0);
    CHECK(agrees12(t.Cp[10], -0.842981727329));
}

// Expansion peaks at the first and third quarter waves, compression at the
// second and fourth, each on the two points either side of the peak.
void extremesLieAtQuarterWaves() {
    const PressureTables t = pressureTables(loadedState(defaultBeta, defaultH));
    const double lowest = *std::min_element(t.Cp.begin(), t.Cp.end());
    const double highest = *std::max_element(t.Cp.begin(), t.Cp.end());
    CHECK(agrees12(lowest, -0.884614406227) && agrees12(highest, 0.884614406227));
    const auto at = [](std::initializer_list<int> where, int i) {
        return std::find(where.begin(), where.end(), i) != where.end();
    };
    for (int i = 0; i <= 100; ++i) {
        CHECK_ROW(agrees12(t.Cp[i], lowest) == at({12, 13, 62, 63}, i), std::to_string(i));
        CHECK_ROW(agrees12(t.Cp[i], highest) == at({37, 38, 87, 88}, i), std::to_string(i));
    }
}

void zeroCrossingsFollowComputedSine() {
    const PressureTables t = pressureTables(loadedState(defaultBeta, defaultH));
    CHECK(t.Xw[25] == 0.5);
    CHECK(t.Cp[25] < 0 && t.Cp[25] > -1e-15);
    CHECK(t.Cp[75] < 0 && t.Cp[75] > -1e-15);
    CHECK(t.Cp[50] > 0 && t.Cp[50] < 1e-15);
    CHECK(t.Cp[100] > 0 && t.Cp[100] < 1e-15);
    CHECK(t.Cp[0] == 0 && std::signbit(t.Cp[0]));
}

struct SignColours {
    double H;
    Colour firstQuarter;
    Colour secondQuarter;
};

// Segments 1..25 and 51..75 take one colour, 26..50 and 76..100 the other.
void coloursFollowSignOfEndPoint() {
    const SignColours rows[] = {{defaultH, colours::blue, colours::red},
                                {-defaultH, colours::red, colours::blue},
                                {0.2, colours::blue, colours::red}};
    for (const SignColours &row : rows) {
        RecordingCanvas canvas;
        MessageList messages;
        basınç_çiz(loadedState(defaultBeta, row.H), canvas, messages);
        const std::string name = "H = " + std::to_string(row.H);
        CHECK_ROW(canvas.lines().size() == 102 && messages.shown.empty(), name);
        if (canvas.lines().size() != 102) {
            continue;
        }
        int reds = 0;
        for (int segment = 1; segment <= 100; ++segment) {
            const Colour colour = canvas.lines()[static_cast<std::size_t>(segment) + 1].colour;
            const bool inFirst = (segment - 1) % 50 < 25;
            CHECK_ROW(colour == (inFirst ? row.firstQuarter : row.secondQuarter), name);
            reds += colour == colours::red;
        }
        CHECK_ROW(reds == 50, name);
    }
}

bool sameLine(const RecordedLine &a, const RecordedLine &b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.colour == b.colour;
}

void drawsAxesThenCurveFromTables() {
    const FlowState flow = loadedState(defaultBeta, defaultH);
    RecordingCanvas canvas;
    MessageList messages;
    basınç_çiz(flow, canvas, messages);
    using Op = RecordingCanvas::Op;
    CHECK(canvas.operations()[0] == Op::Cls && canvas.operations()[1] == Op::Scale);
    const RecordedScale s = canvas.scales().front();
    CHECK(s.x1 == -0.2 && s.y1 == -5.5 && s.x2 == 3.8 && s.y2 == 5.5);
    const auto &lines = canvas.lines();
    CHECK(sameLine(lines[0], {0, 0, 2, 0, colours::grey}));
    CHECK(sameLine(lines[1], {0, -1.5f, 0, 1.5f, colours::grey}));
    const PressureTables t = pressureTables(flow);
    CHECK(lines[2].x1 == 0 && lines[2].y1 == 0 && lines[2].y2 == static_cast<float>(-t.Cp[1]));
    float rightmost = 0;
    for (const RecordedLine &line : lines) {
        rightmost = std::max({rightmost, line.x1, line.x2});
    }
    CHECK(rightmost == 2.0f);
    CHECK(lines.back().y2 == static_cast<float>(-t.Cp[100]));
}

void flatWallLiesOnAxisInRed() {
    RecordingCanvas canvas;
    MessageList messages;
    basınç_çiz(loadedState(defaultBeta, 0), canvas, messages);
    CHECK(canvas.lines().size() == 102);
    for (std::size_t i = 2; i < canvas.lines().size(); ++i) {
        const RecordedLine &l = canvas.lines()[i];
        CHECK_ROW(l.colour == colours::red && l.y1 == 0.0f && l.y2 == 0.0f, std::to_string(i));
    }
}

void machOneDrawsAxesAndRefuses() {
    RecordingCanvas canvas;
    MessageList messages;
    basınç_çiz(loadedState(0, defaultH), canvas, messages);
    CHECK(canvas.lines().size() == 2);
    CHECK(canvas.lines()[0].colour == colours::grey && canvas.lines()[1].colour == colours::grey);
    CHECK(messages.shown == std::vector<std::u16string>{std::u16string(messages::machOne)});
}

// The guard passes the inputs the curve draws finitely and stops the ones
// whose coordinates would overflow: the curve scales by 4 pi H / Beta.
void guardStandsBesideThePlot() {
    const double Pi = std::atan(1.0) * 4;
    CHECK(pressureCurveStaysFinite(0.141774468788, 0.01, Pi));
    CHECK(pressureCurveStaysFinite(0, 1e300, Pi));
    CHECK(!pressureCurveStaysFinite(1e-300, 1e10, Pi));
    CHECK(!pressureCurveStaysFinite(1, DBL_MAX / 4, Pi));
}

const check::Case cases[] = {
    {"the default inputs give the textbook values", defaultInputsGiveTextbookValues},
    {"the extremes lie at quarter waves", extremesLieAtQuarterWaves},
    {"the zero crossings follow the computed sine", zeroCrossingsFollowComputedSine},
    {"the colours follow the sign of the end point", coloursFollowSignOfEndPoint},
    {"draws the axes, then the curve from the tables", drawsAxesThenCurveFromTables},
    {"a flat wall lies on the axis in red", flatWallLiesOnAxisInRed},
    {"Mach one draws the axes and refuses", machOneDrawsAxesAndRefuses},
    {"the guard stands beside the plot", guardStandsBesideThePlot},
};

} // namespace

int main() {
    return check::runAll(cases);
}
