// The paste scan of a full clipboard: 10,000 values as a spreadsheet column, and as a TAB block.
#include "data/PasteScanner.h"

#include <benchmark/benchmark.h>

#include <string>
#include <unistd.h>

namespace {

std::string clipboard(int n, const char* separator) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += std::to_string(100 + (i * 37) % 900) + "." + std::to_string(i % 10) + separator;
    return s;
}

void pasteColumn(benchmark::State& state) {
    const std::string text = clipboard(10000, "\r\n");
    int blocks = 0;
    kl::PasteHooks hooks;
    hooks.showBlocks = [&](int b) { blocks = b; };
    hooks.cancelRequested = [] { return false; };
    for (auto _ : state) {
        kl::PasteResult r = kl::scanPasteText(text, hooks);
        benchmark::DoNotOptimize(r.values.data());
    }
    state.counters["blocks"] = blocks;
}
BENCHMARK(pasteColumn)->Unit(benchmark::kMillisecond);

void pasteTabBlock(benchmark::State& state) {
    const std::string text = clipboard(10000, "\t");
    for (auto _ : state) {
        kl::PasteResult r = kl::scanPasteText(text, {});
        benchmark::DoNotOptimize(r.values.data());
    }
}
BENCHMARK(pasteTabBlock)->Unit(benchmark::kMillisecond);

// A 1 MB clipboard (about 150,000 values, so the 10,000 cap applies) must paste in well under
// 50 ms of CPU. Each poll of the cancel key here costs what a look at the keyboard state costs
// a window (a system call), so a poll per byte would show.
void pasteOneMegabyte(benchmark::State& state) {
    std::string text;
    for (int i = 0; text.size() < (1u << 20); ++i)
        text += std::to_string(100 + (i * 37) % 900) + "." + std::to_string(i % 10) + "\r\n";
    int polls = 0;
    kl::PasteHooks hooks;
    hooks.showBlocks = [](int) {};
    hooks.cancelRequested = [&] {
        ++polls;
        return ::getppid() == 0;
    };
    for (auto _ : state) {
        kl::PasteResult r = kl::scanPasteText(text, hooks);
        benchmark::DoNotOptimize(r.values.data());
    }
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["polls"] = benchmark::Counter(polls, benchmark::Counter::kAvgIterations);
}
BENCHMARK(pasteOneMegabyte)->Unit(benchmark::kMillisecond);

} // namespace
