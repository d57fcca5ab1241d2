// What the validity verdict and the second-order layer add to a recalculation:
// the verdict alone, the layer alone onto a recording canvas, and the flow
// model's whole recalculation onto recording canvases with the layer off and
// on.
#include "bench/flowinputs.h"
#include "bench/spread.h"
#include "model/flowmodel.h"
#include "model/secondorder.h"
#include "model/validity.h"
#include "tests/support/fakes.h"
#include "tests/support/recordingcanvas.h"

#include <benchmark/benchmark.h>

namespace {

using namespace wavywall;
using namespace wavywall::bench;

const FlowInput &inputOf(const benchmark::State &state) {
    return flowInputs[static_cast<std::size_t>(state.range(0))];
}

struct Model {
    HeldInputs boxes;
    RecordingCanvas flowCanvas;
    RecordingCanvas pressureCanvas;
    RecordingCanvas layer;
    testing::SilentMessenger messenger;
    FlowModel model{boxes, flowCanvas, pressureCanvas, messenger};

    explicit Model(const FlowInput &input) {
        boxes.moo = input.moo;
        boxes.hbl = input.hbl;
        model.Form_Load();
    }
    void recalculate() {
        flowCanvas.reset();
        pressureCanvas.reset();
        layer.reset();
        model.Command1_Click();
    }
};

void BM_AssessValidity(benchmark::State &state) {
    Model m(inputOf(state));
    m.model.Command1_Click();
    const double Moo = *m.model.lastRecalculation()->Moo;
    const double HbL = *m.model.lastRecalculation()->HbL;
    for (auto _ : state) {
        benchmark::DoNotOptimize(assessValidity(Moo, HbL));
    }
    state.SetLabel(inputOf(state).name);
}
BENCHMARK(BM_AssessValidity)
    ->Apply(wavywall::bench::withSpread)
    ->DenseRange(0, static_cast<int>(flowInputs.size()) - 1);

void BM_SecondOrderCompute(benchmark::State &state) {
    Model m(inputOf(state));
    m.model.Command1_Click();
    RecordingCanvas layer;
    for (auto _ : state) {
        layer.reset();
        ikinci_mertebe_çiz(m.model.state(), layer);
        benchmark::DoNotOptimize(layer.lines().data());
    }
    state.SetLabel(inputOf(state).name);
}
BENCHMARK(BM_SecondOrderCompute)
    ->Apply(wavywall::bench::withSpread)
    ->DenseRange(0, static_cast<int>(flowInputs.size()) - 1);

// The second argument turns the layer on.
void BM_ModelRecalculation(benchmark::State &state) {
    Model m(inputOf(state));
    if (state.range(1) != 0) {
        m.model.setSecondOrderLayer(&m.layer);
    }
    for (auto _ : state) {
        m.recalculate();
        benchmark::DoNotOptimize(m.pressureCanvas.lines().data());
    }
    state.SetLabel(inputOf(state).name + std::string(state.range(1) ? ",layer on" : ",layer off"));
}
BENCHMARK(BM_ModelRecalculation)
    ->Apply(wavywall::bench::withSpread)
    ->ArgsProduct({benchmark::CreateDenseRange(0, static_cast<int>(flowInputs.size()) - 1, 1),
                   {0, 1}});

} // namespace
