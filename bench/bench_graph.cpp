// The whole graph picture (recount, scale, fit, theoretical and smoothed curves, probit points and
// crossings) for 40,000 values over 50 and 100 classes.

#include "graph/GraphComputation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

struct GraphData {
    std::vector<double> values;
    std::vector<std::string> texts;
};

const GraphData& graphData() {
    static const GraphData data = [] {
        GraphData d;
        std::mt19937_64 rng(20261207);
        std::normal_distribution<double> normal(100, 15);
        char buf[32];
        for (int k = 0; k < 40000; ++k) {
            double v = std::round(normal(rng) * 10) / 10;
            d.values.push_back(v);
            std::snprintf(buf, sizeof buf, "%.1f", v);
            d.texts.push_back(buf);
        }
        return d;
    }();
    return data;
}

void BM_GraphPicture(benchmark::State& state) {
    const GraphData& d = graphData();
    const int classes = static_cast<int>(state.range(0));
    const double interval = 120.0 / classes;
    kl::GraphInput in{d.values,
                      d.texts,
                      kl::GraphClasses{40, 160, interval, classes, false},
                      1,
                      5000,
                      kl::GraphScheme::TwoD,
                      kl::ReferenceTexts{"70", "130", "40", "160"}};
    for (auto _ : state) {
        kl::GraphPicture g = kl::computeGraphPicture(in);
        if (g.failure) state.SkipWithError("the graph refused the data");
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_GraphPicture)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
