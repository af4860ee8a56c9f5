#pragma once
// The printed histogram page: the histogram with its curves and reference markers, optionally the
// normal probability plot with the 95 % texts and the statistics table, drawn again in 0.1 mm with
// the page's own frames, fonts and constants (not a copy of the screen).
//
// The page is planned first (everything that can fail arithmetically), then drawn, so a job that
// would fail is never started:
//     HistogramPagePlan plan = planHistogramPage(input);
//     if (plan.failure) { show it; return; }
//     auto job = services.startPrint("PRINTER");
//     drawHistogramPage(*job, input, plan);
//     job->finish();

#include "data/Message.h"
#include "graph/CurveDrawer.h"
#include "graph/GraphComputation.h"
#include "graph/HistogramGeometry.h"
#include "graph/ReferenceMarkers.h"
#include "platform/PrintJob.h"
#include "stats/GraphClasses.h"
#include "stats/GraphStatistics.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

// Page frames in 0.1 mm.
inline constexpr double kPageX0 = 300, kPageX1 = 1800, kPageY0 = 70, kPageY1 = 970;
inline constexpr double kPageP0 = 500, kPageP1 = 1500, kPageQ0 = 1500, kPageQ1 = 2580;
// Where the 2.5 % and 97.5 % lines of the paper's probit scale lie.
inline constexpr double kPageLowerBandY = 2393, kPageUpperBandY = 1687;

struct PrintOptions {
    bool theory = false;     // P_RIRON: both curves and their legend
    bool reference = false;  // P_KIJUN: reference markers
    bool interval = false;   // P_KYUU: the 95 % texts
    bool plot = false;       // P_KAKURI: the normal probability plot
    bool statistics = false; // P_KEISAN: the statistics table
};

// The graph window's input (the texts give the decimals rule of the plot) and what the page adds.
struct HistogramPageInput : GraphInput {
    int smoothingFactor = 1; // s, at least 1
    std::string title;       // EDIT7
    std::string sourcePath;  // empty for pasted or typed data
    long count = 0;          // the data set's count
    bool pasted = false;     // pasted and not saved: no file line
    bool crossings = false;  // SINRA: the paper crossings are marked
    PrintOptions print;
    // The 95 % limits kept from the screen at full precision; nothing for a failed curve.
    std::optional<double> lowerLimit, upperLimit;
};

// s = floor(10 Hs / Hp) with Hp the printable height in device pixels; never below 1, so a
// high-resolution printer or a PDF still gets a smoothing coefficient.
int printerScreenFactor(int screenHeightPx, double printableHeightUnits, int verticalDpi);

// "File Name： " + the trimmed path cut to 88 characters ("～" after a cut longer than 87) +
// " (N=" + count + ")".
std::string pageFileLine(std::string_view path, long count);

// The title cut to 44 half-width cells and its x, centred on the histogram width.
struct PageTitle {
    std::string text;
    double x = 0;
};
PageTitle pageTitle(std::string_view title);

// Caption "BAD DATA": the parameters make a scale or a coordinate unusable.
Message badPrintDataMessage();

struct PaperProbitPoint {
    double x = 0, y = 0;
    int colour = 0;
};

struct HistogramPagePlan {
    std::optional<Message> failure;
    ClassCounts counts;
    VerticalScale scale; // u, T, n; pixelsPerCount is the paper's h
    std::vector<Bar> bars;
    std::vector<PlacedText> classLabels;
    std::vector<PlacedText> scaleLabels;
    std::vector<double> gridY, minorGridY;
    std::vector<Polyline> theoretical, smoothed; // clipped to the histogram frame
    std::vector<PaperProbitPoint> probitPoints;
    std::vector<Polyline> probitCurve;
    std::optional<long> lowerCrossing, upperCrossing;
    SampleFigures figures; // the statistics table's sample
    int pages = 1;
};

HistogramPagePlan planHistogramPage(const HistogramPageInput& in);

// Draws page 1 (and page 2 for the table when the plot is printed too) on the job.
void drawHistogramPage(PrintJob& job, const HistogramPageInput& in, const HistogramPagePlan& plan);

// The statistics table, d = 0 on page 1 and 1450 on page 2 (HistogramPageTable.cpp).
void drawStatisticsTable(Canvas& canvas, const SampleFigures& figures, double d);

} // namespace kl
