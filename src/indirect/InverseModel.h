#pragma once
// Inverse modelling of routine data (after Ammer et al., Sci Rep 2021;11:16023): the healthy part
// is taken to be normal after a Box-Cox transformation with λ in [0, 1]; λ, μ, σ and its share P
// are found by fitting the model's expected histogram counts to the observed counts.

#include "indirect/Estimate.h"

#include <span>
#include <vector>

namespace kl::indirect {

struct Histogram {
    std::vector<double> edges;  // ascending; bin i is [edges[i], edges[i + 1])
    std::vector<double> counts; // per bin
    std::size_t total = 0;      // values > 0 (inside the bins or not)
};

// Bins over the central 99.5 % of the values > 0, the width a multiple of the rounding
// resolution (edges half a step off the reported values) near the Freedman–Diaconis width, at
// most maxBins bins. A width > 0 replaces the Freedman–Diaconis width.
Histogram alignedHistogram(std::span<const double> sorted, double resolution, std::size_t maxBins = 400,
                           double width = 0);

struct InverseModelResult {
    Estimate estimate; // lambda, mu, sigma, share and the limits; no intervals
    Histogram histogram;
    double resolution = 0;
    double cost = kNone;
};

// sorted: all values in ascending order (values <= 0 are left out). resolution < 0: found from
// the values.
InverseModelResult inverseModel(std::span<const double> sorted, double resolution = -1);

} // namespace kl::indirect
