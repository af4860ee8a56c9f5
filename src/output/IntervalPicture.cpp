// The reference-interval picture and the printed page of the reference-interval window.

#include "output/IntervalSheet.h"
#include "output/TextReports.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>

namespace kl {

using namespace refint;

double niceStep(double span) {
    double raw = span / 6, mag = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * mag >= raw) return m * mag;
    return 10 * mag;
}

std::string tickText(double v, double step) {
    int places = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*f", places, std::fabs(v) < step * 1e-9 ? 0.0 : v);
    return buf;
}

void ValueSpan::take(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
}

void ValueSpan::pad(double share) {
    double p = (hi - lo) * share;
    if (!(p > 0)) p = std::max(std::fabs(lo) * 0.05, 1.0);
    lo -= p;
    hi += p;
}

namespace {

ValueSpan pictureRange(const IntervalSheet& s, const std::vector<double>& kept) {
    ValueSpan r{*std::min_element(kept.begin(), kept.end()), *std::max_element(kept.begin(), kept.end())};
    for (const MethodRow& row : s.group->intervals.rows) {
        if (!row.available) continue;
        for (const Limit* l : {&row.lower, &row.upper}) {
            r.take(l->value);
            if (l->hasCi) r.take(l->ci.low), r.take(l->ci.high);
        }
    }
    if (s.plot.found) r.take(s.plot.lower), r.take(s.plot.upper);
    r.pad(0.03);
    return r;
}

struct BinLayout {
    double start = 0, width = 1;
    int count = 1;
};

// Classes centred on the values' grid: the smallest gap between distinct values, widened to
// whole multiples of it until at most 60 classes cover the values.
BinLayout binLayout(std::vector<double> kept, const ValueSpan& range) {
    std::sort(kept.begin(), kept.end());
    double gap = 0;
    for (std::size_t i = 1; i < kept.size(); ++i) {
        double d = kept[i] - kept[i - 1];
        if (d > 1e-12 * std::max(1.0, std::fabs(kept[i])) && (gap == 0 || d < gap)) gap = d;
    }
    const double span = kept.back() - kept.front();
    if (!(gap > 0)) return {kept.front() - (range.hi - range.lo) / 80, (range.hi - range.lo) / 40, 1};
    const double width = gap * std::max(1.0, std::ceil(span / gap / 60));
    const double start = kept.front() - width / 2;
    return {start, width, std::max(1, static_cast<int>(std::floor(span / width)) + 1)};
}

} // namespace

void drawIntervalPicture(Canvas& c, const SheetFrame& f, const IntervalSheet& s) {
    const Font label{kGothic, f.labelSize};
    c.fillBox(f.x, f.y, f.x + f.width, f.y + f.height, 15);
    c.box(f.x, f.y, f.x + f.width, f.y + f.height, 8);
    std::vector<double> kept = s.group->kept();
    if (kept.empty()) {
        c.text(f.x + f.fontSize, f.y + f.fontSize, translate("IntervalSheet", "データがありません"), label,
               Red);
        return;
    }
    const ValueSpan range = pictureRange(s, kept);
    const double margin = f.fontSize * 2.4, lane = f.fontSize * 1.15;
    const double left = f.x + margin, right = f.x + f.width - f.fontSize;
    const double lanesTop = f.y + f.fontSize * 0.5, barsTop = lanesTop + 5 * lane + f.fontSize * 0.5;
    const double baseline = f.y + f.height - f.fontSize * 1.8;
    auto xOf = [&](double v) { return left + (v - range.lo) / (range.hi - range.lo) * (right - left); };

    // Histogram of the values kept, its classes a whole multiple of the values' resolution.
    const BinLayout bins = binLayout(kept, range);
    std::vector<int> counts(bins.count, 0);
    for (double v : kept)
        ++counts[std::clamp(static_cast<int>(std::floor((v - bins.start) / bins.width)), 0, bins.count - 1)];
    const int most = std::max(1, *std::max_element(counts.begin(), counts.end()));
    for (int b = 0; b < bins.count; ++b) {
        if (!counts[b]) continue;
        double x1 = xOf(bins.start + b * bins.width), x2 = xOf(bins.start + (b + 1) * bins.width);
        double top = baseline - (baseline - barsTop) * counts[b] / most;
        c.fillBox(x1, top, x2, baseline, 14);
        c.box(x1, top, x2, baseline, 8);
    }
    // Each method's lane: the 90 % intervals as bands, the limits as ticks and dotted markers.
    auto drawLimit = [&](std::size_t i, double y, double value, const Limit* l) {
        int colour = methodColour(i);
        if (l && l->hasCi)
            c.fillBox(xOf(l->ci.low), y - lane * 0.3, xOf(l->ci.high), y + lane * 0.3,
                      colour == 10 ? 10 : 13);
        if (l && l->hasCi) c.box(xOf(l->ci.low), y - lane * 0.3, xOf(l->ci.high), y + lane * 0.3, colour);
        double x = xOf(value);
        c.line(x, y - lane * 0.45, x, y + lane * 0.45, colour, LineStyle::Solid, 2 * f.unit);
        c.line(x, barsTop, x, baseline, colour, LineStyle::Dotted);
    };
    for (std::size_t i = 0; i < 5; ++i) {
        double y = lanesTop + lane * (static_cast<double>(i) + 0.5);
        c.text(f.x + f.fontSize * 0.3, y - f.fontSize / 2, methodShortName(i), label, methodColour(i));
        c.line(left, y, right, y, 13);
        if (i < 4) {
            const MethodRow& row = s.group->intervals.rows[i];
            if (!row.available) continue;
            drawLimit(i, y, row.lower.value, &row.lower);
            drawLimit(i, y, row.upper.value, &row.upper);
        } else if (s.plot.found) {
            drawLimit(i, y, s.plot.lower, nullptr);
            drawLimit(i, y, s.plot.upper, nullptr);
        }
    }
    // The axis, and the values left out crossed on it.
    c.line(left, baseline, right, baseline, Black);
    const double step = niceStep(range.hi - range.lo);
    for (double t = std::ceil(range.lo / step) * step; t <= range.hi; t += step) {
        c.line(xOf(t), baseline, xOf(t), baseline + f.fontSize * 0.3, Black);
        std::string text = tickText(t, step);
        c.text(xOf(t) - c.textWidth(text, label) / 2, baseline + f.fontSize * 0.4, text, label, Black);
    }
    const double r = f.fontSize * 0.3;
    for (std::size_t k : s.group->leftOut) {
        double x = xOf(std::clamp(s.group->values[k], range.lo, range.hi));
        c.line(x - r, baseline - r, x + r, baseline + r, Red, LineStyle::Solid, 2 * f.unit);
        c.line(x - r, baseline + r, x + r, baseline - r, Red, LineStyle::Solid, 2 * f.unit);
    }
}

void drawIntervalPage(Canvas& page, double width, double height, const IntervalSheet& s) {
    const double pt = kPaperUnitsPerPoint;
    const Font title{kGothic, 14, true}, body{kGothic, 8.5}, bold{kGothic, 9, true};
    double y = 60;
    page.text(80, y, translate("IntervalSheet", "基準範囲の推定（直接法）"), title, Black);
    y += 14 * pt * 1.6;
    page.text(80, y, s.fileLine, body, Black);
    y += 8.5 * pt * 1.8;
    auto block = [&](const std::vector<SheetLine>& lines) {
        for (const SheetLine& l : lines) {
            page.text(80, y, l.text, l.heading ? bold : body, l.colour == Yellow ? Black : l.colour);
            y += 8.5 * pt * 1.5;
        }
        y += 8.5 * pt * 0.6;
    };
    block(methodLines(s));
    block(noteLines(s));
    const double pictureHeight = std::min(1000.0, height * 0.36);
    drawIntervalPicture(page, {80, y, width - 160, pictureHeight, 8 * pt, 8, 2.5}, s);
    y += pictureHeight + 8.5 * pt * 1.6;
    std::vector<SheetLine> verify = verificationLines(s);
    double lightsY = y;
    block(verify);
    if (auto lights = verdictColours(s)) {
        // Each light under its caption, as in the window: which limit is which.
        const std::string lower = translate("IntervalSheet", "下限"),
                          upper = translate("IntervalSheet", "上限");
        const double r = 8.5 * pt * 0.55,
                     step = std::max(
                         3 * r, std::max(page.textWidth(lower, body), page.textWidth(upper, body)) + 2 * r);
        double x = width - 80 - r - step;
        for (const auto& [caption, colour] :
             {std::pair{lower, lights->first}, std::pair{upper, lights->second}}) {
            page.text(x - page.textWidth(caption, body) / 2, lightsY, caption, body, Black);
            page.circle(x, lightsY + 8.5 * pt * 2.2, r, Black, colour);
            x += step;
        }
    }
    block(partitionLines(s));
}

} // namespace kl
