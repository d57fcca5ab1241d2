// Each plot procedure alone onto a recording canvas: the arithmetic of the
// picture and the cost of handing its lines over, without any painting.
#include "bench/flowinputs.h"
#include "bench/spread.h"
#include "model/flowmodel.h"
#include "model/flowplot.h"
#include "model/pressureplot.h"
#include "tests/support/fakes.h"
#include "tests/support/recordingcanvas.h"

#include <benchmark/benchmark.h>

namespace {

using namespace wavywall;
using namespace wavywall::bench;

// The flow state as a press of the button leaves it for the given texts.
FlowState stateFor(const FlowInput &input) {
    HeldInputs boxes;
    boxes.moo = input.moo;
    boxes.hbl = input.hbl;
    RecordingCanvas flowCanvas;
    RecordingCanvas pressureCanvas;
    testing::SilentMessenger messenger;
    FlowModel model(boxes, flowCanvas, pressureCanvas, messenger);
    model.Form_Load();
    model.Command1_Click();
    return model.state();
}

const FlowInput &inputOf(const benchmark::State &state) {
    return flowInputs[static_cast<std::size_t>(state.range(0))];
}

// The canvas forgets its log each time (keeping its memory), as a plot box
// forgets its lines on every clear.
void BM_FlowPlotCompute(benchmark::State &state) {
    const FlowState flow = stateFor(inputOf(state));
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.reset();
        akım_çiz(flow, canvas);
        benchmark::DoNotOptimize(canvas.lines().data());
    }
    state.SetLabel(inputOf(state).name);
    state.counters["lines"] = static_cast<double>(canvas.lines().size());
}
BENCHMARK(BM_FlowPlotCompute)
    ->Apply(wavywall::bench::withSpread)
    ->DenseRange(0, static_cast<int>(flowInputs.size()) - 1);

void BM_PressurePlotCompute(benchmark::State &state) {
    const FlowState flow = stateFor(inputOf(state));
    RecordingCanvas canvas;
    testing::SilentMessenger messenger;
    for (auto _ : state) {
        canvas.reset();
        basınç_çiz(flow, canvas, messenger);
        benchmark::DoNotOptimize(canvas.lines().data());
    }
    state.SetLabel(inputOf(state).name);
    state.counters["lines"] = static_cast<double>(canvas.lines().size());
}
BENCHMARK(BM_PressurePlotCompute)
    ->Apply(wavywall::bench::withSpread)
    ->DenseRange(0, static_cast<int>(flowInputs.size()) - 1);

// Both plots as one recalculation draws them, still without painting.
void BM_BothPlotsCompute(benchmark::State &state) {
    const FlowState flow = stateFor(inputOf(state));
    RecordingCanvas flowCanvas;
    RecordingCanvas pressureCanvas;
    testing::SilentMessenger messenger;
    for (auto _ : state) {
        flowCanvas.reset();
        pressureCanvas.reset();
        akım_çiz(flow, flowCanvas);
        basınç_çiz(flow, pressureCanvas, messenger);
        benchmark::DoNotOptimize(pressureCanvas.lines().data());
    }
    state.SetLabel(inputOf(state).name);
}
BENCHMARK(BM_BothPlotsCompute)
    ->Apply(wavywall::bench::withSpread)
    ->DenseRange(0, static_cast<int>(flowInputs.size()) - 1);

} // namespace
