// Speed and memory of the indirect methods: inverse modelling on 100,000 values (CPU time), and
// 10,000,000 values read from a file and run through every method (wall time), with the heap's
// peak above the values themselves in bytes per value.
//
// Run: build/bench/indirect/klepsydra_bench_indirect --benchmark_repetitions=5

#include "data/ColumnReader.h"
#include "indirect/Analysis.h"
#include "indirect/Generator.h"
#include "text/FileIO.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

namespace {

// The heap in use and its peak, counted by the replaced global operator new below.
std::atomic<long long> heapNow{0}, heapPeak{0};

void countAlloc(long long bytes) {
    long long now = heapNow.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    long long peak = heapPeak.load(std::memory_order_relaxed);
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

} // namespace

// Each block carries its size in front of it, so that delete can count it back.
void* operator new(std::size_t n) {
    auto* p = static_cast<std::max_align_t*>(std::malloc(n + sizeof(std::max_align_t)));
    if (!p) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(p) = n;
    countAlloc(static_cast<long long>(n));
    return p + 1;
}
void operator delete(void* q) noexcept {
    if (!q) return;
    auto* p = static_cast<std::max_align_t*>(q) - 1;
    countAlloc(-static_cast<long long>(*reinterpret_cast<std::size_t*>(p)));
    std::free(p);
}
void operator delete(void* q, std::size_t) noexcept {
    operator delete(q);
}

namespace {

using namespace kl;
using namespace kl::indirect;

std::vector<double> mixtureValues(std::size_t n, double resolution) {
    MixtureParameters mixture;
    mixture.lambda = 0.2;
    mixture.pathologicalShare = 0.2;
    mixture.count = n;
    mixture.resolution = resolution;
    mixture.seed = 2026;
    return generateMixture(mixture).values;
}

void BM_InverseModel100k(benchmark::State& state) {
    const std::vector<double> values = mixtureValues(100000, 1);
    for (auto _ : state) {
        std::vector<double> v = values;
        const Method inverse[] = {Method::InverseModel};
        Analysis a = analyse(v, inverse); // sorting, the resolution and the model
        benchmark::DoNotOptimize(a.inverse->estimate.upper);
    }
}
BENCHMARK(BM_InverseModel100k)->Unit(benchmark::kMillisecond);

// A laboratory export of 10,000,000 results: id, sex and the value with one decimal.
std::string bigExport() {
    std::string path = (std::filesystem::temp_directory_path() / "klepsydra-bench-10M.csv").string();
    if (std::filesystem::exists(path)) return path;
    std::vector<double> values = mixtureValues(10000000, 0.1);
    std::string bytes = "id,sex,GLU\n";
    bytes.reserve(values.size() * 18);
    char line[64];
    for (std::size_t i = 0; i < values.size(); ++i) {
        int n = std::snprintf(line, sizeof line, "%zu,%c,%.1f\n", i, i % 2 ? 'F' : 'M', values[i]);
        bytes.append(line, static_cast<std::size_t>(n));
    }
    writeFileAtomic(path, bytes);
    return path;
}

void BM_Read10MAndAllMethods(benchmark::State& state) {
    const std::string path = bigExport();
    double bytesPerValue = 0;
    for (auto _ : state) {
        long long before = heapNow.load();
        heapPeak.store(before);
        ColumnReadResult read = readColumnFile(path, {"GLU", "", true});
        std::vector<double> values = std::move(read.groups[0].values);
        Analysis a = analyse(values, kMethods);
        benchmark::DoNotOptimize(a.inverse->estimate.upper);
        double valueBytes = 8.0 * static_cast<double>(values.size());
        bytesPerValue = (static_cast<double>(heapPeak.load() - before) - valueBytes) / values.size();
        state.counters["values"] = static_cast<double>(values.size());
    }
    state.counters["heap_bytes_per_value_above_values"] = bytesPerValue;
}
BENCHMARK(BM_Read10MAndAllMethods)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
