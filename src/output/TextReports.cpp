#include "output/TextReports.h"

#include "data/DataSet.h"
#include "graph/PatternPicture.h"
#include "graph/PlotHelpText.h"
#include "output/HelpTexts.h"
#include "platform/Services.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "text/Cp932.h"
#include "text/Mask.h"
#include "text/Path.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <exception>

namespace kl {

namespace {

constexpr const char* kFileNameLabel = KL_TRANSLATE_NOOP("TextReports", "FILE NAME ： ");
constexpr const char* kCountLabel = KL_TRANSLATE_NOOP("TextReports", "    N     ： ");
constexpr const char* kFigureMask = "######.######";
constexpr const char* kShapeMask = "######.####";

Font paperFont(double points, bool bold = false) {
    return Font{kMincho, points, bold, false};
}

void put(PrintJob& job, double x, double y, const std::string& text, double points, bool bold = false) {
    job.page().text(x, y, text, paperFont(points, bold), Black);
}

// The label in the current language.
std::string shownLabel(const char* text) {
    return translate("TextReports", text);
}

std::string countText(long n) {
    return std::to_string(n);
}

// ---- data list -------------------------------------------------------------------------------

constexpr int kRowsPerColumn = 50;
constexpr int kValuesPerPage = 200;
constexpr double kDataListPoints = 14;

void dataListHeader(PrintJob& job, const DataSet& data, const std::string& fileName) {
    const std::string rule =
        " -------------------------------------------------------------------------------- ";
    put(job, 50, 50, shownLabel(kFileNameLabel) + fileName, kDataListPoints);
    put(job, 50, 90, shownLabel(kCountLabel) + countText(data.count()), kDataListPoints);
    put(job, 10, 140, rule, kDataListPoints);
    put(job, 10, 180, "     No      DATA        No      DATA        No      DATA        No      DATA",
        kDataListPoints);
    put(job, 10, 220, rule, kDataListPoints);
}

// ---- basic statistics ------------------------------------------------------------------------

constexpr double kStatisticsPoints = 14;

std::string shapeText(const char* label, bool calculated, double v, const std::string& significance) {
    if (!calculated) return std::string(label) + padLeft("Not calc", std::string_view(kShapeMask).size());
    return std::string(label) + formatMask(v, kShapeMask) + significance;
}

void basicFigures(PrintJob& job, const SampleFigures& f) {
    struct Row {
        double y, x;
        const char* label;
        double value;
    };
    put(job, 31, 120, "  Sample size   =  " + formatMask(static_cast<double>(f.size), "#############"),
        kStatisticsPoints);
    if (!f.hasLocation) return;
    const Row rows[] = {
        {170, 31, "  Mean          =  ", f.mean},           {220, 31, "  Minimum       =  ", f.minimum},
        {270, 31, "  Maximum       =  ", f.maximum},        {320, 31, "  RNG           =  ", f.range},
        {370, 30, "  S.D.(N-1)     =  ", f.sdSample},       {420, 30, "  S.D.(N)       =  ", f.sdPopulation},
        {470, 30, "  Mean-1.96SD   =  ", f.meanMinus196Sd}, {520, 30, "  Mean+1.96SD   =  ", f.meanPlus196Sd},
    };
    for (const Row& r : rows) {
        const bool spread = r.y >= 370;
        if (spread && !f.hasSpread) {
            // One value has no spread; the limits are left out with it.
            if (r.y <= 420) put(job, r.x, r.y, std::string(r.label) + "Not calculate ", kStatisticsPoints);
            continue;
        }
        put(job, r.x, r.y, r.label + formatMask(r.value, kFigureMask), kStatisticsPoints);
    }
}

void basicShapeBlocks(PrintJob& job, const SampleFigures& f) {
    const char* titles[3] = {"  ( normal data )", "  ( log-transformed data )",
                             "  ( cube-transformed data )"};
    for (int k = 0; k < 3; ++k) {
        const ShapeStatistics& sh = f.shape[static_cast<std::size_t>(k)];
        const double y = 620 + 150 * k;
        put(job, 30, y, titles[k], kStatisticsPoints);
        put(job, 30, y + 50, shapeText("  Skewness      =  ", sh.calculated, sh.skewness, sh.skewnessLabel),
            kStatisticsPoints);
        put(job, 30, y + 100, shapeText("  Kurtosis      =  ", sh.calculated, sh.kurtosis, sh.kurtosisLabel),
            kStatisticsPoints);
    }
}

void outOfRangeBlock(PrintJob& job, const std::vector<double>& values, const ReferenceLimitTexts& item) {
    const OutOfRangeRates rates = outOfRangeRates(values, item.lower, item.upper);
    put(job, 30, 1120, translate("TextReports", "  ＃ 異常率(%) ："), kStatisticsPoints);
    put(job, 30, 1170, withArgs(translate("TextReports", "     Lower：%1"), {rates.lowerText}),
        kStatisticsPoints);
    put(job, 30, 1220, withArgs(translate("TextReports", "     Upper：%1"), {rates.upperText}),
        kStatisticsPoints);
    put(job, 30, 1270, withArgs(translate("TextReports", "     Total：%1"), {rates.totalText}),
        kStatisticsPoints);
}

// ---- graph statistics ------------------------------------------------------------------------

constexpr double kFirstX = 50, kGraphX = 837, kGraphSizeX = 960;

void graphFigureRows(PrintJob& job, const SampleFigures& first, const SampleFigures& graph) {
    double y = 190;
    for (const GraphFigureRow& row : kGraphFigureRows) {
        put(job, kFirstX, y, row.label + graphFigureText(first, row).value_or("  Not calc "), 14);
        put(job, kGraphX, y, graphFigureText(graph, row).value_or("  Not calc "), 14);
        y += 45;
    }
}

void graphShapeFigure(PrintJob& job, double y, double labelX, double valueX, const char* label,
                      const ShapeStatistics& sh, bool kurtosis) {
    const double v = kurtosis ? sh.kurtosis : sh.skewness;
    const std::string& sig = kurtosis ? sh.kurtosisLabel : sh.skewnessLabel;
    const std::string number = sh.calculated ? formatMask(v, kShapeMask) : padLeft("Not calc", 11);
    if (label)
        put(job, kFirstX, y, translate("TextReports", label) + number, 14);
    else
        put(job, valueX, y, number, 14);
    if (sh.calculated) put(job, labelX, y + 45, "  " + sig, 14);
}

void graphShapeBlocks(PrintJob& job, const GraphStatisticsOutcome& o) {
    const char* titles[3] = {"          *** normal data *** ", "      *** log-transformed data *** ",
                             "      *** cube-transformed data *** "};
    const double tops[3] = {595, 910, 1225};
    for (int k = 0; k < 3; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double y = tops[k];
        put(job, kFirstX, y, titles[k], 14);
        graphShapeFigure(job, y + 90, 425, 0, KL_TRANSLATE_NOOP("TextReports", "Skewness    ： "),
                         o.first.shape[i], false);
        graphShapeFigure(job, y + 180, 425, 0, KL_TRANSLATE_NOOP("TextReports", "Kurtosis    ： "),
                         o.first.shape[i], true);
        graphShapeFigure(job, y + 90, 840, kGraphX, nullptr, o.graph.shape[i], false);
        graphShapeFigure(job, y + 180, 840, kGraphX, nullptr, o.graph.shape[i], true);
    }
}

// A name cut to 88 characters, "～" marking a cut.
std::string footerName(const std::string& name) {
    return cutCellsWithMark(trimBlanks(name), 88);
}

// ---- help texts ------------------------------------------------------------------------------

constexpr double kHelpPoints = 13, kHelpPitch = 50;

class HelpPage {
  public:
    explicit HelpPage(PrintJob& job) : job_(job) {}
    void line(const std::string& text) {
        if (!text.empty()) put(job_, 0, y_, text, kHelpPoints);
        y_ += kHelpPitch;
    }
    void indented(const char* text) { line("   " + helpText(text)); }
    template <std::size_t N> void paragraph(const std::array<const char*, N>& lines) {
        for (const char* l : lines)
            indented(l);
    }
    void moveTo(double y) { y_ = y; }

  private:
    PrintJob& job_;
    double y_ = 0;
};

void formulaBlock(PrintJob& job) {
    Canvas& c = job.page();
    const Font big = paperFont(14), small = paperFont(9);
    for (double x : {120.0, 670.0}) {
        c.text(x, 415, helpText(kFormulaNumerator), big, Black);
        c.text(x, 475, helpText(kFormulaDenominator), big, Black);
    }
    c.text(120, 450, helpText(kFormulaB1), big, Black);
    c.text(670, 450, helpText(kFormulaB2), big, Black);
    c.line(470, 419, 508, 419, Black);
    c.line(1020, 419, 1058, 419, Black);
    c.line(250, 474, 550, 474, Black);
    c.line(800, 474, 1100, 474, Black);
    c.text(535, 403, "3", small, Black);
    c.text(490, 473, "3", small, Black);
    c.text(1080, 403, "4", small, Black);
    c.text(1040, 473, "4", small, Black);
    c.line(1065, 562, 1103, 562, Black);
    c.text(740, 560, helpText(kFormulaLegend), big, Black);
}

} // namespace

bool printReport(Services& services, const std::function<void(PrintJob&)>& content,
                 const std::string& proposedFile) {
    if (!proposedFile.empty()) services.proposePrintFile(proposedFile);
    if (!services.printDialog()) return false;
    BusyPointer busy(services);
    std::unique_ptr<PrintJob> job;
    try {
        job = services.startPrint("PRINTER");
    } catch (const std::exception&) {
        return true; // no printer: nothing comes out, and no message
    }
    if (!job) return true;
    try {
        content(*job);
    } catch (const std::exception&) {
        // A failed step ends the report; the document is still ended below.
    }
    try {
        job->finish();
    } catch (const std::exception&) {
    }
    return true;
}

std::string printFileProposal(const std::string& sourcePath, const std::string& kind) {
    const PathParts parts = splitPath(trimBlanks(sourcePath));
    if (trimBlanks(parts.base).empty()) return kind + ".pdf";
    return parts.drive + parts.folder + parts.base + "_" + kind + ".pdf";
}

std::string reportFileName(const DataSet& data, bool pasted) {
    if (pasted) return {};
    return trimBlanks(data.sourcePath);
}

std::string dataListEntry(int i, const std::string& value, int column) {
    // A value wider than its field first takes one of the two blanks before it, then runs on to
    // the right: it is printed whole, never cut.
    const std::size_t width = sjisWidth(value);
    std::string entry = "| " + padLeft(std::to_string(i), 5);
    entry += width > 9 ? " " + padLeft(value, 10) : "  " + padLeft(value, 9);
    entry += column == 4 ? " |" : "  ";
    return entry;
}

void printDataList(PrintJob& job, const DataSet& data, const std::string& fileName) {
    dataListHeader(job, data, fileName);
    const int n = data.count();
    int column = 0, row = 0;
    for (int i = 1; i <= n; ++i) {
        if (i % kRowsPerColumn == 1) {
            column = (column % 4) + 1;
            row = 0;
        }
        const double x = 30 + 500.0 * (column - 1), y = 280 + 50.0 * row;
        put(job, x, y, dataListEntry(i, data.value(i), column), kDataListPoints);
        ++row;
        if (i % kValuesPerPage == 0 && i != n) {
            job.newPage();
            dataListHeader(job, data, fileName);
            column = 0;
        }
    }
}

void printBasicStatistics(PrintJob& job, const DataSet& data, const std::string& fileName,
                          const std::optional<ReferenceLimitTexts>& item) {
    put(job, 50, 50, shownLabel(kFileNameLabel) + fileName, kStatisticsPoints);
    const std::vector<double> values = data.numbers();
    const SampleFigures f = sampleFigures(values);
    basicFigures(job, f);
    if (f.size >= 30) basicShapeBlocks(job, f);
    if (item) outOfRangeBlock(job, values, *item);
}

void printFrequencyTable(PrintJob& job, const std::vector<std::string>& rows, const std::string& fileName,
                         int count) {
    put(job, 50, 20, "Frequency Table", 20);
    put(job, 50, 110, shownLabel(kFileNameLabel) + fileName, 14);
    put(job, 50, 150, shownLabel(kCountLabel) + countText(count), 14);
    const std::string rule = "--------------------------------------------------";
    std::vector<std::string> lines = {rule, "Class |          Interval            | Frequency", rule};
    lines.insert(lines.end(), rows.begin(), rows.end());
    double y = 200;
    for (const std::string& l : lines) {
        put(job, 50, y, l, 14);
        y += 50;
    }
}

std::optional<Message> printGraphStatistics(PrintJob& job, const GraphStatisticsOutcome& o,
                                            const std::string& fileName, int count) {
    const SampleFigures &a = o.first, &b = o.graph;
    put(job, kFirstX, 30, "<< statistic >>", 14);
    put(job, kFirstX, 90, "                 ( first )        ( graph )", 14);
    put(job, kFirstX, 145,
        translate("TextReports", "SAMPLE SIZE ：      ") + formatMask(static_cast<double>(a.size), "#######"),
        14);
    put(job, kGraphSizeX, 145, formatMask(static_cast<double>(b.size), "#######"), 14);
    graphFigureRows(job, a, b);
    // The window's own guard (too few values, no spread) leaves the shape blocks out.
    if (o.normalityRows) {
        if (!a.hasSpread || !b.hasSpread || a.sdSample < kMinSd || b.sdSample < kMinSd)
            return unsuitableSampleMessage();
        graphShapeBlocks(job, o);
    }
    if (!fileName.empty())
        put(job, 46, 1540,
            withArgs(translate("TextReports", "File Name： %1 (N=%2)"),
                     {footerName(fileName), countText(count)}),
            10);
    return std::nullopt;
}

void printHelpText(PrintJob& job, int mode) {
    HelpPage page(job);
    if (mode == 1) {
        page.line("");
        page.line("");
        page.line("   " + helpText(kUsageTitle));
        page.line("");
        page.paragraph(kUsageInput);
        page.paragraph(kUsageWorkflow);
        page.line("");
        page.paragraph(kUsageOutput);
        return;
    }
    if (mode != 2) return;
    page.line("");
    page.line("");
    page.line("  " + helpText(kShapeTitle));
    page.line("");
    page.paragraph(kShapeIntro);
    formulaBlock(job);
    page.moveTo(650);
    page.indented(kShapeReadingLead);
    page.line("");
    page.paragraph(kShapeReadings);
    page.line("");
    page.paragraph(kShapeTest);
}

void printIntervalHelp(PrintJob& job) {
    // The picture keeps its proportions inside the printable width (at most 2170 wide), and the
    // explanation follows under it.
    const double width = std::min(2170.0, job.pageWidth() > 0 ? job.pageWidth() : 2170.0);
    const double scale = width / kPatternPictureWidth;
    const double height = kPatternPictureHeight * scale;
    drawPatternPicture(job.page(), PictureFrame{0, 0, width, height, kPaperUnitsPerPoint}, false);
    put(job, kShapeLabelS.x * scale, kShapeLabelS.y * scale, plotHelpText(kPatternLabelS), 12);
    put(job, kShapeLabelN.x * scale, kShapeLabelN.y * scale, plotHelpText(kPatternLabelN), 12);
    const double top = std::max(1255.0, height + 60);
    put(job, 50, top, plotHelpText(kIntervalHelpHeading), 10, true);
    for (std::size_t i = 0; i < kIntervalHelpLines.size(); ++i)
        put(job, 50, top + 80 + 40.0 * static_cast<double>(i), plotHelpText(kIntervalHelpLines[i]), 10, true);
}

} // namespace kl
