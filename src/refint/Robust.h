#pragma once
// Robust reference limits (Horn & Pesce 2003): a biweight location with the standard error of
// the limit from the biweight scale, for symmetric data (on a transformed scale otherwise).

#include "refint/Sample.h"

#include <optional>
#include <string>

namespace kl::refint {

struct RobustLimits {
    double median = 0, mad = 0; // MAD scaled by 1/0.6745
    double location = 0;        // biweight T
    double lower = 0, upper = 0;
};

// tQuantile is t(0.975, n - 1). Nothing when the MAD is 0 or a sum of the scale estimator
// vanishes (why in reason).
std::optional<RobustLimits> robustLimits(const Sample& s, double tQuantile, std::string* reason = nullptr);

// The median of the sample (type 6 at 1/2, the usual median).
double sampleMedian(const Sample& s);
// The median of |x - centre| over the sample.
double medianDeviation(const Sample& s, double centre);

} // namespace kl::refint
