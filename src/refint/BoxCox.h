#pragma once
// Parametric reference limits after a Box-Cox transformation with λ by maximum likelihood, their
// 90 % confidence intervals, and the Anderson-Darling normality test of the transformed values.

#include "refint/Sample.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl::refint {

// y = (x^λ - 1)/λ, ln x at λ = 0 (x > 0).
double boxCox(double x, double lambda);
// x from y; 0 or infinity where y lies beyond the transformation's range.
double inverseBoxCox(double y, double lambda);

// The profile log-likelihood ℓ(λ) of the sample (all values > 0).
double boxCoxLogLikelihood(const Sample& s, double lambda);

// ℓ(λ) for many λ: the logarithms are taken once, and e^t - 1 is computed by a faster routine than
// the library's (equal to an ulp or two), as the search for λ evaluates ℓ some sixty times.
class BoxCoxLikelihood {
  public:
    explicit BoxCoxLikelihood(const Sample& s);
    double operator()(double lambda) const;

  private:
    std::vector<double> logs_, counts_;
    double n_ = 0, sumLog_ = 0, middle_ = 0;
};

inline constexpr double kLambdaMin = -3, kLambdaMax = 3;

// λ maximising ℓ over [-3, 3] to 1e-6; nothing when a value is <= 0 or all values are equal
// (why in reason).
std::optional<double> maximumLikelihoodLambda(const Sample& s, std::string* reason = nullptr);

struct NormalityTest {
    double statistic = 0; // A² adjusted for estimated mean and variance: A²(1 + 0.75/n + 2.25/n²)
    double pValue = 1;
    bool rejects = false; // at the 5 % level
};

// Anderson-Darling test of normality with mean and variance estimated (D'Agostino & Stephens'
// p-value); sorted holds at least 8 ascending values that are not all equal.
NormalityTest andersonDarling(std::span<const double> sorted);

struct Interval90 {
    double low = 0, high = 0;
};

struct ParametricLimits {
    double lambda = 1, mean = 0, sd = 0; // mean and SD (n - 1) of the transformed values
    double lower = 0, upper = 0;
    Interval90 lowerCi, upperCi;
    NormalityTest normality;
};

// Limits with a given λ (every value > 0, n >= 8, not all equal).
ParametricLimits parametricLimits(const Sample& s, double lambda);

} // namespace kl::refint
