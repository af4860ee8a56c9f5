// `klepsydra graph FILE ... --png PATH`: the graph window's picture without a display. The file
// is loaded and the table built as the main window does it (item "OTHER" proposed and TABLE run
// twice, then the item chosen and each given parameter typed with Enter); the picture is painted
// by the window's own painter into a 1024 x 768 image and written as PNG.

#include "cli/Batch.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "graph/GraphPainter.h"
#include "persist/WorkDir.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "refrange/ReferenceMaster.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "stats/FrequencyTable.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <memory>
#include <optional>

namespace kl::cli {

namespace {

struct GraphOptions {
    std::string file, png;
    std::optional<std::string> item, interval, lower, classes, workdir, lambda;
    bool other = false, fold = false, curves = false, reference = false, interval95 = false;
    int decimals = 2;
    int scheme = 1;
};

constexpr const char* kUsage =
    "usage: klepsydra graph FILE [--item NAME | --other] [--interval W] [--lower L] [--classes K] [--fold]\n"
    "                      [--decimals D] [--workdir DIR] [--scheme 1|2|3] [--curves] [--reference]\n"
    "                      [--interval95] [--lambda X] --png PATH\n";

bool digitOption(const std::optional<std::string>& v, char low, char high, int* into) {
    if (!v || v->size() != 1 || (*v)[0] < low || (*v)[0] > high) return false;
    *into = (*v)[0] - '0';
    return true;
}

bool parseOptions(const std::vector<std::string>& args, GraphOptions& o, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::optional<std::string> word;
        bool ok = true;
        if (a == "--item") ok = value(o.item);
        else if (a == "--other") o.other = true;
        else if (a == "--interval") ok = value(o.interval);
        else if (a == "--lower") ok = value(o.lower);
        else if (a == "--classes") ok = value(o.classes);
        else if (a == "--fold") o.fold = true;
        else if (a == "--workdir") ok = value(o.workdir);
        else if (a == "--lambda") ok = value(o.lambda);
        else if (a == "--curves") o.curves = true;
        else if (a == "--reference") o.reference = true;
        else if (a == "--interval95") o.interval95 = true;
        else if (a == "--decimals") ok = value(word) && digitOption(word, '1', '4', &o.decimals);
        else if (a == "--scheme") ok = value(word) && digitOption(word, '1', '3', &o.scheme);
        else if (a == "--png") ok = value(word) && !word->empty() && (o.png = *word, true);
        else if (!a.empty() && a[0] != '-' && o.file.empty()) o.file = a;
        else ok = false;
        if (!ok) {
            err << "klepsydra graph: bad argument '" << a << "'\n" << kUsage;
            return false;
        }
    }
    if (o.file.empty() || o.png.empty() || (o.item && o.other)) {
        err << kUsage;
        return false;
    }
    return true;
}

void printMessage(const Message& m, std::ostream& err) {
    err << m.caption << ": ";
    for (std::size_t i = 0; i < m.text.size(); ++i)
        if (!(m.text[i] == '\r' && i + 1 < m.text.size() && m.text[i + 1] == '\n')) err << m.text[i];
    err << '\n';
}

// The main window's fields, table and item as the given options leave them.
struct TableRoad {
    ParameterFields fields;
    std::optional<TableCopies> copies;
    std::string refLower, refUpper;
    bool built = false;
};

TableRoad runTableRoad(const GraphOptions& o, const ItemList& items, int chosen, std::span<const double> values,
                       const ParameterContext& ctx) {
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

// The folder holding the seed master: beside the program, else the source tree's resources.
std::string seedFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && fileExists((exe.parent_path() / kReferenceSeedName).string())) return exe.parent_path().string();
#ifdef KLEPSYDRA_RESOURCE_DIR
    return KLEPSYDRA_RESOURCE_DIR;
#else
    return {};
#endif
}

// Fonts and painting need a GUI application; a batch run makes an offscreen one.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "klepsydra";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int graph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    GraphOptions o;
    if (!parseOptions(args, o, err)) return 64;

    DataReadResult read = readDataFile(readFileBytes(o.file).value_or(std::string{}));
    if (read.status != ReadStatus::Ok) {
        for (const Message& m : read.messages) printMessage(m, err);
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
        err << "klepsydra graph: the item '" << *o.item << "' is not in " << kReferenceMasterRelative << " of "
            << workdir << '\n';
        return 64;
    }
    const ParameterContext ctx{o.decimals, keptNumberText(stats.statistics.minimum),
                               keptNumberText(stats.statistics.maximum)};
    const TableRoad road = runTableRoad(o, items, chosen, values, ctx);
    if (!road.built || !road.copies) {
        err << "klepsydra graph: these class parameters give no frequency table\n";
        return 1;
    }

    GraphInput input;
    input.values = values;
    input.texts = read.values;
    input.classes = {leadingNumber(road.copies->lowerText), leadingNumber(road.copies->upperText),
                     leadingNumber(road.copies->intervalText), road.copies->classCount, o.fold};
    input.decimalPlaces = o.decimals;
    input.lambda = o.lambda ? commitSmoothingText(*o.lambda).lambda : 5000;
    input.scheme = graphSchemeFromOption(o.scheme);
    input.reference = {road.refLower, road.refUpper, road.copies->lowerText, road.copies->upperText};
    GraphView view{o.curves, o.reference, o.interval95,
                   graphFileLine(std::filesystem::absolute(o.file).string(), long(values.size()))};

    auto app = guiApplication();
    QImage image(1024, 768, QImage::Format_RGB32);
    QtCanvas canvas(&image);
    const GraphDrawing drawing = paintGraphWindow(canvas, input, view);
    if (drawing.failure) {
        printMessage(*drawing.failure, err);
        return 1;
    }
    const QByteArray png = pngBytes(image);
    std::string error;
    if (!writeFileAtomic(o.png, std::string_view(png.constData(), std::size_t(png.size())), &error)) {
        err << "klepsydra graph: cannot write " << o.png << ": " << error << '\n';
        return 1;
    }
    if (o.interval95) out << drawing.lower.screenText << '\n' << drawing.upper.screenText << '\n';
    return 0;
}

} // namespace kl::cli
