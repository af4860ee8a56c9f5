// The reference-interval analysis of `klepsydra interval` on 40,000 values: the data file read,
// both outlier screens, every method, 1,000 bootstrap resamples on both cores; and the window's
// recomputation after a suspect is ticked (no bootstrap). Laboratory values are rounded (0.1 here);
// unrounded values (every value distinct) are measured too, as the costlier case. Argument 1:
// rounded, 0: unrounded. CPU time is the whole process's, both threads.

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "refint/HealthySample.h"
#include "refint/IntervalAnalysis.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace kl::refint;

std::vector<double> values(double resolution) {
    return healthySample({0.5, 12, 1, resolution}, 40000, 2026);
}

std::string fileBytes(double resolution) {
    std::string bytes;
    char buf[32];
    for (double v : values(resolution)) {
        std::snprintf(buf, sizeof buf, resolution > 0 ? "%.1f\r\n" : "%.6f\r\n", v);
        bytes += buf;
    }
    return bytes;
}

void BM_IntervalCommand(benchmark::State& state) {
    const double resolution = state.range(0) ? 0.1 : 0;
    const std::string bytes = fileBytes(resolution);
    const AnalysisOptions options{{1000, 1, 2}, TargetInterval{60, 200}};
    for (auto _ : state) {
        kl::DataReadResult read = kl::readDataFile(bytes);
        GroupAnalysis g = analyseGroup("bench", kl::leadingNumbers(read.values), Screen::Tukey, options);
        benchmark::DoNotOptimize(g.intervals.rows.data());
    }
}
BENCHMARK(BM_IntervalCommand)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_IntervalRecompute(benchmark::State& state) {
    const double resolution = state.range(0) ? 0.1 : 0;
    GroupAnalysis g = screenGroup("bench", values(resolution));
    const AnalysisOptions options{{0, 1, 2}, TargetInterval{60, 200}};
    std::vector<std::size_t> suspects = g.tukey.suspects;
    std::size_t tick = 0;
    for (auto _ : state) {
        // Tick one more suspect each time, as a user going down the list.
        std::vector<std::size_t> leftOut(
            suspects.begin(), suspects.begin() + static_cast<long>(tick++ % (suspects.size() + 1)));
        recompute(g, leftOut, options);
        benchmark::DoNotOptimize(g.intervals.rows.data());
    }
}
BENCHMARK(BM_IntervalRecompute)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
