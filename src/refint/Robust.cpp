#include "refint/Robust.h"

#include <algorithm>
#include <cmath>

namespace kl::refint {

double sampleMedian(const Sample& s) {
    return quantileType6(s, 0.5);
}

namespace {

// The k-th smallest distance |x - centre| (1-based), walking outwards from the centre: the
// distances to its left and to its right are each sorted, so a merge visits them in order.
class DistanceWalk {
  public:
    DistanceWalk(const Sample& s, double centre) : s_(s), c_(centre) {
        right_ = static_cast<std::ptrdiff_t>(std::lower_bound(s.values.begin(), s.values.end(), centre) -
                                             s.values.begin());
        left_ = right_ - 1;
    }
    // Advances to the next distinct distance group; returns its distance and count.
    bool next(double& distance, std::size_t& count) {
        std::ptrdiff_t size = static_cast<std::ptrdiff_t>(s_.values.size());
        bool hasLeft = left_ >= 0, hasRight = right_ < size;
        if (!hasLeft && !hasRight) return false;
        double dl = hasLeft ? c_ - s_.values[left_] : HUGE_VAL;
        double dr = hasRight ? s_.values[right_] - c_ : HUGE_VAL;
        if (dl <= dr) {
            distance = dl, count = s_.counts[left_--];
        } else {
            distance = dr, count = s_.counts[right_++];
        }
        return true;
    }

  private:
    const Sample& s_;
    double c_;
    std::ptrdiff_t left_, right_;
};

double kthDistance(const Sample& s, double centre, std::size_t k) {
    DistanceWalk walk(s, centre);
    double d = 0;
    std::size_t count = 0, seen = 0;
    while (walk.next(d, count)) {
        seen += count;
        if (seen >= k) return d;
    }
    return d;
}

// f(u, m) of the scale estimator over |u| < 1, u = (x - centre)/h; NaN when D <= 0.
double scaleFactor(const Sample& s, double centre, double h, double m) {
    double lo = centre - h, hi = centre + h;
    auto first = std::upper_bound(s.values.begin(), s.values.end(), lo) - s.values.begin();
    auto last = std::lower_bound(s.values.begin(), s.values.end(), hi) - s.values.begin();
    double num = 0, d = 0;
    for (auto i = first; i < last; ++i) {
        double u = (s.values[i] - centre) / h, u2 = u * u, w = 1 - u2, c = s.counts[i];
        num += c * u2 * w * w * w * w;
        d += c * w * (1 - 5 * u2);
    }
    if (!(d > 0)) return std::nan("");
    return std::sqrt(m * num / (d * std::max(1.0, d - 1)));
}

// The biweight location started at the median, iterated until it moves less than 1e-6.
double biweightLocation(const Sample& s, double median, double mad) {
    double t = median, h = 3.7 * mad;
    for (int iteration = 0; iteration < 200; ++iteration) {
        auto first = std::upper_bound(s.values.begin(), s.values.end(), t - h) - s.values.begin();
        auto last = std::lower_bound(s.values.begin(), s.values.end(), t + h) - s.values.begin();
        double sw = 0, swx = 0;
        for (auto i = first; i < last; ++i) {
            double u = (s.values[i] - t) / h, w = (1 - u * u) * (1 - u * u) * s.counts[i];
            sw += w;
            swx += w * s.values[i];
        }
        if (!(sw > 0)) break;
        double next = swx / sw;
        bool done = std::fabs(next - t) < 1e-6;
        t = next;
        if (done) break;
    }
    return t;
}

} // namespace

double medianDeviation(const Sample& s, double centre) {
    std::size_t n = s.n;
    double a = kthDistance(s, centre, (n + 1) / 2);
    if (n % 2 == 1) return a;
    return (a + kthDistance(s, centre, n / 2 + 1)) / 2;
}

std::optional<RobustLimits> robustLimits(const Sample& s, double tQuantile, std::string* reason) {
    RobustLimits r;
    r.median = sampleMedian(s);
    r.mad = medianDeviation(s, r.median) / 0.6745;
    auto refuse = [&](const char* why) -> std::optional<RobustLimits> {
        if (reason) *reason = why;
        return std::nullopt;
    };
    if (!(r.mad > 0)) return refuse("MAD is 0: more than half of the values are identical");
    r.location = biweightLocation(s, r.median, r.mad);
    double n = static_cast<double>(s.n);
    double s205 = 205.6 * r.mad * scaleFactor(s, r.median, 205.6 * r.mad, n);
    double s37 = 3.7 * r.mad * scaleFactor(s, r.median, 3.7 * r.mad, n);
    if (!std::isfinite(s205) || !(s37 > 0)) return refuse("the biweight scale cannot be computed");
    double st = 3.7 * s37 * scaleFactor(s, r.location, 3.7 * s37, 1);
    if (!std::isfinite(st)) return refuse("the biweight scale cannot be computed");
    double half = tQuantile * std::sqrt(s205 * s205 + st * st);
    r.lower = r.location - half;
    r.upper = r.location + half;
    return r;
}

} // namespace kl::refint
