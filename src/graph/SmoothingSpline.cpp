#include "graph/SmoothingSpline.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {

constexpr std::size_t kMaxKept = 5000;

double cube(double d) {
    return d * d * d;
}

// Square matrix with 1-based indexes, as the construction below is written.
class Matrix {
  public:
    explicit Matrix(std::size_t n) : n_(n), a_(n * n, 0.0) {}
    double& operator()(std::size_t r, std::size_t c) { return a_[(r - 1) * n_ + (c - 1)]; }

  private:
    std::size_t n_;
    std::vector<double> a_;
};

} // namespace

bool solveLinearSystem(std::vector<std::vector<double>>& g, std::vector<double>& v) {
    const std::size_t n = v.size();
    if (g.size() != n) return false;
    for (const auto& row : g)
        if (row.size() != n) return false;
    for (std::size_t p = 0; p < n; ++p) {
        std::size_t best = p;
        for (std::size_t r = p + 1; r < n; ++r)
            if (std::fabs(g[r][p]) > std::fabs(g[best][p])) best = r;
        if (g[best][p] == 0 || !std::isfinite(g[best][p])) return false;
        std::swap(g[p], g[best]);
        std::swap(v[p], v[best]);
        for (std::size_t r = p + 1; r < n; ++r) {
            double f = g[r][p] / g[p][p];
            if (f == 0) continue;
            for (std::size_t c = p; c < n; ++c)
                g[r][c] -= f * g[p][c];
            v[r] -= f * v[p];
        }
    }
    for (std::size_t p = n; p-- > 0;) {
        double s = v[p];
        for (std::size_t c = p + 1; c < n; ++c)
            s -= g[p][c] * v[c];
        v[p] = s / g[p][p];
    }
    return std::all_of(v.begin(), v.end(), [](double e) { return std::isfinite(e); });
}

namespace {

struct ReducedSystem {
    std::vector<std::vector<double>> G; // G(q, p) = A(p, q), q, p = 1..M-2
    std::vector<double> v;              // A(M-1, q): second differences of the data
    std::vector<double> B, V;           // first columns kept along the way (1-based)
};

bool allFinite(std::span<const double> v) {
    return std::all_of(v.begin(), v.end(), [](double e) { return std::isfinite(e); });
}

// Truncated powers of the knot distances with 10 lambda on the diagonal, reduced by second divided
// differences first down the columns, then (with the data in row M-1) along the rows.
ReducedSystem reducedSystem(const std::vector<double>& knots, std::span<const Point> data, double lambda) {
    const std::size_t M = knots.size();
    auto x = [&](std::size_t i) { return knots[i - 1]; };
    Matrix A(M);
    for (std::size_t i = 1; i <= M; ++i)
        A(i, i) = 10 * lambda;
    for (std::size_t c = 2; c <= M; ++c)
        for (std::size_t r = 1; r < c; ++r)
            A(r, c) = cube(x(c) - x(r));
    for (std::size_t c = 1; c <= M; ++c) {
        for (std::size_t r = 1; r <= M - 1; ++r)
            A(r, c) = (A(r + 1, c) - A(r, c)) / (x(r + 1) - x(r));
        for (std::size_t r = 1; r <= M - 2; ++r)
            A(r, c) = (A(r + 1, c) - A(r, c)) / (x(r + 2) - x(r));
    }
    for (std::size_t c = 1; c <= M; ++c)
        A(M - 1, c) = data[c - 1].y;
    ReducedSystem s;
    s.B.assign(M, 0.0);
    s.V.assign(M, 0.0);
    for (std::size_t r = 1; r <= M - 1; ++r)
        s.B[r] = A(r, 1);
    for (std::size_t r = 1; r <= M - 1; ++r) {
        for (std::size_t c = 1; c <= M - 1; ++c)
            A(r, c) = (A(r, c + 1) - A(r, c)) / (x(c + 1) - x(c));
        s.V[r] = A(r, 1);
        for (std::size_t c = 1; c <= M - 2; ++c)
            A(r, c) = (A(r, c + 1) - A(r, c)) / (x(c + 2) - x(c));
    }
    const std::size_t n = M - 2;
    s.G.assign(n, std::vector<double>(n));
    s.v.assign(n, 0.0);
    for (std::size_t q = 1; q <= n; ++q) {
        for (std::size_t p = 1; p <= n; ++p)
            s.G[q - 1][p - 1] = A(p, q);
        s.v[q - 1] = A(M - 1, q);
    }
    return s;
}

} // namespace

SmoothingSpline::SmoothingSpline(std::span<const Point> data, double lambda) {
    const std::size_t M = data.size();
    if (M < 3) {
        fault_ = SmoothingFault::TooFewKnots;
        return;
    }
    for (const Point& p : data)
        x_.push_back(p.x);
    for (std::size_t i = 1; i < M; ++i)
        if (!(x_[i] > x_[i - 1]) || !std::isfinite(x_[i])) {
            fault_ = SmoothingFault::Singular;
            return;
        }
    if (!std::isfinite(lambda)) {
        fault_ = SmoothingFault::NotFinite;
        return;
    }
    ReducedSystem s = reducedSystem(x_, data, lambda);
    bool finite = allFinite(s.v);
    for (const auto& row : s.G)
        finite = finite && allFinite(row);
    if (!finite) {
        fault_ = SmoothingFault::NotFinite;
        return;
    }
    if (!solveLinearSystem(s.G, s.v)) {
        fault_ = SmoothingFault::Singular;
        return;
    }
    u_ = std::move(s.v);
    a0_ = s.B[M - 1];
    b1_ = s.V[M - 1];
    for (std::size_t q = 1; q <= M - 2; ++q) {
        a0_ -= u_[q - 1] * s.B[q];
        b1_ -= u_[q - 1] * s.V[q];
    }
    if (!std::isfinite(a0_) || !std::isfinite(b1_) || !allFinite(u_)) fault_ = SmoothingFault::NotFinite;
}

double SmoothingSpline::valueAt(double xv) const {
    std::vector<double> work;
    return valueAt(xv, work);
}

double SmoothingSpline::valueAt(double xv, std::vector<double>& e) const {
    const std::size_t M = x_.size();
    if (fault_ != SmoothingFault::None || M < 3) return 0;
    // Truncated powers, then their second divided differences over the knots. The powers of the
    // knots at or right of x are 0, and so are all differences taken over them only.
    std::size_t active = 0;
    while (active < M && xv > x_[active])
        ++active;
    const std::size_t used = std::min(M, active + 1);
    e.assign(used, 0.0);
    for (std::size_t i = 0; i < active; ++i)
        e[i] = cube(xv - x_[i]);
    for (std::size_t i = 0; i + 1 < used; ++i)
        e[i] = (e[i + 1] - e[i]) / (x_[i + 1] - x_[i]);
    double f = a0_ + b1_ * (xv - x_[0]);
    const std::size_t terms = std::min(M - 2, active);
    for (std::size_t i = 0; i < terms; ++i) {
        double next = i + 1 < used - 1 ? e[i + 1] : 0.0;
        f += u_[i] * ((next - e[i]) / (x_[i + 2] - x_[i]));
    }
    return f;
}

SmoothedCurve smoothHistogram(std::span<const Point> barTops, double lambda) {
    SmoothedCurve out;
    SmoothingSpline spline(barTops, lambda);
    out.fault = spline.fault();
    if (out.fault != SmoothingFault::None) return out;
    const double first = barTops.front().x, last = barTops.back().x;
    const long steps = static_cast<long>(std::floor((last - first) / 0.5 + 1e-9));
    std::vector<double> work;
    for (long k = 0; k <= steps; ++k) {
        double xv = first + 0.5 * static_cast<double>(k);
        double f = spline.valueAt(xv, work);
        if (!std::isfinite(f)) {
            out.fault = SmoothingFault::NotFinite;
            out.kept.clear();
            return out;
        }
        if (xv >= 70 && xv <= 650 && f >= 60 && f <= 509 && out.kept.size() < kMaxKept)
            out.kept.push_back({xv, f});
    }
    for (std::size_t k = 0; k < out.kept.size(); k += 2)
        out.line.push_back(out.kept[k]);
    if (!out.kept.empty() && (out.kept.size() - 1) % 2 != 0) out.line.push_back(out.kept.back());
    return out;
}

} // namespace kl
