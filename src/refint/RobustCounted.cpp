#include "refint/RobustCounted.h"

#include "refint/Sample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace kl::refint {

namespace {

// The first index in [lo, hi) where pred turns false (pred holds on a leading run).
template <class Pred> std::size_t firstFalse(std::size_t lo, std::size_t hi, Pred pred) {
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo) / 2;
        if (pred(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// The k-th smallest |x - centre| (1-based): the smallest distance of any value, counted or not,
// within which at least k counted values lie. Distances are formed as the plain walk forms them.
double kthDistance(std::span<const double> v, std::span<const std::size_t> prefix, double centre,
                   std::size_t k) {
    const std::size_t m = v.size();
    const std::size_t right =
        static_cast<std::size_t>(std::lower_bound(v.begin(), v.end(), centre) - v.begin());
    auto within = [&](double d) {
        std::size_t lo = firstFalse(0, right, [&](std::size_t i) { return centre - v[i] > d; });
        std::size_t hi = firstFalse(right, m, [&](std::size_t i) { return v[i] - centre <= d; });
        return prefix[hi] - prefix[lo];
    };
    double best = HUGE_VAL;
    std::size_t l = firstFalse(0, right, [&](std::size_t i) { return within(centre - v[i]) >= k; });
    if (l > 0) best = centre - v[l - 1];
    std::size_t r = firstFalse(right, m, [&](std::size_t i) { return within(v[i] - centre) < k; });
    if (r < m) best = std::min(best, v[r] - centre);
    return best;
}

struct Window {
    std::size_t first = 0, last = 0;
};

// The values strictly between centre - h and centre + h, bounded as the plain estimator bounds them.
Window windowOf(std::span<const double> v, double centre, double h) {
    return {static_cast<std::size_t>(std::upper_bound(v.begin(), v.end(), centre - h) - v.begin()),
            static_cast<std::size_t>(std::lower_bound(v.begin(), v.end(), centre + h) - v.begin())};
}

constexpr int kDegree = 10;
using Powers = std::array<double, kDegree + 1>; // Σ c·z^j, j = 0..10

// Σ c·z^j over [first, last), z = (x - centre)·scale: four values at a time (even and odd powers
// in separate chains), the hottest loop of the bootstrap. The same arithmetic in both builds, so
// the sums do not depend on the processor.
__attribute__((target_clones("avx2", "default"))) Powers powerSums(std::span<const double> v,
                                                                   std::span<const std::uint32_t> counts,
                                                                   Window w, double centre, double scale) {
    using Lanes = double __attribute__((vector_size(32)));
    using Counts = std::uint32_t __attribute__((vector_size(16)));
    Lanes p[kDegree + 1] = {};
    std::size_t i = w.first;
    for (; i + 4 <= w.last; i += 4) {
        Counts four;
        Lanes x;
        std::memcpy(&four, &counts[i], sizeof four);
        std::memcpy(&x, &v[i], sizeof x);
        Lanes c = __builtin_convertvector(four, Lanes);
        Lanes z = (x - centre) * scale, z2 = z * z, even = c, odd = c * z;
        for (std::size_t j = 0; j < kDegree; j += 2) {
            p[j] += even;
            p[j + 1] += odd;
            even *= z2;
            odd *= z2;
        }
        p[kDegree] += even;
    }
    Powers sums{};
    for (std::size_t j = 0; j <= kDegree; ++j)
        sums[j] = (p[j][0] + p[j][1]) + (p[j][2] + p[j][3]);
    for (; i < w.last; ++i) {
        double c = counts[i], z = (v[i] - centre) * scale;
        for (std::size_t j = 0; j <= kDegree; ++j, c *= z)
            sums[j] += c;
    }
    return sums;
}

// Σ c·(rho·(z - e))^k for k <= degree from the power sums of z (binomial expansion).
Powers shifted(const Powers& z, int degree, double e, double rho) {
    Powers u{};
    double rhoK = 1;
    for (int k = 0; k <= degree; ++k, rhoK *= rho) {
        double sum = 0, binomial = 1, power = 1; // C(k, j) and (-e)^(k - j), j from k down
        for (int j = k; j >= 0; --j) {
            sum += binomial * power * z[static_cast<std::size_t>(j)];
            binomial = binomial * j / (k - j + 1);
            power *= -e;
        }
        u[static_cast<std::size_t>(k)] = sum * rhoK;
    }
    return u;
}

// The sums of the scale estimator: Σu²(1 - u²)⁴ and D = Σ(1 - u²)(1 - 5u²).
struct ScaleSums {
    double num = 0, d = 0;

    static ScaleSums of(const Powers& u) {
        return {u[2] - 4 * u[4] + 6 * u[6] - 4 * u[8] + u[10], u[0] - 6 * u[2] + 5 * u[4]};
    }
    void add(double count, double u) {
        double u2 = u * u, w = 1 - u2, w2 = w * w;
        num += count * u2 * w2 * w2;
        d += count * w * (1 - 5 * u2);
    }
    // f(u, m) of the scale estimator; NaN when D <= 0.
    double factor(double m) const {
        if (!(d > 0)) return std::nan("");
        return std::sqrt(m * num / (d * std::max(1.0, d - 1)));
    }
};

// Visits the indices of a that are not in b.
template <class F> void forEachOutside(Window a, Window b, F f) {
    for (std::size_t i = a.first, end = std::min(b.first, a.last); i < end; ++i)
        f(i);
    for (std::size_t i = std::max(b.last, a.first); i < a.last; ++i)
        f(i);
}

struct Centre {
    double median, h, scale; // z = (x - median)·scale, scale = 1/h
    double z(double x) const { return (x - median) * scale; }
};

// The biweight location from the median, as biweightLocation iterates it; p holds the power sums
// over the window w of the median.
double biweightLocation(std::span<const double> v, std::span<const std::uint32_t> counts,
                        std::span<const std::size_t> prefix, Window w, Powers p, const Centre& c) {
    auto move = [&](std::size_t i, double sign) {
        double weight = sign * counts[i], z = c.z(v[i]);
        for (std::size_t j = 0; j <= 5; ++j, weight *= z)
            p[j] += weight;
    };
    double t = c.median;
    for (int iteration = 0; iteration < 200; ++iteration) {
        Window next = windowOf(v, t, c.h);
        if (next.first >= next.last || prefix[next.last] == prefix[next.first]) break;
        for (; w.first < next.first; ++w.first)
            move(w.first, -1);
        for (; w.first > next.first;)
            move(--w.first, 1);
        for (; w.last < next.last; ++w.last)
            move(w.last, 1);
        for (; w.last > next.last;)
            move(--w.last, -1);
        double e = (t - c.median) * c.scale;
        Powers u = shifted(p, 5, e, 1);
        double sw = u[0] - 2 * u[2] + u[4];
        if (!(sw > 0)) break;
        double swz = u[1] - 2 * u[3] + u[5] + e * sw;
        double nextT = c.median + c.h * (swz / sw);
        bool done = std::fabs(nextT - t) < 1e-6;
        t = nextT;
        if (done) break;
    }
    return t;
}

} // namespace

double medianDeviationCounted(std::span<const double> values, std::span<const std::size_t> prefix,
                              double centre) {
    std::size_t n = prefix.back();
    double a = kthDistance(values, prefix, centre, (n + 1) / 2);
    if (n % 2 == 1) return a;
    return (a + kthDistance(values, prefix, centre, n / 2 + 1)) / 2;
}

std::optional<RobustLimits> robustLimitsCounted(std::span<const double> values,
                                                std::span<const std::uint32_t> counts,
                                                std::span<const std::size_t> prefix, double tQuantile) {
    RobustLimits r;
    r.median = quantileType6(values, prefix, 0.5);
    r.mad = medianDeviationCounted(values, prefix, r.median) / 0.6745;
    if (!(r.mad > 0)) return std::nullopt;
    const Centre c{r.median, 3.7 * r.mad, 1 / (3.7 * r.mad)};
    const Window central = windowOf(values, c.median, c.h);
    const Powers z = powerSums(values, counts, central, c.median, c.scale);
    r.location = biweightLocation(values, counts, prefix, central, z, c);

    const double n = static_cast<double>(prefix.back());
    const double s37 = c.h * ScaleSums::of(z).factor(n);
    const double wide = 205.6 * r.mad;
    const Window w205 = windowOf(values, c.median, wide);
    ScaleSums sums205 = ScaleSums::of(shifted(z, kDegree, 0, c.h / wide));
    forEachOutside(w205, central,
                   [&](std::size_t i) { sums205.add(counts[i], (values[i] - c.median) / wide); });
    const double s205 = wide * sums205.factor(n);
    if (!std::isfinite(s205) || !(s37 > 0)) return std::nullopt;

    const double hT = 3.7 * s37, e = (r.location - c.median) * c.scale, rho = c.h / hT;
    const Window wT = windowOf(values, r.location, hT);
    ScaleSums sumsT = ScaleSums::of(shifted(z, kDegree, e, rho));
    forEachOutside(central, wT,
                   [&](std::size_t i) { sumsT.add(-1.0 * counts[i], rho * (c.z(values[i]) - e)); });
    forEachOutside(wT, central, [&](std::size_t i) { sumsT.add(counts[i], (values[i] - r.location) / hT); });
    const double sT = hT * sumsT.factor(1);
    if (!std::isfinite(sT)) return std::nullopt;
    const double half = tQuantile * std::sqrt(s205 * s205 + sT * sT);
    r.lower = r.location - half;
    r.upper = r.location + half;
    return r;
}

} // namespace kl::refint
