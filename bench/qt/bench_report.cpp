// `klepsydra report` over 40,000 values: load, table, graph, page plan and the PDF written.
// Run: ./bench/klepsydra_bench_qt --benchmark_filter=Report

#include "cli/Batch.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path& folder() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "klepsydra-bench-report";
        fs::create_directories(d / "wd");
        std::mt19937 gen(5);
        std::normal_distribution<double> dist(100, 15);
        std::ofstream out(d / "values.csv");
        out.setf(std::ios::fixed);
        out.precision(2);
        for (int i = 0; i < 40000; ++i)
            out << dist(gen) << "\r\n";
        return d;
    }();
    return dir;
}

void run(benchmark::State& state, std::vector<std::string> extra) {
    const fs::path& d = folder();
    std::vector<std::string> args{(d / "values.csv").string(), "--workdir", (d / "wd").string(), "--pdf",
                                  (d / "page.pdf").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    for (auto _ : state) {
        std::ostringstream out, err;
        if (kl::cli::report(args, out, err) != 0) state.SkipWithError("report failed");
    }
}

void BM_ReportPlain(benchmark::State& state) {
    run(state, {});
}
BENCHMARK(BM_ReportPlain)->Unit(benchmark::kMillisecond);

void BM_ReportEveryOption(benchmark::State& state) {
    run(state,
        {"--print-theory", "--print-reference", "--print-interval", "--print-plot", "--print-statistics"});
}
BENCHMARK(BM_ReportEveryOption)->Unit(benchmark::kMillisecond);

void BM_ReportEveryOption3D(benchmark::State& state) {
    run(state, {"--scheme", "3", "--print-theory", "--print-reference", "--print-interval", "--print-plot",
                "--print-statistics"});
}
BENCHMARK(BM_ReportEveryOption3D)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
