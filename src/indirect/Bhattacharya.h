#pragma once
// Bhattacharya's method (Biometrics 1967): in a histogram of a Gaussian component the differences
// of log counts of neighbouring bins fall on a straight line against their shared edge.

#include "indirect/Estimate.h"

#include <span>

namespace kl::indirect {

// sorted: all values ascending (values <= 0 left out); resolution as found from the values (0: none).
// Works on ln x when Bowley's skewness asks for it (as the truncated probability plot does).
Estimate bhattacharya(std::span<const double> sorted, double resolution);

} // namespace kl::indirect
