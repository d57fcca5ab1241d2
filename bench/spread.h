// The spread of repeated runs: with --benchmark_repetitions, each benchmark
// reports its fastest and slowest repetition beside Google Benchmark's mean,
// median and deviation, so that a figure on a shared machine can be read
// together with how far it wandered.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace wavywall::bench {

inline void withSpread(benchmark::internal::Benchmark *b) {
    b->ComputeStatistics(
        "min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
    b->ComputeStatistics(
        "max", [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); });
}

} // namespace wavywall::bench
