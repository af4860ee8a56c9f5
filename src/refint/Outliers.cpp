#include "refint/Outliers.h"

#include "refint/BoxCox.h"
#include "refint/Sample.h"

#include <algorithm>
#include <numeric>

namespace kl::refint {

std::vector<std::size_t> dixonReedScreen(std::span<const double> x) {
    std::vector<std::size_t> order(x.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return x[a] < x[b]; });
    std::vector<std::size_t> suspects;
    std::size_t lo = 0, hi = x.size(); // the remaining values are order[lo, hi)
    while (hi - lo >= 3) {
        double range = x[order[hi - 1]] - x[order[lo]];
        if (!(range > 0)) break;
        double lowGap = x[order[lo + 1]] - x[order[lo]];
        double highGap = x[order[hi - 1]] - x[order[hi - 2]];
        // The larger gap goes first; each removal changes the range the other end is judged by.
        bool low = lowGap >= highGap;
        double gap = low ? lowGap : highGap;
        if (3 * gap < range) break;
        suspects.push_back(low ? order[lo++] : order[--hi]);
    }
    return suspects;
}

TukeyScreen tukeyScreen(std::span<const double> x) {
    TukeyScreen r;
    if (x.empty()) return r;
    Sample s = Sample::of(x);
    r.lambda = maximumLikelihoodLambda(s);
    auto scale = [&](double v) { return r.lambda ? boxCox(v, *r.lambda) : v; };
    std::vector<double> y(x.size());
    std::transform(x.begin(), x.end(), y.begin(), scale);
    std::vector<double> sorted = y;
    std::sort(sorted.begin(), sorted.end());
    double q1 = quantileType6(sorted, 0.25), q3 = quantileType6(sorted, 0.75), iqr = q3 - q1;
    r.lowFence = q1 - 1.5 * iqr;
    r.highFence = q3 + 1.5 * iqr;
    for (std::size_t i = 0; i < y.size(); ++i)
        if (y[i] < r.lowFence || y[i] > r.highFence) r.suspects.push_back(i);
    return r;
}

} // namespace kl::refint
