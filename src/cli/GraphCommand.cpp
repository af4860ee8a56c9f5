// `klepsydra graph FILE ... --png PATH`: the graph window's picture without a display. The file
// is loaded and the table built as the main window does it (item "OTHER" proposed and TABLE run
// twice, then the item chosen and each given parameter typed with Enter); the picture is painted
// by the window's own painter into a 1024 x 768 image and written as PNG.

#include "cli/Batch.h"
#include "cli/BatchTable.h"

#include "data/DataSet.h"
#include "graph/GraphPainter.h"
#include "platform/raster/QuickPng.h"
#include "platform/raster/RasterCanvas.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <filesystem>

namespace kl::cli {

namespace {

struct GraphOptions : TableOptions {
    std::string png;
    std::optional<std::string> lambda;
    bool curves = false, reference = false, interval95 = false;
    int scheme = 1;
};

bool parseOptions(const std::vector<std::string>& args, GraphOptions& o, std::ostream& err) {
    auto own = [&o](const std::string& a, const NextWord& next) {
        if (a == "--lambda") return valueOption(next, o.lambda);
        if (a == "--curves") return o.curves = true, OptionRead::Taken;
        if (a == "--reference") return o.reference = true, OptionRead::Taken;
        if (a == "--interval95") return o.interval95 = true, OptionRead::Taken;
        if (a == "--scheme")
            return digitOption(next(), '1', '3', &o.scheme) ? OptionRead::Taken : OptionRead::Bad;
        if (a == "--png") return pathOption(next, o.png);
        return OptionRead::Unknown;
    };
    return parseBatchOptions(args, "graph", o, own, err) && singleOrOutDir(o, o.png, "graph", err);
}

int graphOf(GraphOptions o, const std::string& file, std::ostream& out, std::ostream& err) {
    o.file = file;
    if (!o.outDir.empty()) o.png = outputPathFor(file, o.outDir, ".png");
    BatchData data;
    ItemList items;
    int status = 0;
    const std::optional<BatchTable> table = pictureTable(o, "graph", data, items, status, err);
    if (!table) return status;

    const GraphInput input =
        pictureGraphInput(o, data, *table, o.lambda ? commitSmoothingText(*o.lambda).lambda : 5000, o.scheme);
    GraphView view{o.curves, o.reference, o.interval95,
                   graphFileLine(std::filesystem::absolute(o.file).string(), long(data.values.size()))};

    PixelImage image(1024, 768);
    RasterCanvas canvas(image);
    const GraphDrawing drawing = paintGraphWindow(canvas, input, view);
    if (drawing.failure) {
        printCaptionedMessage(*drawing.failure, err);
        return 1;
    }
    const std::string png = quickPngBytes(image);
    std::string error;
    if (!writeFileAtomic(o.png, png, &error)) {
        err << "klepsydra graph: cannot write " << o.png << ": " << error << '\n';
        return kExitFileError;
    }
    if (o.interval95) out << drawing.lower.screenText << '\n' << drawing.upper.screenText << '\n';
    return kExitDone;
}

} // namespace

int graph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    GraphOptions o;
    if (!parseOptions(args, o, err)) return kExitUsage;
    return forEachOutput(o, "graph", out, err,
                         [&](const std::string& file, std::ostream& o1, std::ostream& e1) {
                             return graphOf(o, file, o1, e1);
                         });
}

} // namespace kl::cli
