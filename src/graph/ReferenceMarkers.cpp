#include "graph/ReferenceMarkers.h"

#include "graph/HistogramGeometry.h"
#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <cmath>
#include <optional>

namespace kl {

namespace {

ReferenceMarker marker(double x, bool lower, const std::string& limitText) {
    ReferenceMarker m;
    m.lower = lower;
    m.x = x;
    m.strokes.push_back({{x, 440}, {x, 504}});
    static constexpr double kPennant[5] = {501, 497, 494, 491, 489};
    for (int k = 1; k <= 5; ++k) {
        double px = lower ? x + k : x - k;
        m.strokes.push_back({{px, 488}, {px, kPennant[k - 1]}});
    }
    m.label = {x - 8, 425,
               (lower ? translate("ReferenceMarkers", "LOWER：") : translate("ReferenceMarkers", "UPPER：")) +
                   trimBlanks(limitText)};
    return m;
}

std::vector<ReferenceMarker> markers(const ReferenceTexts& t, const GraphClasses& c, double left,
                                     double width, double shift) {
    std::vector<ReferenceMarker> out;
    if (!(c.upper > c.lower)) return out;
    auto place = [&](const std::string& limit, const std::string& tableLimit, bool lower) {
        if (trimBlanks(limit).empty() || trimBlanks(tableLimit).empty()) return;
        double r = leadingNumber(trimBlanks(limit));
        double x = left + (r - c.lower) / (c.upper - c.lower) * width - shift;
        if (!std::isfinite(x)) return;
        long long px = pixelRound(x);
        if (px < left || px > left + width) return;
        out.push_back(marker(x, lower, limit));
    };
    place(t.lowerLimit, t.tableLower, true);
    place(t.upperLimit, t.tableUpper, false);
    return out;
}

} // namespace

void strokeMarkers(Canvas& canvas, const std::vector<std::vector<Segment>>& markers, int colour,
                   double haloWidth) {
    const int halo = haloColour(colour);
    for (const std::vector<Segment>& strokes : markers)
        for (const Segment& s : strokes)
            canvas.line(s.a.x, s.a.y, s.b.x, s.b.y, halo, LineStyle::Solid, haloWidth);
    for (const std::vector<Segment>& strokes : markers)
        for (const Segment& s : strokes)
            canvas.line(s.a.x, s.a.y, s.b.x, s.b.y, colour);
}

void labelBackground(Canvas& canvas, double x, double y, const std::string& text, const Font& font,
                     double cellHeight, double pad, int colour) {
    const double length = canvas.textWidth(text, font);
    canvas.fillBox(x - pad, y - length - pad, x + cellHeight - 1 + pad, y + pad, colour);
}

std::vector<ReferenceMarker> histogramReferenceMarkers(const ReferenceTexts& t, const GraphClasses& c) {
    return markers(t, c, kHistLeft, kHistWidth, 0.001);
}

std::vector<ReferenceMarker> probitReferenceMarkers(const ReferenceTexts& t, const GraphClasses& c) {
    return markers(t, c, kPlotLeft, kPlotWidth, 0);
}

} // namespace kl
