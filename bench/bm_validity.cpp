// What the validity verdict and the layers add to a recalculation: the
// verdict alone, each layer alone onto recording canvases, and the flow
// model's whole recalculation onto recording canvases with the layers off,
// the second order on and the simple wave on.
#include "bench/flowinputs.h"
#include "bench/spread.h"
#include "model/flowmodel.h"
#include "model/secondorder.h"
#include "model/simplewave.h"
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
    RecordingCanvas flowLayer;
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
        flowLayer.reset();
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

// The simple wave is costliest where every wall point has one and the shock
// point is searched for: Moo 2, H/L 0.01; the bench's own inputs are sonic
// almost everywhere.
constexpr FlowInput wholeWave{"Moo=2,HbL=0.01", u"2", u"0.01"};

void BM_ExactCompute(benchmark::State &state) {
    Model m(wholeWave);
    m.model.Command1_Click();
    RecordingCanvas flowLayer;
    RecordingCanvas pressureLayer;
    for (auto _ : state) {
        flowLayer.reset();
        pressureLayer.reset();
        basit_dalga_çiz(m.model.state(), flowLayer, pressureLayer);
        benchmark::DoNotOptimize(pressureLayer.lines().data());
    }
    state.SetLabel(wholeWave.name);
}
BENCHMARK(BM_ExactCompute)->Apply(wavywall::bench::withSpread);

// The whole recalculation at the same inputs, the simple wave off and on.
void BM_ExactRecalculation(benchmark::State &state) {
    Model m(wholeWave);
    if (state.range(0) != 0) {
        m.model.setExactLayers(&m.flowLayer, &m.layer);
    }
    for (auto _ : state) {
        m.recalculate();
        benchmark::DoNotOptimize(m.pressureCanvas.lines().data());
    }
    state.SetLabel(wholeWave.name + std::string(state.range(0) ? ",simple wave on" : ",off"));
}
BENCHMARK(BM_ExactRecalculation)->Apply(wavywall::bench::withSpread)->Arg(0)->Arg(1);

// The second argument turns a layer on: 1 the second order, 2 the simple
// wave.
void BM_ModelRecalculation(benchmark::State &state) {
    Model m(inputOf(state));
    if (state.range(1) == 1) {
        m.model.setSecondOrderLayer(&m.layer);
    } else if (state.range(1) == 2) {
        m.model.setExactLayers(&m.flowLayer, &m.layer);
    }
    for (auto _ : state) {
        m.recalculate();
        benchmark::DoNotOptimize(m.pressureCanvas.lines().data());
    }
    const char *layers[] = {",layers off", ",second order on", ",simple wave on"};
    state.SetLabel(inputOf(state).name + std::string(layers[state.range(1)]));
}
BENCHMARK(BM_ModelRecalculation)
    ->Apply(wavywall::bench::withSpread)
    ->ArgsProduct({benchmark::CreateDenseRange(0, static_cast<int>(flowInputs.size()) - 1, 1),
                   {0, 1, 2}});

} // namespace
