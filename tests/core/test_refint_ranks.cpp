// Distributions computed in the program, the type 6 percentile and the exact confidence ranks of
// the nonparametric limits against the published rank table rows.

#include "TestSupport.h"

#include "refint/Distributions.h"
#include "refint/Nonparametric.h"
#include "refint/Sample.h"

#include <vector>

using namespace kl::refint;
using kl::test::nearRel;

TEST(RefintDistributions, NormalAndStudentQuantilesMatchPublishedValues) {
    struct Case {
        double p, df, expected; // df 0: the normal distribution
    } cases[] = {
        {0.975, 0, 1.959963984540054},  {0.95, 0, 1.644853626951473},   {0.5, 0, 0.0},
        {0.025, 0, -1.959963984540054}, {1e-10, 0, -6.361340902404056}, {0.975, 1, 12.70620473617471},
        {0.975, 2, 4.302652729749464},  {0.975, 10, 2.228138851986274}, {0.975, 30, 2.042272456301238},
        {0.05, 5, -2.015048372669157},
    };
    for (const Case& c : cases) {
        double got = c.df == 0 ? normalQuantile(c.p) : studentQuantile(c.p, c.df);
        if (c.expected == 0)
            EXPECT_NEAR(got, 0, 1e-15);
        else
            EXPECT_TRUE(nearRel(c.expected, got, 1e-9)) << "p=" << c.p << " df=" << c.df;
    }
}

TEST(RefintDistributions, BinomialCdfSumsTheTerms) {
    // Hand sums: P(X <= 2 | 20, 0.05) and the tails the verification figures are built from.
    EXPECT_TRUE(nearRel(0.9245163262, binomialCdf(2, 20, 0.05), 1e-9));
    EXPECT_TRUE(nearRel(std::pow(0.975, 120), binomialCdf(0, 120, 0.025), 1e-12));
    EXPECT_EQ(binomialCdf(-1, 20, 0.05), 0.0);
    EXPECT_EQ(binomialCdf(20, 20, 0.05), 1.0);
    // Large n does not underflow to nothing.
    EXPECT_TRUE(nearRel(0.5, binomialCdf(20000, 40001, 0.5), 1e-9));
}

TEST(RefintRanks, PublishedTableRows) {
    struct Row {
        std::size_t n, lowerLow, lowerHigh, upperLow, upperHigh;
    } rows[] = {
        {119, 1, 7, 113, 119},  {120, 1, 7, 114, 120},    {133, 1, 8, 126, 133},
        {200, 2, 10, 191, 199}, {1000, 17, 34, 967, 984},
    };
    for (const Row& r : rows) {
        auto ranks = confidenceRanks(r.n);
        ASSERT_TRUE(ranks) << r.n;
        EXPECT_EQ(ranks->lower.low, r.lowerLow) << r.n;
        EXPECT_EQ(ranks->lower.high, r.lowerHigh) << r.n;
        EXPECT_EQ(ranks->upper.low, r.upperLow) << r.n;
        EXPECT_EQ(ranks->upper.high, r.upperHigh) << r.n;
    }
}

TEST(RefintRanks, NoIntervalBelow119AndMonotoneAbove) {
    for (std::size_t n : {1u, 10u, 60u, 118u})
        EXPECT_FALSE(confidenceRanks(n)) << n;
    std::size_t previousLow = 1, previousHigh = 7;
    for (std::size_t n = 119; n <= 1000; ++n) {
        auto ranks = confidenceRanks(n);
        ASSERT_TRUE(ranks) << n;
        // The ranks never fall as n grows and always bracket the point rank 0.025 (n + 1).
        EXPECT_GE(ranks->lower.low, previousLow);
        EXPECT_GE(ranks->lower.high, previousHigh);
        EXPECT_LE(static_cast<double>(ranks->lower.low), 0.025 * (n + 1));
        EXPECT_GE(static_cast<double>(ranks->lower.high), 0.025 * (n + 1));
        EXPECT_EQ(ranks->upper.low + ranks->lower.high, n + 1);
        previousLow = ranks->lower.low, previousHigh = ranks->lower.high;
    }
}

TEST(RefintSample, Type6PercentilesInterpolateAndClamp) {
    std::vector<double> x = {5, 1, 4, 2, 3, 3, 10, 7, 8, 6}; // sorted 1 2 3 3 4 5 6 7 8 10
    Sample s = Sample::of(x);
    EXPECT_EQ(s.n, 10u);
    EXPECT_EQ(s.values.size(), 9u);
    struct Case {
        double p, expected;
    } cases[] = {
        {0.025, 1},   // r = 0.275 < 1: the smallest
        {0.975, 10},  // r = 10.725 >= n: the largest
        {0.5, 4.5},   // r = 5.5
        {0.25, 2.75}, // r = 2.75: 2 + 0.75 (3 - 2)
        {0.3, 3},     // r = 3.3 between the tied threes
        {0.85, 8.7},  // r = 9.35: 8 + 0.35 (10 - 8)
    };
    std::vector<double> sorted = s.sorted();
    for (const Case& c : cases) {
        EXPECT_TRUE(nearRel(c.expected, quantileType6(s, c.p))) << c.p;
        EXPECT_TRUE(nearRel(c.expected, quantileType6(sorted, c.p))) << c.p;
    }
    EXPECT_EQ(s.ordered(4), 3);
    EXPECT_EQ(s.ordered(10), 10);
}
