#pragma once
// The reference range of the chosen item as two labelled markers on the horizontal axes of the
// histogram and of the probability plot.

#include "graph/HistogramGeometry.h"
#include "graph/ProbitPlot.h"
#include "stats/GraphClasses.h"

#include <string>
#include <vector>

namespace kl {

struct ReferenceTexts {
    std::string lowerLimit, upperLimit; // the item's R_lo and R_hi
    std::string tableLower, tableUpper; // the table's lower- and upper-limit texts
};

struct ReferenceMarker {
    bool lower = true;
    double x = 0;
    std::vector<Segment> strokes; // post and pennant
    PlacedText label;             // written vertically, "ＭＳ ゴシック" 14 (histogram only)
};

// Markers on the histogram (x = 70 + (R - L)/(U - L) 580 - 0.001, kept when its whole pixel lies
// in 70..650) or on the plot (x = 700 + (R - L)/(U - L) 300, kept within 700..1000).
std::vector<ReferenceMarker> histogramReferenceMarkers(const ReferenceTexts& texts,
                                                       const GraphClasses& classes);
std::vector<ReferenceMarker> probitReferenceMarkers(const ReferenceTexts& texts, const GraphClasses& classes);

// Markers and labels must read over bars, frames and walls of any colour, so each is set off
// from what lies under it in its halo colour (platform/Canvas.h haloColour):
// the strokes of all markers over halos haloWidth wide, then in their colour (all halos first,
// so that no halo covers a neighbouring stroke) ...
void strokeMarkers(Canvas& canvas, const std::vector<std::vector<Segment>>& markers, int colour,
                   double haloWidth);
// ... and a vertical label written at (x, y) over a box as wide as its cell height and as tall
// as its text, with pad to spare on every side.
void labelBackground(Canvas& canvas, double x, double y, const std::string& text, const Font& font,
                     double cellHeight, double pad, int colour);

} // namespace kl
