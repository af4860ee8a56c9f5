#include "graph/ProbitPlot.h"

#include "TestSupport.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace kl;
using kl::test::nearRel;

namespace {

GraphClasses classes(double lower, double interval, int count, bool fold = false) {
    return GraphClasses{lower, lower + interval * count, interval, count, fold};
}

double normalQuantile(double p) {
    double lo = -10, hi = 10;
    for (int k = 0; k < 200; ++k) {
        double mid = (lo + hi) / 2;
        (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

std::vector<std::string> texts(const std::vector<double>& values, const char* format) {
    std::vector<std::string> out;
    char buf[64];
    for (double v : values) {
        std::snprintf(buf, sizeof buf, format, v);
        out.push_back(buf);
    }
    return out;
}

TEST(InverseNormal, CloseToTheQuantiles) {
    EXPECT_EQ(inverseNormalUpper(0.5), 0);
    for (double p : {0.002, 0.01, 0.025, 0.1, 0.3, 0.6, 0.9, 0.975, 0.999}) {
        EXPECT_NEAR(inverseNormalUpper(p), normalQuantile(1 - p), 1.5e-3) << p;
        EXPECT_NEAR(inverseNormalUpper(p), -inverseNormalUpper(1 - p), 1e-12) << p;
    }
    // The short form lands on the single-precision thresholds of the normality tests.
    EXPECT_NEAR(inverseNormalUpper(0.025), 1.96059, 1e-5);
}

TEST(ProbitTicks, NineteenLinesOnTheScale) {
    const long expectedY[19] = {501, 478, 459, 432, 408, 381, 348, 324, 304, 285,
                                266, 246, 222, 189, 162, 138, 111, 92,  69};
    auto ticks = probitTicks(GraphScheme::TwoD);
    ASSERT_EQ(ticks.size(), 19u);
    for (std::size_t k = 0; k < 19; ++k) {
        EXPECT_EQ(ticks[k].lineY, expectedY[k]) << ticks[k].label;
        EXPECT_EQ(ticks[k].labelY, expectedY[k] - 4) << ticks[k].label;
    }
    EXPECT_EQ(ticks[0].label, "  0.2");
    EXPECT_EQ(ticks[18].label, " 99.8");

    struct Colours {
        std::size_t index;
        int twoD, blue, twoDLabel, blueLabel;
    };
    const Colours cases[] = {{9, 1, 15, 0, 7}, {5, 10, 15, 0, 7}, {13, 10, 15, 0, 7}, {3, 5, 5, 2, 7},
                             {15, 5, 5, 2, 7}, {0, 14, 15, 0, 7}, {18, 14, 15, 0, 7}};
    auto blue = probitTicks(GraphScheme::Blue);
    auto threeD = probitTicks(GraphScheme::ThreeD);
    for (const auto& c : cases) {
        EXPECT_EQ(ticks[c.index].lineColour, c.twoD) << c.index;
        EXPECT_EQ(blue[c.index].lineColour, c.blue) << c.index;
        EXPECT_EQ(threeD[c.index].lineColour, c.blue) << c.index;
        EXPECT_EQ(ticks[c.index].labelColour, c.twoDLabel) << c.index;
        EXPECT_EQ(blue[c.index].labelColour, c.blueLabel) << c.index;
    }
}

TEST(PlottingDecimals, SecondThirdFifthAndNinthTexts) {
    struct Case {
        std::vector<std::string> texts;
        int decimals;
    };
    const Case cases[] = {
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 0},
        {{"1.5", "2", "3", "4.25", "5", "6", "7.125", "8", "9"}, 0}, // only other positions have points
        {{"x", "12.5", "13", "x", "14", "x", "x", "x", "15"}, 1},    // "13" says nothing
        {{"x", "12.5", "13.25", "x", "14", "x", "x", "x", "15"}, 2},
        {{"x", "1.5", "1.25", "x", "1.125", "x", "x", "x", "1.0625"}, 4},
        {{"x", " 1.500 ", "1", "x", "2", "x", "x", "x", "3"}, 3}, // trimmed first
        {{"x", "12.", "13", "x", "14", "x", "x", "x", "15"}, 4},  // a point and nothing after
        {{"x", "1.23456", "1", "x", "2", "x", "x", "x", "3"}, 4}, // five places
        {{"x", "1.5"}, 1},                                        // short data
        {{}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plottingDecimals(c.texts), c.decimals) << ::testing::PrintToString(c.texts);
}

// Integer values 1..10 with a hump: classes of width 1 from 0.5.
std::vector<double> humpData() {
    std::vector<double> v;
    const int counts[10] = {1, 3, 8, 15, 22, 22, 15, 8, 4, 2};
    for (int k = 0; k < 10; ++k)
        for (int j = 0; j < counts[k]; ++j)
            v.push_back(k + 1);
    return v;
}

TEST(ProbitPoints, IntegerDataSitHalfAUnitLeftOfTheUpperBound) {
    auto v = humpData();
    auto t = texts(v, "%.0f");
    auto plot = computeProbitPlot({v, t, classes(0.5, 1, 10), 1, GraphScheme::TwoD});
    ASSERT_FALSE(plot.badData);
    EXPECT_EQ(plot.unitDecimals, 0);
    EXPECT_EQ(plot.halfUnit, 0.5);
    ASSERT_EQ(plot.points.size(), 9u); // the last class is never plotted
    for (const auto& p : plot.points)
        EXPECT_EQ(p.x, 700 + 30 * p.classIndex - 15) << p.classIndex;
    EXPECT_TRUE(nearRel(0.01, plot.cumulative[0]));
    EXPECT_EQ(plot.cumulative[9], 1);
    // Q(1) = 1 %: y = 510 - 51.
    EXPECT_EQ(plot.points[0].y, 459);
    EXPECT_EQ(plot.points[0].colour, 5);
    EXPECT_EQ(plot.points[4].colour, 0);
    ASSERT_EQ(plot.classTickX.size(), 9u);
    EXPECT_EQ(plot.classTickX[0], 730);

    // The same values written with one decimal move by half of 0.1 only.
    auto t1 = texts(v, "%.1f");
    auto plot1 = computeProbitPlot({v, t1, classes(0.5, 1, 10), 1, GraphScheme::Blue});
    EXPECT_EQ(plot1.unitDecimals, 1);
    for (const auto& p : plot1.points)
        EXPECT_EQ(p.x, 700 + 30 * p.classIndex - 2);
    EXPECT_EQ(plot1.points[4].colour, 15);
}

TEST(ProbitPoints, EmptyLeadingClassesAreSkipped) {
    std::vector<double> v{3, 3, 4, 4, 4, 5, 5, 5, 5, 6, 6, 7};
    auto t = texts(v, "%.0f");
    auto plot = computeProbitPlot({v, t, classes(0.5, 1, 8), 1, GraphScheme::TwoD});
    ASSERT_FALSE(plot.badData);
    EXPECT_EQ(plot.points.front().classIndex, 3);
    EXPECT_EQ(plot.points.back().classIndex, 6);
}

TEST(ProbitPoints, BadData) {
    std::vector<double> v{1, 2, 3, 4, 5, 6};
    auto t = texts(v, "%.0f");
    EXPECT_TRUE(computeProbitPlot({v, t, classes(0.5, 1, 3), 1, GraphScheme::TwoD}).badData); // < 4 classes
    std::vector<double> one{2, 2, 2, 9};
    EXPECT_TRUE(computeProbitPlot({one, t, classes(0.5, 1, 5), 1, GraphScheme::TwoD}).badData); // 1 point
    EXPECT_TRUE(
        computeProbitPlot({std::vector<double>{}, t, classes(0.5, 1, 5), 1, GraphScheme::TwoD}).badData);
    EXPECT_TRUE(computeProbitPlot({v, t, GraphClasses{0, 5, 0, 5, false}, 1, GraphScheme::TwoD}).badData);
}

TEST(ProbitPoints, TwoPointsDrawNoCurveAndNoLimits) {
    std::vector<double> v{1, 1, 2, 2, 2, 2, 3, 3};
    auto t = texts(v, "%.0f");
    auto plot = computeProbitPlot({v, t, classes(0.5, 1, 4), 2, GraphScheme::TwoD});
    ASSERT_FALSE(plot.badData);
    EXPECT_EQ(plot.points.size(), 2u);
    EXPECT_FALSE(plot.curve.drawn());
    EXPECT_FALSE(plot.lower.found);
    EXPECT_FALSE(plot.lower.crossed);
    EXPECT_EQ(plot.lower.keptText, "曲線不良");
    EXPECT_EQ(plot.lower.screenText, "95％信頼区間の下限値： 曲線不良");
    EXPECT_EQ(plot.upper.screenText, "95％信頼区間の上限値： 曲線不良");
}

TEST(ProbitInterval, NormalDataGiveTheMeanPlusMinus196Sd) {
    std::vector<double> v;
    const int n = 2000;
    for (int j = 1; j <= n; ++j)
        v.push_back(std::round((100 + 10 * normalQuantile((j - 0.5) / n)) * 10) / 10);
    auto t = texts(v, "%.1f");
    auto plot = computeProbitPlot({v, t, classes(60, 4, 20), 1, GraphScheme::TwoD});
    ASSERT_FALSE(plot.badData);
    // Points of normal data lie on a straight line through the 50 % line at the mean.
    double sx = 0, sy = 0, sxx = 0, sxy = 0, m = static_cast<double>(plot.points.size());
    for (const auto& p : plot.points)
        sx += p.x, sy += p.y, sxx += p.x * p.x, sxy += p.x * p.y;
    double slope = (m * sxy - sx * sy) / (m * sxx - sx * sx), cut = (sy - slope * sx) / m;
    for (const auto& p : plot.points)
        EXPECT_NEAR(p.y, slope * p.x + cut, 2.0) << p.classIndex;
    EXPECT_NEAR((285 - cut) / slope, 700 + (100 - 60) / 80.0 * 300, 2.0);

    ASSERT_TRUE(plot.lower.found);
    ASSERT_TRUE(plot.upper.found);
    EXPECT_NEAR(plot.lower.value, 100 - 19.6, 1.0);
    EXPECT_NEAR(plot.upper.value, 100 + 19.6, 1.0);
    EXPECT_TRUE(nearRel(60 + (plot.lower.crossingX - 700) / 300.0 * 80, plot.lower.value));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%9.1f", plot.lower.value);
    EXPECT_EQ(plot.lower.screenText, std::string("95％信頼区間の下限値：") + buf);
    EXPECT_EQ(std::stod(plot.upper.keptText), plot.upper.value); // full precision kept
    ASSERT_EQ(plot.lower.mark.size(), 6u);
    EXPECT_EQ(plot.lower.mark[0].a.y, 432);
    EXPECT_EQ(plot.lower.mark[0].b.y, 508);
    EXPECT_EQ(plot.lower.mark[1].a.x, plot.lower.crossingX + 1);
    EXPECT_EQ(plot.upper.mark[0].a.y, 138);
    EXPECT_EQ(plot.upper.mark[5].a.x, plot.upper.crossingX - 5);
    for (const auto& s : plot.strokes)
        for (const Point& p : s)
            ASSERT_TRUE(p.x >= 700 && p.x <= 1000 && p.y >= 60 && p.y <= 510);
}

TEST(ProbitInterval, CurveThatNeverReachesTheUpperBand) {
    // A tenth of the values in the last class: the highest point is at 90 %.
    std::vector<double> v;
    const int counts[10] = {1, 4, 9, 12, 15, 15, 12, 9, 13, 10};
    for (int k = 0; k < 10; ++k)
        for (int j = 0; j < counts[k]; ++j)
            v.push_back(k + 1);
    auto t = texts(v, "%.0f");
    auto plot = computeProbitPlot({v, t, classes(0.5, 1, 10), 2, GraphScheme::TwoD});
    ASSERT_FALSE(plot.badData);
    EXPECT_TRUE(plot.lower.found);
    EXPECT_FALSE(plot.upper.crossed);
    EXPECT_TRUE(plot.upper.mark.empty());
    EXPECT_EQ(plot.upper.screenText, "95％信頼区間の上限値： 曲線不良");
    EXPECT_EQ(plot.upper.keptText, "曲線不良");
}

TEST(ProbitInterval, CrossingLeftOfTheFrameFails) {
    // Texts in whole units over classes a tenth of a unit wide: the half unit moves every point
    // five classes left, out of the frame, and the crossings with them.
    std::vector<double> v;
    const int counts[6] = {1, 2, 47, 47, 2, 1};
    for (int k = 0; k < 6; ++k)
        for (int j = 0; j < counts[k]; ++j)
            v.push_back(1.0 + 0.1 * k);
    std::vector<std::string> t(v.size(), "1");
    auto plot = computeProbitPlot({v, t, classes(0.95, 0.1, 10), 2, GraphScheme::TwoD});
    ASSERT_FALSE(plot.badData);
    EXPECT_EQ(plot.points.front().x, 580);
    ASSERT_TRUE(plot.lower.crossed);
    ASSERT_TRUE(plot.upper.crossed);
    EXPECT_LT(plot.lower.crossingX, 700);
    EXPECT_FALSE(plot.lower.found);
    EXPECT_FALSE(plot.upper.found);
    EXPECT_EQ(plot.lower.keptText, "曲線不良");
    EXPECT_TRUE(plot.strokes.empty() || plot.strokes.front().front().x >= 700);
}

} // namespace
