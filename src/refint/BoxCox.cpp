#include "refint/BoxCox.h"

#include "refint/Distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace kl::refint {

namespace {

bool nearZero(double lambda) {
    return std::fabs(lambda) < 1e-12;
}

} // namespace

double boxCox(double x, double lambda) {
    return nearZero(lambda) ? std::log(x) : std::expm1(lambda * std::log(x)) / lambda;
}

double inverseBoxCox(double y, double lambda) {
    if (nearZero(lambda)) return std::exp(y);
    double base = lambda * y + 1;
    if (base <= 0) return lambda > 0 ? 0 : std::numeric_limits<double>::infinity();
    return std::exp(std::log(base) / lambda);
}

double boxCoxLogLikelihood(const Sample& s, double lambda) {
    double n = static_cast<double>(s.n), sumLog = 0, sumY = 0;
    std::vector<double> y(s.values.size());
    for (std::size_t i = 0; i < y.size(); ++i) {
        double lx = std::log(s.values[i]);
        y[i] = nearZero(lambda) ? lx : std::expm1(lambda * lx) / lambda;
        sumLog += s.counts[i] * lx;
        sumY += s.counts[i] * y[i];
    }
    double mean = sumY / n, ss = 0;
    for (std::size_t i = 0; i < y.size(); ++i)
        ss += s.counts[i] * (y[i] - mean) * (y[i] - mean);
    return -n / 2 * std::log(ss / n) + (lambda - 1) * sumLog;
}

std::optional<double> maximumLikelihoodLambda(const Sample& s, std::string* reason) {
    auto refuse = [&](const char* why) -> std::optional<double> {
        if (reason) *reason = why;
        return std::nullopt;
    };
    if (s.values.empty()) return refuse("no values");
    if (s.values.front() <= 0) return refuse("values <= 0: the Box-Cox transformation needs values > 0");
    if (s.values.size() < 2) return refuse("all values are identical");
    // A coarse grid finds the neighbourhood of the maximum, golden sections narrow it to 1e-6.
    const double step = 0.25;
    double best = kLambdaMin, bestL = -std::numeric_limits<double>::infinity();
    for (double l = kLambdaMin; l <= kLambdaMax + 1e-9; l += step) {
        double v = boxCoxLogLikelihood(s, l);
        if (v > bestL) bestL = v, best = l;
    }
    double a = std::max(kLambdaMin, best - step), b = std::min(kLambdaMax, best + step);
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = boxCoxLogLikelihood(s, c), fd = boxCoxLogLikelihood(s, d);
    while (b - a > 1e-7) {
        if (fc > fd) {
            b = d, d = c, fd = fc, c = b - g * (b - a), fc = boxCoxLogLikelihood(s, c);
        } else {
            a = c, c = d, fc = fd, d = a + g * (b - a), fd = boxCoxLogLikelihood(s, d);
        }
    }
    double lambda = (a + b) / 2;
    // The maximum may sit on an end of the range.
    if (bestL > boxCoxLogLikelihood(s, lambda)) lambda = best;
    return lambda;
}

NormalityTest andersonDarling(std::span<const double> sorted) {
    std::size_t n = sorted.size();
    double dn = static_cast<double>(n), mean = 0, ss = 0;
    for (double v : sorted)
        mean += v;
    mean /= dn;
    for (double v : sorted)
        ss += (v - mean) * (v - mean);
    double sd = std::sqrt(ss / (dn - 1));
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double zi = (sorted[i] - mean) / sd, zj = (sorted[n - 1 - i] - mean) / sd;
        // ln Φ(z) and ln(1 - Φ(z)) through erfc keep the far tails finite.
        double lowTail = std::log(0.5 * std::erfc(-zi / std::sqrt(2.0)));
        double highTail = std::log(0.5 * std::erfc(zj / std::sqrt(2.0)));
        sum += (2.0 * static_cast<double>(i) + 1) * (lowTail + highTail);
    }
    double a2 = -dn - sum / dn;
    double a = a2 * (1 + 0.75 / dn + 2.25 / (dn * dn));
    double p;
    if (!std::isfinite(a))
        p = 0; // a value so far out that its tail probability underflows
    else if (a >= 0.6)
        p = std::exp(1.2937 - 5.709 * a + 0.0186 * a * a);
    else if (a >= 0.34)
        p = std::exp(0.9177 - 4.279 * a - 1.38 * a * a);
    else if (a >= 0.2)
        p = 1 - std::exp(-8.318 + 42.796 * a - 59.938 * a * a);
    else
        p = 1 - std::exp(-13.436 + 101.14 * a - 223.73 * a * a);
    p = std::clamp(p, 0.0, 1.0);
    return {a, p, p < 0.05};
}

ParametricLimits parametricLimits(const Sample& s, double lambda) {
    ParametricLimits r;
    r.lambda = lambda;
    std::vector<double> y = s.sorted();
    for (double& v : y)
        v = boxCox(v, lambda);
    double n = static_cast<double>(y.size()), ss = 0;
    for (double v : y)
        r.mean += v;
    r.mean /= n;
    for (double v : y)
        ss += (v - r.mean) * (v - r.mean);
    r.sd = std::sqrt(ss / (n - 1));
    double lowY = r.mean - 1.96 * r.sd, highY = r.mean + 1.96 * r.sd;
    double half = 1.645 * r.sd * std::sqrt(1 / n + 1.96 * 1.96 / (2 * n));
    r.lower = inverseBoxCox(lowY, lambda);
    r.upper = inverseBoxCox(highY, lambda);
    r.lowerCi = {inverseBoxCox(lowY - half, lambda), inverseBoxCox(lowY + half, lambda)};
    r.upperCi = {inverseBoxCox(highY - half, lambda), inverseBoxCox(highY + half, lambda)};
    r.normality = andersonDarling(y);
    return r;
}

} // namespace kl::refint
