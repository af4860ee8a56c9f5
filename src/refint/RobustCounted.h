#pragma once
// The robust limits of robustLimits for a sample held as counts over fixed sorted distinct values,
// as every bootstrap resample is. The plain estimator walks the values once per biweight iteration
// and once per scale sum; here the median and the MAD come from binary searches over running
// totals of the counts, and every weighted sum of the estimator, a polynomial in
// z = (x - median)/(3.7 MAD), from the power sums of z over the central window, taken in one pass:
// later windows only visit the values that enter or leave them. The results agree with
// robustLimits up to rounding.

#include "refint/Robust.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kl::refint {

// values ascending and distinct; counts per value (zeros allowed); prefix from prefixCounts.
std::optional<RobustLimits> robustLimitsCounted(std::span<const double> values,
                                                std::span<const std::uint32_t> counts,
                                                std::span<const std::size_t> prefix, double tQuantile);

// The median of |x - centre| over the counted values, as medianDeviation.
double medianDeviationCounted(std::span<const double> values, std::span<const std::size_t> prefix,
                              double centre);

} // namespace kl::refint
