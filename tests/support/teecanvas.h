// A canvas that hands every operation to two others, so that one run checks
// both what a plot asked for (a recording canvas) and what a second canvas
// kept of it (a display list or a plot box).
#pragma once

#include "canvas/canvas.h"

namespace wavywall::testing {

class TeeCanvas final : public Canvas {
public:
    TeeCanvas(Canvas &first, Canvas &second)
        : m_first(first)
        , m_second(second) {}

    void Cls() override {
        m_first.Cls();
        m_second.Cls();
    }
    void Scale(double x1, double y1, double x2, double y2) override {
        m_first.Scale(x1, y1, x2, y2);
        m_second.Scale(x1, y1, x2, y2);
    }
    void Line(float x1, float y1, float x2, float y2, Colour colour) override {
        m_first.Line(x1, y1, x2, y2, colour);
        m_second.Line(x1, y1, x2, y2, colour);
    }
    void Polyline(std::span<const float> x, std::span<const float> y, Colour colour) override {
        m_first.Polyline(x, y, colour);
        m_second.Polyline(x, y, colour);
    }

private:
    Canvas &m_first;
    Canvas &m_second;
};

} // namespace wavywall::testing
