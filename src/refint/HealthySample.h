#pragma once
// Healthy-only test data with known truth: values normal after a Box-Cox transformation, the true
// limits being the transformation's 2.5 % and 97.5 % points. Kept apart from the methods so a
// fuller generator (with pathological parts) can take its place.

#include <cstdint>
#include <vector>

namespace kl::refint {

struct HealthyModel {
    double lambda = 0.5;   // Box-Cox λ of the healthy part
    double mean = 10;      // μ on the transformed scale
    double sd = 1;         // σ on the transformed scale
    double resolution = 0; // values rounded to this step; 0: not rounded
};

struct TrueLimits {
    double lower = 0, upper = 0;
};

TrueLimits trueLimits(const HealthyModel& model);

// n values drawn with the given seed (the same seed always gives the same values).
std::vector<double> healthySample(const HealthyModel& model, std::size_t n, std::uint64_t seed);

} // namespace kl::refint
