#pragma once
// A sample held as its sorted distinct values with their counts. Laboratory values are rounded to
// a resolution, so 40,000 of them have far fewer distinct values; every estimator and every
// bootstrap resample works on this form in time proportional to the distinct values.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kl::refint {

struct Sample {
    std::vector<double> values;        // sorted ascending, distinct
    std::vector<std::uint32_t> counts; // how often each occurs, > 0 (0 allowed in a resample)
    std::size_t n = 0;                 // sum of the counts

    static Sample of(std::span<const double> x);

    // The k-th smallest value (1-based, 1 <= k <= n).
    double ordered(std::size_t k) const;
    // The values expanded in ascending order.
    std::vector<double> sorted() const;
};

// R's quantile type 6 of the sample: rank r = p(n + 1), interpolated between neighbours.
double quantileType6(const Sample& s, double p);
// The same for a plain ascending vector.
double quantileType6(std::span<const double> sorted, double p);

// Running totals of counts: prefix[i] = counts[0] + ... + counts[i - 1], prefix.size() = counts.size() + 1.
void prefixCounts(std::span<const std::uint32_t> counts, std::vector<std::size_t>& prefix);
// quantileType6 of the sorted distinct values with the running totals of their counts (zero counts
// allowed): binary searches instead of a walk, the same result.
double quantileType6(std::span<const double> values, std::span<const std::size_t> prefix, double p);

} // namespace kl::refint
