#include "graph/NormalFit.h"

#include <algorithm>
#include <cmath>

namespace kl {

std::optional<NormalFit> fitNormal(std::span<const double> values, const GraphClasses& classes) {
    if (!graphClassesUsable(classes)) return std::nullopt;
    return fitNormalToShown(shownValues(values, classes));
}

std::optional<NormalFit> fitNormalToShown(std::span<const double> shown) {
    NormalFit fit;
    fit.n = static_cast<long>(shown.size());
    if (fit.n < 2) return std::nullopt;
    double sum = 0;
    for (double x : shown)
        sum += x;
    if (!std::isfinite(sum)) return std::nullopt;
    fit.mean = sum / static_cast<double>(fit.n);
    double squares = 0;
    for (double x : shown) {
        double d = x - fit.mean;
        squares += d * d;
    }
    if (!std::isfinite(squares)) return std::nullopt;
    fit.sd = std::sqrt(std::max(0.0, squares / static_cast<double>(fit.n - 1)));
    return fit;
}

double normalCdfAS(double z) {
    static constexpr float kC[6] = {0.049867347f,  0.0211410061f, 0.0032776263f,
                                    0.0000380036f, 0.0000488906f, 0.000005383f};
    double a = std::fabs(z);
    double t = 1, power = 1;
    for (float c : kC) {
        power *= a;
        t += static_cast<double>(c) * power;
    }
    for (int k = 0; k < 4; ++k)
        t *= t; // t^16
    return z < 0 ? 1 / (2 * t) : 1 - 1 / (2 * t);
}

std::vector<double> classProbabilities(const NormalFit& fit, const GraphClasses& classes) {
    const int K = classes.count;
    std::vector<double> below(static_cast<std::size_t>(K), 0.0); // P(i), i = 1..K-1
    for (int i = 1; i < K; ++i) {
        double z = fit.sd == 0 ? 0 : (classes.lower + i * classes.width() - fit.mean) / fit.sd;
        below[static_cast<std::size_t>(i - 1)] = normalCdfAS(z);
    }
    std::vector<double> p(static_cast<std::size_t>(K), 0.0);
    if (K == 1) {
        p[0] = 1;
        return p;
    }
    p[static_cast<std::size_t>(K - 1)] = 1 - below[static_cast<std::size_t>(K - 2)];
    for (int i = K - 1; i >= 2; --i)
        p[static_cast<std::size_t>(i - 1)] =
            below[static_cast<std::size_t>(i - 1)] - below[static_cast<std::size_t>(i - 2)];
    p[0] = below[0];
    return p;
}

std::vector<double> expectedFrequencies(const NormalFit& fit, const GraphClasses& classes) {
    auto e = classProbabilities(fit, classes);
    for (double& v : e)
        v *= static_cast<double>(fit.n);
    return e;
}

std::vector<Point> theoreticalControlPoints(std::span<const double> expected, const VerticalScale& scale) {
    std::vector<Point> points;
    const std::size_t K = expected.size();
    const double step = kHistWidth / static_cast<double>(K);
    for (std::size_t i = 2; i < K; ++i) {
        double h = expected[i - 1] * scale.pixelsPerCount - 0.001;
        if (h >= 0.1) points.push_back({kHistLeft + step * (static_cast<double>(i) - 0.5), kHistBottom - h});
    }
    return points;
}

} // namespace kl
