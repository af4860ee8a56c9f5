#pragma once
// Everything the graph window, the printed page and the clipboard pictures draw, computed at once
// from the data and the table's parameters: histogram, fitted and smoothed curves, probit plot.

#include "data/Message.h"
#include "graph/CurveDrawer.h"
#include "graph/GraphScheme.h"
#include "graph/HistogramGeometry.h"
#include "graph/NormalFit.h"
#include "graph/ProbitPlot.h"
#include "graph/ReferenceMarkers.h"
#include "graph/SmoothingSpline.h"
#include "stats/GraphClasses.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl {

struct GraphInput {
    std::span<const double> values;     // the data numbers
    std::span<const std::string> texts; // the data texts, as entered
    GraphClasses classes;
    int decimalPlaces = 2; // 1..4
    double lambda = 5000;  // smoothing coefficient
    GraphScheme scheme = GraphScheme::TwoD;
    ReferenceTexts reference;
};

struct GraphPicture {
    std::optional<Message> failure; // "BAD DATA(d)": the drawing ends and the window closes
    ClassCounts counts;
    VerticalScale scale;
    HistogramAxis axis;
    std::vector<Bar> bars;
    std::vector<PlacedText> classLabels;
    NormalFit fit;
    std::vector<double> expected;
    CurvePath theoretical;                    // no points when fewer than 3 control points
    std::vector<Polyline> theoreticalStrokes; // clipped to the histogram frame
    SmoothedCurve smoothed;
    std::vector<Polyline> smoothedStrokes; // clipped to the histogram frame
    ProbitPlot probit;
    std::vector<ProbitTick> probitTicks;
    std::vector<ReferenceMarker> histogramMarkers, probitMarkers;
};

// Caption "BAD DATA(d)": the parameters do not suit the graphs.
Message badGraphDataMessage();

GraphPicture computeGraphPicture(const GraphInput& input);

} // namespace kl
