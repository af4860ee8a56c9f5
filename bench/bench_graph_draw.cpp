// A full redraw of the graph window into an offscreen image: 2,000 values in 50 classes, both
// curves, the reference range and the 95 % interval on, in each colour scheme (goal: < 16 ms CPU).

#include "graph/GraphPainter.h"
#include "platform/qt/QtCanvas.h"
#include "text/Mask.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

struct Data {
    std::vector<std::string> texts;
    std::vector<double> values;
    Data() {
        std::mt19937 rng(7);
        std::normal_distribution<double> normal(100, 10);
        for (int i = 0; i < 2000; ++i) {
            texts.push_back(kl::formatMaskTrim(normal(rng), "####.##"));
            values.push_back(std::stod(texts.back()));
        }
    }
};

void BM_GraphWindowRedraw(benchmark::State& state) {
    static const Data data;
    kl::GraphInput in;
    in.values = data.values;
    in.texts = data.texts;
    in.classes = {50, 150, 2, 50, false};
    in.scheme = static_cast<kl::GraphScheme>(state.range(0));
    in.reference = {"80", "120", "50", "150"};
    const kl::GraphView view{true, true, true, "File Name：/data/bench.csv (N=2000)"};
    QImage image(1024, 768, QImage::Format_RGB32);
    kl::QtCanvas canvas(&image);
    for (auto _ : state) {
        kl::GraphDrawing d = kl::paintGraphWindow(canvas, in, view);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_GraphWindowRedraw)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
