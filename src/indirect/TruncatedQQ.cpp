#include "indirect/TruncatedQQ.h"

#include "indirect/Distribution.h"

#include <algorithm>
#include <cmath>

namespace kl::indirect {
namespace {

constexpr double kTail = 0.025; // q: the share cut from each tail
constexpr double kZ = 1.96;

struct Range {
    std::size_t lo = 0, hi = 0;
    std::size_t size() const { return hi - lo; }
};

// One truncation step: keep the values of r within Q2 ± c·min(Q2 − Q1, Q3 − Q2).
template <class F> Range truncateOnce(std::span<const double> x, Range r, double c, F f) {
    auto cur = x.subspan(r.lo, r.size());
    double q1 = quantile7(cur, 0.25, f), q2 = quantile7(cur, 0.5, f), q3 = quantile7(cur, 0.75, f);
    double v = std::min(q2 - q1, q3 - q2);
    double a = q2 - c * v, b = q2 + c * v;
    auto first = std::partition_point(cur.begin(), cur.end(), [&](double t) { return f(t) < a; });
    auto last = std::partition_point(first, cur.end(), [&](double t) { return f(t) <= b; });
    return {r.lo + static_cast<std::size_t>(first - cur.begin()),
            r.lo + static_cast<std::size_t>(last - cur.begin())};
}

template <class F> Range truncate(std::span<const double> x, F f) {
    Range r{0, x.size()};
    for (int i = 1; i <= 5; ++i) {
        double alpha = 2 * kTail * (i - 1) / 5;
        double c = normalQuantile(1 - kTail * i / 5) / normalQuantile(0.75 - 0.25 * alpha);
        r = truncateOnce(x, r, c, f);
        if (r.size() < 4) return r;
    }
    const double c = normalQuantile(1 - kTail) / normalQuantile(0.75 - 0.5 * kTail);
    for (int guard = 0; guard < 10000; ++guard) {
        Range next = truncateOnce(x, r, c, f);
        if (next.size() == r.size() || next.size() < 4) return next;
        r = next;
    }
    return r;
}

// Ordinary least squares y = b + a·x over points [from, to).
void fitLine(const std::vector<double>& x, const std::vector<double>& y, std::size_t from, std::size_t to,
             double* b, double* a) {
    double n = static_cast<double>(to - from), sx = 0, sy = 0;
    for (std::size_t i = from; i < to; ++i) {
        sx += x[i];
        sy += y[i];
    }
    double mx = sx / n, my = sy / n, sxy = 0, sxx = 0;
    for (std::size_t i = from; i < to; ++i) {
        sxy += (x[i] - mx) * (y[i] - my);
        sxx += (x[i] - mx) * (x[i] - mx);
    }
    *a = sxx > 0 ? sxy / sxx : 0;
    *b = my - *a * mx;
}

template <class F> void fitPlot(std::span<const double> kept, F f, TqqResult& r) {
    const std::size_t m = std::min<std::size_t>(100, kept.size());
    r.plotX.resize(m);
    r.plotY.resize(m);
    for (std::size_t j = 0; j < m; ++j) {
        double t = static_cast<double>(j) / static_cast<double>(m - 1);
        r.plotX[j] = normalQuantile(kTail + (1 - 2 * kTail) * t);
        r.plotY[j] = quantile7(kept, t, f);
    }
    // Points 5..95 of 100 (1-based), in proportion for fewer points.
    std::size_t from = static_cast<std::size_t>(std::lround(0.05 * m)) - 1;
    std::size_t to = static_cast<std::size_t>(std::lround(0.95 * m));
    fitLine(r.plotX, r.plotY, from, to, &r.intercept, &r.slope);
}

} // namespace

double bowleySkewness(std::span<const double> sorted, bool logScale) {
    auto f = [logScale](double v) { return logScale ? std::log(v) : v; };
    double q1 = quantile7(sorted, 0.25, f), q2 = quantile7(sorted, 0.5, f), q3 = quantile7(sorted, 0.75, f);
    return q3 > q1 ? (q1 - 2 * q2 + q3) / (q3 - q1) : 0.0;
}

TqqResult truncatedQQ(std::span<const double> sorted) {
    TqqResult r;
    Estimate& e = r.estimate;
    auto firstPositive = std::upper_bound(sorted.begin(), sorted.end(), 0.0);
    auto x = sorted.subspan(static_cast<std::size_t>(firstPositive - sorted.begin()));
    r.positive = x.size();
    if (x.size() < 40) {
        e.note = "fewer than 40 values above 0";
        return r;
    }
    if (x.size() < 200) e.note = "fewer than 200 values above 0: the limits are uncertain";
    double bx = bowleySkewness(x, false);
    r.logScale = bx >= 0 && bx - bowleySkewness(x, true) >= 0.05;
    auto f = [log = r.logScale](double v) { return log ? std::log(v) : v; };
    auto back = [log = r.logScale](double y) { return log ? std::exp(y) : std::max(0.0, y); };

    Range kept = truncate(x, f);
    r.kept = kept.size();
    if (kept.size() < 20 || f(x[kept.hi - 1]) <= f(x[kept.lo])) {
        e.note = "too many equal values to truncate the tails";
        return r;
    }
    r.keptLow = x[kept.lo];
    r.keptHigh = x[kept.hi - 1];
    fitPlot(x.subspan(kept.lo, kept.size()), f, r);

    double lower = r.intercept - kZ * r.slope, upper = r.intercept + kZ * r.slope;
    double sigma = (upper - lower) / 3.92, rootN = std::sqrt(static_cast<double>(x.size()));
    double outer = sigma * 5.81 / (rootN + 0.66), inner = sigma * 7.26 / (rootN - 5.58);
    e.ok = true;
    e.lower = back(lower);
    e.upper = back(upper);
    e.lowerCi = {back(lower - outer), back(lower + inner)};
    e.upperCi = {back(upper - inner), back(upper + outer)};
    e.lambda = r.logScale ? 0 : 1;
    e.mu = r.logScale ? r.intercept : r.intercept - 1; // Box-Cox with λ = 1 is x − 1
    e.sigma = r.slope;
    e.used = kept.size();
    return r;
}

} // namespace kl::indirect
