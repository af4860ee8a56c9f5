// `klepsydra stats FILE`: the statistics block of the main window, as plain text.

#include "cli/Batch.h"
#include "cli/BatchTable.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "stats/BasicStatistics.h"

namespace kl::cli {

namespace {

void printMessages(const std::vector<Message>& messages, std::ostream& err) {
    for (const Message& m : messages)
        printMessageText(m, err);
}

} // namespace

int stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        err << "usage: klepsydra stats FILE\n";
        return 64;
    }
    // A file that cannot be read gives no values, as in the window: the too-few refusal.
    DataReadResult read = readDataFileAt(args[0]);
    printMessages(read.messages, err);
    if (read.status != ReadStatus::Ok) return 1;

    std::vector<double> x = leadingNumbers(read.values);
    StatisticsOutcome result = computeBasicStatistics(std::span<const double>(x));
    for (const StatisticsLine& line : result.lines)
        out << line.text << '\n';
    if (!result.suitable) {
        if (result.message) printMessages({*result.message}, err);
        return 1;
    }
    return 0;
}

} // namespace kl::cli
