#pragma once
// Statistics of the data as graphed beside those of the whole data set, for the window that
// opens from the graph window's "計 算" button and for its printout.

#include "data/Message.h"
#include "stats/BasicStatistics.h"
#include "stats/GraphClasses.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

struct SampleFigures {
    long size = 0;
    bool hasLocation = false; // size >= 1: mean, minimum, maximum, range
    bool hasSpread = false;   // size >= 2: the S.D.s and the mean ∓ 1.96 S.D.(N-1) limits
    double mean = 0, minimum = 0, maximum = 0, range = 0;
    double sdSample = 0, sdPopulation = 0;
    double meanMinus196Sd = 0, meanPlus196Sd = 0;
    std::array<ShapeStatistics, 3> shape; // measured, log, cube
};

// Figures of one sample with its true minimum and maximum.
SampleFigures sampleFigures(std::span<const double> x);

// "    ( N.S )", " ( P<0.05 )", " ( P<0.01 )", "  (P<0.001)".
std::string graphSignificanceText(double z);

struct GraphStatisticsText {
    int x = 0, y = 0;
    int size = 14; // "ＭＳ 明朝" size
    std::string text;
    bool operator==(const GraphStatisticsText&) const = default;
};

struct GraphStatisticsOutcome {
    bool shown = false;             // the window opens
    std::optional<Message> message; // "計算不要" or the "Not calculate" refusal
    bool beep = false;              // samples too small or without spread: no normality rows
    bool normalityRows = false;
    SampleFigures first, graph;
    std::string caption; // "計算結果 ... " + title
    std::vector<GraphStatisticsText> lines;
};

// values: all data numbers; the graph sample is what the histogram's class rule counts.
GraphStatisticsOutcome computeGraphStatistics(std::span<const double> values, const GraphClasses& classes,
                                              std::string_view graphTitle);

Message sameSampleSizeMessage();

} // namespace kl
