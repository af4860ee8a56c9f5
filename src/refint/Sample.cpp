#include "refint/Sample.h"

#include <algorithm>
#include <cmath>

namespace kl::refint {

Sample Sample::of(std::span<const double> x) {
    std::vector<double> sorted(x.begin(), x.end());
    std::sort(sorted.begin(), sorted.end());
    Sample s;
    s.n = sorted.size();
    for (double v : sorted) {
        if (!s.values.empty() && s.values.back() == v) {
            ++s.counts.back();
        } else {
            s.values.push_back(v);
            s.counts.push_back(1);
        }
    }
    return s;
}

double Sample::ordered(std::size_t k) const {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        seen += counts[i];
        if (seen >= k) return values[i];
    }
    return values.back();
}

std::vector<double> Sample::sorted() const {
    std::vector<double> out;
    out.reserve(n);
    for (std::size_t i = 0; i < values.size(); ++i)
        out.insert(out.end(), counts[i], values[i]);
    return out;
}

namespace {

// Ranks k and k + 1 of type 6 with the interpolation weight, clamped to the ends.
struct Type6Rank {
    std::size_t k;
    double f;
};

Type6Rank type6Rank(std::size_t n, double p) {
    double r = p * (static_cast<double>(n) + 1);
    if (r < 1) return {1, 0};
    if (r >= static_cast<double>(n)) return {n, 0};
    double k = std::floor(r);
    return {static_cast<std::size_t>(k), r - k};
}

} // namespace

double quantileType6(const Sample& s, double p) {
    Type6Rank r = type6Rank(s.n, p);
    // One walk finds both neighbours.
    std::size_t seen = 0, i = 0;
    while (seen + s.counts[i] < r.k)
        seen += s.counts[i++];
    double lo = s.values[i];
    if (r.f == 0) return lo;
    if (seen + s.counts[i] >= r.k + 1) return lo;
    std::size_t j = i + 1;
    while (s.counts[j] == 0) // zero counts occur in bootstrap resamples
        ++j;
    double hi = s.values[j];
    return lo + r.f * (hi - lo);
}

double quantileType6(std::span<const double> sorted, double p) {
    Type6Rank r = type6Rank(sorted.size(), p);
    double lo = sorted[r.k - 1];
    return r.f == 0 ? lo : lo + r.f * (sorted[r.k] - lo);
}

void prefixCounts(std::span<const std::uint32_t> counts, std::vector<std::size_t>& prefix) {
    prefix.resize(counts.size() + 1);
    std::size_t sum = 0;
    prefix[0] = 0;
    for (std::size_t i = 0; i < counts.size(); ++i)
        prefix[i + 1] = sum += counts[i];
}

double quantileType6(std::span<const double> values, std::span<const std::size_t> prefix, double p) {
    Type6Rank r = type6Rank(prefix.back(), p);
    // The index holding the k-th smallest value: the first i with prefix[i + 1] >= k.
    auto holding = [&](std::size_t k) {
        return static_cast<std::size_t>(std::lower_bound(prefix.begin() + 1, prefix.end(), k) -
                                        (prefix.begin() + 1));
    };
    std::size_t i = holding(r.k);
    double lo = values[i];
    if (r.f == 0) return lo;
    std::size_t j = holding(r.k + 1);
    return j == i ? lo : lo + r.f * (values[j] - lo);
}

} // namespace kl::refint
