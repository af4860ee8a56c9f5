#pragma once
// The rounding resolution of reported values: the largest step 1, 2 or 5 × 10^k of which
// (nearly) every value is a multiple.

#include <span>

namespace kl::indirect {

// Looks at up to 20,000 values spread over the input. A step is taken when at least 99 % of them
// are multiples of it (a few values entered with more digits do not hide it) and when it does
// not merge all of them into fewer than 3 distinct steps. 0 when no step from 1e-6 to 1e6 fits
// (unrounded data) or there are no values.
double roundingResolution(std::span<const double> values);

} // namespace kl::indirect
