// The drawing surface the plots draw on: a rectangle with a coordinate system
// of the plot's own choosing and three operations, and a fourth that joins
// points in one colour. The flow model sees only this interface, so it can
// be exercised and measured without any window.
#pragma once

#include "canvas/colour.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace wavywall {

class Canvas {
public:
    virtual ~Canvas() = default;

    /// Fills the drawing area with its background, erasing every line.
    virtual void Cls() = 0;

    /// Makes (x1, y1) the upper-left and (x2, y2) the lower-right corner.
    virtual void Scale(double x1, double y1, double x2, double y2) = 0;

    /// Draws one straight line between two user points in the given colour,
    /// clipped to the drawing area.
    virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;

    /// Draws the lines between consecutive points (x[k], y[k]) in one
    /// colour: what Line does for each pair in turn, and so by default; a
    /// canvas that maps points may map each point once instead of twice.
    virtual void Polyline(std::span<const float> x, std::span<const float> y, Colour colour) {
        const std::size_t count = std::min(x.size(), y.size());
        for (std::size_t k = 1; k < count; ++k) {
            Line(x[k - 1], y[k - 1], x[k], y[k], colour);
        }
    }

protected:
    Canvas() = default;
    Canvas(const Canvas &) = default;
    Canvas &operator=(const Canvas &) = default;
};

/// A plot's user scale: the corners that Scale makes its upper-left
/// (left, top) and lower-right (right, bottom) corners.
struct PictureScale {
    double left, top, right, bottom;
};

/// Sets a canvas to a plot's user scale.
inline void setScale(Canvas &canvas, const PictureScale &scale) {
    canvas.Scale(scale.left, scale.top, scale.right, scale.bottom);
}

/// Narrows a computed coordinate to the single precision that Line takes.
/// Values beyond the float range saturate at the largest float instead of
/// becoming infinite (which a plain cast would leave undefined). Inline:
/// every plot calls it four times a line.
inline float toSingle(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::isnan(value)) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    if (std::abs(value) > largest) {
        return static_cast<float>(std::copysign(largest, value));
    }
    return static_cast<float>(value);
}

} // namespace wavywall
