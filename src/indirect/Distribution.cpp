#include "indirect/Distribution.h"

namespace kl::indirect {

double quantile7(std::span<const double> sorted, double p) {
    return quantile7(sorted, p, [](double v) { return v; });
}

} // namespace kl::indirect
