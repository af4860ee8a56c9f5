#pragma once
// Routine laboratory data with a known truth: a healthy part, normal after a Box-Cox transformation,
// mixed with a left and a right pathological part, rounded as a laboratory reports. Seeded, so a
// set is reproduced exactly from its parameters on every platform.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kl::indirect {

struct MixtureParameters {
    double lambda = 0;            // Box-Cox λ of the healthy part
    double median = 50;           // of the healthy part, in the values' unit
    double cv = 0.2;              // approximate relative spread of the healthy part around its median
    double pathologicalShare = 0; // 0 .. 0.5 of all values
    double leftShare = 0.3;       // part of the pathological values in the left component
    std::size_t count = 10000;
    double resolution = 1; // values rounded to multiples of it; 0 keeps them unrounded
    std::uint64_t seed = 1;
};

struct GeneratedSet {
    std::vector<double> values;  // in generation order (healthy and pathological interleaved)
    double mu = 0, sigma = 0;    // of the healthy part on the transformed scale
    double lower = 0, upper = 0; // the healthy part's 2.5 % and 97.5 % points (the truth)
    std::size_t healthy = 0;     // values drawn from the healthy part
};

// On the transformed scale the healthy part is N(μ, σ) with μ = BoxCox(median) and σ = cv·median^λ.
// The left part is N(μ − 3.5σ, 1.5σ), the right part N(μ + 4σ, 2σ): shifted, wider, overlapping
// the healthy tails. Values must be positive: a draw at or below 0 (before rounding) is drawn again.
GeneratedSet generateMixture(const MixtureParameters& mixture);

} // namespace kl::indirect
