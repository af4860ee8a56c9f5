// A full redraw of the graph window into an offscreen image: 2,000 values in 50 classes, both
// curves, the reference range and the 95 % interval on, in each colour scheme (goal: < 16 ms CPU);
// then the same into a shown window surface, its repaint included.

#include "graph/GraphPainter.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/SurfaceWidget.h"
#include "text/Mask.h"

#include <QApplication>
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

kl::GraphInput benchInput(const Data& data, benchmark::State& state) {
    kl::GraphInput in;
    in.values = data.values;
    in.texts = data.texts;
    in.classes = {50, 150, 2, 50, false};
    in.scheme = static_cast<kl::GraphScheme>(state.range(0));
    in.reference = {"80", "120", "50", "150"};
    return in;
}

const kl::GraphView kView{true, true, true, "File Name：/data/bench.csv (N=2000)"};

void BM_GraphWindowRedraw(benchmark::State& state) {
    static const Data data;
    const kl::GraphInput in = benchInput(data, state);
    const kl::GraphView& view = kView;
    QImage image(1024, 768, QImage::Format_RGB32);
    kl::QtCanvas canvas(&image);
    for (auto _ : state) {
        kl::GraphDrawing d = kl::paintGraphWindow(canvas, in, view);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_GraphWindowRedraw)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_GraphWindowSurfaceRedraw(benchmark::State& state) {
    static const Data data;
    const kl::GraphInput in = benchInput(data, state);
    kl::SurfaceWidget surface(QStringLiteral("PICTURE"), QSize(1024, 768));
    surface.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        kl::GraphDrawing d = kl::paintGraphWindow(surface.canvas(), in, kView);
        benchmark::DoNotOptimize(d);
        surface.repaint(); // what the window shows after a redraw
    }
}
BENCHMARK(BM_GraphWindowSurfaceRedraw)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
