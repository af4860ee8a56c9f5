#pragma once
// Seeded percentile bootstrap. Resample b draws from its own generator seeded from (seed, b), so
// the result is the same for any number of threads; the resamples are shared out among threads.

#include "refint/BoxCox.h"
#include "refint/Sample.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kl::refint {

struct BootstrapOptions {
    std::size_t resamples = 1000;
    std::uint64_t seed = 1;
    unsigned threads = 2;
};

// Computes `width` statistics of one resample into out (NaN where a statistic fails).
using ResampleStatistic = std::function<void(const Sample& resample, std::span<double> out)>;

// The statistics of every resample, row b at [b * width, (b + 1) * width).
std::vector<double> bootstrap(const Sample& s, std::size_t width, const ResampleStatistic& statistic,
                              const BootstrapOptions& options);

// The percentile interval [5 %, 95 %] (type 6) of column j of the bootstrap rows, NaN rows left
// out; nothing when fewer than half of the resamples gave a value.
struct PercentileInterval {
    bool valid = false;
    Interval90 interval;
    std::size_t used = 0;
};
PercentileInterval percentileInterval(std::span<const double> rows, std::size_t width, std::size_t j);

} // namespace kl::refint
