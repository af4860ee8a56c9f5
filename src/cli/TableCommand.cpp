// `klepsydra table FILE ...`: the main window's road from a data file to its frequency table,
// without a display. The file is loaded (item "OTHER" proposed, TABLE run twice as after a load),
// the item is chosen, each given parameter is typed and confirmed with Enter, and the fields,
// the messages, the rows of the list and the out-of-range rates are printed.

#include "cli/Batch.h"
#include "cli/BatchTable.h"

#include "persist/WorkDir.h"
#include "text/FileIO.h"
#include "text/Json.h"
#include "text/Text.h"

#include <cmath>
#include <filesystem>
#include <sstream>

namespace kl::cli {

namespace {

void print(const BatchTable& window, const std::vector<double>& values, const std::vector<Message>& before,
           std::ostream& out) {
    const ParameterFields& fields = window.fields();
    out << "EDIT3=" << fields.interval << "\nEDIT4=" << fields.lower << "\nEDIT5=" << fields.classes
        << "\nEDIT6=" << fields.upper << '\n';
    for (const std::vector<Message>* list : {&before, &window.messages()})
        for (const Message& m : *list)
            out << "MSG caption=\"" << escapeForTranscript(m.caption) << "\" text=\""
                << escapeForTranscript(m.text) << "\"\n";
    for (const std::string& row : window.rows())
        out << row << '\n';
    if (window.panelShown())
        for (const std::string& line :
             outOfRangeRates(values, window.referenceLower(), window.referenceUpper()).lines())
            out << line << '\n';
}

// The last table built, at full precision: class k spans lower + w(k - 1) .. lower + wk.
struct ClassFigures {
    double interval = 0, lower = 0, upper = 0;
    std::vector<int> counts;
};

std::optional<ClassFigures> classFigures(const BatchTable& window, const std::vector<double>& values,
                                         bool fold) {
    if (!window.built() || !window.copies()) return std::nullopt;
    const TableCopies& c = *window.copies();
    ClassFigures f{
        std::fabs(fieldValue(c.intervalText)), fieldValue(c.lowerText), fieldValue(c.upperText), {}};
    f.counts = countIntoClasses(values, f.lower, f.interval, c.classCount, fold).counts;
    return f;
}

double percentOf(std::size_t k, std::size_t n) {
    return n == 0 ? 0.0 : double(k) / double(n) * 100;
}

const char* const kTableCsvHeader =
    "file,item,items_without_number,sample_size,interval,lower,classes,upper,class,class_lower,class_upper,"
    "count,"
    "reference_lower,reference_upper,below,above,below_rate,above_rate,total_rate";

void csvRows(const TableOptions& o, const BatchTable& window, const BatchData& data, std::ostream& out) {
    const std::optional<ClassFigures> f = classFigures(window, data.values, o.fold);
    if (!f) return;
    const bool rates = window.panelShown();
    const OutOfRangeRates r = outOfRangeRates(data.values, window.referenceLower(), window.referenceUpper());
    const std::size_t n = data.values.size();
    std::ostringstream tail;
    if (rates)
        tail << csvField(window.referenceLower()) << ',' << csvField(window.referenceUpper()) << ','
             << r.below << ',' << r.above << ',' << jsonNumber(percentOf(r.below, n)) << ','
             << jsonNumber(percentOf(r.above, n)) << ',' << jsonNumber(percentOf(r.below + r.above, n));
    else
        tail << ",,,,,,";
    for (std::size_t k = 0; k < f->counts.size(); ++k)
        out << csvField(o.file) << ',' << csvField(window.itemName()) << ','
            << itemsWithoutNumber(data.read.values) << ',' << n << ',' << jsonNumber(f->interval) << ','
            << jsonNumber(f->lower) << ',' << f->counts.size() << ',' << jsonNumber(f->upper) << ',' << k + 1
            << ',' << jsonNumber(f->lower + f->interval * double(k)) << ','
            << jsonNumber(f->lower + f->interval * double(k + 1)) << ',' << f->counts[k] << ',' << tail.str()
            << '\n';
}

void jsonClasses(JsonWriter& json, const std::optional<ClassFigures>& f) {
    json.key("classes").beginArray();
    for (std::size_t k = 0; f && k < f->counts.size(); ++k)
        json.beginObject()
            .member("class", k + 1)
            .member("lower", f->lower + f->interval * double(k))
            .member("upper", f->lower + f->interval * double(k + 1))
            .member("count", f->counts[k])
            .endObject();
    json.endArray();
}

void jsonObject(const TableOptions& o, const BatchTable& window, const BatchData& data, std::ostream& out) {
    const std::optional<ClassFigures> f = classFigures(window, data.values, o.fold);
    const ParameterFields& fields = window.fields();
    JsonWriter json(out);
    json.beginObject().member("file", o.file).member("item", window.itemName());
    json.member("sampleSize", data.values.size())
        .member("itemsWithoutNumber", itemsWithoutNumber(data.read.values));
    json.key("fields").beginObject().member("interval", fields.interval).member("lower", fields.lower);
    json.member("classes", fields.classes).member("upper", fields.upper).endObject();
    json.key("messages").beginArray();
    for (const std::vector<Message>* list : {&data.read.messages, &window.messages()})
        for (const Message& m : *list)
            json.beginObject().member("caption", m.caption).member("text", m.text).endObject();
    json.endArray().member("built", f.has_value()).member("fold", o.fold);
    if (f) json.member("interval", f->interval).member("lower", f->lower).member("upper", f->upper);
    jsonClasses(json, f);
    json.key("outOfRange");
    if (window.panelShown()) {
        const OutOfRangeRates r =
            outOfRangeRates(data.values, window.referenceLower(), window.referenceUpper());
        const std::size_t n = data.values.size();
        json.beginObject().member("referenceLower", window.referenceLower());
        json.member("referenceUpper", window.referenceUpper())
            .member("below", r.below)
            .member("above", r.above);
        json.member("belowRate", percentOf(r.below, n)).member("aboveRate", percentOf(r.above, n));
        json.member("totalRate", percentOf(r.below + r.above, n)).endObject();
    } else {
        json.null();
    }
    json.endObject();
    out << '\n';
}

int tableOf(TableOptions o, const std::string& file, std::ostream& out, std::ostream& err) {
    o.file = file;
    BatchData data;
    std::vector<Message> refusal;
    if (!loadBatchData(o.file, data, refusal)) {
        for (const Message& m : refusal)
            printMessageText(m, err);
        return kExitRefused;
    }
    warnItemsWithoutNumber(itemsWithoutNumber(data.read.values), "table", file, err);

    const std::string workdir = o.workdirOrDefault();
    const ItemList items = provisionedItemList(workdir);
    const std::optional<int> chosen = chosenItem(o, items, "table", workdir, err);
    if (!chosen) return kExitUsage;

    BatchTable window(items, data.values, parameterContext(data, o.decimals), o.fold);
    window.run(o, *chosen);
    if (o.format == OutputFormat::Text) print(window, data.values, data.read.messages, out);
    if (o.format == OutputFormat::Csv) csvRows(o, window, data, out);
    if (o.format == OutputFormat::Json) jsonObject(o, window, data, out);
    return kExitDone;
}

} // namespace

int table(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TableOptions o;
    if (!parseBatchOptions(args, "table", o, nullptr, err)) return kExitUsage;
    int status = kExitDone;
    const std::vector<std::string> inputs = expandInputs(o.inputs, "table", err, &status);
    const InputLoop loop{"table", o.format, kTableCsvHeader};
    return std::max(status, forEachInput(inputs, loop, out, err,
                                         [&](const std::string& file, std::ostream& o1, std::ostream& e1) {
                                             return tableOf(o, file, o1, e1);
                                         }));
}

} // namespace kl::cli
