// `klepsydra interval FILE`: every direct reference-interval method on a data file, with the
// outlier screens, verification against a target interval and partitioning against a second group.

#include "cli/Batch.h"
#include "cli/BatchTable.h"
#include "cli/IntervalOutput.h"

#include "data/DataSet.h"
#include "text/FileIO.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace kl::cli {

using namespace refint;

namespace {

constexpr const char* kUsage =
    "usage: klepsydra interval FILE [--format text|csv|json] [--target L U] [--exclude-outliers "
    "dixon|tukey]\n"
    "                         [--bootstrap B] [--seed S] [--group-file FILE2]\n"
    "Reference limits by every direct method (nonparametric with exact 90 % intervals, Box-Cox\n"
    "parametric, robust on the raw and the Box-Cox scale), outlier screens, verification of a target\n"
    "interval and the partitioning criteria against the values of FILE2. The robust methods' 90 %\n"
    "intervals come from a percentile bootstrap: 1000 resamples with seed 1 unless told (B = 0: none).\n";

struct IntervalArgs {
    std::string file;
    std::optional<std::string> groupFile;
    OutputFormat format = OutputFormat::Text;
    Screen exclude = Screen::None;
    AnalysisOptions analysis{{1000, 1, 2}, std::nullopt};
};

std::optional<double> finiteNumber(const std::string& s) {
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<std::uint64_t> count(const std::string& s) {
    std::uint64_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

// One option and its values; false on a bad one.
bool takeOption(const std::vector<std::string>& args, std::size_t& i, IntervalArgs& o) {
    const std::string& a = args[i];
    auto next = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
    if (a == "--format") {
        const std::string* v = next();
        if (!v) return false;
        if (*v == "text")
            o.format = OutputFormat::Text;
        else if (*v == "csv")
            o.format = OutputFormat::Csv;
        else if (*v == "json")
            o.format = OutputFormat::Json;
        else
            return false;
        return true;
    }
    if (a == "--target") {
        const std::string* l = next();
        const std::string* u = l ? next() : nullptr;
        auto lo = l ? finiteNumber(*l) : std::nullopt, hi = u ? finiteNumber(*u) : std::nullopt;
        if (!lo || !hi || !(*lo < *hi)) return false;
        o.analysis.target = TargetInterval{*lo, *hi};
        return true;
    }
    if (a == "--exclude-outliers") {
        const std::string* v = next();
        if (!v || (*v != "dixon" && *v != "tukey")) return false;
        o.exclude = *v == "dixon" ? Screen::DixonReed : Screen::Tukey;
        return true;
    }
    if (a == "--bootstrap" || a == "--seed") {
        const std::string* v = next();
        auto n = v ? count(*v) : std::nullopt;
        if (!n || (a == "--bootstrap" && *n > 100000)) return false;
        (a == "--bootstrap" ? o.analysis.interval.bootstrap : o.analysis.interval.seed) = *n;
        return true;
    }
    if (a == "--group-file") {
        const std::string* v = next();
        if (!v || v->empty()) return false;
        o.groupFile = *v;
        return true;
    }
    return false;
}

bool parseArgs(const std::vector<std::string>& args, IntervalArgs& o, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help") {
            err << kUsage;
            return false;
        }
        if (!a.empty() && a[0] == '-') {
            std::size_t at = i;
            if (!takeOption(args, i, o)) {
                err << "klepsydra interval: bad argument '" << args[at] << "'\n" << kUsage;
                return false;
            }
        } else if (o.file.empty() && !a.empty()) {
            o.file = a;
        } else {
            err << "klepsydra interval: bad argument '" << a << "'\n" << kUsage;
            return false;
        }
    }
    if (o.file.empty()) {
        err << kUsage;
        return false;
    }
    return true;
}

// The values of a data file read by the program's data-file rules; the refusal's text on err.
std::optional<std::vector<double>> readValues(const std::string& file, std::ostream& err) {
    std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes) {
        err << "klepsydra interval: cannot read '" << file << "'\n";
        return std::nullopt;
    }
    DataReadResult read = readDataFile(*bytes);
    for (const Message& m : read.messages)
        printMessageText(m, err);
    if (read.status != ReadStatus::Ok) return std::nullopt;
    return leadingNumbers(read.values);
}

} // namespace

int interval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    IntervalArgs o;
    if (!parseArgs(args, o, err)) return kExitUsage;
    IntervalReport report;
    report.options = o.analysis;
    report.excluded = o.exclude;
    std::vector<std::string> files = {o.file};
    if (o.groupFile) files.push_back(*o.groupFile);
    for (const std::string& file : files) {
        std::optional<std::vector<double>> values = readValues(file, err);
        if (!values) return readFileBytes(file) ? kExitRefused : kExitFileError;
        report.groups.push_back(analyseGroup(file, std::move(*values), o.exclude, o.analysis));
    }
    report.pairs = partitionPairs(report.groups);
    switch (o.format) {
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

} // namespace kl::cli
