#pragma once
// The distributions the reference-interval methods read quantiles and tail probabilities from,
// computed here to double precision (no tables).

#include <cstddef>

namespace kl::refint {

// Standard normal distribution function Φ(z).
double normalCdf(double z);
// Its quantile Φ⁻¹(p) for 0 < p < 1 (infinite at 0 and 1).
double normalQuantile(double p);

// Regularised incomplete beta function I_x(a, b) for a, b > 0 and 0 <= x <= 1.
double incompleteBeta(double a, double b, double x);
// Student's t distribution function with df degrees of freedom (df > 0).
double studentCdf(double t, double df);
// Its quantile for 0 < p < 1.
double studentQuantile(double p, double df);

// P(X <= k) for X ~ Binomial(n, p); 0 for k < 0, 1 for k >= n.
double binomialCdf(long k, std::size_t n, double p);

} // namespace kl::refint
