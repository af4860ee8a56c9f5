#include "stats/GraphStatistics.h"

#include "TestSupport.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace kl;

namespace {

GraphClasses classes(double lower, double interval, int count, bool fold = false) {
    return GraphClasses{lower, lower + interval * count, interval, count, fold};
}

std::vector<double> range(int from, int to) {
    std::vector<double> v;
    for (int k = from; k <= to; ++k)
        v.push_back(k);
    return v;
}

// The text drawn at (x, y), or "<none>".
std::string at(const GraphStatisticsOutcome& o, int x, int y) {
    for (const auto& l : o.lines)
        if (l.x == x && l.y == y) return l.text;
    return "<none>";
}

TEST(GraphStatistics, OneValueLeftOutOfThirty) {
    auto o = computeGraphStatistics(range(1, 30), classes(0.5, 1, 29), "HISTOGRAM OF GLU");
    ASSERT_TRUE(o.shown);
    EXPECT_FALSE(o.message);
    EXPECT_FALSE(o.beep);
    EXPECT_EQ(o.caption, "計算結果 ... HISTOGRAM OF GLU");
    struct Row {
        int x, y;
        const char* text;
    };
    const Row rows[] = {
        {10, 5, "<< statistic >>"},
        {15, 20, "                   ( first )          ( graph )"},
        {15, 40, "SAMPLE SIZE ：            30"},
        {275, 40, "        29"},
        {15, 57, "MEAN        ：     15.500000"},
        {255, 57, "    15.000000"},
        {15, 74, "MINIMUM     ：      1.000000"},
        {15, 91, "MAXIMUM     ：     30.000000"},
        {255, 91, "    29.000000"},
        {15, 108, "RNG         ：     29.000000"},
        {255, 108, "    28.000000"},
        {15, 125, "SD(N-1)     ：      8.803408"},
        {255, 125, "     8.514693"},
        {15, 142, "SD(N)       ：      8.655441"},
        {255, 142, "     8.366600"},
        {15, 159, "M-1.96SD    ：     -1.754681"},
        {255, 159, "    -1.688799"},
        {15, 176, "M+1.96SD    ：     32.754681"},
        {255, 176, "    31.688799"},
        {15, 210, "              *** normal data *** "},
        {15, 244, "Skewness    ：      0.0000"},
        {120, 261, "    ( N.S )"},
        {255, 244, "     0.0000"},
        {15, 278, "Kurtosis    ：      1.7973"},
        {255, 278, "     1.7971"},
        {15, 329, "          *** log-transformed data *** "},
        {15, 363, "Skewness    ：     -1.2395"},
        {120, 380, " ( P<0.01 )"},
        {255, 363, "    -1.2297"},
        {255, 380, " ( P<0.01 )"},
        {15, 397, "Kurtosis    ：      3.9933"},
        {120, 414, "    ( N.S )"},
        {15, 448, "         *** cube-transformed data *** "},
        {15, 482, "Skewness    ：      1.0331"},
        {120, 499, " ( P<0.05 )"},
        {255, 482, "     1.0321"},
        {15, 516, "Kurtosis    ：      2.8451"},
        {255, 516, "     2.8423"},
        {15, 567, "* グラフ上のデータと生データのサンプル数に相違があった場合"},
        {15, 635, "　て下さい。"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(at(o, r.x, r.y), r.text) << r.x << "," << r.y;
    EXPECT_EQ(o.graph.size, 29);
}

TEST(GraphStatistics, SameSizeNeedsNoWindow) {
    // Folding keeps every value in the graph.
    for (bool fold : {true, false}) {
        auto o = computeGraphStatistics(range(1, 30), classes(0.5, fold ? 1 : 2, 15, fold), "T");
        EXPECT_FALSE(o.shown);
        ASSERT_TRUE(o.message);
        EXPECT_EQ(o.message->caption, "計算不要");
        EXPECT_EQ(o.message->text, "グラフ上のデータと生データのサンプル数が同数ですので、   \r\n"
                                   "計算結果の表示は行いません(メイン画面を参照して下さい)。 \r\n"
                                   "また、外れ値を両端の階級に取り込んだ場合も表示しません。  ");
        EXPECT_TRUE(o.lines.empty());
    }
}

TEST(GraphStatistics, SmallOrFlatSamplesGetNoNormalityRows) {
    struct Case {
        std::vector<double> values;
        GraphClasses classes;
    };
    std::vector<double> flat(30, 5.0);
    flat.push_back(100);
    const Case cases[] = {
        {range(1, 24), classes(0.5, 1, 23)}, // 24 values in all
        {range(1, 25), classes(0.5, 1, 23)}, // 23 in the graph
        {flat, classes(0.5, 1, 10)},         // no spread in the graph
    };
    for (const auto& c : cases) {
        auto o = computeGraphStatistics(c.values, c.classes, "T");
        ASSERT_TRUE(o.shown);
        EXPECT_TRUE(o.beep);
        EXPECT_FALSE(o.normalityRows);
        EXPECT_EQ(at(o, 15, 210), "<none>");
        EXPECT_EQ(at(o, 15, 244), "<none>");
        EXPECT_NE(at(o, 15, 176), "<none>");
        EXPECT_EQ(at(o, 15, 584), "　にのみ、この計算結果が表示できます。");
    }
}

TEST(GraphStatistics, SingleValueInTheGraph) {
    std::vector<double> v = range(1, 30);
    auto o = computeGraphStatistics(v, classes(0.5, 1, 1), "T");
    ASSERT_TRUE(o.shown);
    EXPECT_EQ(at(o, 275, 40), "         1");
    EXPECT_EQ(at(o, 255, 57), "     1.000000");
    EXPECT_EQ(at(o, 255, 125), "  Not calc");
    EXPECT_EQ(at(o, 255, 159), "  Not calc");
    EXPECT_EQ(at(o, 15, 125), "SD(N-1)     ：      8.803408");
    EXPECT_TRUE(o.beep);
}

TEST(GraphStatistics, TrueMinimumAndMaximum) {
    auto negative = computeGraphStatistics(range(-30, -1), classes(-30.5, 1, 29), "T");
    EXPECT_EQ(at(negative, 15, 91), "MAXIMUM     ：     -1.000000");
    EXPECT_EQ(at(negative, 255, 91), "    -2.000000");
    EXPECT_EQ(at(negative, 15, 108), "RNG         ：     29.000000");

    std::vector<double> big;
    for (int k = 0; k < 30; ++k)
        big.push_back(2000000 + 1000 * k);
    auto large = computeGraphStatistics(big, classes(2000000, 1000, 29), "T");
    EXPECT_EQ(at(large, 15, 74), "MINIMUM     ： %2000000.000000"); // too wide: the overflow mark
    EXPECT_EQ(large.first.minimum, 2000000);
    EXPECT_EQ(large.graph.minimum, 2000000);
}

TEST(GraphStatistics, UnsuitableSamplesAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> withNan = range(1, 30);
    withNan[3] = nan;
    std::vector<double> withInf = range(1, 30);
    withInf[0] = std::numeric_limits<double>::infinity();
    const std::vector<double> cases[] = {{}, withNan, withInf};
    for (const auto& v : cases) {
        auto o = computeGraphStatistics(v, classes(0.5, 1, 29), "T");
        EXPECT_FALSE(o.shown);
        ASSERT_TRUE(o.message);
        EXPECT_EQ(o.message->caption, "Not calculate");
    }
    auto noClasses = computeGraphStatistics(range(1, 30), GraphClasses{0, 10, 0, 10, false}, "T");
    EXPECT_FALSE(noClasses.shown);
}

TEST(GraphStatistics, SignificanceTexts) {
    struct Case {
        double z;
        const char* text;
    };
    const Case cases[] = {
        {0, "    ( N.S )"},
        {kZ05, "    ( N.S )"},
        {std::nextafter(kZ05, 9), " ( P<0.05 )"},
        {1.96, "    ( N.S )"},
        {kZ01, " ( P<0.05 )"},
        {std::nextafter(kZ01, 9), " ( P<0.01 )"},
        {kZ001, " ( P<0.01 )"},
        {std::nextafter(kZ001, 9), "  (P<0.001)"},
        {40, "  (P<0.001)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(graphSignificanceText(c.z), c.text) << c.z;
}

} // namespace
