#include "refint/BoxCox.h"

#include "refint/Distributions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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

namespace {

// e^t - 1 for the likelihood's inner loop, several times faster than the library's and within an
// ulp or two of it: t = k·ln 2 + r with |r| <= ln 2 / 2, e^r - 1 by its Taylor series to r^13 (the
// next term is below 1e-17 there), scaled by 2^k built from its bits: 2^k·(e^r - 1) + (2^k - 1).
// Written once for one value and for four (T double or a vector of doubles, B the matching
// integers), with the same operations, so both give the same bits; for -40 <= t <= 709.
template <class T, class B> [[gnu::always_inline]] inline void expm1Kernel(const T& t, T& out) {
    constexpr double invLn2 = 1.4426950408889634, ln2Hi = 6.93147180369123816490e-01,
                     ln2Lo = 1.90821492927058770002e-10, shifter = 0x1.8p52;
    T shiftedK = t * invLn2 + shifter, k = shiftedK - shifter;
    T r = (t - k * ln2Hi) - k * ln2Lo, r2 = r * r, r4 = r2 * r2;
    // Estrin's scheme: pairs of terms evaluated side by side.
    T a = 1 + r * (1.0 / 2), b = 1.0 / 6 + r * (1.0 / 24), c = 1.0 / 120 + r * (1.0 / 720);
    T d = 1.0 / 5040 + r * (1.0 / 40320), e = 1.0 / 362880 + r * (1.0 / 3628800);
    T f = 1.0 / 39916800 + r * (1.0 / 479001600), g = 1.0 / 6227020800 + r * 0;
    T p = r * ((a + r2 * b) + r4 * (c + r2 * ((d + r2 * e) + r4 * (f + r2 * g))));
    B bits;
    std::memcpy(&bits, &shiftedK, sizeof bits);
    B scaleBits = (bits - 0x4338000000000000ll + 1023) << 52;
    T twoK;
    std::memcpy(&twoK, &scaleBits, sizeof twoK);
    out = twoK * p + (twoK - 1);
}

double expm1Fast(double t) {
    if (!(t >= -40 && t <= 709)) return t < -40 ? -1 : std::expm1(t); // -1 to the last bit; overflow; NaN
    double out;
    expm1Kernel<double, std::int64_t>(t, out);
    return out;
}

struct Moments {
    double sum = 0, squares = 0;
};

// Σc·d and Σc·d² of d = expm1(λ·logs) - centre, four values at a time; the same arithmetic in
// both builds, so the result does not depend on the processor.
__attribute__((target_clones("avx2", "default"))) Moments
expm1Moments(const double* logs, const double* counts, std::size_t m, double lambda, double centre) {
    using Lanes = double __attribute__((vector_size(32)));
    using Bits = std::int64_t __attribute__((vector_size(32)));
    Lanes sum = {}, squares = {};
    std::size_t i = 0;
    for (; i + 4 <= m; i += 4) {
        Lanes t = Lanes{logs[i], logs[i + 1], logs[i + 2], logs[i + 3]} * lambda;
        Lanes e;
        if (t[0] >= -40 && t[0] <= 709 && t[1] >= -40 && t[1] <= 709 && t[2] >= -40 && t[2] <= 709 &&
            t[3] >= -40 && t[3] <= 709)
            expm1Kernel<Lanes, Bits>(t, e);
        else
            e = Lanes{expm1Fast(t[0]), expm1Fast(t[1]), expm1Fast(t[2]), expm1Fast(t[3])};
        Lanes c = {counts[i], counts[i + 1], counts[i + 2], counts[i + 3]}, d = e - centre;
        sum += c * d;
        squares += c * d * d;
    }
    Moments r{(sum[0] + sum[1]) + (sum[2] + sum[3]), (squares[0] + squares[1]) + (squares[2] + squares[3])};
    for (; i < m; ++i) {
        double d = expm1Fast(lambda * logs[i]) - centre;
        r.sum += counts[i] * d;
        r.squares += counts[i] * d * d;
    }
    return r;
}

} // namespace

BoxCoxLikelihood::BoxCoxLikelihood(const Sample& s)
    : logs_(s.values.size()), counts_(s.counts.begin(), s.counts.end()), n_(static_cast<double>(s.n)) {
    for (std::size_t i = 0; i < logs_.size(); ++i) {
        logs_[i] = std::log(s.values[i]);
        sumLog_ += counts_[i] * logs_[i];
    }
    // The sums below are taken about the middle value, which keeps their cancellation small.
    middle_ = logs_.empty() ? 0 : logs_[logs_.size() / 2];
}

double BoxCoxLikelihood::operator()(double lambda) const {
    // y = (x^λ - 1)/λ: its spread is that of e = expm1(λ ln x) over λ², computed once.
    Moments m;
    if (nearZero(lambda)) {
        for (std::size_t i = 0; i < logs_.size(); ++i) {
            double d = logs_[i] - middle_;
            m.sum += counts_[i] * d;
            m.squares += counts_[i] * d * d;
        }
    } else {
        m = expm1Moments(logs_.data(), counts_.data(), logs_.size(), lambda, expm1Fast(lambda * middle_));
    }
    double ss = m.squares - m.sum * m.sum / n_;
    if (!nearZero(lambda)) ss /= lambda * lambda;
    return -n_ / 2 * std::log(ss / n_) + (lambda - 1) * sumLog_;
}

double boxCoxLogLikelihood(const Sample& s, double lambda) {
    return BoxCoxLikelihood(s)(lambda);
}

std::optional<double> maximumLikelihoodLambda(const Sample& s, std::string* reason) {
    auto refuse = [&](const char* why) -> std::optional<double> {
        if (reason) *reason = why;
        return std::nullopt;
    };
    if (s.values.empty()) return refuse("no values");
    if (s.values.front() <= 0) return refuse("values <= 0: the Box-Cox transformation needs values > 0");
    if (s.values.size() < 2) return refuse("all values are identical");
    const BoxCoxLikelihood logLikelihood(s);
    // A coarse grid finds the neighbourhood of the maximum, golden sections narrow it to 1e-6.
    const double step = 0.25;
    double best = kLambdaMin, bestL = -std::numeric_limits<double>::infinity();
    for (double l = kLambdaMin; l <= kLambdaMax + 1e-9; l += step) {
        double v = logLikelihood(l);
        if (v > bestL) bestL = v, best = l;
    }
    double a = std::max(kLambdaMin, best - step), b = std::min(kLambdaMax, best + step);
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = logLikelihood(c), fd = logLikelihood(d);
    while (b - a > 1e-7) {
        if (fc > fd) {
            b = d, d = c, fd = fc, c = b - g * (b - a), fc = logLikelihood(c);
        } else {
            a = c, c = d, fc = fd, d = a + g * (b - a), fd = logLikelihood(d);
        }
    }
    double lambda = (a + b) / 2;
    // The maximum may sit on an end of the range.
    if (bestL > logLikelihood(lambda)) lambda = best;
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
