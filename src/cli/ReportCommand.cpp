// `klepsydra report FILE ...`: the histogram page as the graph window's print button prints it,
// into a PDF. The file is loaded and tabled as in the main window, the graph is computed as the
// window draws it (its 95 % interval is what the page prints), then the page is planned and drawn.

#include "cli/Batch.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "graph/GraphComputation.h"
#include "output/HistogramPage.h"
#include "persist/WorkDir.h"
#include "platform/qt/PagedPrintJob.h"
#include "refrange/ReferenceMaster.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>

namespace kl::cli {

namespace {

struct ReportOptions {
    std::string file, pdf;
    std::optional<std::string> item, interval, lower, classes, workdir, lambda, title;
    bool other = false, fold = false, interval95 = false;
    int decimals = 2;
    int scheme = 1;
    PrintOptions print;
};

constexpr const char* kUsage =
    "usage: klepsydra report FILE [--item NAME | --other] [--interval W] [--lower L] [--classes K] [--fold]\n"
    "                      [--decimals D] [--workdir DIR] [--scheme 1|2|3] [--interval95] [--lambda X]\n"
    "                      [--title TEXT] [--print-theory] [--print-reference] [--print-interval]\n"
    "                      [--print-plot] [--print-statistics] --pdf PATH\n";

bool digitOption(const std::optional<std::string>& v, char low, char high, int* into) {
    if (!v || v->size() != 1 || (*v)[0] < low || (*v)[0] > high) return false;
    *into = (*v)[0] - '0';
    return true;
}

bool flagOption(const std::string& a, ReportOptions& o) {
    bool* flags[] = {&o.other,           &o.fold,           &o.interval95, &o.print.theory,
                     &o.print.reference, &o.print.interval, &o.print.plot, &o.print.statistics};
    const char* names[] = {"--other",           "--fold",           "--interval95", "--print-theory",
                           "--print-reference", "--print-interval", "--print-plot", "--print-statistics"};
    for (std::size_t k = 0; k < std::size(names); ++k)
        if (a == names[k]) return *flags[k] = true;
    return false;
}

bool parseOptions(const std::vector<std::string>& args, ReportOptions& o, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::optional<std::string> word;
        bool ok = true;
        if (flagOption(a, o)) continue;
        if (a == "--item")
            ok = value(o.item);
        else if (a == "--interval")
            ok = value(o.interval);
        else if (a == "--lower")
            ok = value(o.lower);
        else if (a == "--classes")
            ok = value(o.classes);
        else if (a == "--workdir")
            ok = value(o.workdir);
        else if (a == "--lambda")
            ok = value(o.lambda);
        else if (a == "--title")
            ok = value(o.title);
        else if (a == "--decimals")
            ok = value(word) && digitOption(word, '1', '4', &o.decimals);
        else if (a == "--scheme")
            ok = value(word) && digitOption(word, '1', '3', &o.scheme);
        else if (a == "--pdf")
            ok = value(word) && !word->empty() && (o.pdf = *word, true);
        else if (!a.empty() && a[0] != '-' && o.file.empty())
            o.file = a;
        else
            ok = false;
        if (!ok) {
            err << "klepsydra report: bad argument '" << a << "'\n" << kUsage;
            return false;
        }
    }
    if (o.file.empty() || o.pdf.empty() || (o.item && o.other)) {
        err << kUsage;
        return false;
    }
    // The 95 % texts need the plot and the crossings, as ticking CHECK10 does in the window.
    if (o.print.interval) o.print.plot = o.interval95 = true;
    return true;
}

void printMessage(const Message& m, std::ostream& err) {
    err << m.caption << ": ";
    for (std::size_t i = 0; i < m.text.size(); ++i)
        if (!(m.text[i] == '\r' && i + 1 < m.text.size() && m.text[i + 1] == '\n')) err << m.text[i];
    err << '\n';
}

struct TableRoad {
    ParameterFields fields;
    std::optional<TableCopies> copies;
    std::string refLower, refUpper;
    bool built = false;
};

// The main window's road: "OTHER" proposed and tabled twice after the load, then the item, then
// each typed parameter confirmed with Enter.
TableRoad runTableRoad(const ReportOptions& o, const ItemList& items, int chosen,
                       std::span<const double> values, const ParameterContext& ctx) {
    TableRoad road;
    TableState state;
    auto table = [&] {
        TableOutcome t = runTable(road.fields, values, ctx, o.fold, state);
        road.fields = t.fields;
        if (t.clearList) road.built = false;
        if (t.result == TableResult::Built) road.built = true;
        if (t.copies) road.copies = t.copies;
    };
    auto choose = [&](int index) {
        ClassProposal p = proposeClassParameters(items, index, ctx);
        road.fields = p.fields;
        road.refLower = p.referenceLower;
        road.refUpper = p.referenceUpper;
        road.built = false;
        table();
    };
    auto type = [&](ParameterField field, const std::string& text) {
        ParameterFields typed = road.fields;
        (field == ParameterField::Interval ? typed.interval
         : field == ParameterField::Lower  ? typed.lower
                                           : typed.classes) = text + "\r\n";
        TypedParameterOutcome t = typedParameterChanged(field, typed, true, ctx);
        road.fields = t.fields;
        if (t.clearList) road.built = false;
        if (t.runTable) table();
    };
    choose(ItemList::kOtherIndex);
    table();
    if (o.item || o.other) choose(chosen);
    if (o.interval) type(ParameterField::Interval, *o.interval);
    if (o.lower) type(ParameterField::Lower, *o.lower);
    if (o.classes) type(ParameterField::Classes, *o.classes);
    return road;
}

std::string seedFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && fileExists((exe.parent_path() / kReferenceSeedName).string()))
        return exe.parent_path().string();
#ifdef KLEPSYDRA_RESOURCE_DIR
    return KLEPSYDRA_RESOURCE_DIR;
#else
    return {};
#endif
}

std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "klepsydra";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The program's fixed layout needs a display of at least 768 lines; a batch run assumes that one.
constexpr int kScreenHeight = 768;

} // namespace

int report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    (void)out;
    ReportOptions o;
    if (!parseOptions(args, o, err)) return 64;

    DataReadResult read = readDataFile(readFileBytes(o.file).value_or(std::string{}));
    if (read.status != ReadStatus::Ok) {
        for (const Message& m : read.messages)
            printMessage(m, err);
        return 1;
    }
    std::vector<double> values = leadingNumbers(read.values);
    StatisticsOutcome stats = computeBasicStatistics(std::span<const double>(values));
    if (!stats.suitable) {
        if (stats.message) printMessage(*stats.message, err);
        return 1;
    }

    const std::string workdir = o.workdir ? *o.workdir : defaultWorkdir();
    provisionReferenceMaster(workdir, seedFolder());
    const ItemList items = loadItemList(workdir);
    int chosen = ItemList::kOtherIndex;
    if (o.item && (chosen = items.indexOfName(*o.item)) < 0) {
        err << "klepsydra report: the item '" << *o.item << "' is not in " << kReferenceMasterRelative
            << " of " << workdir << '\n';
        return 64;
    }
    const ParameterContext ctx{o.decimals, keptNumberText(stats.statistics.minimum),
                               keptNumberText(stats.statistics.maximum)};
    const TableRoad road = runTableRoad(o, items, chosen, values, ctx);
    if (!road.built || !road.copies) {
        err << "klepsydra report: these class parameters give no frequency table\n";
        return 1;
    }

    // The window draws first: a picture it refuses is never printed, and its interval is kept.
    GraphInput graph;
    graph.values = values;
    graph.texts = read.values;
    graph.classes = {leadingNumber(road.copies->lowerText), leadingNumber(road.copies->upperText),
                     leadingNumber(road.copies->intervalText), road.copies->classCount, o.fold};
    graph.decimalPlaces = o.decimals;
    graph.lambda = o.lambda ? std::clamp(leadingNumber(trimBlanks(*o.lambda)), 0.1, 10000.0) : 5000;
    if (!std::isfinite(graph.lambda)) graph.lambda = 5000;
    graph.scheme = graphSchemeFromOption(o.scheme);
    graph.reference = {road.refLower, road.refUpper, road.copies->lowerText, road.copies->upperText};
    const GraphPicture picture = computeGraphPicture(graph);
    if (picture.failure) {
        printMessage(*picture.failure, err);
        return 1;
    }

    HistogramPageInput page;
    page.values = values;
    page.texts = read.values;
    page.classes = graph.classes;
    page.decimalPlaces = o.decimals;
    page.scheme = graph.scheme;
    page.lambda = graph.lambda;
    page.reference = graph.reference;
    page.title = o.title ? *o.title : "HISTOGRAM OF " + (o.item ? *o.item : std::string("OTHER"));
    page.sourcePath = std::filesystem::absolute(o.file).string();
    page.count = static_cast<long>(values.size());
    page.crossings = o.interval95;
    page.print = o.print;
    if (o.interval95 && picture.probit.lower.found) page.lowerLimit = picture.probit.lower.value;
    if (o.interval95 && picture.probit.upper.found) page.upperLimit = picture.probit.upper.value;

    // Planned before the document starts: a page that fails leaves no file behind.
    if (const HistogramPagePlan first = planHistogramPage(page); first.failure) {
        printMessage(*first.failure, err);
        return 1;
    }
    auto app = guiApplication();
    bool written = false;
    std::string error;
    {
        PdfPrintJob job(o.pdf, "PRINTER", [&](int, bool ok, const std::string& e) {
            written = ok;
            error = e;
        });
        page.smoothingFactor = printerScreenFactor(kScreenHeight, job.pageHeight(), job.verticalDpi());
        const HistogramPagePlan plan = planHistogramPage(page);
        if (plan.failure) { // the job is dropped unfinished: no file
            printMessage(*plan.failure, err);
            return 1;
        }
        drawHistogramPage(job, page, plan);
        job.finish();
    }
    if (!written) {
        err << "klepsydra report: cannot write " << o.pdf << ": " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace kl::cli
