#include "TestSupport.h"

#include "indirect/Analysis.h"
#include "indirect/Bhattacharya.h"
#include "indirect/Distribution.h"
#include "indirect/Generator.h"
#include "indirect/InverseModel.h"
#include "indirect/Resolution.h"
#include "indirect/TruncatedQQ.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kl::indirect {
namespace {

std::vector<double> sortedValues(const GeneratedSet& set) {
    auto v = set.values;
    std::sort(v.begin(), v.end());
    return v;
}

GeneratedSet mixture(double lambda, double share, std::size_t n, std::uint64_t seed, double resolution = 1) {
    MixtureParameters mixture;
    mixture.lambda = lambda;
    mixture.pathologicalShare = share;
    mixture.count = n;
    mixture.seed = seed;
    mixture.resolution = resolution;
    return generateMixture(mixture);
}

// Error of an estimated limit relative to the width of the true interval.
double relError(double estimate, double truth, const GeneratedSet& set) {
    return std::fabs(estimate - truth) / (set.upper - set.lower);
}

TEST(IndirectDistribution, NormalQuantileAndType7) {
    struct Case {
        double p, z;
    };
    const Case cases[] = {{0.5, 0.0},
                          {0.975, 1.959963984540054},
                          {0.025, -1.959963984540054},
                          {0.75, 0.6744897501960817},
                          {0.001, -3.090232306167814},
                          {1e-10, -6.361340902404056}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p);
        if (c.z == 0)
            EXPECT_NEAR(normalQuantile(c.p), 0, 1e-15);
        else
            EXPECT_TRUE(test::nearRel(c.z, normalQuantile(c.p), 1e-8));
    }
    const std::vector<double> x = {1, 2, 3, 4};
    EXPECT_TRUE(test::nearRel(1.75, quantile7(x, 0.25)));
    EXPECT_TRUE(test::nearRel(4, quantile7(x, 1)));
    EXPECT_TRUE(test::nearRel(1, quantile7(x, 0)));
    EXPECT_TRUE(test::nearRel(0.5 * std::log(6.0), quantile7(x, 0.5, [](double v) { return std::log(v); })));
    EXPECT_TRUE(test::nearRel(8.0, inverseBoxCox(boxCox(8.0, 0.5), 0.5)));
    EXPECT_EQ(inverseBoxCox(-3, 0.5), 0.0); // outside the transform's range
}

TEST(IndirectGenerator, ReproducibleRoundedAndTrue) {
    auto a = mixture(0, 0.3, 20000, 11), b = mixture(0, 0.3, 20000, 11), c = mixture(0, 0.3, 20000, 12);
    EXPECT_EQ(a.values, b.values);
    EXPECT_NE(a.values, c.values);
    ASSERT_EQ(a.values.size(), 20000u);
    // The truth is the healthy part's 2.5 % and 97.5 % points: median 50, σ = 0.2 on ln x.
    EXPECT_TRUE(test::nearRel(50 * std::exp(-1.959963984540054 * 0.2), a.lower, 1e-12));
    EXPECT_TRUE(test::nearRel(50 * std::exp(1.959963984540054 * 0.2), a.upper, 1e-12));
    // The healthy share within 4 standard errors of 70 %.
    EXPECT_NEAR(a.healthy / 20000.0, 0.7, 4 * std::sqrt(0.21 / 20000));
    for (double v : a.values)
        ASSERT_TRUE(v > 0 && v == std::round(v)) << v;
    auto tenth = mixture(0.5, 0.1, 2000, 3, 0.1);
    for (double v : tenth.values)
        ASSERT_EQ(v, std::round(v * 10) / 10) << v;

    // A pure healthy set's own 2.5 % and 97.5 % points land on the truth (unrounded, 200,000 values).
    for (double lambda : {0.0, 0.2, 0.5, 1.0}) {
        SCOPED_TRACE(lambda);
        auto set = mixture(lambda, 0, 200000, 5, 0);
        auto v = sortedValues(set);
        EXPECT_LT(relError(quantile7(v, 0.025), set.lower, set), 0.01);
        EXPECT_LT(relError(quantile7(v, 0.975), set.upper, set), 0.01);
    }
}

TEST(IndirectResolution, FoundFromTheValues) {
    std::vector<double> fives, mostlyTenths, constant(50, 7.0);
    for (int i = 0; i < 300; ++i) {
        fives.push_back(5.0 * (i % 40 + 2));
        mostlyTenths.push_back(i % 100 == 0 ? 3.14159 : (i % 70 + 10) / 10.0);
    }
    struct Case {
        const char* name;
        std::vector<double> values;
        double step;
    };
    const Case cases[] = {
        {"integers", mixture(0, 0.2, 5000, 1, 1).values, 1},
        {"tenths", mixture(0, 0.2, 5000, 1, 0.1).values, 0.1},
        {"halves", mixture(0.5, 0, 5000, 1, 0.5).values, 0.5},
        {"unrounded", mixture(0, 0.2, 5000, 1, 0).values, 0},
        {"multiples of five", fives, 5},
        {"one value in a hundred with more digits", mostlyTenths, 0.1},
        {"all equal", constant, 1},
        {"none", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(roundingResolution(c.values), c.step);
    }
}

// Each method on fixed seeds: the bound is the largest error (relative to the true interval's
// width) either limit may have. They hold with a margin on these seeds; the accuracy over many sets
// is measured by bench_indirect_accuracy.
struct Truth {
    double lambda, share;
    std::size_t n;
    double bound;
};

TEST(IndirectTruncatedQQ, RecoversTheTruth) {
    const Truth cases[] = {
        {0, 0, 10000, 0.03}, {0.2, 0, 10000, 0.05}, {0, 0.2, 100000, 0.06}, {0.2, 0.2, 50000, 0.1}};
    for (const auto& c : cases) {
        for (std::uint64_t seed : {1, 2, 3}) {
            SCOPED_TRACE(::testing::Message()
                         << "λ " << c.lambda << " share " << c.share << " seed " << seed);
            auto set = mixture(c.lambda, c.share, c.n, seed);
            auto r = truncatedQQ(sortedValues(set));
            ASSERT_TRUE(r.estimate.ok) << r.estimate.note;
            EXPECT_LT(relError(r.estimate.lower, set.lower, set), c.bound);
            EXPECT_LT(relError(r.estimate.upper, set.upper, set), c.bound);
            EXPECT_TRUE(r.logScale); // right-skewed data go to the log scale
            const auto& e = r.estimate;
            EXPECT_TRUE(e.lowerCi.low < e.lower && e.lower < e.lowerCi.high &&
                        e.lowerCi.high < e.upperCi.low && e.upperCi.low < e.upper &&
                        e.upper < e.upperCi.high);
            EXPECT_LT(r.kept, r.positive);
            EXPECT_EQ(r.plotX.size(), 100u);
        }
    }
}

TEST(IndirectTruncatedQQ, SmallOrDegenerateInput) {
    std::vector<double> few(39, 5.0), some;
    for (int i = 0; i < 150; ++i)
        some.push_back(40 + (i * 37 % 150) / 5.0);
    std::sort(some.begin(), some.end());
    EXPECT_FALSE(truncatedQQ(few).estimate.ok);
    EXPECT_EQ(truncatedQQ(few).estimate.note, "fewer than 40 values above 0");
    auto r = truncatedQQ(some);
    EXPECT_TRUE(r.estimate.ok);
    EXPECT_EQ(r.estimate.note, "fewer than 200 values above 0: the limits are uncertain");
    std::vector<double> equal(500, 7.0);
    EXPECT_EQ(truncatedQQ(equal).estimate.note, "too many equal values to truncate the tails");
    std::vector<double> negatives = {-3, -1, 0};
    negatives.insert(negatives.end(), some.begin(), some.end());
    EXPECT_EQ(truncatedQQ(negatives).positive, 150u);
}

TEST(IndirectInverseModel, RecoversTheTruth) {
    const Truth cases[] = {{0, 0, 20000, 0.03},    {0.5, 0, 20000, 0.03},  {1, 0, 20000, 0.03},
                           {0, 0.2, 100000, 0.08}, {1, 0.2, 100000, 0.08}, {0.5, 0.2, 100000, 0.08}};
    for (const auto& c : cases) {
        for (std::uint64_t seed : {1, 2}) {
            SCOPED_TRACE(::testing::Message()
                         << "λ " << c.lambda << " share " << c.share << " seed " << seed);
            auto set = mixture(c.lambda, c.share, c.n, seed);
            auto r = inverseModel(sortedValues(set));
            ASSERT_TRUE(r.estimate.ok) << r.estimate.note;
            EXPECT_EQ(r.resolution, 1);
            EXPECT_LT(relError(r.estimate.lower, set.lower, set), c.bound);
            EXPECT_LT(relError(r.estimate.upper, set.upper, set), c.bound);
            EXPECT_NEAR(r.estimate.share, 1 - c.share, 0.1);
            if (c.share == 0) {
                EXPECT_NEAR(r.estimate.lambda, c.lambda, 0.3);
            }
        }
    }
}

TEST(IndirectMethods, PureHealthySetGivesTheDirectLimits) {
    // Without pathological values the methods agree with the sample's own 2.5 % and 97.5 % points
    // (the direct nonparametric limits): the fitted ones within 3 % of the interval's width,
    // Bhattacharya's (a line through a few log-count differences) within 10 %.
    auto set = mixture(0, 0, 100000, 21, 0.1);
    auto v = sortedValues(set);
    double lower = quantile7(v, 0.025), upper = quantile7(v, 0.975), width = upper - lower;
    auto tqq = truncatedQQ(v).estimate;
    auto inv = inverseModel(v).estimate;
    auto bh = bhattacharya(v, 0.1);
    struct Bound {
        const Estimate* e;
        double bound;
    };
    for (auto [e, bound] : {Bound{&tqq, 0.03}, Bound{&inv, 0.03}, Bound{&bh, 0.1}}) {
        ASSERT_TRUE(e->ok);
        EXPECT_LT(std::fabs(e->lower - lower) / width, bound) << e->lower << " " << lower;
        EXPECT_LT(std::fabs(e->upper - upper) / width, bound) << e->upper << " " << upper;
    }
    EXPECT_GT(inv.share, 0.95);
}

TEST(IndirectBhattacharya, RecoversTheTruth) {
    const Truth cases[] = {{0, 0, 100000, 0.1}, {0, 0.2, 100000, 0.15}, {0.2, 0.2, 100000, 0.15}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "λ " << c.lambda << " share " << c.share);
        auto set = mixture(c.lambda, c.share, c.n, 1);
        auto e = bhattacharya(sortedValues(set), 1);
        ASSERT_TRUE(e.ok) << e.note;
        EXPECT_LT(relError(e.lower, set.lower, set), c.bound);
        EXPECT_LT(relError(e.upper, set.upper, set), c.bound);
    }
}

TEST(IndirectMethods, RefuseTooFewValues) {
    std::vector<double> few = {-1, 0};
    for (int i = 0; i < 99; ++i)
        few.push_back(10 + i);
    EXPECT_EQ(inverseModel(few).estimate.note, "fewer than 100 values above 0");
    EXPECT_EQ(bhattacharya(few, 1).note, "fewer than 100 values above 0");
    EXPECT_FALSE(inverseModel({}).estimate.ok);
    std::vector<double> equal(2000, 5.0);
    EXPECT_FALSE(inverseModel(equal).estimate.ok);
    EXPECT_FALSE(bhattacharya(equal, 1).ok);
}

} // namespace
} // namespace kl::indirect

namespace kl::indirect {
namespace {

TEST(IndirectAnalysis, SortsOnceAndRunsTheChosenMethods) {
    struct Case {
        const char* name;
        std::vector<double> values;
    };
    auto tenths = mixture(0.5, 0.2, 20000, 4, 0.1).values;
    auto offGrid = tenths;
    offGrid[17] = 50.123; // one value with more digits: sorted by comparison instead
    auto unrounded = mixture(0, 0.2, 5000, 4, 0).values;
    auto withNegatives = mixture(0, 0, 3000, 4, 1).values;
    withNegatives[5] = -3;
    withNegatives[6] = 0;
    const Case cases[] = {{"tenths", tenths},
                          {"one value off the grid", offGrid},
                          {"unrounded", unrounded},
                          {"negatives", withNegatives}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto values = c.values, expected = c.values;
        std::sort(expected.begin(), expected.end());
        const Method two[] = {Method::TruncatedQQ, Method::Bhattacharya};
        Analysis a = analyse(values, two);
        EXPECT_EQ(values, expected);
        EXPECT_EQ(a.resolution, roundingResolution(c.values));
        ASSERT_NE(a.estimate(Method::TruncatedQQ), nullptr);
        EXPECT_EQ(a.estimate(Method::TruncatedQQ)->lower, truncatedQQ(expected).estimate.lower);
        EXPECT_EQ(a.estimate(Method::InverseModel), nullptr);
        EXPECT_NE(a.estimate(Method::Bhattacharya), nullptr);
    }
}

} // namespace
} // namespace kl::indirect

namespace kl::indirect {
namespace {

TEST(IndirectInverseModel, WarnsWhenTheHealthyPartIsASmallShare) {
    // Twice as many pathological as healthy values: whatever is fitted, the note says so.
    std::vector<double> values;
    for (double v : mixture(0, 0, 3000, 8).values)
        values.push_back(v);
    for (int i = 0; i < 6000; ++i)
        values.push_back(100 + (i * 7919 % 4000) / 10);
    std::sort(values.begin(), values.end());
    auto r = inverseModel(values);
    ASSERT_TRUE(r.estimate.ok);
    EXPECT_LT(r.estimate.share, 0.5);
    EXPECT_EQ(r.estimate.note,
              "the healthy part was fitted to fewer than half of the values: the limits are uncertain");
    EXPECT_EQ(inverseModel(sortedValues(mixture(0, 0.2, 5000, 8))).estimate.note, "");
}

} // namespace
} // namespace kl::indirect
