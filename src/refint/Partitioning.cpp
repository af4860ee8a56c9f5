#include "refint/Partitioning.h"

#include "refint/BoxCox.h"
#include "refint/Sample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kl::refint {

namespace {

struct Moments {
    double n = 0, mean = 0, ss = 0; // ss: sum of squared deviations
    double variance() const { return ss / (n - 1); }
};

template <typename F> Moments moments(std::span<const double> x, F scale) {
    Moments m;
    m.n = static_cast<double>(x.size());
    for (double v : x)
        m.mean += scale(v);
    m.mean /= m.n;
    for (double v : x)
        m.ss += (scale(v) - m.mean) * (scale(v) - m.mean);
    return m;
}

HarrisBoyd harrisBoyd(std::span<const double> a, std::span<const double> b, const std::vector<double>& both) {
    HarrisBoyd h;
    h.lambda = maximumLikelihoodLambda(Sample::of(both));
    auto scale = [&](double v) { return h.lambda ? boxCox(v, *h.lambda) : v; };
    Moments ma = moments(a, scale), mb = moments(b, scale);
    h.z = std::fabs(ma.mean - mb.mean) / std::sqrt(ma.variance() / ma.n + mb.variance() / mb.n);
    h.zStar = 3 * std::sqrt((ma.n + mb.n) / 2 / 120);
    double sa = std::sqrt(ma.variance()), sb = std::sqrt(mb.variance());
    h.sdRatio = std::max(sa, sb) / std::min(sa, sb);
    h.partition = h.z > h.zStar || h.sdRatio > 1.5;
    return h;
}

Lahti lahti(std::span<const double> a, std::span<const double> b, std::vector<double> both) {
    Lahti l;
    std::sort(both.begin(), both.end());
    l.combinedLower = quantileType6(both, 0.025);
    l.combinedUpper = quantileType6(both, 0.975);
    std::span<const double> groups[] = {a, b};
    for (int g = 0; g < 2; ++g) {
        double below = 0, above = 0;
        for (double v : groups[g]) {
            below += v < l.combinedLower;
            above += v > l.combinedUpper;
        }
        double n = static_cast<double>(groups[g].size());
        l.percentOutside[g] = {100 * below / n, 100 * above / n};
        for (double share : l.percentOutside[g])
            l.verdict = std::max(l.verdict, lahtiShareVerdict(share));
    }
    return l;
}

Ichihara ichihara(std::span<const double> a, std::span<const double> b, const Lahti& combined) {
    Ichihara r;
    auto raw = [](double v) { return v; };
    Moments ma = moments(a, raw), mb = moments(b, raw);
    double total = ma.n + mb.n, grand = (ma.n * ma.mean + mb.n * mb.mean) / total;
    double msBetween =
        ma.n * (ma.mean - grand) * (ma.mean - grand) + mb.n * (mb.mean - grand) * (mb.mean - grand);
    double msWithin = (ma.ss + mb.ss) / (total - 2);
    double n0 = total - (ma.n * ma.n + mb.n * mb.n) / total; // (N - Σnᵢ²/N)/(k - 1), k = 2
    r.sdBetween = std::sqrt(std::max(0.0, (msBetween - msWithin) / n0));
    r.sdReference = (combined.combinedUpper - combined.combinedLower) / 3.92;
    r.sdr = r.sdReference > 0 ? r.sdBetween / r.sdReference : 0;
    r.partition = r.sdr >= 0.5;
    return r;
}

} // namespace

LahtiVerdict lahtiShareVerdict(double percent) {
    if (percent > 4.1 || percent < 0.9) return LahtiVerdict::Partition;
    if (percent <= 3.2) return LahtiVerdict::Combine;
    return LahtiVerdict::Marginal;
}

const char* lahtiName(LahtiVerdict v) {
    switch (v) {
    case LahtiVerdict::Combine:
        return "combine";
    case LahtiVerdict::Marginal:
        return "marginal";
    case LahtiVerdict::Partition:
        return "partition";
    }
    return "";
}

std::optional<Partitioning> partitionCriteria(std::span<const double> first, std::span<const double> second) {
    if (first.size() < 2 || second.size() < 2) return std::nullopt;
    std::vector<double> both(first.begin(), first.end());
    both.insert(both.end(), second.begin(), second.end());
    Partitioning p;
    p.n1 = first.size();
    p.n2 = second.size();
    p.harrisBoyd = harrisBoyd(first, second, both);
    p.lahti = lahti(first, second, both);
    p.ichihara = ichihara(first, second, p.lahti);
    return p;
}

} // namespace kl::refint
