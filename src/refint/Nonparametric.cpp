#include "refint/Nonparametric.h"

#include <cmath>

namespace kl::refint {

namespace {

// The smallest k with P(B <= k) >= level for B ~ Binomial(n, p), summed term by term.
std::size_t smallestReaching(std::size_t n, double level, double p = 0.025) {
    double dn = static_cast<double>(n), lgn = std::lgamma(dn + 1), sum = 0;
    for (std::size_t k = 0; k < n; ++k) {
        double dk = static_cast<double>(k);
        sum += std::exp(lgn - std::lgamma(dk + 1) - std::lgamma(dn - dk + 1) + dk * std::log(p) +
                        (dn - dk) * std::log1p(-p));
        if (sum >= level) return k;
    }
    return n;
}

} // namespace

std::optional<ConfidenceRanks> confidenceRanks(std::size_t n) {
    std::size_t low = smallestReaching(n, 0.05);
    if (low == 0) return std::nullopt;
    std::size_t high = smallestReaching(n, 0.95) + 1;
    if (high > n) return std::nullopt;
    return ConfidenceRanks{{low, high}, {n + 1 - high, n + 1 - low}};
}

} // namespace kl::refint
