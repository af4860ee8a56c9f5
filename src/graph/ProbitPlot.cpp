#include "graph/ProbitPlot.h"

#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kl {

namespace {

struct TickSpec {
    const char* label;
    double percent;
    double upperTail;
};

constexpr TickSpec kTicks[] = {
    {"  0.2", 0.2, 0.998}, {"  0.5", 0.5, 0.995},  {"  1.0", 1.0, 0.99},   {"  2.5", 2.5, 0.975},
    {"  5.0", 5.0, 0.95},  {" 10.0", 10.0, 0.9},   {" 20.0", 20.0, 0.8},   {" 30.0", 30.0, 0.7},
    {" 40.0", 40.0, 0.6},  {" 50.0", 50.0, 0.5},   {" 60.0", 60.0, 0.4},   {" 70.0", 70.0, 0.3},
    {" 80.0", 80.0, 0.2},  {" 90.0", 90.0, 0.1},   {" 95.0", 95.0, 0.05},  {" 97.5", 97.5, 0.025},
    {" 99.0", 99.0, 0.01}, {" 99.5", 99.5, 0.005}, {" 99.8", 99.8, 0.002},
};

constexpr const char* kLowerLabel = KL_TRANSLATE_NOOP("ProbitPlot", "95％信頼区間の下限値：");
constexpr const char* kUpperLabel = KL_TRANSLATE_NOOP("ProbitPlot", "95％信頼区間の上限値：");
constexpr const char* kBadCurve = KL_TRANSLATE_NOOP("ProbitPlot", "曲線不良");

std::string plainDecimal(double v) {
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return r.ec == std::errc{} ? std::string(buf, r.ptr) : formatMaskTrim(v, "######.######");
}

std::vector<Segment> crossingMark(long x, bool lower) {
    const double cx = static_cast<double>(x);
    std::vector<Segment> mark{{{cx, lower ? kLowerBandY : kUpperBandY}, {cx, 508}}};
    static constexpr double kFoot[5] = {505, 502, 500, 497, 495};
    for (int k = 1; k <= 5; ++k) {
        double px = lower ? cx + k : cx - k;
        mark.push_back({{px, 495}, {px, kFoot[k - 1]}});
    }
    return mark;
}

IntervalLimit readLimit(std::optional<double> meanX, bool lower, const ProbitInput& in) {
    IntervalLimit lim;
    const GraphClasses& c = in.classes;
    if (meanX) {
        lim.crossed = true;
        lim.crossingX = pixelRound(*meanX);
        lim.mark = crossingMark(lim.crossingX, lower);
    }
    // No crossing reads as x = 0, far left of the frame: a failed curve.
    lim.value = c.lower + (static_cast<double>(lim.crossingX) - kPlotLeft) / kPlotWidth * (c.upper - c.lower);
    lim.found = lim.crossed && lim.value >= c.lower && lim.value <= c.upper;
    const std::string label = translate("ProbitPlot", lower ? kLowerLabel : kUpperLabel);
    if (lim.found) {
        lim.screenText = label + formatMask(lim.value, limitMask(in.decimalPlaces));
        lim.keptText = plainDecimal(lim.value);
    } else {
        lim.keptText = translate("ProbitPlot", kBadCurve);
        lim.screenText = label + " " + lim.keptText;
    }
    return lim;
}

} // namespace

double inverseNormalUpper(double p) {
    static constexpr float kA = 2.06118f, kB = 5.72622f, kC = 11.6406f;
    double y = -std::log(4 * p * (1 - p));
    double z =
        std::sqrt(y * (static_cast<double>(kA) - static_cast<double>(kB) / (y + static_cast<double>(kC))));
    return p > 0.5 ? -z : z;
}

long probitOffset(double upperTail) {
    return static_cast<long>(pixelRound(75 * (inverseNormalUpper(upperTail) + 3)));
}

std::vector<ProbitTick> probitTicks(GraphScheme scheme) {
    std::vector<ProbitTick> ticks;
    const SchemeColours colours = schemeColours(scheme);
    for (const TickSpec& s : kTicks) {
        ProbitTick t;
        t.label = s.label;
        t.percent = s.percent;
        t.offset = probitOffset(s.upperTail);
        t.lineY = 510.0 - static_cast<double>(t.offset);
        t.labelY = 506.0 - static_cast<double>(t.offset);
        t.lineColour = probitLineColour(scheme, s.percent);
        bool band = s.percent == 2.5 || s.percent == 97.5;
        t.labelColour = band ? colours.probitBandLabel : colours.probitText;
        ticks.push_back(t);
    }
    return ticks;
}

int plottingDecimals(std::span<const std::string> texts) {
    static constexpr std::size_t kPositions[] = {2, 3, 5, 9};
    bool anyPoint = false;
    bool seen[5] = {};
    for (std::size_t pos : kPositions) {
        if (pos > texts.size()) continue;
        std::string t = trimBlanks(texts[pos - 1]);
        auto dot = t.find('.');
        if (dot == std::string::npos) continue; // a text without a point says nothing
        anyPoint = true;
        std::size_t len = std::min<std::size_t>(characterCount(std::string_view(t).substr(dot + 1)), 10);
        if (len >= 1 && len <= 4) seen[len] = true;
    }
    if (!anyPoint) return 0;
    for (int d = 4; d >= 1; --d)
        if (seen[d]) return d;
    return 4;
}

const char* limitMask(int decimalPlaces) {
    switch (std::clamp(decimalPlaces, 1, 4)) {
    case 1:
        return "#######.#";
    case 2:
        return "#######.##";
    case 3:
        return "#######.###";
    default:
        return "#######.####";
    }
}

ProbitPlot computeProbitPlot(const ProbitInput& in) {
    ProbitPlot plot;
    const GraphClasses& c = in.classes;
    if (!graphClassesUsable(c) || c.count < 4) {
        plot.badData = true;
        return plot;
    }
    const int K = c.count;
    const double step = kPlotWidth / K;
    for (int i = 1; i < K; ++i)
        plot.classTickX.push_back(kPlotLeft + step * i);

    const ClassCounts counts = in.counts ? *in.counts : countClasses(in.values, c);
    if (counts.counted < 2) {
        plot.badData = true;
        return plot;
    }
    long running = 0;
    for (long f : counts.frequency) {
        running += f;
        plot.cumulative.push_back(static_cast<double>(running) / static_cast<double>(counts.counted));
    }

    plot.unitDecimals = plottingDecimals(in.texts);
    plot.halfUnit = 0.5 * std::pow(10.0, -plot.unitDecimals);
    const double delta = plot.halfUnit / c.width();
    const double shift = static_cast<double>(pixelRound(step * delta));

    const long y90 = 510 - probitOffset(0.1), y10 = 510 - probitOffset(0.9);
    const SchemeColours colours = schemeColours(in.scheme);
    std::vector<Point> controls;
    for (int i = 1; i < K; ++i) {
        double p = 1 - plot.cumulative[static_cast<std::size_t>(i - 1)];
        if (p == 0 || p == 1) continue;
        long y = 510 - probitOffset(p);
        if (y < 60 || y > 510) continue;
        ProbitPoint pt;
        pt.classIndex = i;
        pt.x = kPlotLeft + step * i - shift;
        pt.y = static_cast<double>(y);
        bool central = y >= y90 - 3 && y <= y10 + 3;
        pt.colour = central ? colours.probitPointInside : colours.probitPointOutside;
        plot.points.push_back(pt);
        controls.push_back({pt.x, pt.y});
    }
    if (plot.points.size() < 2) {
        plot.badData = true;
        return plot;
    }

    plot.curve = drawCurve(controls);
    std::vector<Polyline> strokes = plot.curve.strokes;
    plot.strokes = clipStrokes(strokes, Frame{kPlotLeft, 60, kPlotRight, 510});
    // The bands are tested on the unrounded curve points.
    plot.lower = readLimit(bandMeanX(plot.curve.points, kLowerBandY - 1, kLowerBandY + 1), true, in);
    plot.upper = readLimit(bandMeanX(plot.curve.points, kUpperBandY - 1, kUpperBandY + 1), false, in);
    return plot;
}

} // namespace kl
