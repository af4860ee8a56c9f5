#include "refint/Distributions.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace kl::refint {

double normalCdf(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

namespace {

// Acklam's rational approximation (relative error about 1e-9), the start of the refinement below.
double acklam(double p) {
    static const double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                               1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
    static const double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                               6.680131188771972e+01, -1.328068155288572e+01};
    static const double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                               -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
    static const double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                               3.754408661907416e+00};
    const double low = 0.02425;
    if (p < low) {
        double q = std::sqrt(-2 * std::log(p));
        return (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
               ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    }
    if (p > 1 - low) return -acklam(1 - p);
    double q = p - 0.5, r = q * q;
    return (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
           (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
}

} // namespace

double normalQuantile(double p) {
    if (!(p > 0)) return -std::numeric_limits<double>::infinity();
    if (!(p < 1)) return std::numeric_limits<double>::infinity();
    double x = acklam(p);
    // Two Halley steps on Φ(x) - p bring it to full double precision.
    for (int i = 0; i < 2; ++i) {
        double e = p < 0.5 ? normalCdf(x) - p : (1 - p) - 0.5 * std::erfc(x / std::sqrt(2.0));
        double u = e * std::sqrt(2 * std::numbers::pi) * std::exp(x * x / 2);
        x -= u / (1 + x * u / 2);
    }
    return x;
}

namespace {

// Continued fraction of the incomplete beta function (modified Lentz).
double betaFraction(double a, double b, double x) {
    const double tiny = 1e-300, eps = 1e-16;
    double c = 1, d = 1 - (a + b) * x / (a + 1);
    if (std::fabs(d) < tiny) d = tiny;
    d = 1 / d;
    double h = d;
    for (int m = 1; m <= 1000; ++m) {
        double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a + m2 - 1) * (a + m2));
        for (int half = 0; half < 2; ++half) {
            d = 1 + aa * d;
            if (std::fabs(d) < tiny) d = tiny;
            c = 1 + aa / c;
            if (std::fabs(c) < tiny) c = tiny;
            d = 1 / d;
            double delta = c * d;
            h *= delta;
            if (half == 1 && std::fabs(delta - 1) < eps) return h;
            aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1));
        }
    }
    return h;
}

} // namespace

double incompleteBeta(double a, double b, double x) {
    if (x <= 0) return 0;
    if (x >= 1) return 1;
    double lead =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2)) return lead * betaFraction(a, b, x) / a;
    return 1 - lead * betaFraction(b, a, 1 - x) / b;
}

double studentCdf(double t, double df) {
    double tail = 0.5 * incompleteBeta(df / 2, 0.5, df / (df + t * t));
    return t > 0 ? 1 - tail : tail;
}

double studentQuantile(double p, double df) {
    if (!(p > 0)) return -std::numeric_limits<double>::infinity();
    if (!(p < 1)) return std::numeric_limits<double>::infinity();
    if (p < 0.5) return -studentQuantile(1 - p, df);
    // Bracket, then bisect on the distribution function: monotone and exact to the last bits.
    double lo = 0, hi = std::max(2.0, normalQuantile(p) * 2);
    while (studentCdf(hi, df) < p)
        hi *= 2;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
        double mid = (lo + hi) / 2;
        (studentCdf(mid, df) < p ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

double binomialCdf(long k, std::size_t n, double p) {
    if (k < 0) return 0;
    if (static_cast<std::size_t>(k) >= n) return 1;
    if (p <= 0) return 1;
    if (p >= 1) return 0;
    // Terms in logarithms: (1 - p)^n underflows for the large n of laboratory data.
    double dn = static_cast<double>(n), lp = std::log(p), lq = std::log1p(-p), sum = 0;
    double lgn = std::lgamma(dn + 1);
    for (long i = 0; i <= k; ++i) {
        double di = static_cast<double>(i);
        sum += std::exp(lgn - std::lgamma(di + 1) - std::lgamma(dn - di + 1) + di * lp + (dn - di) * lq);
    }
    return std::min(sum, 1.0);
}

} // namespace kl::refint
