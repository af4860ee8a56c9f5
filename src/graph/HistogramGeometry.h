#pragma once
// Geometry of the histogram: vertical scale, ticks, grid, scale labels, bars and class labels,
// in pixels of the graph window (frame x 70..650, y 60..510, y down) or, through the same rules
// in another frame, in units of the printed page.

#include "stats/GraphClasses.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl {

inline constexpr double kHistLeft = 70, kHistRight = 650, kHistTop = 60, kHistBottom = 510;
inline constexpr double kHistWidth = 580, kHistHeight = 450;

// Where a histogram is drawn (y down) and where its scale labels stand.
struct HistogramFrame {
    double left = kHistLeft, right = kHistRight, top = kHistTop, bottom = kHistBottom;
    double labelX = 25;   // the scale labels' x
    double labelTop = 53; // the top scale label's y; the others follow down the frame's height
    // Paper leaves out every other scale label of a top T between 500 and 1000 (exclusive).
    bool everyOtherLabel = false;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// The graph window's frame.
inline constexpr HistogramFrame kScreenHistogram{};

struct VerticalScale {
    long fmax = 0;
    long unit = 0;             // u
    long top = 0;              // T
    long divisions = 0;        // n
    double pixelsPerCount = 0; // s
};

// Nothing for an empty table (fmax <= 0): the picture cannot be scaled. pixelsPerCount is the
// frame's height / T - 0.001.
std::optional<VerticalScale> verticalScale(long fmax, const HistogramFrame& frame = kScreenHistogram);

struct PlacedText {
    double x = 0, y = 0;
    std::string text;
};

struct HistogramAxis {
    std::vector<double> classTickX;      // bottom ticks at every class boundary, y 506..510
    std::vector<double> gridY;           // ticks x 70..74 and grid lines x 76..649
    std::vector<double> minorGridY;      // minor grid
    std::vector<PlacedText> scaleLabels; // "#####" at x = 25
};

HistogramAxis histogramAxis(const VerticalScale& scale, int classCount,
                            const HistogramFrame& frame = kScreenHistogram);

struct Bar {
    double left = 0, right = 0; // x_l, x_r
    double top = 0;             // 510 - h
    double height = 0;          // h (0 for an empty class)
    double centreX = 0;
};

std::vector<Bar> histogramBars(std::span<const long> frequency, const VerticalScale& scale,
                               const HistogramFrame& frame = kScreenHistogram);

// The label texts lo + "-" + hi of every class (lo right-aligned in 12, hi left-aligned in 12).
// With folding the open ends are blank, except a first bound of "0.00" when no value is negative.
std::vector<std::string> classLabelTexts(const GraphClasses& classes, int decimalPlaces,
                                         bool dataHasNegative);

// Offsets of the rotated class labels on screen (first matching test) and on paper.
int screenLabelShiftK(int classCount);              // dK
int screenLabelAdjustK(int classCount);             // aK
int screenLabelShiftL(std::size_t lastLabelLength); // dL
int paperLabelShiftK(int classCount);
int paperLabelAdjustK(int classCount);
int paperLabelShiftL(std::size_t lastLabelLength);

// The labels placed on screen: x = 70 - dK + 580 i / K - aK, y = 680 - dL.
std::vector<PlacedText> screenClassLabels(const GraphClasses& classes, int decimalPlaces,
                                          bool dataHasNegative);

} // namespace kl
