#include "indirect/Bhattacharya.h"

#include "indirect/Distribution.h"
#include "indirect/InverseModel.h"
#include "indirect/TruncatedQQ.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kl::indirect {
namespace {

constexpr double kZ = 1.96;
constexpr double kMinCount = 5; // bins with fewer values give too noisy a log

// A third of a robust standard deviation (the smaller half of the interquartile range): wide
// enough for smooth log counts, narrow enough for several points over the peak.
template <class F> double binWidth(std::span<const double> x, F f) {
    double q1 = quantile7(x, 0.25, f), q2 = quantile7(x, 0.5, f), q3 = quantile7(x, 0.75, f);
    return std::min(q2 - q1, q3 - q2) / 0.6745 / 3;
}

// Equal-width bins of ln x (the working scale), counted from the sorted values.
Histogram logHistogram(std::span<const double> x) {
    Histogram h;
    h.total = x.size();
    auto ln = [](double v) { return std::log(v); };
    double lo = quantile7(x, 0.0025, ln), hi = quantile7(x, 0.9975, ln);
    double width = std::max(binWidth(x, ln), (hi - lo) / 150);
    if (!(width > 0)) return h;
    std::size_t bins = static_cast<std::size_t>(std::ceil((hi - lo) / width)) + 1;
    auto prev = std::lower_bound(x.begin(), x.end(), std::exp(lo));
    for (std::size_t i = 0; i <= bins; ++i)
        h.edges.push_back(lo + static_cast<double>(i) * width);
    for (std::size_t i = 0; i < bins; ++i) {
        auto next = std::lower_bound(prev, x.end(), std::exp(h.edges[i + 1]));
        h.counts.push_back(static_cast<double>(next - prev));
        prev = next;
    }
    return h;
}

} // namespace

Estimate bhattacharya(std::span<const double> sorted, double resolution) {
    Estimate e;
    auto firstPositive = std::upper_bound(sorted.begin(), sorted.end(), 0.0);
    auto x = sorted.subspan(static_cast<std::size_t>(firstPositive - sorted.begin()));
    if (x.size() < 100) {
        e.note = "fewer than 100 values above 0";
        return e;
    }
    double bx = bowleySkewness(x, false);
    bool logScale = bx >= 0 && bx - bowleySkewness(x, true) >= 0.05;
    Histogram h = logScale ? logHistogram(x)
                           : alignedHistogram(x, resolution, 150, binWidth(x, [](double v) { return v; }));
    const std::size_t bins = h.counts.size();
    if (bins < 6) {
        e.note = "too few distinct values for the method";
        return e;
    }
    const double width = h.edges[1] - h.edges[0];
    std::size_t mode =
        static_cast<std::size_t>(std::max_element(h.counts.begin(), h.counts.end()) - h.counts.begin());
    // Point i: the edge between bins i and i + 1, d = ln y(i + 1) − ln y(i). Prefix sums make
    // each run's regression constant time.
    std::vector<double> px, pd;
    std::vector<std::size_t> bin;
    for (std::size_t i = 0; i + 1 < bins; ++i) {
        if (h.counts[i] < kMinCount || h.counts[i + 1] < kMinCount) continue;
        px.push_back(h.edges[i + 1]);
        pd.push_back(std::log(h.counts[i + 1]) - std::log(h.counts[i]));
        bin.push_back(i);
    }
    const std::size_t m = px.size();
    std::vector<double> sx(m + 1), sy(m + 1), sxx(m + 1), sxy(m + 1), syy(m + 1);
    for (std::size_t i = 0; i < m; ++i) {
        sx[i + 1] = sx[i] + px[i];
        sy[i + 1] = sy[i] + pd[i];
        sxx[i + 1] = sxx[i] + px[i] * px[i];
        sxy[i + 1] = sxy[i] + px[i] * pd[i];
        syy[i + 1] = syy[i] + pd[i] * pd[i];
    }
    double bestR2 = -1, bestA = 0, bestB = 0;
    for (std::size_t a = 0; a < m; ++a) {
        for (std::size_t b = a + 4; b <= m; ++b) {
            if (bin[b - 1] - bin[a] != b - 1 - a) break;          // consecutive points only
            if (bin[a] > mode || bin[b - 1] + 1 < mode) continue; // the run touches the mode
            double n = static_cast<double>(b - a);
            double cx = sx[b] - sx[a], cy = sy[b] - sy[a];
            double vxx = sxx[b] - sxx[a] - cx * cx / n, vxy = sxy[b] - sxy[a] - cx * cy / n;
            double vyy = syy[b] - syy[a] - cy * cy / n;
            if (vxx <= 0 || vyy <= 0) continue;
            double slope = vxy / vxx;
            double r2 = vxy * vxy / (vxx * vyy);
            if (slope < 0 && r2 > bestR2) {
                bestR2 = r2;
                bestB = slope;
                bestA = (cy - slope * cx) / n;
            }
        }
    }
    if (bestR2 < 0) {
        e.note = "no run of 4 points with a falling line touches the mode";
        return e;
    }
    double mu = -bestA / bestB, sigma = std::sqrt(-width / bestB);
    auto back = [logScale](double y) { return logScale ? std::exp(y) : std::max(0.0, y); };
    e.ok = true;
    e.lambda = logScale ? 0 : 1;
    e.mu = logScale ? mu : mu - 1;
    e.sigma = sigma;
    e.lower = back(mu - kZ * sigma);
    e.upper = back(mu + kZ * sigma);
    e.used = x.size();
    return e;
}

} // namespace kl::indirect
