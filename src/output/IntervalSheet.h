#pragma once
// What the reference-interval window shows and its printed page repeats: the lines of text (the
// methods' limits with their 90 % intervals, λ and the normality verdict, warnings, what was left
// out, the verification and the partitioning) and the picture of the histogram with each method's
// limits as markers and their confidence intervals as bands. Drawn on any Canvas.

#include "platform/Canvas.h"
#include "refint/IntervalAnalysis.h"

#include <optional>
#include <string>
#include <vector>

namespace kl {

// The probability-plot interval of the graph window, shown beside the methods for comparison.
struct PlotInterval {
    bool found = false;
    double lower = 0, upper = 0;
};

struct IntervalSheet {
    std::string fileLine; // the data's name and n
    const refint::GroupAnalysis* group = nullptr;
    PlotInterval plot;
    std::optional<refint::TargetInterval> target; // verification shown when set
    std::string secondName;                       // the second group's file, when partitioned
    std::optional<refint::Partitioning> partition;
    int decimals = 2; // decimal places of the values
};

struct SheetLine {
    std::string text;
    int colour = Black;
    bool heading = false;
};

// A value with the data's decimal places plus one.
std::string sheetNumber(double v, int decimals);

// The methods table: one line per method, then the probability-plot line.
std::vector<SheetLine> methodLines(const IntervalSheet& s);
// λ, the normality verdict, warnings and what was left out.
std::vector<SheetLine> noteLines(const IntervalSheet& s);
std::vector<SheetLine> verificationLines(const IntervalSheet& s);
std::vector<SheetLine> partitionLines(const IntervalSheet& s);

// The traffic light of each limit (green, yellow, red) as palette colours; nothing without a verdict.
std::optional<std::pair<int, int>> verdictColours(const IntervalSheet& s);

struct SheetFrame {
    double x = 0, y = 0, width = 0, height = 0;
    double fontSize = 12;  // the labels' height in the surface's units (spacing follows it)
    double labelSize = 12; // the labels' font size: pixels on screen, points on paper
    double unit = 1;       // one pixel on screen, about 0.25 mm on paper
};

// The histogram of the values kept, each method's limits as markers and their 90 % intervals as
// bands in a lane of their own above it; values left out are crossed on the axis.
void drawIntervalPicture(Canvas& c, const SheetFrame& f, const IntervalSheet& s);

// The palette colour of a method's marks (the probability plot: index 4 of kMethods).
int methodColour(std::size_t index);
// Short lane labels: "NP", "BC", "RB", "RT", "PP".
const char* methodShortName(std::size_t index);

// The step of an axis over span: 1, 2 or 5 times a power of ten, about six steps; and a tick's
// label with the decimals the step needs.
double niceStep(double span);
std::string tickText(double v, double step);

// The span of values an axis shows: grown by every finite value taken, then padded on both sides
// by a share of its width (a span of one value by 5 % of it, at least 1).
struct ValueSpan {
    double lo = 0, hi = 0;
    void take(double v);
    void pad(double share);
};

// The whole sheet on one A4 page (0.1 mm, points).
void drawIntervalPage(Canvas& page, double width, double height, const IntervalSheet& s);

} // namespace kl
