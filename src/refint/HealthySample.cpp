#include "refint/HealthySample.h"

#include "refint/BoxCox.h"
#include "refint/Distributions.h"

#include <cmath>
#include <numbers>
#include <random>

namespace kl::refint {

TrueLimits trueLimits(const HealthyModel& m) {
    double z = normalQuantile(0.975);
    return {inverseBoxCox(m.mean - z * m.sd, m.lambda), inverseBoxCox(m.mean + z * m.sd, m.lambda)};
}

std::vector<double> healthySample(const HealthyModel& m, std::size_t n, std::uint64_t seed) {
    // Box-Muller on the 64-bit Mersenne Twister: the same values on every standard library.
    std::mt19937_64 engine(seed);
    auto uniform = [&] { return (static_cast<double>(engine() >> 11) + 0.5) / 9007199254740992.0; };
    std::vector<double> out;
    out.reserve(n);
    while (out.size() < n) {
        double r = std::sqrt(-2 * std::log(uniform())), angle = 2 * std::numbers::pi * uniform();
        for (double z : {r * std::cos(angle), r * std::sin(angle)}) {
            if (out.size() == n) break;
            double x = inverseBoxCox(m.mean + m.sd * z, m.lambda);
            if (m.resolution > 0) x = std::round(x / m.resolution) * m.resolution;
            out.push_back(x);
        }
    }
    return out;
}

} // namespace kl::refint
