#include "graph/GraphScheme.h"
#include "graph/HistogramGeometry.h"
#include "stats/GraphClasses.h"

#include "TestSupport.h"

#include <limits>
#include <vector>

using namespace kl;
using kl::test::nearRel;

namespace {

struct ScaleCase {
    long fmax, unit, top, divisions;
};

TEST(VerticalScale, UnitTopAndDivisions) {
    const ScaleCase cases[] = {
        {7, 10, 10, 1},
        {10, 10, 10, 1},
        {35, 10, 40, 4},
        {99, 10, 100, 10},
        {100, 100, 100, 1},
        {101, 100, 200, 2},
        {999, 100, 1000, 10},
        {1000, 1000, 1000, 1},
        {1001, 1000, 2000, 2},
        {40000, 10000, 40000, 4},
        {99999, 10000, 100000, 10},
    };
    for (const auto& c : cases) {
        auto s = verticalScale(c.fmax);
        ASSERT_TRUE(s) << c.fmax;
        EXPECT_EQ(s->unit, c.unit) << c.fmax;
        EXPECT_EQ(s->top, c.top) << c.fmax;
        EXPECT_EQ(s->divisions, c.divisions) << c.fmax;
        EXPECT_TRUE(nearRel(450.0 / c.top - 0.001, s->pixelsPerCount)) << c.fmax;
    }
}

TEST(VerticalScale, EmptyTableHasNoScale) {
    EXPECT_FALSE(verticalScale(0));
    EXPECT_FALSE(verticalScale(-3));
}

TEST(HistogramAxis, SevenCountsGetUnitTicksAndAMiddleLabel) {
    auto s = *verticalScale(7);
    auto a = histogramAxis(s, 10);
    ASSERT_EQ(a.gridY.size(), 9u); // whole counts 1..9
    for (int c = 1; c <= 9; ++c)
        EXPECT_TRUE(nearRel(510 - (c * 44.999 - 0.001), a.gridY[c - 1]));
    EXPECT_TRUE(a.minorGridY.empty());
    ASSERT_EQ(a.scaleLabels.size(), 3u);
    EXPECT_EQ(a.scaleLabels[0].text, "   10");
    EXPECT_EQ(a.scaleLabels[0].y, 53);
    EXPECT_EQ(a.scaleLabels[1].text, "    0");
    EXPECT_EQ(a.scaleLabels[1].y, 503);
    EXPECT_EQ(a.scaleLabels[2].text, "    5");
    EXPECT_EQ(a.scaleLabels[2].y, 278);
    EXPECT_EQ(a.scaleLabels[2].x, 25);
}

TEST(HistogramAxis, HundredAndHundredOne) {
    // fmax 100: one division, no major grid, nine minor lines.
    auto a = histogramAxis(*verticalScale(100), 10);
    EXPECT_TRUE(a.gridY.empty());
    ASSERT_EQ(a.minorGridY.size(), 9u);
    EXPECT_TRUE(nearRel(510 - (10 * 4.499 - 0.001), a.minorGridY[0]));
    ASSERT_EQ(a.scaleLabels.size(), 2u);
    EXPECT_EQ(a.scaleLabels[0].text, "  100");
    EXPECT_EQ(a.scaleLabels[1].text, "    0");

    // fmax 101: T 200, one grid line at the middle, minor lines except at the 10th step.
    auto b = histogramAxis(*verticalScale(101), 10);
    ASSERT_EQ(b.gridY.size(), 1u);
    EXPECT_TRUE(nearRel(510 - (100 * 2.249 - 0.001), b.gridY[0]));
    EXPECT_EQ(b.minorGridY.size(), 18u);
    ASSERT_EQ(b.scaleLabels.size(), 3u);
    EXPECT_EQ(b.scaleLabels[1].text, "  100");
    EXPECT_EQ(b.scaleLabels[1].y, 278);
}

TEST(HistogramAxis, NoMinorGridAboveSixDivisions) {
    auto a = histogramAxis(*verticalScale(99), 10); // T 100, n 10
    EXPECT_EQ(a.gridY.size(), 9u);
    EXPECT_TRUE(a.minorGridY.empty());
    EXPECT_EQ(a.scaleLabels.size(), 11u);
}

TEST(HistogramAxis, ClassTicksAtEveryLowerBoundary) {
    auto a = histogramAxis(*verticalScale(7), 20);
    ASSERT_EQ(a.classTickX.size(), 20u);
    EXPECT_EQ(a.classTickX[0], 70);
    EXPECT_TRUE(nearRel(70 + 29.0 * 19, a.classTickX[19]));
}

TEST(HistogramBars, RectanglesHeightsAndCentres) {
    std::vector<long> f{5, 0, 7, 1, 2, 3, 4, 5, 6, 1};
    auto s = *verticalScale(7);
    auto bars = histogramBars(f, s);
    ASSERT_EQ(bars.size(), 10u);
    EXPECT_EQ(bars[0].left, 72);
    EXPECT_EQ(bars[0].right, 126);
    EXPECT_EQ(bars[0].centreX, 99);
    EXPECT_TRUE(nearRel(5 * 44.999 - 0.001, bars[0].height));
    EXPECT_TRUE(nearRel(510 - bars[0].height, bars[0].top));
    // An empty class is a flat bar on the baseline.
    EXPECT_EQ(bars[1].height, 0);
    EXPECT_EQ(bars[1].top, 510);
    EXPECT_EQ(bars[9].right, 648);
}

// Another frame (the printed page's) scales the same rules: bars, grid and labels follow it.
TEST(HistogramBars, AnotherFrameScalesTheSameRules) {
    const HistogramFrame page{300, 1800, 70, 970, 170, 50, true};
    std::vector<long> f{5, 0, 7, 1, 2, 3, 4, 5, 6, 1};
    auto s = *verticalScale(7, page);
    EXPECT_TRUE(nearRel(900.0 / 10 - 0.001, s.pixelsPerCount));
    auto bars = histogramBars(f, s, page);
    ASSERT_EQ(bars.size(), 10u);
    EXPECT_EQ(bars[0].left, 302);
    EXPECT_EQ(bars[9].right, 1798);
    EXPECT_EQ(bars[1].top, 970);
    auto a = histogramAxis(s, 10, page);
    ASSERT_EQ(a.scaleLabels.size(), 3u);
    EXPECT_EQ(a.scaleLabels[1].y, 950); // the bottom label: 50 + 900
    EXPECT_EQ(a.scaleLabels[2].y, 500); // the middle "5"
    EXPECT_EQ(a.scaleLabels[2].x, 170);
    // Between 500 and 1000 the page labels every other division; the screen labels them all.
    EXPECT_EQ(histogramAxis(*verticalScale(600, page), 10, page).scaleLabels.size(), 3u); // T 600, n 6
    EXPECT_EQ(histogramAxis(*verticalScale(600), 10).scaleLabels.size(), 7u);
}

GraphClasses classes(double lower, double interval, int count, bool fold = false) {
    return GraphClasses{lower, lower + interval * count, interval, count, fold};
}

TEST(GraphClassRule, CountsAsTheTableDoes) {
    auto c = classes(10, 1, 10);
    struct Case {
        double x;
        int index;
    };
    const Case cases[] = {
        {10, 1},
        {10.99, 1},
        {11, 2},
        {19.5, 10},
        {20, 0},           // the upper limit is outside
        {20 - 0.00005, 0}, // within 0.0001 of a class's width below U already counts above
        {10 - 0.00005, 1}, // and just below L still counts in class 1
        {9.5, 0},
        {-1e300, 0},
        {1e300, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), 0},
    };
    for (const auto& k : cases)
        EXPECT_EQ(graphClassIndex(k.x, c), k.index) << k.x;

    auto folded = classes(10, 1, 10, true);
    EXPECT_EQ(graphClassIndex(-1e300, folded), 1);
    EXPECT_EQ(graphClassIndex(1e300, folded), 10);
    EXPECT_EQ(graphClassIndex(20, folded), 10);
    // A negative interval counts with its absolute value.
    auto negative = GraphClasses{10, 20, -1, 10, false};
    EXPECT_EQ(graphClassIndex(12.5, negative), 3);
}

TEST(GraphClassRule, CountsAndLargest) {
    std::vector<double> v{10, 10.5, 11, 25, 9};
    auto counts = countClasses(v, classes(10, 1, 10));
    EXPECT_EQ(counts.counted, 3);
    EXPECT_EQ(counts.largest, 2);
    EXPECT_EQ(counts.frequency[0], 2);
    auto folded = countClasses(v, classes(10, 1, 10, true));
    EXPECT_EQ(folded.counted, 5);
    EXPECT_EQ(folded.frequency[0], 3);
    EXPECT_EQ(folded.frequency[9], 1);
    EXPECT_EQ(shownValues(v, classes(10, 1, 10)), (std::vector<double>{10, 10.5, 11}));
}

TEST(GraphClassRule, UnusableParameters) {
    const GraphClasses bad[] = {
        {0, 10, 0, 10, false},   {0, 10, 1, 0, false},
        {0, 101, 1, 101, false}, {0, 10, std::numeric_limits<double>::quiet_NaN(), 10, false},
        {10, 0, 1, 10, false},
    };
    for (const auto& c : bad) {
        EXPECT_FALSE(graphClassesUsable(c));
        EXPECT_EQ(countClasses(std::vector<double>{1, 2}, c).counted, 0);
    }
}

TEST(ClassLabels, TextsWithAndWithoutFolding) {
    auto plain = classLabelTexts(classes(3.5, 0.15, 10), 2, false);
    ASSERT_EQ(plain.size(), 10u);
    EXPECT_EQ(plain[0], "        3.50-3.65        ");
    EXPECT_EQ(plain[9], "        4.85-5.00        ");

    auto folded = classLabelTexts(classes(3.5, 0.15, 10, true), 2, false);
    EXPECT_EQ(folded[0], std::string(12, ' ') + "-3.65        ");
    EXPECT_EQ(folded[9], "        4.85-" + std::string(12, ' '));

    // A first bound of 0.00 stays when no value is negative.
    auto zero = classLabelTexts(classes(0, 0.025, 12, true), 2, false);
    EXPECT_EQ(zero[0], "        0.00-0.03        ");
    auto zeroNegative = classLabelTexts(classes(0, 0.025, 12, true), 2, true);
    EXPECT_EQ(zeroNegative[0], std::string(12, ' ') + "-0.03        ");
    auto zeroOneDecimal = classLabelTexts(classes(0, 1, 12, true), 1, false);
    EXPECT_EQ(zeroOneDecimal[0], std::string(12, ' ') + "-1.0         ");

    auto four = classLabelTexts(classes(-1.5, 0.0125, 10), 4, true);
    EXPECT_EQ(four[0], "     -1.5000--1.4875     ");
}

TEST(ClassLabels, ScreenOffsetsByClassCount) {
    struct Case {
        int k, dK, aK;
    };
    const Case cases[] = {{4, 43, 10}, {7, 43, 10}, {8, 35, 10}, {10, 35, 10}, {11, 21, 10}, {14, 21, 10},
                          {15, 21, 5}, {20, 21, 5}, {21, 17, 5}, {24, 17, 5},  {25, 17, 0},  {30, 17, 0},
                          {31, 14, 0}, {50, 14, 0}, {51, 0, 0},  {100, 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(screenLabelShiftK(c.k), c.dK) << c.k;
        EXPECT_EQ(screenLabelAdjustK(c.k), c.aK) << c.k;
        EXPECT_EQ(paperLabelShiftK(c.k), c.dK) << c.k;
    }
}

TEST(ClassLabels, PaperAdjustByClassCount) {
    const std::pair<int, int> cases[] = {{10, 50}, {14, 50}, {15, 40}, {24, 40}, {25, 30},
                                         {34, 30}, {35, 20}, {50, 20}, {51, 0}};
    for (auto [k, aK] : cases)
        EXPECT_EQ(paperLabelAdjustK(k), aK) << k;
}

TEST(ClassLabels, ShiftByLengthOfLastLabel) {
    struct Case {
        std::size_t len;
        int screen, paper;
    };
    const Case cases[] = {{5, 50, 90},  {7, 50, 90},  {8, 45, 80},  {9, 40, 70},  {10, 35, 60}, {11, 30, 50},
                          {12, 25, 40}, {13, 25, 30}, {14, 15, 20}, {15, 15, 10}, {16, 15, 5},  {17, 15, 0},
                          {18, 5, -10}, {19, 5, -5},  {20, 0, -20}, {25, 0, -20}};
    for (const auto& c : cases) {
        EXPECT_EQ(screenLabelShiftL(c.len), c.screen) << c.len;
        EXPECT_EQ(paperLabelShiftL(c.len), c.paper) << c.len;
    }
}

TEST(ClassLabels, PlacedOnScreen) {
    auto placed = screenClassLabels(classes(3.5, 0.15, 10), 2, false);
    ASSERT_EQ(placed.size(), 10u);
    // Last label "4.85-5.00" has 9 characters: dL 40; K 10: dK 35, aK 10.
    EXPECT_EQ(placed[0].x, 70 - 35 + 58 - 10);
    EXPECT_EQ(placed[0].y, 680 - 40);
    EXPECT_EQ(placed[9].x, 70 - 35 + 580 - 10);
}

TEST(GraphSchemes, ColoursTheSchemesFix) {
    struct Case {
        int option;
        Rgb background;
        int outline, bar, theoretical, smoothed, marker, probitCurve, inside, text;
    };
    const Case cases[] = {
        {1, {236, 233, 216}, 0, 14, 1, 10, 3, 1, 0, 0},
        {2, {0, 0, 255}, 15, 15, 15, 11, 11, 15, 15, 7},
        {3, {220, 220, 220}, 0, 14, 15, 13, 11, 8, 15, 0},
        {0, {236, 233, 216}, 0, 14, 1, 10, 3, 1, 0, 0}, // an unknown option is "2 D"
    };
    for (const auto& c : cases) {
        auto k = schemeColours(graphSchemeFromOption(c.option));
        EXPECT_EQ(k.background, c.background) << c.option;
        EXPECT_EQ(k.frameOutline, c.outline) << c.option;
        EXPECT_EQ(k.barFill, c.bar) << c.option;
        EXPECT_EQ(k.theoreticalCurve, c.theoretical) << c.option;
        EXPECT_EQ(k.smoothedCurve, c.smoothed) << c.option;
        // Legend strokes take the colour of their curve.
        EXPECT_EQ(k.theoreticalLegend, k.theoreticalCurve) << c.option;
        EXPECT_EQ(k.smoothedLegend, k.smoothedCurve) << c.option;
        EXPECT_EQ(k.referenceMarker, c.marker) << c.option;
        EXPECT_EQ(k.probitCurve, c.probitCurve) << c.option;
        EXPECT_EQ(k.probitPointInside, c.inside) << c.option;
        EXPECT_EQ(k.probitPointOutside, 5) << c.option;
        EXPECT_EQ(k.probitText, c.text) << c.option;
    }
    EXPECT_EQ(schemeColours(GraphScheme::ThreeD).frameFill, (Rgb{236, 233, 216}));
}

} // namespace
