// `klepsydra stats FILE`: the statistics block of the main window, as plain text.

#include "cli/Batch.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "stats/BasicStatistics.h"
#include "text/FileIO.h"

namespace kl::cli {

namespace {

// Message texts break lines with CR LF; on a terminal a plain line feed reads better.
std::string plainLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

void printMessages(const std::vector<Message>& messages, std::ostream& err) {
    for (const Message& m : messages)
        err << plainLines(m.text) << '\n';
}

} // namespace

int stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        err << "usage: klepsydra stats FILE\n";
        return 64;
    }
    // A file that cannot be read gives no values, as in the window: the too-few refusal.
    std::string bytes = readFileBytes(args[0]).value_or(std::string{});
    DataReadResult read = readDataFile(bytes);
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
