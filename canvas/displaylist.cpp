#include "canvas/displaylist.h"

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

void DisplayList::Scale(double x1, double y1, double x2, double y2) {
    m_scale = UserScale::fromCorners(x1, y1, x2, y2);
}

void DisplayList::Line(float x1, float y1, float x2, float y2, Colour colour) {
    const UnitLine unit{m_scale.toUnit(x1, y1), m_scale.toUnit(x2, y2)};
    if (const auto visible = clipToUnitSquare(unit)) {
        m_lines.push_back({*visible, colour});
    }
}

} // namespace wavywall
