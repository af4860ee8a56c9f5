// `klepsydra indirect FILE...`: reference limits estimated from routine (mixed) laboratory data by
// the truncated probability plot, Box-Cox inverse modelling and Bhattacharya's method.

#include "cli/Batch.h"
#include "cli/BatchCommands.h"

#include "data/ColumnReader.h"
#include "indirect/Analysis.h"
#include "text/Json.h"

#include <cstdio>
#include <vector>

namespace kl::cli {

namespace {

using indirect::Analysis;
using indirect::Estimate;
using indirect::Method;

struct Options {
    std::string column;
    std::vector<Method> methods{std::begin(indirect::kMethods), std::end(indirect::kMethods)};
};

std::string num(double v) {
    if (!std::isfinite(v)) return "-";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

std::string ci(const indirect::Interval& i) {
    return i.known() ? " [" + num(i.low) + ", " + num(i.high) + "]" : "";
}

void textOut(const ColumnReadResult& read, std::size_t values, const Analysis& a, const Options& o,
             std::ostream& out) {
    const SkippedItems s = read.skipped();
    out << "values " << values << " (not taken: empty " << s.empty << ", not a number " << s.notNumber
        << ", <= 0 " << s.nonPositive << ", censored below " << s.censoredBelow << ", censored above "
        << s.censoredAbove << ", over the limit " << s.overCap << ")\n";
    for (const auto& c : read.groups.empty() ? std::vector<CensoredCount>{} : read.groups[0].censored)
        out << "censored " << (c.below ? "<" : ">") << num(c.bound) << ": " << c.count << "\n";
    out << "rounding resolution " << (a.resolution > 0 ? num(a.resolution) : "none") << "\n";
    for (Method m : o.methods) {
        const Estimate* e = a.estimate(m);
        out << indirect::methodTitle(m) << ": ";
        if (!e->ok) {
            out << "no estimate: " << e->note << "\n";
            continue;
        }
        out << "lower " << num(e->lower) << ci(e->lowerCi) << ", upper " << num(e->upper) << ci(e->upperCi);
        out << ", lambda " << num(e->lambda) << ", mu " << num(e->mu) << ", sigma " << num(e->sigma);
        if (std::isfinite(e->share)) out << ", P " << num(e->share);
        out << "\n";
        if (m == Method::TruncatedQQ)
            out << "  " << (a.tqq->logScale ? "ln x" : "x") << ", " << a.tqq->kept << " of "
                << a.tqq->positive << " values kept in " << num(a.tqq->keptLow) << " .. "
                << num(a.tqq->keptHigh) << "\n";
        if (!e->note.empty()) out << "  " << e->note << "\n";
    }
}

const char* kCsvHeader =
    "file,values,empty,not_a_number,non_positive,censored_below,censored_above,over_limit,"
    "resolution,method,estimated,lower,lower_ci_low,lower_ci_high,upper,upper_ci_low,"
    "upper_ci_high,lambda,mu,sigma,share,note";

void csvOut(const std::string& file, std::size_t values, const ColumnReadResult& read, const Analysis& a,
            const Options& o, std::ostream& out) {
    const SkippedItems s = read.skipped();
    for (Method m : o.methods) {
        const Estimate* e = a.estimate(m);
        out << csvField(file) << ',' << values << ',' << s.empty << ',' << s.notNumber << ',' << s.nonPositive
            << ',' << s.censoredBelow << ',' << s.censoredAbove << ',' << s.overCap << ','
            << jsonNumber(a.resolution) << ',' << indirect::methodKey(m) << ',' << (e->ok ? 1 : 0);
        for (double v : {e->lower, e->lowerCi.low, e->lowerCi.high, e->upper, e->upperCi.low, e->upperCi.high,
                         e->lambda, e->mu, e->sigma, e->share})
            out << ',' << (std::isfinite(v) ? jsonNumber(v) : std::string());
        out << ',' << csvField(e->note) << '\n';
    }
}

void jsonInterval(JsonWriter& json, const char* name, const indirect::Interval& i) {
    json.key(name);
    if (!i.known()) {
        json.null();
        return;
    }
    json.beginArray().value(i.low).value(i.high).endArray();
}

void jsonOut(const std::string& file, std::size_t values, const ColumnReadResult& read, const Analysis& a,
             const Options& o, std::ostream& out) {
    const SkippedItems s = read.skipped();
    JsonWriter json(out);
    json.beginObject().member("file", file).member("column", o.column).member("values", values);
    json.key("notTaken").beginObject().member("empty", s.empty).member("notANumber", s.notNumber);
    json.member("nonPositive", s.nonPositive).member("censoredBelow", s.censoredBelow);
    json.member("censoredAbove", s.censoredAbove).member("overLimit", s.overCap).endObject();
    json.key("censored").beginArray();
    for (const auto& c : read.groups[0].censored)
        json.beginObject()
            .member("bound", c.bound)
            .member("below", c.below)
            .member("count", c.count)
            .endObject();
    json.endArray().member("resolution", a.resolution).key("methods").beginArray();
    for (Method m : o.methods) {
        const Estimate* e = a.estimate(m);
        json.beginObject().member("method", indirect::methodKey(m)).member("estimated", e->ok);
        json.member("lower", e->lower).member("upper", e->upper);
        jsonInterval(json, "lowerCi", e->lowerCi);
        jsonInterval(json, "upperCi", e->upperCi);
        json.member("lambda", e->lambda).member("mu", e->mu).member("sigma", e->sigma);
        json.member("share", e->share).member("note", e->note).endObject();
    }
    json.endArray().endObject();
    out << '\n';
}

int indirectOf(const std::string& file, const Options& o, OutputFormat format, std::ostream& out,
               std::ostream& err) {
    ColumnRequest request;
    request.column = o.column;
    request.positiveOnly = true;
    ColumnReadResult read = readColumnFile(file, request);
    if (read.status != ColumnReadStatus::Ok) {
        err << "klepsydra indirect: " << file << ": " << read.message << '\n';
        return kExitRefused;
    }
    std::vector<double> values = std::move(read.groups[0].values);
    const std::size_t count = values.size();
    Analysis a = indirect::analyse(values, o.methods);
    if (format == OutputFormat::Text) textOut(read, count, a, o, out);
    if (format == OutputFormat::Csv) csvOut(file, count, read, a, o, out);
    if (format == OutputFormat::Json) jsonOut(file, count, read, a, o, out);
    for (Method m : o.methods)
        if (a.estimate(m)->ok) return kExitDone;
    err << "klepsydra indirect: " << file << ": no method gave limits\n";
    return kExitRefused;
}

OptionRead methodOption(const NextWord& next, Options& o) {
    std::optional<std::string> word = next();
    if (!word) return OptionRead::Bad;
    if (*word == "all") {
        o.methods.assign(std::begin(indirect::kMethods), std::end(indirect::kMethods));
        return OptionRead::Taken;
    }
    for (Method m : indirect::kMethods) {
        if (indirect::methodKey(m) == *word) {
            o.methods = {m};
            return OptionRead::Taken;
        }
    }
    return OptionRead::Bad;
}

} // namespace

int indirect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommonOptions common;
    Options o;
    const BatchCommand& command = *findBatchCommand("indirect");
    auto extra = [&](const std::string& option, const NextWord& next) {
        if (option == "--column") {
            std::optional<std::string> word = next();
            if (!word || word->empty()) return OptionRead::Bad;
            o.column = *word;
            return OptionRead::Taken;
        }
        if (option == "--method") return methodOption(next, o);
        return OptionRead::Unknown;
    };
    if (!parseCommandLine(args, command, common, extra, err)) return kExitUsage;
    int status = kExitDone;
    const std::vector<std::string> inputs = expandInputs(common.inputs, "indirect", err, &status);
    const InputLoop loop{"indirect", common.format, kCsvHeader};
    return std::max(status, forEachInput(inputs, loop, out, err,
                                         [&](const std::string& file, std::ostream& o1, std::ostream& e1) {
                                             return indirectOf(file, o, common.format, o1, e1);
                                         }));
}

} // namespace kl::cli
