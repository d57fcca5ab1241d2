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

} // namespace wavywall
