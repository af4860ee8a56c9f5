#include "indirect/InverseModel.h"

#include "indirect/Distribution.h"
#include "indirect/Resolution.h"

#include <algorithm>
#include <cmath>

namespace kl::indirect {
namespace {

constexpr double kZ = 1.96;
constexpr double kScatter = 2.0; // a bin within ±2 Poisson standard deviations is fitted

// The fit's cost for one (λ, μ, σ) over the histogram, with edges already transformed.
// The scale s (expected healthy count) comes from the bins within μ ± σ, where the healthy part
// dominates. Each bin costs its squared Poisson residual r² = (o − e)²/e: in full where fewer are
// observed than predicted (the pathological parts can only add values), capped at the scatter
// limit where more are observed (a bin the model does not explain costs the same however many
// pathological values it holds). Explaining more bins therefore lowers the cost.
struct Fit {
    double cost = INFINITY, scale = 0;
};

Fit evaluate(const std::vector<double>& tEdges, const std::vector<double>& counts, double mu, double sigma) {
    static thread_local std::vector<double> p;
    p.resize(counts.size());
    double prev = normalCdf((tEdges[0] - mu) / sigma), coreO = 0, coreP = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        double next = normalCdf((tEdges[i + 1] - mu) / sigma);
        p[i] = next - prev;
        prev = next;
        double centre = 0.5 * (tEdges[i] + tEdges[i + 1]);
        if (std::fabs(centre - mu) <= sigma) {
            coreO += counts[i];
            coreP += p[i];
        }
    }
    Fit fit;
    if (coreP <= 0 || coreO <= 0) return fit;
    fit.scale = coreO / coreP;
    const double cap = kScatter * kScatter;
    fit.cost = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        double e = fit.scale * p[i], d = counts[i] - e;
        double r2 = d * d / std::max(e, 1.0);
        fit.cost += d < 0 ? r2 : std::min(r2, cap);
    }
    return fit;
}

struct Best {
    double lambda = 0, mu = 0, sigma = 0;
    Fit fit;
};

// Multi-level grid over μ and σ for one λ, starting from robust values of the transformed data.
Best searchMuSigma(const Histogram& h, std::span<const double> x, double lambda) {
    std::vector<double> t(h.edges.size());
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = boxCox(h.edges[i], lambda);
    auto f = [lambda](double v) { return boxCox(v, lambda); };
    double q1 = quantile7(x, 0.25, f), q2 = quantile7(x, 0.5, f), q3 = quantile7(x, 0.75, f);
    double sigma0 = std::min(q2 - q1, q3 - q2) / 0.6745;
    if (!(sigma0 > 0)) sigma0 = (t.back() - t.front()) / 10;
    Best best{lambda, q2, sigma0, {}};
    double muStep = 0.2 * sigma0, sigmaStep = 0.1;
    int half = 6;
    for (int level = 0; level < 5; ++level) {
        Best centre = best;
        for (int i = -half; i <= half; ++i) {
            for (int j = -half; j <= half; ++j) {
                double mu = centre.mu + i * muStep;
                double sigma = centre.sigma * std::exp(j * sigmaStep);
                Fit fit = evaluate(t, h.counts, mu, sigma);
                if (fit.cost < best.fit.cost) best = {lambda, mu, sigma, fit};
            }
        }
        muStep /= 3;
        sigmaStep /= 3;
        half = 3;
    }
    return best;
}

} // namespace

Histogram alignedHistogram(std::span<const double> x, double resolution, std::size_t maxBins, double width) {
    Histogram h;
    h.total = x.size();
    if (x.size() < 2) return h;
    double lo = quantile7(x, 0.0025), hi = quantile7(x, 0.9975);
    double iqr = quantile7(x, 0.75) - quantile7(x, 0.25);
    if (!(width > 0)) width = 2 * iqr / std::cbrt(static_cast<double>(x.size()));
    if (!(width > 0)) width = (hi - lo) / 20;
    if (!(width > 0)) width = resolution > 0 ? resolution : 1;
    width = std::max(width, (hi - lo) / static_cast<double>(maxBins));
    double origin = lo;
    if (resolution > 0) {
        width = std::max(1.0, std::round(width / resolution)) * resolution;
        origin = (std::round(lo / resolution) - 0.5) * resolution;
    }
    std::size_t bins = static_cast<std::size_t>(std::ceil((hi - origin) / width)) + 1;
    bins = std::min(bins, maxBins + 2);
    for (std::size_t i = 0; i <= bins; ++i)
        h.edges.push_back(origin + static_cast<double>(i) * width);
    if (h.edges.front() <= 0) h.edges.front() = std::min(x.front(), h.edges[1]) * 0.5;
    h.counts.resize(bins);
    auto prev = std::lower_bound(x.begin(), x.end(), h.edges[0]);
    for (std::size_t i = 0; i < bins; ++i) {
        auto next = std::lower_bound(prev, x.end(), h.edges[i + 1]);
        h.counts[i] = static_cast<double>(next - prev);
        prev = next;
    }
    return h;
}

InverseModelResult inverseModel(std::span<const double> sorted, double resolution) {
    InverseModelResult r;
    Estimate& e = r.estimate;
    auto firstPositive = std::upper_bound(sorted.begin(), sorted.end(), 0.0);
    auto x = sorted.subspan(static_cast<std::size_t>(firstPositive - sorted.begin()));
    if (x.size() < 100) {
        e.note = "fewer than 100 values above 0";
        return r;
    }
    if (x.size() < 1000) e.note = "fewer than 1000 values above 0: the limits are uncertain";
    r.resolution = resolution >= 0 ? resolution : roundingResolution(x);
    r.histogram = alignedHistogram(x, r.resolution);
    if (r.histogram.counts.size() < 5) {
        e.note = "too few distinct values to model";
        return r;
    }
    // A coarse grid over λ, then refined around the best.
    Best best;
    for (double lambda : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        Best b = searchMuSigma(r.histogram, x, lambda);
        if (b.fit.cost < best.fit.cost) best = b;
    }
    for (double step : {0.125, 0.0625, 0.03125}) {
        Best centre = best;
        for (double lambda : {centre.lambda - step, centre.lambda + step}) {
            if (lambda < 0 || lambda > 1) continue;
            Best b = searchMuSigma(r.histogram, x, lambda);
            if (b.fit.cost < best.fit.cost) best = b;
        }
    }
    if (!std::isfinite(best.fit.cost)) {
        e.note = "no healthy part could be fitted";
        return r;
    }
    r.cost = best.fit.cost;
    e.ok = true;
    e.lambda = best.lambda;
    e.mu = best.mu;
    e.sigma = best.sigma;
    e.share = std::min(1.0, best.fit.scale / static_cast<double>(x.size()));
    e.lower = inverseBoxCox(best.mu - kZ * best.sigma, best.lambda);
    e.upper = inverseBoxCox(best.mu + kZ * best.sigma, best.lambda);
    e.used = x.size();
    if (e.share < 0.5 && e.note.empty())
        e.note = "the healthy part was fitted to fewer than half of the values: the limits are uncertain";
    return r;
}

} // namespace kl::indirect
