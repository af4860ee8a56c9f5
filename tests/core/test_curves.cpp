#include "graph/CurveDrawer.h"
#include "graph/GraphComputation.h"
#include "graph/NormalFit.h"
#include "graph/ReferenceMarkers.h"
#include "graph/SmoothingSpline.h"

#include "TestSupport.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

using namespace kl;
using kl::test::nearRel;

namespace {

double phi(double z) {
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

GraphClasses classes(double lower, double interval, int count, bool fold = false) {
    return GraphClasses{lower, lower + interval * count, interval, count, fold};
}

TEST(NormalCdf, AgreesWithTheNormalDistribution) {
    EXPECT_EQ(normalCdfAS(0), 0.5);
    for (double z : {-5.0, -3.0, -1.96, -1.0, -0.3, 0.1, 0.5, 1.0, 1.645, 2.5, 4.0}) {
        EXPECT_NEAR(normalCdfAS(z), phi(z), 2e-7) << z;
        EXPECT_NEAR(normalCdfAS(z) + normalCdfAS(-z), 1.0, 1e-15) << z;
    }
}

TEST(NormalFit, UsesTheValuesTheHistogramShows) {
    // Classes 10..20 of width 1: 9.5 and 20 are outside; 20 - 0.00005 counts beyond U too.
    std::vector<double> v{9.5, 11, 12, 13, 14, 20, 20 - 0.00005};
    auto fit = fitNormal(v, classes(10, 1, 10));
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->n, 4);
    EXPECT_TRUE(nearRel(12.5, fit->mean));
    EXPECT_TRUE(nearRel(std::sqrt(5.0 / 3.0), fit->sd));

    auto folded = fitNormal(v, classes(10, 1, 10, true));
    ASSERT_TRUE(folded);
    EXPECT_EQ(folded->n, 7);
}

TEST(NormalFit, TwoPassVarianceKeepsLargeOffsets) {
    std::vector<double> v{1e8 + 0.1, 1e8 + 0.2, 1e8 + 0.3};
    auto fit = fitNormal(v, classes(1e8, 0.1, 10));
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->sd, 0.1, 1e-7);
}

TEST(NormalFit, BadSamples) {
    auto c = classes(0, 1, 10);
    EXPECT_FALSE(fitNormal(std::vector<double>{}, c));
    EXPECT_FALSE(fitNormal(std::vector<double>{5}, c));
    EXPECT_FALSE(fitNormal(std::vector<double>{5, 50, 60}, c)); // one value inside
    EXPECT_FALSE(fitNormal(std::vector<double>{5, 6}, GraphClasses{0, 10, 0, 10, false}));
    auto constant = fitNormal(std::vector<double>{5, 5, 5}, c);
    ASSERT_TRUE(constant);
    EXPECT_EQ(constant->sd, 0);
}

TEST(ClassProbabilities, TailsGoToTheEndClasses) {
    NormalFit fit{100, 2, 1};
    auto p = classProbabilities(fit, classes(0, 1, 4));
    ASSERT_EQ(p.size(), 4u);
    EXPECT_NEAR(p[0], phi(-1), 1e-6);
    EXPECT_NEAR(p[1], phi(0) - phi(-1), 1e-6);
    EXPECT_NEAR(p[2], phi(1) - phi(0), 1e-6);
    EXPECT_NEAR(p[3], 1 - phi(1), 1e-6);
    EXPECT_NEAR(std::accumulate(p.begin(), p.end(), 0.0), 1.0, 1e-12);

    auto e = expectedFrequencies(fit, classes(0, 1, 4));
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(nearRel(p[i] * 100, e[i]));

    // No spread: every bound is at z = 0, half the sample in each end class.
    auto flat = classProbabilities(NormalFit{10, 2, 0}, classes(0, 1, 4));
    EXPECT_EQ(flat, (std::vector<double>{0.5, 0, 0, 0.5}));
}

TEST(TheoreticalCurve, ControlPointsSkipEndClassesAndLowBars) {
    VerticalScale s = *verticalScale(20); // T 20, s = 22.499
    std::vector<double> e{5, 0.001, 8, 12, 3, 9};
    auto pts = theoreticalControlPoints(e, s);
    ASSERT_EQ(pts.size(), 3u); // classes 3, 4, 5; class 2 is under 0.1 px
    double step = 580.0 / 6;
    EXPECT_TRUE(nearRel(70 + step * 2.5, pts[0].x));
    EXPECT_TRUE(nearRel(510 - (8 * s.pixelsPerCount - 0.001), pts[0].y));
    EXPECT_TRUE(nearRel(70 + step * 4.5, pts[2].x));
}

TEST(TheoreticalCurve, FourClassesGiveNoCurve) {
    VerticalScale s = *verticalScale(50);
    auto pts = theoreticalControlPoints(std::vector<double>{20, 40, 40, 20}, s);
    EXPECT_EQ(pts.size(), 2u);
    EXPECT_FALSE(drawCurve(pts).drawn());
}

TEST(CurveDrawer, Densifying) {
    std::vector<Point> three{{0, 0}, {3, 6}, {9, 0}};
    auto seven = densifyControlPoints(three);
    ASSERT_EQ(seven.size(), 7u);
    EXPECT_EQ(seven[1], (Point{1, 2}));
    EXPECT_EQ(seven[2], (Point{2, 4}));
    EXPECT_EQ(seven[3], (Point{3, 6}));
    EXPECT_EQ(seven[4], (Point{5, 4}));
    EXPECT_EQ(seven[6], (Point{9, 0}));

    struct Case {
        std::size_t in, out;
    };
    for (Case c : {Case{0, 0}, {1, 0}, {2, 0}, {4, 7}, {5, 9}, {6, 11}, {7, 7}, {50, 50}}) {
        std::vector<Point> pts;
        for (std::size_t k = 0; k < c.in; ++k)
            pts.push_back({double(k) * 10, double(k % 3)});
        auto d = densifyControlPoints(pts);
        EXPECT_EQ(d.size(), c.out) << c.in;
        if (c.in >= 4 && c.in <= 6) {
            EXPECT_EQ(d[1], (Point{5, 0.5}));
        }
    }
}

TEST(CurveDrawer, WeightsSumToOneOnEverySegment) {
    const int n = 12;
    for (int j = 1; j <= n - 3; ++j)
        for (double t : {0.0, 0.25, 0.5, 0.9, 1.01}) {
            double b[4];
            splineWeights(j, n, t, b);
            EXPECT_NEAR(b[0] + b[1] + b[2] + b[3], 1.0, 1e-12) << j << " " << t;
        }
    double b[4];
    splineWeights(1, n, 0, b); // clamped: starts on the first control point
    EXPECT_EQ(b[0], 1);
    splineWeights(n - 3, n, 0, b); // and ends on the last
    EXPECT_EQ(b[3], 1);
}

TEST(CurveDrawer, PointsStrokesAndEnds) {
    for (int n : {3, 4, 7, 10, 105}) {
        std::vector<Point> c;
        for (int k = 0; k < n; ++k)
            c.push_back({100.0 + 5 * k, 300 + 40 * std::sin(k * 0.7)});
        auto path = drawCurve(c);
        const int m = static_cast<int>(path.controls.size());
        ASSERT_EQ(path.points.size(), static_cast<std::size_t>((m - 3) * 337)) << n;
        EXPECT_EQ(path.points.front(), c.front()) << n;
        // The descending parameter stops at t = 0.002; the last stroke is closed onto the last point.
        EXPECT_NE(path.points.back(), c.back()) << n;
        EXPECT_NEAR(path.points.back().x, c.back().x, 0.1) << n;
        EXPECT_EQ(path.strokes.back().back(), c.back()) << n;
        EXPECT_EQ(path.strokes.size(), static_cast<std::size_t>(m - 5)) << n;
        // A continuous curve: neighbouring points are close.
        for (std::size_t k = 1; k < path.points.size(); ++k) {
            double d =
                std::hypot(path.points[k].x - path.points[k - 1].x, path.points[k].y - path.points[k - 1].y);
            ASSERT_LT(d, 2.0) << n << " at " << k;
        }
        EXPECT_LE(path.points.size(), 50000u);
    }
}

TEST(CurveDrawer, ControlPointsOnALineGiveALine) {
    std::vector<Point> c;
    for (int k = 0; k < 9; ++k)
        c.push_back({80.0 + 13 * k * k, 2 * (80.0 + 13 * k * k) + 1});
    auto path = drawCurve(c);
    ASSERT_TRUE(path.drawn());
    for (const Point& p : path.points)
        ASSERT_NEAR(p.y, 2 * p.x + 1, 1e-9);
}

TEST(CurveDrawer, BandMean) {
    std::vector<Point> pts{{10, 430}, {20, 431.5}, {30, 432.9}, {40, 433}, {50, 432}};
    auto m = bandMeanX(pts, 431, 433);
    ASSERT_TRUE(m);
    EXPECT_TRUE(nearRel(100.0 / 3, *m));
    EXPECT_FALSE(bandMeanX(pts, 100, 200));
}

TEST(CurveDrawer, ClippedToTheFrame) {
    Frame f{70, 60, 650, 510};
    std::vector<Polyline> strokes{
        {{60, 100}, {100, 100}, {100, 520}, {200, 520}, {200, 300}}, {{700, 300}}, {{300, 300}}};
    auto clipped = clipStrokes(strokes, f);
    ASSERT_EQ(clipped.size(), 3u);
    EXPECT_EQ(clipped[0], (Polyline{{70, 100}, {100, 100}, {100, 510}}));
    EXPECT_EQ(clipped[1], (Polyline{{200, 510}, {200, 300}}));
    EXPECT_EQ(clipped[2], (Polyline{{300, 300}}));
}

std::vector<Point> barTops(const std::vector<double>& heights) {
    std::vector<Point> tops;
    const double step = 580.0 / static_cast<double>(heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i)
        tops.push_back({70 + step * (i + 0.5), 510 - heights[i]});
    return tops;
}

TEST(SmoothingSpline, TinyLambdaInterpolatesTheBarTops) {
    auto tops = barTops({20, 80, 150, 260, 300, 240, 170, 60, 30, 0});
    SmoothingSpline spline(tops, 1e-9);
    ASSERT_EQ(spline.fault(), SmoothingFault::None);
    for (const Point& p : tops)
        EXPECT_NEAR(spline.valueAt(p.x), p.y, 1e-4) << p.x;
}

TEST(SmoothingSpline, LargerLambdaIsStifferAndTendsToTheLeastSquaresLine) {
    auto tops = barTops({20, 80, 150, 260, 300, 240, 170, 60, 30, 5, 0, 12});
    auto residual = [&](double lambda) {
        SmoothingSpline s(tops, lambda);
        double r = 0;
        for (const Point& p : tops)
            r += std::pow(s.valueAt(p.x) - p.y, 2);
        return r;
    };
    double r01 = residual(0.1), r5000 = residual(5000), r10000 = residual(10000);
    EXPECT_LT(r01, r5000);
    EXPECT_LT(r5000, r10000);

    double n = static_cast<double>(tops.size()), sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Point& p : tops)
        sx += p.x, sy += p.y, sxx += p.x * p.x, sxy += p.x * p.y;
    double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx), cut = (sy - slope * sx) / n;
    SmoothingSpline stiff(tops, 1e14);
    ASSERT_EQ(stiff.fault(), SmoothingFault::None);
    for (const Point& p : tops)
        EXPECT_NEAR(stiff.valueAt(p.x), slope * p.x + cut, 0.05) << p.x;
}

TEST(SmoothingSpline, KeptPointsAndPolyline) {
    auto tops = barTops({0, 10, 440, 10, 0, 0, 5, 3});
    auto curve = smoothHistogram(tops, 0.1);
    ASSERT_EQ(curve.fault, SmoothingFault::None);
    ASSERT_FALSE(curve.kept.empty());
    for (const Point& p : curve.kept) {
        EXPECT_GE(p.y, 60);
        EXPECT_LE(p.y, 509);
        EXPECT_GE(p.x, tops.front().x);
        EXPECT_LE(p.x, tops.back().x);
    }
    // The baseline bars bring the curve below 509: some points are left out.
    EXPECT_LT(curve.kept.size(), static_cast<std::size_t>((tops.back().x - tops.front().x) / 0.5 + 1));
    EXPECT_EQ(curve.line.front(), curve.kept.front());
    EXPECT_EQ(curve.line.back(), curve.kept.back());
    EXPECT_EQ(curve.line.size(), (curve.kept.size() + 1) / 2 + (curve.kept.size() % 2 == 0 ? 1 : 0));
}

TEST(SmoothingSpline, StraightDataStayStraight) {
    std::vector<Point> tops;
    for (int i = 0; i < 20; ++i)
        tops.push_back({70 + 29 * (i + 0.5), 500 - 10.0 * i});
    auto curve = smoothHistogram(tops, 5000);
    ASSERT_EQ(curve.fault, SmoothingFault::None);
    for (const Point& p : curve.kept)
        ASSERT_NEAR(p.y, 500 - 10 * (p.x - 84.5) / 29, 1e-6);
}

// Elimination in natural order, as a reference where it works.
std::vector<double> naturalOrderSolve(std::vector<std::vector<double>> g, std::vector<double> v) {
    const std::size_t n = v.size();
    for (std::size_t p = 0; p + 1 < n; ++p)
        for (std::size_t r = p + 1; r < n; ++r) {
            double f = g[r][p] / g[p][p];
            for (std::size_t c = p; c < n; ++c)
                g[r][c] -= f * g[p][c];
            v[r] -= f * v[p];
        }
    for (std::size_t p = n; p-- > 0;) {
        for (std::size_t c = p + 1; c < n; ++c)
            v[p] -= g[p][c] * v[c];
        v[p] /= g[p][p];
    }
    return v;
}

TEST(SmoothingSystem, SameSolutionAsNaturalOrderWhereThatWorks) {
    std::vector<std::vector<double>> g{
        {4, 1, 0.5, 0, 0.2}, {1, 5, 1, 0.3, 0}, {0.5, 1, 6, 1, 0.1}, {0, 0.3, 1, 7, 1}, {0.2, 0, 0.1, 1, 8}};
    std::vector<double> v{1, -2, 3.5, 0.25, 10};
    auto expected = naturalOrderSolve(g, v);
    auto gg = g;
    auto u = v;
    ASSERT_TRUE(solveLinearSystem(gg, u));
    for (std::size_t k = 0; k < u.size(); ++k)
        EXPECT_TRUE(nearRel(expected[k], u[k], 1e-12)) << k;
}

TEST(SmoothingSystem, ZeroLeadingPivotAndSingularSystems) {
    std::vector<std::vector<double>> g{{0, 1}, {1, 1}};
    std::vector<double> v{2, 3};
    ASSERT_TRUE(solveLinearSystem(g, v));
    EXPECT_EQ(v, (std::vector<double>{1, 2}));

    struct Case {
        std::vector<std::vector<double>> g;
        std::vector<double> v;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case bad[] = {
        {{{1, 2}, {2, 4}}, {1, 2}},   // singular
        {{{0, 0}, {0, 0}}, {0, 0}},   // zero
        {{{1, nan}, {0, 1}}, {1, 1}}, // not a number
        {{{1, 0}}, {1, 1}},           // not square
    };
    for (auto c : bad)
        EXPECT_FALSE(solveLinearSystem(c.g, c.v));
}

TEST(SmoothingSpline, FaultsAreReportedNotDrawn) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto tops = barTops({20, 80, 150, 260, 300});
    EXPECT_EQ(smoothHistogram(barTops({20, 30}), 1).fault, SmoothingFault::TooFewKnots);
    EXPECT_EQ(smoothHistogram(std::vector<Point>{}, 1).fault, SmoothingFault::TooFewKnots);
    std::vector<Point> repeated{{100, 400}, {100, 300}, {200, 350}, {300, 420}};
    EXPECT_EQ(smoothHistogram(repeated, 1).fault, SmoothingFault::Singular);
    auto withNan = tops;
    withNan[2].y = nan;
    auto curve = smoothHistogram(withNan, 1);
    EXPECT_EQ(curve.fault, SmoothingFault::NotFinite);
    EXPECT_TRUE(curve.kept.empty());
    EXPECT_EQ(smoothHistogram(tops, nan).fault, SmoothingFault::NotFinite);
    EXPECT_EQ(smoothHistogram(tops, 1e308 * 10).fault, SmoothingFault::NotFinite);
}

TEST(ReferenceMarkers, PlacedOnBothAxesWithinTheFrames) {
    auto c = classes(0, 10, 10);
    ReferenceTexts t{"20", "100", "0.0", "100.0"};
    auto h = histogramReferenceMarkers(t, c);
    ASSERT_EQ(h.size(), 2u);
    EXPECT_TRUE(nearRel(70 + 0.2 * 580 - 0.001, h[0].x));
    EXPECT_EQ(h[0].label.text, "LOWER：20");
    EXPECT_TRUE(nearRel(h[0].x - 8, h[0].label.x));
    EXPECT_EQ(h[0].label.y, 425);
    ASSERT_EQ(h[0].strokes.size(), 6u);
    EXPECT_EQ(h[0].strokes[0].a.y, 440);
    EXPECT_EQ(h[0].strokes[0].b.y, 504);
    EXPECT_TRUE(nearRel(h[0].x + 1, h[0].strokes[1].a.x));
    EXPECT_EQ(h[0].strokes[1].b.y, 501);
    EXPECT_EQ(h[0].strokes[5].b.y, 489);
    // The upper limit exactly at U sits on the frame edge, its pennant pointing left.
    EXPECT_FALSE(h[1].lower);
    EXPECT_EQ(h[1].label.text, "UPPER：100");
    EXPECT_TRUE(nearRel(h[1].x - 1, h[1].strokes[1].a.x));

    auto p = probitReferenceMarkers(t, c);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_TRUE(nearRel(760, p[0].x));
    EXPECT_TRUE(nearRel(1000, p[1].x));
}

TEST(ReferenceMarkers, LeftOutWhenBlankOrOutside) {
    auto c = classes(0, 10, 10);
    struct Case {
        ReferenceTexts texts;
        std::size_t markers;
    };
    const Case cases[] = {
        {{"", "80", "0.0", "100.0"}, 1},     {{"10", "80", "", "100.0"}, 1},
        {{"10", "80", "0.0", "  "}, 1},      {{"-5", "100.1", "0.0", "100.0"}, 0},
        {{"0", "  90 ", "0.0", "100.0"}, 2},
    };
    for (const auto& k : cases)
        EXPECT_EQ(histogramReferenceMarkers(k.texts, c).size(), k.markers);
}

std::vector<double> normalSample(int n) {
    std::vector<double> v;
    for (int j = 1; j <= n; ++j) {
        double u = (j - 0.5) / n, lo = -10, hi = 10;
        for (int k = 0; k < 100; ++k) {
            double mid = (lo + hi) / 2;
            (phi(mid) < u ? lo : hi) = mid;
        }
        v.push_back(std::round((50 + 5 * (lo + hi) / 2) * 10) / 10);
    }
    return v;
}

std::vector<std::string> oneDecimalTexts(const std::vector<double>& v) {
    std::vector<std::string> t;
    char buf[32];
    for (double x : v) {
        std::snprintf(buf, sizeof buf, "%.1f", x);
        t.push_back(buf);
    }
    return t;
}

TEST(GraphPicture, WholeComputation) {
    auto v = normalSample(500);
    auto t = oneDecimalTexts(v);
    GraphInput in{v, t, classes(30, 2, 20), 1, 5000, GraphScheme::TwoD, {}};
    auto g = computeGraphPicture(in);
    ASSERT_FALSE(g.failure);
    EXPECT_EQ(g.counts.counted, 500);
    EXPECT_EQ(g.bars.size(), 20u);
    EXPECT_EQ(g.classLabels.size(), 20u);
    EXPECT_NEAR(g.fit.mean, 50, 0.01);
    EXPECT_TRUE(g.theoretical.drawn());
    EXPECT_FALSE(g.smoothed.kept.empty());
    EXPECT_EQ(g.probitTicks.size(), 19u);
    EXPECT_TRUE(g.probit.lower.found);
    EXPECT_TRUE(g.probit.upper.found);
    for (const auto& s : g.theoreticalStrokes)
        for (const Point& p : s)
            ASSERT_TRUE(p.x >= 70 && p.x <= 650 && p.y >= 60 && p.y <= 510);
}

TEST(GraphPicture, BadDataEndsTheDrawing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<std::string> t(12, "1.0");
    struct Case {
        std::vector<double> values;
        GraphClasses classes;
    };
    const Case cases[] = {
        {{}, classes(0, 1, 10)},                          // nothing to count
        {{50, 60, 70}, classes(0, 1, 10)},                // an empty table
        {{5}, classes(0, 1, 10)},                         // one value
        {{5, 50, nan, inf}, classes(0, 1, 10)},           // one finite value inside
        {{1, 2, 3, 4, 5, 6}, classes(0.5, 1, 3)},         // fewer than 4 classes for the plot
        {{1, 2, 3}, GraphClasses{0, 10, 0, 10, false}},   // no width
        {{1, 2, 3}, GraphClasses{0, 10, nan, 10, false}}, // width not a number
        {{1, 2, 3}, GraphClasses{0, 10, 1, 0, false}},    // no classes
    };
    for (const auto& c : cases) {
        auto g = computeGraphPicture({c.values, t, c.classes, 1, 5000, GraphScheme::TwoD, {}});
        ASSERT_TRUE(g.failure) << ::testing::PrintToString(c.values);
        EXPECT_EQ(g.failure->caption, "BAD DATA(d)");
        EXPECT_EQ(g.failure->text, "パラメータが適当ではありません。    \r\n"
                                   "階級幅や階級数などを見直して下さい。            ");
    }
}

TEST(GraphPicture, NonFiniteValuesAreNotCounted) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> v{1, 2, 2, 3, 3, 3, 4, 4, 5, nan, -std::numeric_limits<double>::infinity()};
    std::vector<std::string> t(v.size(), "1");
    auto g = computeGraphPicture({v, t, classes(0.5, 1, 5, true), 1, 5000, GraphScheme::TwoD, {}});
    ASSERT_FALSE(g.failure);
    EXPECT_EQ(g.counts.counted, 9);
    EXPECT_EQ(g.fit.n, 9);
    EXPECT_EQ(g.counts.frequency[0], 1); // minus infinity is not folded into class 1
}

TEST(GraphPicture, FourClassesDrawNoTheoreticalCurve) {
    std::vector<double> v{1, 2, 2, 2, 3, 3, 3, 3, 4, 4, 2, 3};
    std::vector<std::string> t(v.size(), "1");
    auto g = computeGraphPicture({v, t, classes(0.5, 1, 4), 1, 5000, GraphScheme::TwoD, {}});
    ASSERT_FALSE(g.failure);
    EXPECT_FALSE(g.theoretical.drawn());
    EXPECT_TRUE(g.theoreticalStrokes.empty());
    EXPECT_FALSE(g.smoothed.kept.empty());
}

} // namespace
