#include "TestSupport.h"

#include "data/DataSet.h"
#include "stats/BasicStatistics.h"

#include <cmath>
#include <random>

namespace kl {
namespace {

using test::nearRel;

std::vector<double> oneToTen() {
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
}

std::vector<std::string> texts(const std::vector<StatisticsLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(l.text);
    return out;
}

TEST(BasicStatistics, OneToTenBlockAsDrawn) {
    StatisticsOutcome r = computeBasicStatistics(oneToTen());
    ASSERT_TRUE(r.suitable);
    EXPECT_FALSE(r.message.has_value());
    const std::vector<std::string> expected = {
        "( 基礎計算結果 )",
        "  Sample size   =             10",
        "  Mean          =       5.500000",
        "  Minimum       =       1.000000",
        "  Maximum       =      10.000000",
        "  RNG           =       9.000000",
        "  S.D.(N-1)     =       3.027650",
        "  S.D.(N)       =       2.872281",
        "  Mean-1.96SD   =      -0.434195",
        "  Mean+1.96SD   =      11.434195",
        "  ( normal data )",
        "  Skewness      =      0.0000 ( N.S )",
        "  Kurtosis      =      1.7758 ( N.S )",
        "  ( log-transformed data )",
        "  Skewness      =     -0.8780 ( N.S )",
        "  Kurtosis      =      2.7553 ( N.S )",
        "  ( cube-transformed data )",
        "  Skewness      =      0.9590 ( N.S )",
        "  Kurtosis      =      2.6314 ( N.S )",
    };
    EXPECT_EQ(texts(r.lines), expected);
    ASSERT_EQ(r.lines.size(), 19u);
    EXPECT_EQ(r.lines[0].x, 240);
    EXPECT_EQ(r.lines[0].y, 70);
    for (std::size_t i = 1; i < r.lines.size(); ++i) {
        EXPECT_EQ(r.lines[i].x, 220);
        EXPECT_EQ(r.lines[i].y, 80 + 20 * static_cast<int>(i));
    }
    const BasicStatistics& s = r.statistics;
    EXPECT_TRUE(nearRel(3.0276503541, s.sdSample, 1e-10));
    EXPECT_TRUE(nearRel(2.8722813233, s.sdPopulation, 1e-10));
}

TEST(BasicStatistics, WorkedShapeFigures) {
    struct Case {
        const char* name;
        std::vector<double> x;
        double skew[3], kurt[3];
        const char* label;
    };
    std::vector<double> nineOnes(9, 1.0);
    nineOnes.push_back(10);
    const Case cases[] = {
        {"1..10",
         oneToTen(),
         {0.0, -0.8779914096, 0.9589629375},
         {1.7757575758, 2.7552639118, 2.6314402014},
         " ( N.S )"},
        {"nine 1s and a 10",
         nineOnes,
         {8.0 / 3, 8.0 / 3, 8.0 / 3},
         {73.0 / 9, 73.0 / 9, 73.0 / 9},
         " (P<0.001)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatisticsOutcome r = computeBasicStatistics(c.x);
        ASSERT_TRUE(r.suitable);
        for (int f = 0; f < 3; ++f) {
            const ShapeStatistics& sh = r.statistics.shape[static_cast<std::size_t>(f)];
            SCOPED_TRACE(f);
            ASSERT_TRUE(sh.calculated);
            EXPECT_NEAR(c.skew[f], sh.skewness, 1e-9);
            EXPECT_TRUE(nearRel(c.kurt[f], sh.kurtosis, 1e-9));
            EXPECT_EQ(sh.skewnessLabel, c.label);
            EXPECT_EQ(sh.kurtosisLabel, c.label);
        }
    }
}

TEST(BasicStatistics, TinyNegativeSkewnessPrintsAsZero) {
    // Symmetric, but the sum of cubes of these decimals comes out near -5e-16.
    StatisticsOutcome r =
        computeBasicStatistics(std::vector<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0});
    ASSERT_TRUE(r.suitable);
    EXPECT_EQ(r.lines[11].text, "  Skewness      =      0.0000 ( N.S )");
}

TEST(BasicStatistics, LimitsUseSinglePrecisionFactor) {
    std::vector<double> x;
    for (int i = 1; i <= 10; ++i)
        x.push_back(10000.0 * i);
    StatisticsOutcome r = computeBasicStatistics(x);
    ASSERT_TRUE(r.suitable);
    // With 1.96 exactly the upper limit would print 114341.946940.
    EXPECT_EQ(r.lines[9].text, "  Mean+1.96SD   =  114341.948095");
    EXPECT_EQ(r.lines[8].text, "  Mean-1.96SD   =   -4341.948095");
    EXPECT_DOUBLE_EQ(r.statistics.meanPlus196Sd, 55000 + 1.9600000381469727 * r.statistics.sdSample);
}

// The search from 1,000,000 / 0 would show a maximum of 0 and a minimum of 1,000,000 here.
TEST(BasicStatistics, TrueMinimumAndMaximum) {
    struct Case {
        std::vector<double> x;
        double min, max;
        const char* minText;
        const char* maxText;
    };
    const Case cases[] = {
        {{-1, -2, -3, -4, -5, -6, -7, -8, -9, -10},
         -10,
         -1,
         "  Minimum       =     -10.000000",
         "  Maximum       =      -1.000000"},
        {{2e6, 3e6, 2.5e6, 2.2e6, 4e6, 3.3e6, 2.1e6, 2.9e6, 3.1e6, 2.7e6},
         2e6,
         4e6,
         "  Minimum       =  %2000000.000000",
         "  Maximum       =  %4000000.000000"},
    };
    for (const Case& c : cases) {
        StatisticsOutcome r = computeBasicStatistics(c.x);
        ASSERT_TRUE(r.suitable);
        EXPECT_EQ(r.statistics.minimum, c.min);
        EXPECT_EQ(r.statistics.maximum, c.max);
        EXPECT_EQ(r.statistics.range, c.max - c.min);
        EXPECT_EQ(r.lines[3].text, c.minText);
        EXPECT_EQ(r.lines[4].text, c.maxText);
    }
}

TEST(BasicStatistics, TransformBranches) {
    struct Case {
        double x, min, max;
        DataForm form;
        double y;
    };
    const Case cases[] = {
        {5, 1, 10, DataForm::Log, std::log(5.0)},
        {0, 0, 10, DataForm::Log, 0.0},   // ln(x + 1) when the minimum is 0
        {-2, -2, 10, DataForm::Log, 0.0}, // ln(x + |min| + 1)
        {3, -2, 10, DataForm::Log, std::log(6.0)},
        {10, 1, 1000, DataForm::Cube, 1000.0}, // no scaling up to 1,000
        {5000, 1, 5000, DataForm::Cube, 500.0 * 500 * 500},
        {50000, 1, 50000, DataForm::Cube, 50.0 * 50 * 50},
        {500000, 1, 500000, DataForm::Cube, 0.125},
        {5e6, 1, 5e6, DataForm::Cube, 0.125e-9},
        {0, 0, 10, DataForm::Cube, 1.0},
        {-5, -5, 5000, DataForm::Cube, 5.5 * 5.5 * 5.5}, // scaled value, unscaled minimum in the shift
        {0, -5, 5000, DataForm::Cube, 6.0 * 6 * 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        double in[] = {c.x};
        std::vector<double> y = transformedForm(in, c.form, c.min, c.max);
        ASSERT_EQ(y.size(), 1u);
        EXPECT_TRUE(nearRel(c.y, y[0], 1e-12)) << c.y << " vs " << y[0];
    }
}

TEST(BasicStatistics, SignificanceThresholds) {
    struct Case {
        double z;
        const char* label;
    };
    const Case cases[] = {
        {0.0, " ( N.S )"},
        {1.96059, " ( N.S )"},
        {static_cast<double>(1.96059f), " ( N.S )"},
        {std::nextafter(static_cast<double>(1.96059f), 9.0), " (P<0.05)"},
        {static_cast<double>(2.57525f), " (P<0.05)"},
        {2.5753, " (P<0.01)"},
        {static_cast<double>(3.28897f), " (P<0.01)"},
        {3.289, " (P<0.001)"},
        {100.0, " (P<0.001)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(significanceLabel(c.z), c.label) << c.z;
}

TEST(BasicStatistics, UnsuitableSamples) {
    struct Case {
        const char* name;
        std::vector<double> x;
        std::size_t linesDrawn;
    };
    const Case cases[] = {
        {"constant", std::vector<double>(12, 4.2), 10},
        {"spread below 1e-6", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1.0000005}, 10},
        {"infinite value", {1, 2, 3, 4, 5, 6, 7, 8, 9, HUGE_VAL}, 2},
        {"squares overflow", {1e200, -1e200, 1, 2, 3, 4, 5, 6, 7, 8}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatisticsOutcome r = computeBasicStatistics(c.x);
        EXPECT_FALSE(r.suitable);
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(r.message->caption, "Not calculate");
        EXPECT_EQ(r.message->text, "標本が適当なデータではありません。      ");
        EXPECT_EQ(r.message->buttons, Buttons::Ok);
        EXPECT_EQ(r.message->icon, Icon::Information);
        EXPECT_EQ(r.lines.size(), c.linesDrawn);
        for (const auto& l : r.lines)
            EXPECT_EQ(l.text.find("nan"), std::string::npos);
    }
}

TEST(BasicStatistics, NumberTooLongForADoubleIsUnsuitable) {
    DataSet d;
    for (int i = 1; i <= 10; ++i)
        d.values.push_back(std::to_string(i));
    d.values.push_back("1" + std::string(400, '0'));
    EXPECT_FALSE(computeBasicStatistics(d).suitable);
}

TEST(BasicStatistics, ShapeOutsideWindowIsNotCalculated) {
    // Every measured value lies beyond 1e10: the sums of the measured form are empty.
    std::vector<double> x;
    for (int i = 2; i <= 11; ++i)
        x.push_back(i * 1e10);
    StatisticsOutcome r = computeBasicStatistics(x);
    ASSERT_TRUE(r.suitable);
    EXPECT_FALSE(r.statistics.shape[0].calculated);
    EXPECT_EQ(r.lines[11].text, "  Skewness      =    Not calc");
    EXPECT_EQ(r.lines[12].text, "  Kurtosis      =    Not calc");
    EXPECT_TRUE(r.statistics.shape[1].calculated);
    EXPECT_TRUE(r.statistics.shape[2].calculated);
}

TEST(BasicStatistics, AgreesWithTwoPassOnRandomData) {
    std::mt19937_64 rng(20261207);
    std::normal_distribution<double> dist(250.0, 40.0);
    std::vector<double> x(40000);
    for (double& v : x)
        v = dist(rng);
    // Independent reference in long double.
    long double sum = 0;
    for (double v : x)
        sum += v;
    const long double n = x.size(), m = sum / n;
    long double m2 = 0, m3 = 0, m4 = 0;
    double lo = x[0], hi = x[0];
    for (double v : x) {
        long double d = v - m;
        m2 += d * d;
        m3 += d * d * d;
        m4 += d * d * d * d;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    StatisticsOutcome r = computeBasicStatistics(x);
    ASSERT_TRUE(r.suitable);
    const BasicStatistics& s = r.statistics;
    EXPECT_EQ(s.sampleSize, 40000);
    EXPECT_TRUE(nearRel(static_cast<double>(m), s.mean));
    EXPECT_EQ(s.minimum, lo);
    EXPECT_EQ(s.maximum, hi);
    EXPECT_TRUE(nearRel(static_cast<double>(std::sqrt(m2 / (n - 1))), s.sdSample));
    EXPECT_TRUE(nearRel(static_cast<double>(std::sqrt(m2 / n)), s.sdPopulation));
    EXPECT_TRUE(nearRel(static_cast<double>(std::sqrt(n) * m3 / std::pow(m2, 1.5L)), s.shape[0].skewness));
    EXPECT_TRUE(nearRel(static_cast<double>(n * m4 / (m2 * m2)), s.shape[0].kurtosis));
}

TEST(BasicStatistics, KeptNumberTextsArePlain) {
    struct Case {
        double v;
        const char* text;
    };
    const Case cases[] = {{1e7, "10000000"}, {-0.25, "-0.25"}, {2500000.5, "2500000.5"},
                          {0.0, "0"},        {-0.0, "0"},      {12.3, "12.3"}};
    for (const Case& c : cases)
        EXPECT_EQ(keptNumberText(c.v), c.text);
}

} // namespace
} // namespace kl
