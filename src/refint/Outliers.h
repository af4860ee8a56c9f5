#pragma once
// Outlier screens. They only list suspects (indices into the values given); the user decides
// what to leave out.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace kl::refint {

// Dixon/Reed: the extreme value at either end is suspect when its gap to the next value is at least
// a third of the range; after each suspect the screen repeats on what is left, until neither end
// is suspect or fewer than three values remain. Suspects in the order found.
std::vector<std::size_t> dixonReedScreen(std::span<const double> x);

struct TukeyScreen {
    std::optional<double> lambda;       // the Box-Cox λ the fences were set on; none: the raw scale
    double lowFence = 0, highFence = 0; // on the working scale
    std::vector<std::size_t> suspects;  // ascending index order
};

// Tukey's fences [Q1 - 1.5 IQR, Q3 + 1.5 IQR] (type 6 quartiles) on the Box-Cox-transformed
// values (λ by maximum likelihood); on the raw values when some value is <= 0 or all are equal.
TukeyScreen tukeyScreen(std::span<const double> x);

} // namespace kl::refint
