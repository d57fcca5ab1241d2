// A canvas that keeps a log of what was asked of it instead of drawing: the
// plots' output as data, exactly as the floats were handed over, for tests,
// benchmarks and fuzzing.
#pragma once

#include "canvas/canvas.h"

#include <vector>

namespace wavywall {

struct RecordedLine {
    float x1;
    float y1;
    float x2;
    float y2;
    Colour colour;
};

struct RecordedScale {
    double x1;
    double y1;
    double x2;
    double y2;
};

class RecordingCanvas final : public Canvas {
public:
    enum class Op { Cls, Scale, Line };

    void Cls() override;
    void Scale(double x1, double y1, double x2, double y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;

    /// Forgets everything recorded so far.
    void reset();

    /// Every operation in the order it was asked for.
    const std::vector<Op> &operations() const { return m_operations; }
    /// The lines drawn since the last Cls.
    const std::vector<RecordedLine> &lines() const { return m_lines; }
    /// Every scale set, oldest first.
    const std::vector<RecordedScale> &scales() const { return m_scales; }
    int clearCount() const { return m_clearCount; }

private:
    std::vector<Op> m_operations;
    std::vector<RecordedLine> m_lines;
    std::vector<RecordedScale> m_scales;
    int m_clearCount = 0;
};

} // namespace wavywall
