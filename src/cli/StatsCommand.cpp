// `klepsydra stats FILE...`: the statistics block of the main window, as plain text, or every
// figure at full precision as CSV (one row per file) or JSON.

#include "cli/Batch.h"
#include "cli/BatchTable.h"

#include "stats/BasicStatistics.h"
#include "text/Json.h"
#include "text/Text.h"

#include <sstream>

namespace kl::cli {

namespace {

const char* const kFormNames[] = {"measured", "log", "cube"};

std::string statsCsvHeader() {
    std::string h =
        "file,sample_size,items_without_number,mean,minimum,maximum,range,sd_sample,sd_population,"
        "mean_minus_1_96_sd,mean_plus_1_96_sd";
    for (const char* form : kFormNames)
        for (const char* figure : {"calculated", "skewness", "z_skewness", "kurtosis", "z_kurtosis"})
            h += std::string(",") + form + "_" + figure;
    return h;
}

void csvRow(const std::string& file, const BatchData& data, std::ostream& out) {
    const BasicStatistics& s = data.stats.statistics;
    out << csvField(file) << ',' << s.sampleSize << ',' << itemsWithoutNumber(data.read.values);
    for (double v : {s.mean, s.minimum, s.maximum, s.range, s.sdSample, s.sdPopulation, s.meanMinus196Sd,
                     s.meanPlus196Sd})
        out << ',' << jsonNumber(v);
    for (const ShapeStatistics& shape : s.shape) {
        out << ',' << (shape.calculated ? 1 : 0);
        for (double v : {shape.skewness, shape.zSkewness, shape.kurtosis, shape.zKurtosis})
            out << ',' << (shape.calculated ? jsonNumber(v) : std::string());
    }
    out << '\n';
}

void jsonShape(JsonWriter& json, const ShapeStatistics& shape) {
    json.beginObject().member("calculated", shape.calculated);
    if (shape.calculated) {
        json.member("skewness", shape.skewness).member("zSkewness", shape.zSkewness);
        json.member("skewnessSignificance", trimBlanks(shape.skewnessLabel));
        json.member("kurtosis", shape.kurtosis).member("zKurtosis", shape.zKurtosis);
        json.member("kurtosisSignificance", trimBlanks(shape.kurtosisLabel));
    }
    json.endObject();
}

void jsonObject(const std::string& file, const BatchData& data, std::ostream& out) {
    const BasicStatistics& s = data.stats.statistics;
    JsonWriter json(out);
    json.beginObject().member("file", file).member("sampleSize", s.sampleSize);
    json.member("itemsWithoutNumber", itemsWithoutNumber(data.read.values))
        .member("capped", data.read.capped);
    json.member("mean", s.mean)
        .member("minimum", s.minimum)
        .member("maximum", s.maximum)
        .member("range", s.range);
    json.member("sdSample", s.sdSample).member("sdPopulation", s.sdPopulation);
    json.member("meanMinus196Sd", s.meanMinus196Sd).member("meanPlus196Sd", s.meanPlus196Sd);
    json.key("shape").beginObject();
    for (int form = 0; form < 3; ++form) {
        json.key(kFormNames[form]);
        jsonShape(json, s.shape[std::size_t(form)]);
    }
    json.endObject().endObject();
    out << '\n';
}

int statsOf(const std::string& file, OutputFormat format, std::ostream& out, std::ostream& err) {
    BatchData data;
    std::vector<Message> refusal;
    const bool done = loadBatchData(file, data, refusal);
    if (data.read.status == ReadStatus::Ok) {
        for (const Message& m : data.read.messages) // the 40,000 caution
            printMessageText(m, err);
        warnItemsWithoutNumber(itemsWithoutNumber(data.read.values), "stats", file, err);
    }
    if (format == OutputFormat::Text)
        for (const StatisticsLine& line : data.stats.lines) // up to the refusal, as the window draws them
            out << line.text << '\n';
    for (const Message& m : refusal)
        printMessageText(m, err);
    if (!done) return kExitRefused;
    if (format == OutputFormat::Csv) csvRow(file, data, out);
    if (format == OutputFormat::Json) jsonObject(file, data, out);
    return kExitDone;
}

} // namespace

int stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommonOptions o;
    const BatchCommand& command = *findBatchCommand("stats");
    if (!parseCommandLine(args, command, o, nullptr, err)) return kExitUsage;
    int status = kExitDone;
    const std::vector<std::string> inputs = expandInputs(o.inputs, "stats", err, &status);
    const InputLoop loop{"stats", o.format, statsCsvHeader()};
    return std::max(status, forEachInput(inputs, loop, out, err,
                                         [&](const std::string& file, std::ostream& o1, std::ostream& e1) {
                                             return statsOf(file, o.format, o1, e1);
                                         }));
}

} // namespace kl::cli
