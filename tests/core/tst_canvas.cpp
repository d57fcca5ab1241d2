// The canvas core: the colour encoding, the user scale, the clipping to the
// drawing area (ends far beyond the float range too), the narrowing to single
// precision, and the display list that every front end paints.
#include "canvas/canvas.h"
#include "canvas/displaylist.h"
#include "canvas/userscale.h"
#include "tests/core/check.h"

#include <cmath>
#include <limits>

using namespace wavywall;

namespace {
// The flow picture's scale; pixels are those of a 400 x 200 drawing area, in
// which the user point (0, 0) lies at (20, 180).
const UserScale flowScale = UserScale::fromCorners(-0.2, -1.8, 3.8, 0.2);

UnitPoint pixel(double x, double y) {
    return {x / 400, y / 200};
}

bool near(UnitPoint a, UnitPoint b) {
    return std::abs(a.u - b.u) < 1e-12 && std::abs(a.v - b.v) < 1e-12;
}

void coloursAreBlueGreenRed() {
    CHECK(colours::red == 255u);
    CHECK(colours::blue == 16711680u);
    CHECK(colours::lightYellow == 0x00C0FFFFu);
    CHECK(redOf(colours::lightYellow) == 255 && greenOf(colours::lightYellow) == 255 &&
          blueOf(colours::lightYellow) == 192);
}

void scaleMapsLinearly() {
    CHECK(near(flowScale.toUnit(0, 0), pixel(20, 180)));
    CHECK(near(flowScale.toUnit(-0.2, -1.8), pixel(0, 0)));
    CHECK(near(flowScale.toUnit(3.8, 0.2), pixel(400, 200)));
}

struct Clipping {
    const char *name;
    UnitLine line;
    bool visible;
    UnitLine expected;
};

UnitLine user(double x1, double y1, double x2, double y2) {
    return {flowScale.toUnit(x1, y1), flowScale.toUnit(x2, y2)};
}

UnitLine pixels(double x1, double y1, double x2, double y2) {
    return {pixel(x1, y1), pixel(x2, y2)};
}

// Lines in user coordinates, then lines in unit coordinates with one end far
// beyond the float range and the other near the area: the crossings near the
// area must not be lost to the far end's size. These are the Mach lines of a
// huge wave height at Mach one, and lines like them.
void clipsAtTheEdges() {
    const double far = 1.7e38;
    const float farthest = std::numeric_limits<float>::max();
    const Clipping rows[] = {
        {"cut at the top edge", user(0, -2, 0, 0.1), true, pixels(20, 0, 20, 190)},
        {"wholly inside", user(0, 0, 2, 0), true, pixels(20, 180, 220, 180)},
        {"wholly right of the area", user(4, -1, 5, -1), false, {}},
        {"wholly above the area", user(0, -3, 3, -2), false, {}},
        {"across both side edges", user(-1, -1, 5, -1), true, pixels(0, 80, 400, 80)},
        {"passes by a corner", user(3.7, -2.5, 4.5, -1.5), false, {}},
        {"farthest floats, steep", user(1, -farthest, 1, farthest), true, pixels(120, 0, 120, 200)},
        {"farthest floats, right of the area",
         user(farthest, -farthest, farthest, farthest),
         false,
         {}},
        {"far below to just above: the whole height",
         {{0.05, far}, {0.05, -0.1}},
         true,
         {{0.05, 1}, {0.05, 0}}},
        {"far above to just above: nothing", {{0.05, -far}, {0.05, -0.1}}, false, {}},
        {"far left to inside", {{-far, 0.5}, {0.5, 0.5}}, true, {{0, 0.5}, {0.5, 0.5}}},
        {"far corner to just above, through two edges",
         {{1e38, 1e38}, {0.5, -0.1}},
         true,
         {{1, 0.4}, {0.6, 0}}},
        {"inside to far right", {{0.25, 0.75}, {far, 0.75}}, true, {{0.25, 0.75}, {1, 0.75}}},
        {"both ends far, through the middle",
         {{-1e38, -1e38}, {1e38, 1e38}},
         true,
         {{0, 0}, {1, 1}}},
        {"an infinite end",
         {{0.5, 0.5}, {std::numeric_limits<double>::infinity(), 0.5}},
         false,
         {}},
        {"an end not a number", {{std::nan(""), 0.5}, {0.5, 0.5}}, false, {}},
    };
    for (const Clipping &row : rows) {
        const auto clipped = clipToUnitSquare(row.line);
        CHECK_ROW(clipped.has_value() == row.visible, row.name);
        if (clipped && row.visible) {
            CHECK_ROW(near(clipped->from, row.expected.from) && near(clipped->to, row.expected.to),
                      row.name);
        }
    }
}

void narrowsWithoutOverflow() {
    const float largest = std::numeric_limits<float>::max();
    CHECK(toSingle(1.5) == 1.5f);
    CHECK(toSingle(1e300) == largest);
    CHECK(toSingle(-1e39) == -largest);
    CHECK(toSingle(std::numeric_limits<double>::max()) == largest);
    // Not a number stays one, rather than a line to the edge of the float range.
    CHECK(std::isnan(toSingle(std::nan(""))));
}

bool same(const UnitLine &a, const UnitLine &b) {
    return a.from == b.from && a.to == b.to;
}

// A line reaching above the top edge is cut there; one wholly left of the
// area leaves nothing; Cls forgets every line.
void displayListKeepsVisiblePieces() {
    DisplayList list;
    list.Cls();
    list.Scale(-0.2, -1.8, 3.8, 0.2);
    list.Line(0, -2, 0, 0.1f, colours::grey);
    list.Line(-1, 0, -0.5f, 0, colours::red);
    list.Line(0, 0, 2, 0, colours::blue);
    CHECK(list.lines().size() == 2);
    if (list.lines().size() == 2) {
        const double v = (static_cast<double>(0.1f) + 1.8) / 2;
        CHECK(same(list.lines()[0].line, {{0.05, 0}, {0.05, v}}));
        CHECK(list.lines()[0].colour == colours::grey);
        CHECK(same(list.lines()[1].line, {{0.05, 0.9}, {0.55, 0.9}}));
        CHECK(list.lines()[1].colour == colours::blue);
    }
    list.Cls();
    CHECK(list.lines().empty());
    // A polyline keeps what its lines would: nothing left of the area, the
    // piece from the left edge in, the whole line inside, nothing to NaN.
    const float x[] = {-1, -0.5f, 0, 2, 2};
    const float y[] = {0, 0, 0, 0, std::nanf("")};
    list.Polyline(x, y, colours::red);
    CHECK(list.lines().size() == 2);
    if (list.lines().size() == 2) {
        CHECK(same(list.lines()[0].line, {{0, 0.9}, {0.05, 0.9}}));
        CHECK(same(list.lines()[1].line, {{0.05, 0.9}, {0.55, 0.9}}));
        CHECK(list.lines()[1].colour == colours::red);
    }
}

const check::Case cases[] = {
    {"colours are blue, green, red", coloursAreBlueGreenRed},
    {"the scale maps linearly", scaleMapsLinearly},
    {"clips at the edges", clipsAtTheEdges},
    {"narrows without overflow", narrowsWithoutOverflow},
    {"the display list keeps the visible pieces", displayListKeepsVisiblePieces},
};

} // namespace

int main() {
    return check::runAll(cases);
}
