// The two pictures of the indirect-methods window and its page: the histogram with the fitted
// healthy distribution, and the probability plot with the truncation region.

#include "indirect/Distribution.h"
#include "output/IndirectSheet.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kl {

using indirect::Estimate;
using indirect::Method;

namespace {

using Span = ValueSpan;

// The inner area of a picture: room on the left and below for the labels.
struct Plot {
    double left, right, top, bottom;
    Span x, y;
    double px(double v) const { return left + (v - x.lo) / (x.hi - x.lo) * (right - left); }
    double py(double v) const { return bottom - (v - y.lo) / (y.hi - y.lo) * (bottom - top); }
};

void frame(Canvas& c, const SheetFrame& f, const std::string& caption) {
    c.fillBox(f.x, f.y, f.x + f.width, f.y + f.height, 15);
    c.box(f.x, f.y, f.x + f.width, f.y + f.height, 8);
    c.text(f.x + f.fontSize * 0.5, f.y + f.fontSize * 0.3, caption, Font{kGothic, f.labelSize, true}, Black);
}

void valueAxis(Canvas& c, const SheetFrame& f, const Plot& p) {
    const Font label{kGothic, f.labelSize};
    c.line(p.left, p.bottom, p.right, p.bottom, Black);
    const double step = niceStep(p.x.hi - p.x.lo);
    for (double t = std::ceil(p.x.lo / step) * step; t <= p.x.hi; t += step) {
        c.line(p.px(t), p.bottom, p.px(t), p.bottom + f.fontSize * 0.3, Black);
        std::string text = tickText(t, step);
        c.text(p.px(t) - c.textWidth(text, label) / 2, p.bottom + f.fontSize * 0.4, text, label, Black);
    }
}

// Each method's limits as vertical lines over the picture, labelled at the top.
void limitLines(Canvas& c, const SheetFrame& f, const Plot& p, const IndirectSheet& s) {
    const Font label{kGothic, f.labelSize};
    int slot = 0;
    for (Method m : indirect::kMethods) {
        const Estimate* e = s.analysis.estimate(m);
        if (!e || !e->ok) continue;
        for (double v : {e->lower, e->upper}) {
            if (!(v >= p.x.lo && v <= p.x.hi)) continue;
            c.line(p.px(v), p.top, p.px(v), p.bottom, indirectColour(m), LineStyle::Dotted, f.unit);
        }
        const double y = p.top + slot * f.fontSize * 1.1;
        c.text(p.px(e->upper) + f.fontSize * 0.3, y, indirectShortName(m), label, indirectColour(m));
        ++slot;
    }
}

// The counts of the values beyond the picture's ends, inside the plot's top corners, clear of the
// caption and the legend above it.
void overCounts(Canvas& c, const SheetFrame& f, const Plot& p, std::size_t left, std::size_t right) {
    const Font label{kGothic, f.labelSize};
    const double y = p.top + f.fontSize * 0.1;
    if (left)
        c.text(p.left + f.fontSize * 0.2, y,
               withArgs(translate("IndirectSheet", "← %1 件"), {std::to_string(left)}), label, Black);
    if (right) {
        std::string t = withArgs(translate("IndirectSheet", "%1 件 →"), {std::to_string(right)});
        c.text(p.right - c.textWidth(t, label) - f.fontSize * 0.2, y, t, label, Black);
    }
}

} // namespace

void drawIndirectHistogram(Canvas& c, const SheetFrame& f, const IndirectSheet& s) {
    frame(c, f, translate("IndirectSheet", "ヒストグラム（すべての値）と健常分布 × P"));
    const std::vector<double>& v = s.sorted;
    const Font label{kGothic, f.labelSize};
    if (v.size() < 2) {
        c.text(f.x + f.fontSize, f.y + f.fontSize * 2, translate("IndirectSheet", "データがありません"),
               label, Red);
        return;
    }
    Span range{indirect::quantile7(v, 0.001), indirect::quantile7(v, 0.999)};
    for (Method m : indirect::kMethods)
        if (const Estimate* e = s.analysis.estimate(m); e && e->ok)
            range.take(e->lower), range.take(e->upper);
    range.pad(0.03);
    range.lo = std::max(range.lo, 0.0);
    // Classes a whole multiple of the rounding resolution, their edges half a step off the values.
    const double res = s.analysis.resolution;
    double width = (range.hi - range.lo) / 70;
    double start = range.lo;
    if (res > 0) {
        width = res * std::max(1.0, std::ceil(width / res));
        start = std::floor(range.lo / res) * res - res / 2;
    }
    const int bins = std::max(1, static_cast<int>(std::ceil((range.hi - start) / width)));
    std::vector<std::size_t> counts(static_cast<std::size_t>(bins));
    auto below = [&](double x) {
        return static_cast<std::size_t>(std::lower_bound(v.begin(), v.end(), x) - v.begin());
    };
    for (int b = 0; b < bins; ++b)
        counts[static_cast<std::size_t>(b)] = below(start + (b + 1) * width) - below(start + b * width);
    const std::size_t leftOver = below(start), rightOver = v.size() - below(start + bins * width);

    // The healthy part as the inverse model fitted it: expected count of a class around x.
    const Estimate* im = s.analysis.estimate(Method::InverseModel);
    const bool curve = im && im->ok;
    auto expected = [&](double x) {
        auto cdf = [&](double t) {
            return t <= 0 ? 0.0 : indirect::normalCdf((indirect::boxCox(t, im->lambda) - im->mu) / im->sigma);
        };
        return im->share * static_cast<double>(v.size()) * (cdf(x + width / 2) - cdf(x - width / 2));
    };
    double top = static_cast<double>(*std::max_element(counts.begin(), counts.end()));
    Plot p{f.x + f.fontSize * 1.0,        f.x + f.width - f.fontSize * 1.0,
           f.y + f.fontSize * 2.0,        f.y + f.height - f.fontSize * 1.8,
           {start, start + bins * width}, {0, 1}};
    const int steps = 240;
    if (curve)
        for (int i = 0; i <= steps; ++i)
            top = std::max(top, expected(p.x.lo + (p.x.hi - p.x.lo) * i / steps));
    p.y.hi = std::max(1.0, top) * 1.08;
    for (int b = 0; b < bins; ++b) {
        if (!counts[static_cast<std::size_t>(b)]) continue;
        double x1 = p.px(start + b * width), x2 = p.px(start + (b + 1) * width);
        c.fillBox(x1, p.py(static_cast<double>(counts[static_cast<std::size_t>(b)])), x2, p.bottom, 14);
    }
    if (curve) {
        double px0 = p.px(p.x.lo), py0 = p.py(expected(p.x.lo));
        for (int i = 1; i <= steps; ++i) {
            double x = p.x.lo + (p.x.hi - p.x.lo) * i / steps, py1 = p.py(expected(x));
            c.line(px0, py0, p.px(x), py1, Red, LineStyle::Solid, 2 * f.unit);
            px0 = p.px(x);
            py0 = py1;
        }
    }
    limitLines(c, f, p, s);
    valueAxis(c, f, p);
    overCounts(c, f, p, leftOver, rightOver);
    if (curve) {
        std::string legend =
            withArgs(translate("IndirectSheet", "―― 健常分布 × P（Inverse modelling, P = %1）"),
                     {indirectNumber(im->share, 0.01)});
        c.text(f.x + f.width - c.textWidth(legend, label) - f.fontSize * 0.5, f.y + f.fontSize * 0.3, legend,
               label, Red);
    }
}

namespace {

// Ticks of the value axis on the working scale: 1-2-5 steps on a logarithmic axis.
std::vector<double> logTicks(double lo, double hi) {
    std::vector<double> ticks;
    for (double mags : {1.0, 0.0}) {
        ticks.clear();
        for (double k = std::floor(std::log10(lo)) - 1; k <= std::ceil(std::log10(hi)); ++k)
            for (double m : mags ? std::vector<double>{1, 2, 5} : std::vector<double>{1}) {
                double t = m * std::pow(10.0, k);
                if (t >= lo && t <= hi) ticks.push_back(t);
            }
        if (ticks.size() <= 9 && ticks.size() >= 2) return ticks;
    }
    return ticks;
}

// The probability plot's axes: value ticks up the left (on a log scale when the line was fitted to
// ln x), probability ticks across.
void plotAxes(Canvas& c, const SheetFrame& f, const Plot& p, bool log, const Font& label) {
    const Span& y = p.y;
    auto g = [log](double x) { return log ? std::log(x) : x; };
    // Value ticks.
    std::vector<double> ticks;
    double step = 0;
    if (log) {
        ticks = logTicks(std::exp(y.lo), std::exp(y.hi));
    } else {
        step = niceStep(y.hi - y.lo);
        for (double t = std::ceil(y.lo / step) * step; t <= y.hi; t += step)
            ticks.push_back(t);
    }
    for (double t : ticks) {
        double py = p.py(g(t));
        c.line(p.left - f.fontSize * 0.3, py, p.left, py, Black);
        char shortest[32];
        std::snprintf(shortest, sizeof shortest, "%g", t);
        std::string text = log ? shortest : tickText(t, step);
        c.text(p.left - f.fontSize * 0.4 - c.textWidth(text, label), py - f.fontSize / 2, text, label, Black);
    }
    // Probability ticks across.
    for (double pr : {0.001, 0.01, 0.1, 0.5, 0.9, 0.99, 0.999}) {
        double px = p.px(indirect::normalQuantile(pr));
        c.line(px, p.top, px, p.bottom, 13);
        char text[16];
        std::snprintf(text, sizeof text, pr < 0.01 || pr > 0.99 ? "%.1f" : "%.0f", pr * 100);
        std::string t = text;
        if (pr == 0.5) t += " %";
        const double w = c.textWidth(t, label);
        c.text(std::min(px - w / 2, f.x + f.width - w - f.fontSize * 0.2), p.bottom + f.fontSize * 0.4, t,
               label, Black);
    }
    c.line(p.left, p.top, p.left, p.bottom, Black);
    c.line(p.left, p.bottom, p.right, p.bottom, Black);
}

} // namespace

void drawIndirectPlot(Canvas& c, const SheetFrame& f, const IndirectSheet& s) {
    frame(c, f, translate("IndirectSheet", "確率プロット（Truncated probability plot）"));
    const Font label{kGothic, f.labelSize};
    const auto& tqq = s.analysis.tqq;
    if (!tqq || s.sorted.size() < 2) {
        c.text(f.x + f.fontSize, f.y + f.fontSize * 2, translate("IndirectSheet", "データがありません"),
               label, Red);
        return;
    }
    const bool log = tqq->logScale;
    auto g = [log](double x) { return log ? std::log(x) : x; };
    const int points = 200;
    std::vector<double> qy(points);
    for (int i = 0; i < points; ++i)
        qy[static_cast<std::size_t>(i)] = g(indirect::quantile7(s.sorted, (i + 0.5) / points));
    Span y{qy.front(), qy.back()};
    const Estimate& e = tqq->estimate;
    if (e.ok) y.take(g(std::max(e.lower, s.sorted.front()))), y.take(g(e.upper));
    y.pad(0.04);
    Plot p{f.x + f.fontSize * 4.2,
           f.x + f.width - f.fontSize * 0.8,
           f.y + f.fontSize * 2.0,
           f.y + f.height - f.fontSize * 1.8,
           {-3, 3},
           y};
    // The truncation region: the values kept for the line.
    if (std::isfinite(tqq->keptLow) && std::isfinite(tqq->keptHigh)) {
        double y1 = p.py(std::min(g(tqq->keptHigh), y.hi)), y2 = p.py(std::max(g(tqq->keptLow), y.lo));
        c.fillBox(p.left, y1, p.right, y2, 11);
        c.text(p.left + f.fontSize * 0.3, y1 + f.fontSize * 0.1,
               translate("IndirectSheet", "切断域（直線の当てはめに使う値）"), label, 8);
    }
    plotAxes(c, f, p, log, label);
    // All values, then the points kept and the line fitted to them.
    const double r = f.fontSize * 0.18;
    for (int i = 0; i < points; ++i) {
        double px = p.px(indirect::normalQuantile((i + 0.5) / points)),
               py = p.py(qy[static_cast<std::size_t>(i)]);
        if (py >= p.top && py <= p.bottom) c.circle(px, py, r, 14, 14);
    }
    for (std::size_t i = 0; i < tqq->plotX.size(); ++i) {
        double py = p.py(tqq->plotY[i]);
        if (py >= p.top && py <= p.bottom) c.circle(p.px(tqq->plotX[i]), py, r, Blue, Blue);
    }
    if (e.ok && std::isfinite(tqq->slope)) {
        auto lineAt = [&](double z) { return std::clamp(tqq->intercept + tqq->slope * z, y.lo, y.hi); };
        c.line(p.px(-3), p.py(lineAt(-3)), p.px(3), p.py(lineAt(3)), Red, LineStyle::Solid, 2 * f.unit);
        for (double v : {e.lower, e.upper}) {
            if (!(v > 0) && log) continue;
            double py = p.py(std::clamp(g(v), y.lo, y.hi));
            c.line(p.left, py, p.right, py, Red, LineStyle::Dotted, f.unit);
            std::string t = indirectNumber(v, s.analysis.resolution);
            c.text(p.right - c.textWidth(t, label) - f.fontSize * 0.2, py - f.fontSize * 1.05, t, label, Red);
        }
    }
}

} // namespace kl
