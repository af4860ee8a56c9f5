// `klepsydra report FILE ...`: the histogram page as the graph window's print button prints it,
// into a PDF. The file is loaded and tabled as in the main window, the graph is computed as the
// window draws it (its 95 % interval is what the page prints), then the page is planned and drawn.

#include "cli/Batch.h"
#include "cli/BatchTable.h"

#include "output/HistogramPage.h"
#include "platform/qt/PagedPrintJob.h"
#include "text/Text.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

namespace kl::cli {

namespace {

struct ReportOptions : TableOptions {
    std::string pdf;
    std::optional<std::string> lambda, title;
    bool interval95 = false;
    int scheme = 1;
    PrintOptions print;
};

bool flagOption(const std::string& a, ReportOptions& o) {
    bool* flags[] = {&o.interval95,     &o.print.theory, &o.print.reference,
                     &o.print.interval, &o.print.plot,   &o.print.statistics};
    const char* names[] = {"--interval95",     "--print-theory", "--print-reference",
                           "--print-interval", "--print-plot",   "--print-statistics"};
    for (std::size_t k = 0; k < std::size(names); ++k)
        if (a == names[k]) return *flags[k] = true;
    return false;
}

bool parseOptions(const std::vector<std::string>& args, ReportOptions& o, std::ostream& err) {
    auto own = [&o](const std::string& a, const NextWord& next) {
        if (flagOption(a, o)) return OptionRead::Taken;
        if (a == "--lambda") return valueOption(next, o.lambda);
        if (a == "--title") return valueOption(next, o.title);
        if (a == "--scheme")
            return digitOption(next(), '1', '3', &o.scheme) ? OptionRead::Taken : OptionRead::Bad;
        if (a == "--pdf") return pathOption(next, o.pdf);
        return OptionRead::Unknown;
    };
    if (!parseBatchOptions(args, "report", o, own, err) || !singleOrOutDir(o, o.pdf, "report", err))
        return false;
    // The 95 % texts need the plot and the crossings, as ticking CHECK10 does in the window.
    if (o.print.interval) o.print.plot = o.interval95 = true;
    return true;
}

// A graphical application for the PDF writer's fonts, without a display: the command line's
// -platform overrides QT_QPA_PLATFORM. None when one runs already (the windows, the tests).
std::unique_ptr<QGuiApplication> batchGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    static int argc = 3;
    static char name[] = "klepsydra", option[] = "-platform", platform[] = "minimal:enable_fonts";
    static char* argv[] = {name, option, platform, nullptr};
    QCoreApplication::setApplicationName("klepsydra");
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The program's fixed layout needs a display of at least 768 lines; a batch run assumes that one.
constexpr int kScreenHeight = 768;

int reportOf(ReportOptions o, const std::string& file, std::ostream& err) {
    o.file = file;
    if (!o.outDir.empty()) o.pdf = outputPathFor(file, o.outDir, ".pdf");
    BatchData data;
    ItemList items;
    int status = 0;
    const std::optional<BatchTable> table = pictureTable(o, "report", data, items, status, err);
    if (!table) return status;

    // The window draws first: a picture it refuses is never printed, and its interval is kept.
    double lambda = o.lambda ? std::clamp(leadingNumber(trimBlanks(*o.lambda)), 0.1, 10000.0) : 5000;
    if (!std::isfinite(lambda)) lambda = 5000;
    const GraphInput graph = pictureGraphInput(o, data, *table, lambda, o.scheme);
    const GraphPicture picture = computeGraphPicture(graph);
    if (picture.failure) {
        printCaptionedMessage(*picture.failure, err);
        return 1;
    }

    HistogramPageInput page;
    page.values = data.values;
    page.texts = data.read.values;
    page.classes = graph.classes;
    page.decimalPlaces = o.decimals;
    page.scheme = graph.scheme;
    page.lambda = graph.lambda;
    page.reference = graph.reference;
    page.title = o.title ? *o.title : "HISTOGRAM OF " + (o.item ? *o.item : std::string("OTHER"));
    page.sourcePath = std::filesystem::absolute(o.file).string();
    page.count = static_cast<long>(data.values.size());
    page.crossings = o.interval95;
    page.print = o.print;
    if (o.interval95 && picture.probit.lower.found) page.lowerLimit = picture.probit.lower.value;
    if (o.interval95 && picture.probit.upper.found) page.upperLimit = picture.probit.upper.value;

    // Planned before the document starts: a page that fails leaves no file behind.
    if (const HistogramPagePlan first = planHistogramPage(page); first.failure) {
        printCaptionedMessage(*first.failure, err);
        return 1;
    }
    auto app = batchGuiApplication();
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
            printCaptionedMessage(*plan.failure, err);
            return 1;
        }
        drawHistogramPage(job, page, plan);
        job.finish();
    }
    if (!written) {
        err << "klepsydra report: cannot write " << o.pdf << ": " << error << '\n';
        return kExitFileError;
    }
    return kExitDone;
}

} // namespace

int printReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ReportOptions o;
    if (!parseOptions(args, o, err)) return kExitUsage;
    return forEachOutput(
        o, "report", out, err,
        [&](const std::string& file, std::ostream&, std::ostream& e1) { return reportOf(o, file, e1); });
}

} // namespace kl::cli
