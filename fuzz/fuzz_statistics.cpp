// Statistics, frequency table and graph over any doubles: NaN, infinities, denormals, extremes.
#include "FuzzInput.h"

#include "graph/GraphComputation.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kl::fuzz::Input in(data, size);
    const int decimals = 1 + in.byte() % 4;
    kl::GraphClasses classes;
    classes.lower = in.number();
    classes.interval = in.number();
    classes.count = in.byte();
    classes.upper = classes.lower + classes.interval * classes.count;
    classes.fold = in.byte() % 2 == 1;
    std::vector<double> x;
    while (!in.empty() && x.size() < 2000)
        x.push_back(in.number());
    std::vector<std::string> texts;
    for (double v : x)
        texts.push_back(kl::keptNumberText(v));

    kl::StatisticsOutcome stats = kl::computeBasicStatistics(std::span<const double>(x));
    kl::ParameterContext ctx{decimals, kl::keptNumberText(stats.statistics.minimum),
                             kl::keptNumberText(stats.statistics.maximum)};
    kl::TableState state;
    kl::ParameterFields fields{kl::keptNumberText(classes.interval), kl::keptNumberText(classes.lower),
                               std::to_string(classes.count), ""};
    kl::runTable(fields, std::span<const double>(x), ctx, classes.fold, state);

    kl::GraphInput graph;
    graph.values = x;
    graph.texts = texts;
    graph.classes = classes;
    graph.decimalPlaces = decimals;
    kl::computeGraphPicture(graph);
    return 0;
}
