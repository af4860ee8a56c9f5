// TABLE over 40,000 values with 50 classes, alone and on the whole road from the file's bytes
// (read, numbers, statistics, proposal, TABLE) as a load runs it.

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "refrange/ReferenceMaster.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

// 40,000 serum-protein-like values with two decimals, one a line, CR LF.
std::string tableFileBytes() {
    std::mt19937 rng(20261207);
    std::normal_distribution<double> dist(7.2, 0.45);
    std::string bytes;
    char buf[32];
    for (int i = 0; i < 40000; ++i) {
        int n = std::snprintf(buf, sizeof buf, "%.2f\r\n", dist(rng));
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    return bytes;
}

const kl::ParameterFields kFifty{"0.05", "5.70", "50", "8.20"};

void BM_Table40kValues50Classes(benchmark::State& state) {
    const std::string bytes = tableFileBytes();
    const std::vector<double> values = kl::leadingNumbers(kl::readDataFile(bytes).values);
    const kl::ParameterContext ctx{2, "4.00", "9.00"};
    for (auto _ : state) {
        kl::TableState tableState;
        kl::TableOutcome out = kl::runTable(kFifty, values, ctx, state.range(0) != 0, tableState);
        benchmark::DoNotOptimize(out.rows.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(values.size()));
}
BENCHMARK(BM_Table40kValues50Classes)->Arg(0)->Arg(1)->ArgName("fold")->Unit(benchmark::kMicrosecond);

void BM_TableFromFileBytes40k(benchmark::State& state) {
    const std::string bytes = tableFileBytes();
    const kl::ItemList items = kl::buildItemList({{"TP", "6.6", "8.1"}});
    for (auto _ : state) {
        kl::DataReadResult read = kl::readDataFile(bytes);
        std::vector<double> values = kl::leadingNumbers(read.values);
        kl::StatisticsOutcome stats = kl::computeBasicStatistics(std::span<const double>(values));
        kl::ParameterContext ctx{2, kl::keptNumberText(stats.statistics.minimum),
                                 kl::keptNumberText(stats.statistics.maximum)};
        kl::ClassProposal proposal = kl::proposeClassParameters(items, 2, ctx);
        kl::ParameterFields fields = proposal.fields;
        fields.classes = "50";
        kl::TableState tableState;
        kl::TableOutcome out = kl::runTable(fields, values, ctx, false, tableState);
        if (out.result != kl::TableResult::Built) state.SkipWithError("no table built");
        benchmark::DoNotOptimize(out.rows.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(bytes.size()));
}
BENCHMARK(BM_TableFromFileBytes40k)->Unit(benchmark::kMillisecond);

} // namespace
