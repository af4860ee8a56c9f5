#pragma once
// What an indirect method reports: the estimated limits of the central 95 % of the healthy part,
// their 90 % intervals where the method gives them, and the fitted healthy distribution.

#include <cmath>
#include <string>

namespace kl::indirect {

inline constexpr double kNone = NAN;

struct Interval {
    double low = kNone, high = kNone;
    bool known() const { return std::isfinite(low) && std::isfinite(high); }
};

struct Estimate {
    bool ok = false;  // limits were estimated
    std::string note; // why not, or a warning (small n); empty when neither
    double lower = kNone, upper = kNone;
    Interval lowerCi, upperCi; // 90 % intervals; unknown when the method gives none
    // The healthy part as fitted: N(mu, sigma) after Box-Cox with lambda (0: logarithm).
    double lambda = kNone, mu = kNone, sigma = kNone;
    double share = kNone; // P, the healthy part's share of all values
    std::size_t used = 0; // values the method used
};

} // namespace kl::indirect
