#pragma once
// Normal probability paper: the probit scale, the plotted cumulative proportions, the curve
// through them and the 95 % interval read where it crosses the 2.5 % and 97.5 % lines.

#include "graph/CurveDrawer.h"
#include "graph/GraphScheme.h"
#include "graph/Point.h"
#include "stats/GraphClasses.h"

#include <span>
#include <string>
#include <vector>

namespace kl {

inline constexpr double kPlotLeft = 700, kPlotRight = 1000, kPlotWidth = 300;
inline constexpr double kLowerBandY = 432, kUpperBandY = 138; // 2.5 % and 97.5 % lines

// The standard normal quantile of 1 - p for an upper-tail probability 0 < p < 1 (a short
// rational form with single-precision constants).
double inverseNormalUpper(double p);

// Whole pixels above the bottom edge for an upper-tail probability: floor(75 (z + 3) + 0.501).
long probitOffset(double upperTail);

struct ProbitTick {
    std::string label; // "  0.2" ... " 99.8"
    double percent = 0;
    long offset = 0;
    double lineY = 0;  // line from x = 701 to 999
    double labelY = 0; // label at x = 666
    int lineColour = 0;
    int labelColour = 0;
};

std::vector<ProbitTick> probitTicks(GraphScheme scheme);

// Decimal places of the measurement unit from the 2nd, 3rd, 5th and 9th data texts.
int plottingDecimals(std::span<const std::string> texts);

// The mask of a 95 % limit for the data's decimal places (1..4, clamped).
const char* limitMask(int decimalPlaces);

struct ProbitPoint {
    int classIndex = 0; // i: the point stands at the class's upper bound
    double x = 0, y = 0;
    int colour = 0;
};

struct Segment {
    Point a, b;
};

struct IntervalLimit {
    bool found = false;   // a crossing inside [L, U]
    bool crossed = false; // the curve met the band (a mark is drawn)
    long crossingX = 0;
    double value = 0;       // full precision, for the printed page
    std::string screenText; // "95％信頼区間の下限値：" + value through the mask, or the failure text
    std::string keptText;   // the value's plain decimal text, or "曲線不良"
    std::vector<Segment> mark; // the crossing mark in colour 5
};

struct ProbitInput {
    std::span<const double> values;
    std::span<const std::string> texts;
    GraphClasses classes;
    int decimalPlaces = 2; // 1..4, for the interval masks
    GraphScheme scheme = GraphScheme::TwoD;
    const ClassCounts* counts = nullptr; // the histogram's counts when already made
};

struct ProbitPlot {
    bool badData = false; // fewer than 2 points or fewer than 4 classes
    int unitDecimals = 0; // d of the half unit
    double halfUnit = 0.5;
    std::vector<double> cumulative; // Q(1..K)
    std::vector<double> classTickX; // boundaries 1..K-1, y 508..510
    std::vector<ProbitPoint> points;
    CurvePath curve;
    std::vector<Polyline> strokes; // curve strokes clipped to the frame
    IntervalLimit lower, upper;
};

ProbitPlot computeProbitPlot(const ProbitInput& input);

} // namespace kl
