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

// Solves G u = v by elimination with partial pivoting: the same solution as elimination in
// natural order wherever that one succeeds, without its failures on small pivots.
bool solve(std::vector<std::vector<double>>& g, std::vector<double>& v) {
    const std::size_t n = v.size();
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
    return true;
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
    auto x = [&](std::size_t i) { return x_[i - 1]; };
    for (std::size_t i = 2; i <= M; ++i)
        if (!(x(i) > x(i - 1)) || !std::isfinite(x(i))) {
            fault_ = SmoothingFault::Singular;
            return;
        }
    if (!std::isfinite(lambda)) {
        fault_ = SmoothingFault::NotFinite;
        return;
    }

    Matrix A(M);
    for (std::size_t i = 1; i <= M; ++i)
        A(i, i) = 10 * lambda;
    for (std::size_t c = 2; c <= M; ++c)
        for (std::size_t r = 1; r < c; ++r)
            A(r, c) = cube(x(c) - x(r));
    // Second divided differences down every column.
    for (std::size_t c = 1; c <= M; ++c) {
        for (std::size_t r = 1; r <= M - 1; ++r)
            A(r, c) = (A(r + 1, c) - A(r, c)) / (x(r + 1) - x(r));
        for (std::size_t r = 1; r <= M - 2; ++r)
            A(r, c) = (A(r + 1, c) - A(r, c)) / (x(r + 2) - x(r));
    }
    for (std::size_t c = 1; c <= M; ++c)
        A(M - 1, c) = data[c - 1].y;
    std::vector<double> B(M), V(M);
    for (std::size_t r = 1; r <= M - 1; ++r)
        B[r] = A(r, 1);
    // Then along every row.
    for (std::size_t r = 1; r <= M - 1; ++r) {
        for (std::size_t c = 1; c <= M - 1; ++c)
            A(r, c) = (A(r, c + 1) - A(r, c)) / (x(c + 1) - x(c));
        V[r] = A(r, 1);
        for (std::size_t c = 1; c <= M - 2; ++c)
            A(r, c) = (A(r, c + 1) - A(r, c)) / (x(c + 2) - x(c));
    }

    const std::size_t n = M - 2;
    std::vector<std::vector<double>> G(n, std::vector<double>(n));
    std::vector<double> v(n);
    for (std::size_t q = 1; q <= n; ++q) {
        for (std::size_t p = 1; p <= n; ++p)
            G[q - 1][p - 1] = A(p, q);
        v[q - 1] = A(M - 1, q);
    }
    if (!solve(G, v)) {
        fault_ = SmoothingFault::Singular;
        return;
    }
    u_ = std::move(v);
    a0_ = B[M - 1];
    b1_ = V[M - 1];
    for (std::size_t q = 1; q <= n; ++q) {
        a0_ -= u_[q - 1] * B[q];
        b1_ -= u_[q - 1] * V[q];
    }
    bool finite = std::isfinite(a0_) && std::isfinite(b1_);
    for (double c : u_)
        finite = finite && std::isfinite(c);
    if (!finite) fault_ = SmoothingFault::NotFinite;
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
