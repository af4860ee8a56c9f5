#pragma once
// What the indirect-methods window shows and its printed page repeats: the table of each
// method's limits with their 90 % intervals, P and λ; the counts of the items that were not used
// (empty, not a number, <= 0, censored below or above); the histogram of all values with the
// fitted healthy distribution scaled by P; and the probability plot with the truncation region.
// Drawn on any Canvas.

#include "data/ColumnReader.h"
#include "indirect/Analysis.h"
#include "output/IntervalSheet.h"
#include "platform/Canvas.h"

#include <string>
#include <vector>

namespace kl {

struct IndirectSheet {
    std::string fileLine;       // the file and its column
    std::size_t rows = 0;       // data lines read
    std::vector<double> sorted; // the values used (> 0), ascending, as analysed
    SkippedItems skipped;       // items not used, per kind
    std::vector<CensoredCount> censored;
    indirect::Analysis analysis; // every method run
};

// A value with one decimal place more than the rounding resolution has (4 significant digits
// for unrounded data).
std::string indirectNumber(double v, double resolution);

// The table: a caption row, then one row per method; each row's cells are laid out at
// kIndirectColumns (half-width character cells from the left).
struct IndirectRow {
    std::vector<std::string> cells;
    int colour = Black;
};
inline constexpr int kIndirectColumns[] = {0, 34, 60, 86, 94, 102};
std::vector<IndirectRow> indirectTable(const IndirectSheet& s);
// Draws the table with its top left at (x, y); cell is the width of a half-width character and
// pitch the line spacing, in the canvas' units.
void drawIndirectTable(Canvas& c, double x, double y, double cell, double pitch, const Font& font,
                       const IndirectSheet& s);

// The values used and the items not used, per kind; the censored bounds; the resolution; each
// method's note (why it gave no limits, or a warning).
std::vector<SheetLine> indirectCountLines(const IndirectSheet& s);

// The palette colour and the short label of each method's marks: TQ blue, IM red, BH green.
int indirectColour(indirect::Method m);
const char* indirectShortName(indirect::Method m);

// The histogram of all values used with the healthy distribution of the inverse model (its
// density times P and the count), each method's limits as vertical lines; values beyond the
// 0.1 % and 99.9 % points are counted at the ends.
void drawIndirectHistogram(Canvas& c, const SheetFrame& f, const IndirectSheet& s);

// The probability plot of all values (normal quantile across, the values or their logarithm
// up) with the truncation region as a band, the points kept and the line fitted to them.
void drawIndirectPlot(Canvas& c, const SheetFrame& f, const IndirectSheet& s);

// The whole sheet on one A4 page (0.1 mm, points).
void drawIndirectPage(Canvas& page, double width, double height, const IndirectSheet& s);

} // namespace kl
