// What a plot leaves on its canvas, as data every front end can paint: the
// visible parts of the lines drawn since the last Cls, clipped to the drawing
// area and kept in unit coordinates ((0, 0) upper-left, (1, 1) lower-right),
// in drawing order. The desktop's plot box and the web page both paint this
// list; neither maps or clips a line itself, so both show the same picture.
#pragma once

#include "canvas/canvas.h"
#include "canvas/userscale.h"

#include <cstddef>
#include <vector>

namespace wavywall {

class DisplayList final : public Canvas {
public:
    struct PlotLine {
        UnitLine line;
        Colour colour;
    };

    DisplayList();

    void Cls() override;
    void Scale(double x1, double y1, double x2, double y2) override;
    /// Inline: a picture hands over a thousand lines per recalculation, and a
    /// plot box keeps them through this call.
    /// Most lines lie wholly inside and are kept as they are mapped; only the
    /// others go through the clipping.
    void Line(float x1, float y1, float x2, float y2, Colour colour) override {
        const UnitLine unit{m_scale.toUnit(x1, y1), m_scale.toUnit(x2, y2)};
        keep(unit, isInUnitSquare(unit.from) && isInUnitSquare(unit.to), colour);
    }

    /// The same lines as Line would keep, each point mapped once.
    void Polyline(std::span<const float> x, std::span<const float> y, Colour colour) override;

    /// The visible line pieces since the last Cls, in drawing order.
    const std::vector<PlotLine> &lines() const { return m_lines; }

private:
    // Keeps a mapped line, whole when both ends lie inside, else its visible
    // piece, if any.
    void keep(const UnitLine &unit, bool inside, Colour colour) {
        if (inside) {
            m_lines.push_back({unit, colour});
        } else if (const auto visible = clipToUnitSquare(unit)) {
            m_lines.push_back({*visible, colour});
        }
    }

    UserScale m_scale;
    std::vector<PlotLine> m_lines;
};

} // namespace wavywall
