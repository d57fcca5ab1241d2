// The user coordinate system of a canvas and the clipping of lines to its
// drawing area. Lines are kept in unit coordinates, (0, 0) at the upper-left
// and (1, 1) at the lower-right corner of the drawing area, so that a picture
// can be painted at any size and device pixel ratio without recomputing it.
#pragma once

#include <optional>

namespace wavywall {

struct UnitPoint {
    double u = 0;
    double v = 0;
    friend bool operator==(const UnitPoint &, const UnitPoint &) = default;
};

struct UnitLine {
    UnitPoint from;
    UnitPoint to;
};

/// Left, top, width and height of the user coordinate system.
struct UserScale {
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;

    /// The scale that puts (x1, y1) at the upper-left and (x2, y2) at the
    /// lower-right corner.
    static UserScale fromCorners(double x1, double y1, double x2, double y2);

    /// Maps a user point linearly onto the unit square of the drawing area.
    /// Inline: a picture maps two points for each of its thousand lines.
    UnitPoint toUnit(double x, double y) const { return {(x - left) / width, (y - top) / height}; }
};

/// True when the point lies in the unit square, edges included (not NaN).
inline bool isInUnitSquare(UnitPoint p) {
    return p.u >= 0 && p.u <= 1 && p.v >= 0 && p.v <= 1;
}

/// Cuts a line to the unit square; empty when nothing of it lies inside or
/// when an end point is not a finite number.
std::optional<UnitLine> clipToUnitSquare(UnitLine line);

} // namespace wavywall
