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

struct SampleFigures : SampleSpread {
    long size = 0;
    bool hasLocation = false; // size >= 1: mean, minimum, maximum, range
    bool hasSpread = false;   // size >= 2: the S.D.s and the mean ∓ 1.96 S.D.(N-1) limits
    FormShapes shape;
};

// The figure rows below the sample size, in the order the window and its page show them.
struct GraphFigureRow {
    const char* label;
    bool SampleFigures::*shown; // hasLocation or hasSpread
    double SampleSpread::*value;
};
inline constexpr GraphFigureRow kGraphFigureRows[] = {
    {"MEAN        ： ", &SampleFigures::hasLocation, &SampleSpread::mean},
    {"MINIMUM     ： ", &SampleFigures::hasLocation, &SampleSpread::minimum},
    {"MAXIMUM     ： ", &SampleFigures::hasLocation, &SampleSpread::maximum},
    {"RNG         ： ", &SampleFigures::hasLocation, &SampleSpread::range},
    {"SD(N-1)     ： ", &SampleFigures::hasSpread, &SampleSpread::sdSample},
    {"SD(N)       ： ", &SampleFigures::hasSpread, &SampleSpread::sdPopulation},
    {"M-1.96SD    ： ", &SampleFigures::hasSpread, &SampleSpread::meanMinus196Sd},
    {"M+1.96SD    ： ", &SampleFigures::hasSpread, &SampleSpread::meanPlus196Sd},
};

// A figure of the row as both columns show it ("######.######"), nullopt when it is not calculated.
std::optional<std::string> graphFigureText(const SampleFigures& f, const GraphFigureRow& row);

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
    std::string caption; // "計算結果 ... " + title, in the current language
    std::vector<GraphStatisticsText> lines;
};

// values: all data numbers; the graph sample is what the histogram's class rule counts.
GraphStatisticsOutcome computeGraphStatistics(std::span<const double> values, const GraphClasses& classes,
                                              std::string_view graphTitle);

Message sameSampleSizeMessage();

} // namespace kl
