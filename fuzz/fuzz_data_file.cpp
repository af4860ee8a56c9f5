// The data-file reader: whole bytes, the same text given in pieces, and the statistics and
// frequency table of what was read.
#include "FuzzInput.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "data/DataTextReader.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"
#include "text/Cp932.h"

#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kl::DataReadResult whole = kl::readDataFile(bytes);

    bool binary = false;
    const std::string text = kl::decodeTextFile(bytes, &binary);
    if (!binary) {
        const std::size_t piece = size > 0 ? 1 + data[0] % 13 : 1;
        kl::DataTextReader reader(text.size(), {});
        for (std::size_t at = 0; at < text.size(); at += piece)
            reader.feed(std::string_view(text).substr(at, piece));
        kl::DataReadResult cut = reader.finish();
        kl::DataReadResult direct = kl::readDataText(text, text.size());
        kl::fuzz::require(cut.status == direct.status && cut.values == direct.values &&
                          cut.messages == direct.messages && cut.columns == direct.columns);
    }
    if (whole.status != kl::ReadStatus::Ok) return 0;
    std::vector<double> x = kl::leadingNumbers(whole.values);
    kl::StatisticsOutcome stats = kl::computeBasicStatistics(std::span<const double>(x));
    if (!stats.suitable) return 0;
    kl::ParameterContext ctx{2, kl::keptNumberText(stats.statistics.minimum),
                             kl::keptNumberText(stats.statistics.maximum)};
    kl::TableState state;
    kl::ParameterFields fields{"1", ctx.minText, "10", ""};
    kl::runTable(fields, std::span<const double>(x), ctx, size % 2 == 0, state);
    return 0;
}
