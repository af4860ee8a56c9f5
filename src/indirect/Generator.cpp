#include "indirect/Generator.h"

#include "indirect/Distribution.h"

#include <cmath>
#include <numbers>
#include <random>

namespace kl::indirect {
namespace {

// A platform-independent normal sampler (std::normal_distribution differs between libraries).
class Normal {
  public:
    explicit Normal(std::uint64_t seed) : rng_(seed) {}
    double next() {
        if (spare_) {
            spare_ = false;
            return keep_;
        }
        double u1 = uniform(), u2 = uniform();
        double r = std::sqrt(-2 * std::log(u1));
        keep_ = r * std::sin(2 * std::numbers::pi * u2);
        spare_ = true;
        return r * std::cos(2 * std::numbers::pi * u2);
    }
    double uniform() { return (static_cast<double>(rng_() >> 11) + 0.5) * 0x1.0p-53; }

  private:
    std::mt19937_64 rng_;
    double keep_ = 0;
    bool spare_ = false;
};

// x rounded to a multiple of res, as the decimal a laboratory prints (0.3, not 3 × 0.1).
double roundTo(double x, double res) {
    double inverse = std::round(1 / res);
    if (res < 1 && std::fabs(inverse * res - 1) < 1e-12) return std::round(x * inverse) / inverse;
    return std::round(x / res) * res;
}

} // namespace

GeneratedSet generateMixture(const MixtureParameters& mixture) {
    GeneratedSet set;
    const double lambda = mixture.lambda;
    set.mu = boxCox(mixture.median, lambda);
    set.sigma = mixture.cv * std::pow(mixture.median, lambda);
    set.lower = inverseBoxCox(set.mu - normalQuantile(0.975) * set.sigma, lambda);
    set.upper = inverseBoxCox(set.mu + normalQuantile(0.975) * set.sigma, lambda);

    Normal normal(mixture.seed);
    auto draw = [&](double mean, double sd) {
        for (;;) {
            double y = mean + sd * normal.next();
            if (lambda == 0 || lambda * y + 1 > 0) {
                double x = inverseBoxCox(y, lambda);
                if (x > 0 && std::isfinite(x)) return x;
            }
        }
    };
    const double res = mixture.resolution;
    set.values.reserve(mixture.count);
    for (std::size_t i = 0; i < mixture.count; ++i) {
        double u = normal.uniform();
        double x;
        if (u >= mixture.pathologicalShare) {
            x = draw(set.mu, set.sigma);
            ++set.healthy;
        } else if (u < mixture.pathologicalShare * mixture.leftShare) {
            x = draw(set.mu - 3.5 * set.sigma, 1.5 * set.sigma);
        } else {
            x = draw(set.mu + 4 * set.sigma, 2 * set.sigma);
        }
        set.values.push_back(res > 0 ? roundTo(x, res) : x);
    }
    return set;
}

} // namespace kl::indirect
