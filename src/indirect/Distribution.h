#pragma once
// The pieces the indirect methods share: the standard normal distribution, the Box-Cox
// transformation and type-7 quantiles of sorted values.

#include "refint/Distributions.h"

#include <cmath>
#include <cstddef>
#include <span>

namespace kl::indirect {

// The standard normal distribution is the one the direct methods use.
using refint::normalCdf;
using refint::normalQuantile;

// y = (x^λ − 1)/λ, ln x for λ = 0; x > 0.
inline double boxCox(double x, double lambda) {
    return lambda == 0 ? std::log(x) : (std::pow(x, lambda) - 1) / lambda;
}
// The inverse; y outside the transform's range (λy + 1 <= 0) gives 0.
inline double inverseBoxCox(double y, double lambda) {
    if (lambda == 0) return std::exp(y);
    double base = lambda * y + 1;
    return base > 0 ? std::pow(base, 1 / lambda) : 0.0;
}

// R's type-7 quantile of sorted values at probability p: the element at (n − 1)p, interpolated.
double quantile7(std::span<const double> sorted, double p);

// The same for values read through a monotonic increasing transform f.
template <class F> double quantile7(std::span<const double> sorted, double p, F f) {
    double h = (sorted.size() - 1) * p;
    std::size_t k = static_cast<std::size_t>(std::floor(h));
    if (k + 1 >= sorted.size()) return f(sorted.back());
    double lo = f(sorted[k]);
    return lo + (h - k) * (f(sorted[k + 1]) - lo);
}

} // namespace kl::indirect
