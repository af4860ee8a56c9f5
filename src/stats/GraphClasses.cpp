#include "stats/GraphClasses.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {
constexpr int kMaxGraphClasses = 100;
}

double GraphClasses::width() const {
    return std::fabs(interval);
}

bool graphClassesUsable(const GraphClasses& c) {
    double w = c.width();
    return c.count >= 1 && c.count <= kMaxGraphClasses && std::isfinite(w) && w > 0 &&
           std::isfinite(c.lower) && std::isfinite(c.upper) && c.upper > c.lower;
}

int graphClassIndex(double x, const GraphClasses& c) {
    if (!std::isfinite(x)) return 0;
    double p = std::floor((x - c.lower) / c.width() + 0.0001) + 1;
    if (std::isnan(p)) return 0;
    if (p < 1) {
        if (!c.fold) return 0;
        p = 1;
    }
    if (p > c.count) {
        if (!c.fold) return 0;
        p = c.count;
    }
    return static_cast<int>(p);
}

ClassCounts countClasses(std::span<const double> values, const GraphClasses& c, std::vector<double>* shown) {
    ClassCounts out;
    out.frequency.assign(static_cast<std::size_t>(std::max(c.count, 0)), 0);
    if (!graphClassesUsable(c)) return out;
    for (double x : values) {
        int k = graphClassIndex(x, c);
        if (k == 0) continue;
        ++out.frequency[static_cast<std::size_t>(k - 1)];
        ++out.counted;
        if (shown) shown->push_back(x);
    }
    out.largest = out.frequency.empty() ? 0 : *std::max_element(out.frequency.begin(), out.frequency.end());
    return out;
}

std::vector<double> shownValues(std::span<const double> values, const GraphClasses& c) {
    std::vector<double> out;
    if (!graphClassesUsable(c)) return out;
    out.reserve(values.size());
    for (double x : values)
        if (graphClassIndex(x, c) != 0) out.push_back(x);
    return out;
}

} // namespace kl
