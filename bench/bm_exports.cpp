// What leaving the window costs: both plots' SVG pictures and both CSV
// tables, as the menus and the command line write them, for one state.
#include "canvas/displaylist.h"
#include "model/csvwriter.h"
#include "model/flowplot.h"
#include "model/plotpicture.h"
#include "model/pressureplot.h"
#include "tests/support/fakes.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace wavywall;

FlowState exportedState() {
    return testing::loadedState(std::sqrt(1.5 * 1.5 - 1), 0.05);
}

void BM_ExportPictures(benchmark::State &state) {
    const FlowState flow = exportedState();
    DisplayList flowList;
    DisplayList pressureList;
    testing::SilentMessenger messenger;
    akım_çiz(flow, flowList);
    basınç_çiz(flow, pressureList, messenger);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string a = plotPicture(Plot::flow, flowList.lines());
        const std::string b = plotPicture(Plot::pressure, pressureList.lines());
        bytes = a.size() + b.size();
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportPictures)->Unit(benchmark::kMicrosecond);

void BM_ExportTables(benchmark::State &state) {
    const FlowState flow = exportedState();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string a = flowCsv(flow);
        const std::string b = pressureCsv(flow);
        bytes = a.size() + b.size();
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportTables)->Unit(benchmark::kMicrosecond);

} // namespace
