// What leaving the window costs: both plots' SVG pictures and both CSV
// tables, as the menus and the command line write them, for one state; and
// the tables' number writer beside the one it replaced (17 digits) and
// {fmt}'s shortest form, over the numbers of both tables.
#include "canvas/classicnumbers.h"
#include "canvas/displaylist.h"
#include "model/csvwriter.h"
#include "model/flowplot.h"
#include "model/plotpicture.h"
#include "model/pressureplot.h"
#include "model/shortestnumber.h"
#include "tests/support/fakes.h"

#include <benchmark/benchmark.h>

#ifdef WAVYWALL_BENCH_FMT
#include <fmt/format.h>
#endif

#include <cmath>
#include <vector>

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

// Every number of both tables at Moo 1.5, H/L 0.05: 101 x 21 of the flow
// picture's and 101 x 2 of the pressure plot's.
std::vector<double> tableNumbers() {
    const FlowState flow = exportedState();
    const StreamlineTables s = streamlineTables(flow);
    const PressureTables p = pressureTables(flow);
    std::vector<double> numbers;
    for (int i = 0; i <= flow.N; ++i) {
        for (int j = 0; j <= streamlineCount; ++j) {
            numbers.push_back(s.Xs[i][j]);
            numbers.push_back(s.Ys[i][j]);
        }
        numbers.push_back(p.Xw[i]);
        numbers.push_back(p.Cp[i]);
    }
    return numbers;
}

// 0: the shortest text (the tables' writer), 1: 17 digits (the writer it
// replaced), 2: {fmt}'s shortest form.
void BM_TableNumbers(benchmark::State &state) {
    const std::vector<double> numbers = tableNumbers();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const double value : numbers) {
            std::string text;
            switch (state.range(0)) {
            case 0:
                text = shortestNumber(value);
                break;
            case 1:
                text = ClassicNumbers::format("%.17g", value);
                break;
            default:
#ifdef WAVYWALL_BENCH_FMT
                text = fmt::format("{}", value);
#endif
                break;
            }
            bytes += text.size();
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.counters["numbers"] = static_cast<double>(numbers.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TableNumbers)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
