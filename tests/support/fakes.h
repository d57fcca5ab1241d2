// Stand-ins for the window around the flow model: text boxes held as plain
// strings and a message box that only records what it was asked to show.
// Plain C++, shared by the tests, the fuzzers and the benchmarks.
#pragma once

#include "model/flowmodel.h"
#include "model/heldinputs.h"
#include "model/messagelist.h"
#include "tests/support/recordingcanvas.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace wavywall::testing {

/// A message box that only counts, so that millions of Mach-one
/// recalculations in a benchmark leave no trace behind.
class SilentMessenger final : public Messenger {
public:
    int shown = 0;
    void MsgBox(std::u16string_view) override { ++shown; }
};

/// A flow model wired to recording canvases, loaded as the window loads it.
struct ModelRig {
    HeldInputs boxes;
    RecordingCanvas flowCanvas;
    RecordingCanvas pressureCanvas;
    MessageList messages;
    FlowModel model{boxes, flowCanvas, pressureCanvas, messages};

    ModelRig() { model.Form_Load(); }
};

/// A flow state as the load handler leaves it, with the given Beta and H.
inline FlowState loadedState(double Beta, double H) {
    FlowState s;
    s.Pi = std::atan(1.0) * 4;
    s.TwoPi = 2 * s.Pi;
    s.N = 100;
    s.L = 1;
    s.Beta = Beta;
    s.H = H;
    return s;
}

/// Relative agreement to about twelve significant digits.
inline bool agrees12(double actual, double expected) {
    return std::abs(actual - expected) <= 5e-12 * std::max(std::abs(expected), 1e-300);
}

} // namespace wavywall::testing
