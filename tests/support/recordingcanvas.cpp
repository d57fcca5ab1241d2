#include "tests/support/recordingcanvas.h"

namespace wavywall {

void RecordingCanvas::Cls() {
    m_operations.push_back(Op::Cls);
    m_lines.clear();
    ++m_clearCount;
}

void RecordingCanvas::Scale(double x1, double y1, double x2, double y2) {
    m_operations.push_back(Op::Scale);
    m_scales.push_back({x1, y1, x2, y2});
}

void RecordingCanvas::Line(float x1, float y1, float x2, float y2, Colour colour) {
    m_operations.push_back(Op::Line);
    m_lines.push_back({x1, y1, x2, y2, colour});
}

void RecordingCanvas::reset() {
    m_operations.clear();
    m_lines.clear();
    m_scales.clear();
    m_clearCount = 0;
}

} // namespace wavywall
