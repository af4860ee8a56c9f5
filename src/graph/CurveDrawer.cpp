#include "graph/CurveDrawer.h"

#include <algorithm>

namespace kl {

namespace {

Point lerp(Point a, Point b, double f) {
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
}

void firstSegment(double t, double b[4]) {
    double u = 1 - t;
    b[0] = u * u * u;
    b[1] = 7.0 / 4 * t * t * t - 9.0 / 2 * t * t + 3 * t;
    b[2] = -11.0 / 12 * t * t * t + 3.0 / 2 * t * t;
    b[3] = t * t * t / 6;
}

void secondSegment(double t, double b[4]) {
    double u = 1 - t;
    b[0] = u * u * u / 4;
    b[1] = 7.0 / 12 * t * t * t - 5.0 / 4 * t * t + 1.0 / 4 * t + 7.0 / 12;
    b[2] = -1.0 / 2 * t * t * t + 1.0 / 2 * t * t + 1.0 / 2 * t + 1.0 / 6;
    b[3] = t * t * t / 6;
}

void middleSegment(double t, double b[4]) {
    double u = 1 - t;
    b[0] = u * u * u / 6;
    b[1] = 1.0 / 2 * t * t * t - t * t + 2.0 / 3;
    b[2] = -1.0 / 2 * t * t * t + 1.0 / 2 * t * t + 1.0 / 2 * t + 1.0 / 6;
    b[3] = t * t * t / 6;
}

// t runs 0, 0.003, ... up to 1.01 (337 values), or the same values downwards from 1.01.
constexpr int kSteps = 337;
constexpr double kStep = 0.003, kEnd = 1.01;

} // namespace

std::vector<Point> densifyControlPoints(std::span<const Point> c) {
    std::vector<Point> out;
    if (c.size() < 3) return out;
    if (c.size() == 3) {
        out = {c[0], lerp(c[0], c[1], 1.0 / 3), lerp(c[0], c[1], 2.0 / 3),
               c[1], lerp(c[1], c[2], 1.0 / 3), lerp(c[1], c[2], 2.0 / 3),
               c[2]};
    } else if (c.size() <= 6) {
        for (std::size_t k = 0; k < c.size(); ++k) {
            if (k > 0) out.push_back(lerp(c[k - 1], c[k], 0.5));
            out.push_back(c[k]);
        }
    } else {
        out.assign(c.begin(), c.end());
    }
    return out;
}

void splineWeights(int j, int n, double t, double b[4]) {
    double r[4];
    if (j == 1) {
        firstSegment(t, b);
    } else if (j == 2) {
        secondSegment(t, b);
    } else if (j == n - 4 || j == n - 3) {
        // The end segments mirror the first two: their weights are taken in reverse order.
        (j == n - 3 ? firstSegment : secondSegment)(t, r);
        for (int k = 0; k < 4; ++k)
            b[k] = r[3 - k];
    } else {
        middleSegment(t, b);
    }
}

namespace {

// The weights at every step of t for each kind of segment, computed once.
struct WeightTable {
    double w[kSteps][4];
};

enum SegmentKind { kFirst, kSecond, kMiddle, kSecondToLast, kLast, kKinds };

const WeightTable* weightTables() {
    static const auto tables = [] {
        std::vector<WeightTable> t(kKinds);
        // Any n >= 9 has every kind: segments 1, 2, 3 (middle), n-4 and n-3.
        const int n = 9, segment[kKinds] = {1, 2, 3, n - 4, n - 3};
        for (int kind = 0; kind < kKinds; ++kind) {
            bool backwards = kind >= kSecondToLast;
            for (int k = 0; k < kSteps; ++k)
                splineWeights(segment[kind], n, backwards ? kEnd - k * kStep : k * kStep, t[kind].w[k]);
        }
        return t;
    }();
    return tables.data();
}

SegmentKind kindOf(int j, int n) {
    if (j == 1) return kFirst;
    if (j == 2) return kSecond;
    if (j == n - 3) return kLast;
    if (j == n - 4) return kSecondToLast;
    return kMiddle;
}

} // namespace

CurvePath drawCurve(std::span<const Point> controls) {
    CurvePath path;
    path.controls = densifyControlPoints(controls);
    const int n = static_cast<int>(path.controls.size());
    if (n < 7) return path;
    const Point* P = path.controls.data();
    const WeightTable* tables = weightTables();
    path.points.reserve(static_cast<std::size_t>((n - 3) * kSteps));
    path.strokes.reserve(static_cast<std::size_t>(n - 5));
    for (int j = 1; j <= n - 3; ++j) {
        const SegmentKind kind = kindOf(j, n);
        const WeightTable& table = tables[kind];
        const Point* q = P + (j - 1);
        if (kind < kSecondToLast) { // t = 0 starts a new stroke
            path.strokes.emplace_back();
            path.strokes.back().reserve(kSteps + 1);
        }
        Polyline& stroke = path.strokes.back();
        for (int k = 0; k < kSteps; ++k) {
            const double* b = table.w[k];
            Point e{b[0] * q[0].x + b[1] * q[1].x + b[2] * q[2].x + b[3] * q[3].x,
                    b[0] * q[0].y + b[1] * q[1].y + b[2] * q[2].y + b[3] * q[3].y};
            path.points.push_back(e);
            stroke.push_back(e);
        }
    }
    path.strokes.back().push_back(P[n - 1]);
    return path;
}

std::optional<double> bandMeanX(std::span<const Point> points, double low, double high) {
    double sum = 0;
    long count = 0;
    for (const Point& p : points) {
        if (p.y > low && p.y < high) {
            sum += p.x;
            ++count;
        }
    }
    if (count == 0) return std::nullopt;
    return sum / static_cast<double>(count);
}

namespace {

bool inside(Point p, const Frame& f) {
    return p.x >= f.left && p.x <= f.right && p.y >= f.top && p.y <= f.bottom;
}

// Liang-Barsky: the part of the segment a..b inside the frame, as parameters t0 <= t1.
bool clipSegment(Point a, Point b, const Frame& f, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - f.left, f.right - a.x, a.y - f.top, f.bottom - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        double r = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
    }
    return t0 <= t1;
}

} // namespace

std::vector<Polyline> clipStrokes(std::span<const Polyline> strokes, const Frame& f) {
    std::vector<Polyline> out;
    for (const Polyline& s : strokes) {
        if (s.size() == 1) {
            if (inside(s[0], f)) out.push_back(s);
            continue;
        }
        Polyline current;
        for (std::size_t k = 1; k < s.size(); ++k) {
            if (!current.empty() && inside(s[k], f)) { // the usual case: the stroke stays inside
                current.push_back(s[k]);
                continue;
            }
            double t0, t1;
            if (!clipSegment(s[k - 1], s[k], f, t0, t1)) {
                if (!current.empty()) out.push_back(std::move(current)), current.clear();
                continue;
            }
            Point a = t0 == 0 ? s[k - 1] : lerp(s[k - 1], s[k], t0);
            Point b = t1 == 1 ? s[k] : lerp(s[k - 1], s[k], t1);
            if (current.empty() || t0 > 0) {
                if (!current.empty()) out.push_back(std::move(current)), current.clear();
                current.push_back(a);
            }
            current.push_back(b);
            if (t1 < 1) out.push_back(std::move(current)), current.clear();
        }
        if (!current.empty()) out.push_back(std::move(current));
    }
    return out;
}

} // namespace kl
