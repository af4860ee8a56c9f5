// Reading a 40,000-value data file from its bytes, and the basic statistics of 40,000 values.

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "stats/BasicStatistics.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

std::vector<double> sampleValues() {
    std::mt19937_64 rng(42);
    std::normal_distribution<double> dist(5.2, 0.6);
    std::vector<double> x(40000);
    for (double& v : x)
        v = dist(rng);
    return x;
}

std::string fileBytes() {
    std::string bytes;
    char buf[32];
    for (double v : sampleValues()) {
        std::snprintf(buf, sizeof buf, "%.2f\r\n", v);
        bytes += buf;
    }
    return bytes;
}

void BM_ReadDataFile40k(benchmark::State& state) {
    const std::string bytes = fileBytes();
    int segments = 0;
    kl::DataReadHooks hooks;
    hooks.fillSegment = [&](int) { ++segments; };
    hooks.cancelRequested = [] { return false; };
    for (auto _ : state) {
        kl::DataReadResult r = kl::readDataFile(bytes, hooks);
        benchmark::DoNotOptimize(r.values.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadDataFile40k)->Unit(benchmark::kMillisecond);

void BM_BasicStatistics40k(benchmark::State& state) {
    kl::DataSet data;
    char buf[32];
    for (double v : sampleValues()) {
        std::snprintf(buf, sizeof buf, "%.2f", v);
        data.values.emplace_back(buf);
    }
    for (auto _ : state) {
        // From the value texts, as every computation converts them afresh.
        kl::StatisticsOutcome r = kl::computeBasicStatistics(data);
        benchmark::DoNotOptimize(r.statistics.mean);
    }
}
BENCHMARK(BM_BasicStatistics40k)->Unit(benchmark::kMillisecond);

} // namespace
