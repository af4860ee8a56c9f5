#include "indirect/Resolution.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kl::indirect {

double roundingResolution(std::span<const double> values) {
    if (values.empty()) return 0;
    const std::size_t take = std::min<std::size_t>(values.size(), 20000);
    std::vector<double> sample(take);
    for (std::size_t i = 0; i < take; ++i)
        sample[i] = values[i * values.size() / take];
    const double minMax =
        *std::max_element(sample.begin(), sample.end()) - *std::min_element(sample.begin(), sample.end());
    for (int e = 6; e >= -6; --e) {
        for (int m : {5, 2, 1}) {
            double step = m * std::pow(10.0, e);
            if (minMax > 0 && minMax / step < 2) continue; // would merge everything
            std::size_t multiples = 0;
            for (double v : sample) {
                double k = v / step;
                multiples += std::fabs(k - std::round(k)) <= 1e-9 * std::max(1.0, std::fabs(k));
            }
            if (multiples >= 0.99 * take) return step;
        }
    }
    return 0;
}

} // namespace kl::indirect
