// `klepsydra interval FILE...`: every direct reference-interval method on a data file, with the
// outlier screens, verification against a target interval and partitioning between groups (a
// second file, or the labels of a group column of a laboratory export).

#include "cli/Batch.h"
#include "cli/BatchCommands.h"
#include "cli/BatchTable.h"
#include "cli/IntervalOutput.h"

#include "data/ColumnReader.h"
#include "data/DataSet.h"
#include "text/FileIO.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace kl::cli {

using namespace refint;

namespace {

struct IntervalArgs {
    std::optional<std::string> groupFile, column, groupColumn;
    Screen exclude = Screen::None;
    AnalysisOptions analysis{{1000, 1, 2}, std::nullopt};
};

std::optional<double> finiteNumber(const std::optional<std::string>& s) {
    if (!s) return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(s->data(), s->data() + s->size(), v);
    if (ec != std::errc() || end != s->data() + s->size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::uint64_t> count(const std::optional<std::string>& s) {
    if (!s) return std::nullopt;
    std::uint64_t v = 0;
    auto [end, ec] = std::from_chars(s->data(), s->data() + s->size(), v);
    if (ec != std::errc() || end != s->data() + s->size()) return std::nullopt;
    return v;
}

OptionRead ownOption(const std::string& a, const NextWord& next, IntervalArgs& o) {
    if (a == "--target") {
        auto lo = finiteNumber(next()), hi = finiteNumber(next());
        if (!lo || !hi || !(*lo < *hi)) return OptionRead::Bad;
        o.analysis.target = TargetInterval{*lo, *hi};
        return OptionRead::Taken;
    }
    if (a == "--exclude-outliers") {
        std::optional<std::string> v = next();
        if (!v || (*v != "dixon" && *v != "tukey")) return OptionRead::Bad;
        o.exclude = *v == "dixon" ? Screen::DixonReed : Screen::Tukey;
        return OptionRead::Taken;
    }
    if (a == "--bootstrap" || a == "--seed") {
        auto n = count(next());
        if (!n || (a == "--bootstrap" && *n > 100000)) return OptionRead::Bad;
        (a == "--bootstrap" ? o.analysis.interval.bootstrap : o.analysis.interval.seed) = *n;
        return OptionRead::Taken;
    }
    if (a == "--group-file" || a == "--column" || a == "--group") {
        std::optional<std::string> v = next();
        if (!v || v->empty()) return OptionRead::Bad;
        (a == "--group-file" ? o.groupFile : a == "--column" ? o.column : o.groupColumn) = *v;
        return OptionRead::Taken;
    }
    return OptionRead::Unknown;
}

// The values of a one-column data file read by the program's data-file rules.
std::optional<std::vector<double>> dataFileValues(const std::string& file, int& status, std::ostream& err) {
    if (auto reason = unreadableInputReason(file)) {
        err << "klepsydra interval: " << *reason << "\n";
        status = kExitFileError;
        return std::nullopt;
    }
    DataReadResult read = readDataFile(readFileBytes(file).value_or(std::string{}));
    for (const Message& m : read.messages)
        printMessageText(m, err);
    if (read.status != ReadStatus::Ok) {
        status = kExitRefused;
        return std::nullopt;
    }
    warnItemsWithoutNumber(itemsWithoutNumber(read.values), "interval", file, err);
    return leadingNumbers(read.values);
}

// The groups of a laboratory export: one column by name, split by the group column's labels.
bool exportGroups(const std::string& file, const IntervalArgs& a, std::vector<GroupAnalysis>& groups,
                  std::ostream& err) {
    ColumnRequest request;
    request.column = *a.column;
    request.groupColumn = a.groupColumn.value_or("");
    ColumnReadResult read = readColumnFile(file, request);
    if (read.status != ColumnReadStatus::Ok) {
        err << "klepsydra interval: " << read.message << "\n";
        return false;
    }
    if (std::size_t skipped = read.skipped().total())
        err << "klepsydra interval: " << file << ": " << skipped << " items of column '" << *a.column
            << "' were not values and were left out\n";
    for (ColumnGroup& g : read.groups) {
        std::string name = a.groupColumn ? *a.groupColumn + "=" + g.label : file;
        groups.push_back(analyseGroup(name, std::move(g.values), a.exclude, a.analysis));
    }
    return true;
}

int intervalOf(const std::string& file, const IntervalArgs& a, OutputFormat format, std::ostream& out,
               std::ostream& err) {
    IntervalReport report;
    report.options = a.analysis;
    report.excluded = a.exclude;
    int status = kExitDone;
    if (a.column) {
        if (!exportGroups(file, a, report.groups, err)) return kExitRefused;
    } else {
        auto values = dataFileValues(file, status, err);
        if (!values) return status;
        report.groups.push_back(analyseGroup(file, std::move(*values), a.exclude, a.analysis));
    }
    if (a.groupFile) {
        auto second = dataFileValues(*a.groupFile, status, err);
        if (!second) return status;
        report.groups.push_back(analyseGroup(*a.groupFile, std::move(*second), a.exclude, a.analysis));
    }
    report.pairs = partitionPairs(report.groups);
    switch (format) {
    case OutputFormat::Text:
        writeIntervalText(report, out);
        break;
    case OutputFormat::Csv:
        writeIntervalCsv(report, out);
        break;
    case OutputFormat::Json:
        writeIntervalJson(report, out);
        break;
    }
    return kExitDone;
}

} // namespace

int interval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommonOptions o;
    IntervalArgs a;
    const BatchCommand& command = *findBatchCommand("interval");
    auto own = [&a](const std::string& option, const NextWord& next) { return ownOption(option, next, a); };
    if (!parseCommandLine(args, command, o, own, err)) return kExitUsage;
    if (a.groupColumn && !a.column) {
        err << "klepsydra interval: --group needs --column\n" << command.usage;
        return kExitUsage;
    }
    int status = kExitDone;
    const std::vector<std::string> inputs = expandInputs(o.inputs, "interval", err, &status);
    const InputLoop loop{"interval", o.format, intervalCsvHeader()};
    return std::max(status, forEachInput(inputs, loop, out, err,
                                         [&](const std::string& file, std::ostream& o1, std::ostream& e1) {
                                             return intervalOf(file, a, o.format, o1, e1);
                                         }));
}

} // namespace kl::cli
