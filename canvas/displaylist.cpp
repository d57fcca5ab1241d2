#include "canvas/displaylist.h"

#include <algorithm>

namespace wavywall {

namespace {
// A recalculation draws 911 lines; room for them up front keeps drawing free
// of reallocation.
constexpr std::size_t expectedLines = 1024;
} // namespace

DisplayList::DisplayList() {
    m_lines.reserve(expectedLines);
}

void DisplayList::Cls() {
    m_lines.clear();
}

void DisplayList::Polyline(std::span<const float> x, std::span<const float> y, Colour colour) {
    const std::size_t count = std::min(x.size(), y.size());
    if (count == 0) {
        return;
    }
    UnitPoint from = m_scale.toUnit(x[0], y[0]);
    bool fromInside = isInUnitSquare(from);
    for (std::size_t k = 1; k < count; ++k) {
        const UnitPoint to = m_scale.toUnit(x[k], y[k]);
        const bool toInside = isInUnitSquare(to);
        keep({from, to}, fromInside && toInside, colour);
        from = to;
        fromInside = toInside;
    }
}

void DisplayList::Scale(double x1, double y1, double x2, double y2) {
    m_scale = UserScale::fromCorners(x1, y1, x2, y2);
}

} // namespace wavywall
