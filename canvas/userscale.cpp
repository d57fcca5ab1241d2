#include "canvas/userscale.h"

#include <cmath>
#include <utility>

namespace wavywall {

UserScale UserScale::fromCorners(double x1, double y1, double x2, double y2) {
    return {x1, y1, x2 - x1, y2 - y1};
}

namespace {

bool isFinite(UnitPoint p) {
    return std::isfinite(p.u) && std::isfinite(p.v);
}

double &coordinate(UnitPoint &p, int axis) {
    return axis == 0 ? p.u : p.v;
}

// The first edge of the square that a point lies beyond, as axis and edge
// value; axis -1 when the point is inside.
struct Outside {
    int axis = -1;
    double edge = 0;
};

Outside outside(UnitPoint p) {
    for (int axis = 0; axis < 2; ++axis) {
        const double c = axis == 0 ? p.u : p.v;
        if (c < 0 || c > 1) {
            return {axis, c < 0 ? 0.0 : 1.0};
        }
    }
    return {};
}

bool bothBeyondOneEdge(UnitPoint a, UnitPoint b) {
    return (a.u < 0 && b.u < 0) || (a.u > 1 && b.u > 1) || (a.v < 0 && b.v < 0) ||
           (a.v > 1 && b.v > 1);
}

// Where the line meets the edge, reckoned from whichever end lies nearer to
// it: from a far end, the fraction of the way to the edge rounds to 0 or 1 and
// loses the crossing, while from the near end it stays small and exact enough.
UnitPoint crossing(UnitPoint a, UnitPoint b, int axis, double edge) {
    const int other = 1 - axis;
    if (std::abs(coordinate(b, axis) - edge) < std::abs(coordinate(a, axis) - edge)) {
        std::swap(a, b);
    }
    const double fraction =
        (edge - coordinate(a, axis)) / (coordinate(b, axis) - coordinate(a, axis));
    UnitPoint p;
    coordinate(p, axis) = edge;
    coordinate(p, other) =
        coordinate(a, other) + fraction * (coordinate(b, other) - coordinate(a, other));
    return p;
}

} // namespace

// Each pass moves one end that lies outside onto the edge it lies beyond, put
// on that edge exactly; after at most one move per edge and end, both ends are
// inside or beyond one edge together.
std::optional<UnitLine> clipToUnitSquare(UnitLine line) {
    // Most lines of a picture lie wholly inside, where the cut would give
    // back both end points unchanged.
    if (isInUnitSquare(line.from) && isInUnitSquare(line.to)) {
        return line;
    }
    if (!isFinite(line.from) || !isFinite(line.to)) {
        return std::nullopt;
    }
    for (int pass = 0; pass < 8; ++pass) {
        if (bothBeyondOneEdge(line.from, line.to)) {
            return std::nullopt;
        }
        const Outside fromOutside = outside(line.from);
        const Outside toOutside = outside(line.to);
        if (fromOutside.axis < 0 && toOutside.axis < 0) {
            return line;
        }
        const bool moveFrom = fromOutside.axis >= 0;
        const Outside o = moveFrom ? fromOutside : toOutside;
        (moveFrom ? line.from : line.to) = crossing(line.from, line.to, o.axis, o.edge);
        if (!isFinite(line.from) || !isFinite(line.to)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace wavywall
