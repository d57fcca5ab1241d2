#include "canvas/userscale.h"

#include <cmath>
#include <utility>

namespace wavywall {

UserScale UserScale::fromCorners(double x1, double y1, double x2, double y2) {
    return {x1, y1, x2 - x1, y2 - y1};
}

UnitPoint UserScale::toUnit(double x, double y) const {
    return {(x - left) / width, (y - top) / height};
}

namespace {

bool isFinite(UnitPoint p) {
    return std::isfinite(p.u) && std::isfinite(p.v);
}

// Where the line enters or leaves the square: its parameter t and, when an
// edge sets it, which edge. The clipped point is put on that edge exactly, so
// a line between very distant end points (where p + t*d loses every digit to
// cancellation) still meets the edge where it should.
struct Crossing {
    double t;
    int axis = -1; // 0: an edge u = const, 1: an edge v = const, -1: end point
    double edge = 0;
};

// One Liang-Barsky step for one axis: narrows [enter, leave] to where
// p + t*d lies between the square's two edges on that axis.
bool narrow(int axis, double p, double d, Crossing &enter, Crossing &leave) {
    if (d == 0) {
        return p >= 0 && p <= 1;
    }
    Crossing low{(0 - p) / d, axis, 0};
    Crossing high{(1 - p) / d, axis, 1};
    if (low.t > high.t) {
        std::swap(low, high);
    }
    if (low.t > enter.t) {
        enter = low;
    }
    if (high.t < leave.t) {
        leave = high;
    }
    return enter.t <= leave.t;
}

UnitPoint pointAt(const UnitLine &line, double du, double dv, const Crossing &c) {
    if (c.axis < 0) {
        return c.t <= 0 ? line.from : line.to;
    }
    UnitPoint p{line.from.u + c.t * du, line.from.v + c.t * dv};
    (c.axis == 0 ? p.u : p.v) = c.edge;
    return p;
}

bool isInside(UnitPoint p) {
    return p.u >= 0 && p.u <= 1 && p.v >= 0 && p.v <= 1;
}

} // namespace

std::optional<UnitLine> clipToUnitSquare(UnitLine line) {
    // Most lines of a picture lie wholly inside, where the cut would give
    // back both end points unchanged.
    if (isInside(line.from) && isInside(line.to)) {
        return line;
    }
    if (!isFinite(line.from) || !isFinite(line.to)) {
        return std::nullopt;
    }
    const double du = line.to.u - line.from.u;
    const double dv = line.to.v - line.from.v;
    if (!std::isfinite(du) || !std::isfinite(dv)) {
        return std::nullopt;
    }
    Crossing enter{0};
    Crossing leave{1};
    if (!narrow(0, line.from.u, du, enter, leave) || !narrow(1, line.from.v, dv, enter, leave)) {
        return std::nullopt;
    }
    return UnitLine{pointAt(line, du, dv, enter), pointAt(line, du, dv, leave)};
}

} // namespace wavywall
