#include "graph/GraphComputation.h"

#include "text/Translate.h"

#include <algorithm>

namespace kl {

Message badGraphDataMessage() {
    return Message{"BAD DATA(d)",
                   translate("GraphComputation", "パラメータが適当ではありません。    \r\n"
                                                 "階級幅や階級数などを見直して下さい。            "),
                   Buttons::Ok, Icon::Information};
}

namespace {

GraphPicture failed(GraphPicture picture) {
    picture.failure = badGraphDataMessage();
    return picture;
}

} // namespace

GraphPicture computeGraphPicture(const GraphInput& in) {
    GraphPicture g;
    const GraphClasses& c = in.classes;
    if (!graphClassesUsable(c)) return failed(std::move(g));

    std::vector<double> shown;
    shown.reserve(in.values.size());
    g.counts = countClasses(in.values, c, &shown);
    auto scale = verticalScale(g.counts.largest);
    if (!scale || g.counts.counted < 2) return failed(std::move(g));
    g.scale = *scale;
    g.axis = histogramAxis(g.scale, c.count);
    g.bars = histogramBars(g.counts.frequency, g.scale);
    bool negative = std::any_of(in.values.begin(), in.values.end(), [](double x) { return x < 0; });
    g.classLabels = screenClassLabels(c, in.decimalPlaces, negative);

    auto fit = fitNormalToShown(shown);
    if (!fit) return failed(std::move(g));
    g.fit = *fit;
    g.expected = expectedFrequencies(g.fit, c);
    const Frame histogramFrame{kHistLeft, kHistTop, kHistRight, kHistBottom};
    g.theoretical = drawCurve(theoreticalControlPoints(g.expected, g.scale));
    g.theoreticalStrokes = clipStrokes(g.theoretical.strokes, histogramFrame);

    std::vector<Point> tops;
    for (const Bar& b : g.bars)
        tops.push_back({b.centreX, b.top});
    g.smoothed = smoothHistogram(tops, in.lambda);
    if (g.smoothed.fault == SmoothingFault::Singular || g.smoothed.fault == SmoothingFault::NotFinite)
        return failed(std::move(g));
    if (!g.smoothed.line.empty())
        g.smoothedStrokes = clipStrokes(std::vector<Polyline>{g.smoothed.line}, histogramFrame);

    g.probitTicks = probitTicks(in.scheme);
    g.probit = computeProbitPlot({in.values, in.texts, c, in.decimalPlaces, in.scheme, &g.counts});
    if (g.probit.badData) return failed(std::move(g));

    g.histogramMarkers = histogramReferenceMarkers(in.reference, c);
    g.probitMarkers = probitReferenceMarkers(in.reference, c);
    return g;
}

} // namespace kl
