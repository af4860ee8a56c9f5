#pragma once
// Nonparametric reference limits (type 6 percentiles) and the exact ranks of their 90 %
// confidence intervals from the binomial distribution (CLSI EP28-A3c).

#include "refint/Sample.h"

#include <cstddef>
#include <optional>

namespace kl::refint {

// 1-based ranks of the 90 % confidence interval of a limit.
struct RankInterval {
    std::size_t low = 0, high = 0;
};

struct ConfidenceRanks {
    RankInterval lower; // of the 2.5th percentile
    RankInterval upper; // of the 97.5th percentile
};

// The smallest n for which the exact ranks exist.
inline constexpr std::size_t kMinimumForRanks = 119;

// The ranks for n values; nothing below kMinimumForRanks (the lower rank would be 0).
std::optional<ConfidenceRanks> confidenceRanks(std::size_t n);

} // namespace kl::refint
