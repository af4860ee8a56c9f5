#pragma once
// The truncated probability plot (Hoffmann et al., J Clin Med 2024): a normal quantile plot of the
// values left after an iterative truncation of the tails, fitted by a straight line.

#include "indirect/Estimate.h"

#include <span>
#include <vector>

namespace kl::indirect {

struct TqqResult {
    Estimate estimate;                        // lambda 0 when the log scale was used, 1 otherwise
    bool logScale = false;                    // the Bowley skewness rule chose ln x
    double keptLow = kNone, keptHigh = kNone; // the truncation region, in the values' unit
    std::size_t positive = 0, kept = 0;       // values > 0, and those inside the region
    double intercept = kNone, slope = kNone;  // of the fitted line on the working scale
    std::vector<double> plotX, plotY;         // the m plotted points (normal quantile, working value)
};

// sorted: all values in ascending order (values <= 0 are left out here).
TqqResult truncatedQQ(std::span<const double> sorted);

// Bowley's quartile skewness of sorted values read through a monotonic f (type-7 quartiles).
double bowleySkewness(std::span<const double> sorted, bool logScale);

} // namespace kl::indirect
