// Outlier screens, verification of a transferred interval, the permissible-uncertainty bands and
// the partitioning criteria on hand-checked small examples.

#include "TestSupport.h"

#include "refint/HealthySample.h"
#include "refint/Outliers.h"
#include "refint/Partitioning.h"
#include "refint/Verification.h"

#include <vector>

using namespace kl::refint;
using kl::test::nearRel;

TEST(RefintDixonReed, HandCheckedExamples) {
    struct Case {
        const char* what;
        std::vector<double> x;
        std::vector<std::size_t> suspects; // indices, in the order found
    } cases[] = {
        // Range 7.8, top gap 5: suspect; then 1.2..4: range 2.8, low gap 0.8 (0.29): no more.
        {"one high value", {1.2, 2, 3, 4, 9, 2.5, 3.5}, {4}},
        {"gap exactly a third", {15, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}, {0}}, // 5/15
        {"just under a third", {15.1, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}, {}}, // 4.9/14.9
        // Range 70: the top gap 46 goes first; then range 24, low gap 20; then 0..4: 1/4.
        {"both ends, the wider gap first", {-20, 0, 1, 2, 3, 4, 50}, {6, 0}},
        // Equally spaced: 1/3 at the low end, then 2..4 with a gap of half the range; two remain.
        {"four equally spaced", {1, 2, 3, 4}, {0, 1}},
        {"identical values", {5, 5, 5, 5}, {}},
        {"fewer than three", {1, 100}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dixonReedScreen(c.x), c.suspects) << c.what;
}

TEST(RefintTukey, FencesOnTheTransformedScale) {
    // Log-normal values with one ten standard deviations above the mean (on the log scale).
    std::vector<double> x = healthySample({0, 2, 0.2, 0}, 200, 7);
    x.push_back(std::exp(4.0));
    TukeyScreen t = tukeyScreen(x);
    ASSERT_TRUE(t.lambda);
    ASSERT_FALSE(t.suspects.empty());
    EXPECT_EQ(t.suspects.back(), 200u);
    EXPECT_LE(t.suspects.size(), 6u); // a normal bulk has few values beyond the fences
    // A value <= 0 leaves the raw scale, where the fences are the raw quartiles' plus 1.5 IQR.
    x.push_back(0);
    TukeyScreen raw = tukeyScreen(x);
    EXPECT_FALSE(raw.lambda);
    EXPECT_LT(raw.highFence, std::exp(4.0));
}

TEST(RefintVerification, BinomialAllowances) {
    struct Case {
        std::size_t n, allowed;
    } cases[] = {{20, 3}, {40, 4}, {60, 6}, {120, 10}, {1, 1}, {10, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(binomialAllowance(c.n), c.allowed) << c.n;
}

TEST(RefintVerification, OperatingFigures) {
    Verification one = verifyInterval(std::vector<double>(20, 5.0), 1, 10);
    EXPECT_EQ(one.rule, VerificationRule::OneStage);
    EXPECT_TRUE(one.accepted);
    EXPECT_EQ(one.allowed, 2u);
    EXPECT_NEAR(one.passIfRight, 0.9245, 5e-5);
    double published[] = {0.6769, 0.4049, 0.2061, 0.0355};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(one.passIfOutside[i], published[i], 5e-5) << i;
    Verification two = verifyInterval(std::vector<double>(40, 5.0), 1, 10);
    EXPECT_EQ(two.rule, VerificationRule::TwoStage);
    EXPECT_NEAR(two.passIfRight, 0.9943, 5e-5);
}

TEST(RefintVerification, CountsAndStages) {
    auto withOutside = [](std::size_t n, std::vector<std::size_t> at) {
        std::vector<double> x(n, 5.0);
        for (std::size_t i : at)
            x[i] = i % 2 ? 0.5 : 11.0;
        return x;
    };
    struct Case {
        const char* what;
        std::vector<double> x;
        bool accepted, secondStage;
        std::size_t outside;
    } cases[] = {
        {"20, two outside", withOutside(20, {0, 1}), true, false, 2},
        {"20, three outside", withOutside(20, {0, 1, 2}), false, false, 3},
        {"limits count inside",
         {1, 10, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5},
         true,
         false,
         0},
        {"40, first stage passes", withOutside(40, {0, 1, 30, 31, 32}), true, false, 5},
        {"40, second stage passes", withOutside(40, {0, 1, 2, 30, 31}), true, true, 5},
        {"40, both stages fail", withOutside(40, {0, 1, 2, 30, 31, 32}), false, true, 6},
        {"60, six outside", withOutside(60, {0, 1, 2, 3, 4, 5}), true, false, 6},
        {"60, seven outside", withOutside(60, {0, 1, 2, 3, 4, 5, 6}), false, false, 7},
    };
    for (const Case& c : cases) {
        Verification v = verifyInterval(c.x, 1, 10);
        EXPECT_EQ(v.accepted, c.accepted) << c.what;
        EXPECT_EQ(v.secondStageUsed, c.secondStage) << c.what;
        EXPECT_EQ(v.outside, c.outside) << c.what;
    }
}

TEST(RefintVerification, PermissibleBandsAndVerdicts) {
    auto bands = permissibleBands(10, 50);
    ASSERT_TRUE(bands);
    EXPECT_NEAR(bands->lower.low, 8.96, 0.005);
    EXPECT_NEAR(bands->lower.high, 11.04, 0.005);
    EXPECT_NEAR(bands->upper.low, 46.28, 0.005);
    EXPECT_NEAR(bands->upper.high, 53.72, 0.005);
    EXPECT_FALSE(permissibleBands(0, 50));
    EXPECT_FALSE(permissibleBands(50, 10));

    Band target = bands->lower;
    struct Case {
        double estimate;
        Band own;
        Light light;
        const char* words;
    } cases[] = {
        {10.5, {9.5, 11.5}, Light::Green, "consistent"},
        {8.96, {8.0, 9.9}, Light::Green, "consistent"},
        {8.5, {7.6, 9.4}, Light::Yellow, "slightly decreased"},
        {7.0, {6.2, 7.8}, Light::Red, "markedly decreased"},
        {11.6, {10.5, 12.7}, Light::Yellow, "slightly increased"},
        {14.0, {12.6, 15.4}, Light::Red, "markedly increased"},
    };
    for (const Case& c : cases) {
        LimitVerdict v = judgeLimit(c.estimate, c.own, target);
        EXPECT_EQ(v.light, c.light) << c.estimate;
        EXPECT_EQ(v.words, c.words) << c.estimate;
    }
}

TEST(RefintPartitioning, HandCheckedCriteria) {
    EXPECT_EQ(lahtiShareVerdict(0.5), LahtiVerdict::Partition);
    EXPECT_EQ(lahtiShareVerdict(0.9), LahtiVerdict::Combine);
    EXPECT_EQ(lahtiShareVerdict(3.2), LahtiVerdict::Combine);
    EXPECT_EQ(lahtiShareVerdict(3.5), LahtiVerdict::Marginal);
    EXPECT_EQ(lahtiShareVerdict(4.1), LahtiVerdict::Marginal);
    EXPECT_EQ(lahtiShareVerdict(4.2), LahtiVerdict::Partition);

    // Two groups of 120 each: 1..120 and the same shifted by 60. Means 60.5 and 120.5, SD 34.79
    // each (n - 1); one-way ANOVA: MS_b = 240·30² = 216000, MS_w = 1210, n₀ = 120.
    std::vector<double> a, b;
    for (int i = 1; i <= 120; ++i)
        a.push_back(i), b.push_back(i + 60);
    auto p = partitionCriteria(a, b);
    ASSERT_TRUE(p);
    EXPECT_TRUE(nearRel(3.0, p->harrisBoyd.zStar));
    EXPECT_TRUE(p->harrisBoyd.partition);
    EXPECT_TRUE(nearRel(std::sqrt((216000.0 - 1210.0) / 120), p->ichihara.sdBetween));
    // Combined type 6 limits of 1..180 with the middle doubled: ranks 6.025 and 234.975 of 240.
    EXPECT_TRUE(nearRel(6.025, p->lahti.combinedLower));
    EXPECT_TRUE(nearRel(174.975, p->lahti.combinedUpper));
    EXPECT_TRUE(nearRel(5.0, p->lahti.percentOutside[0][0])); // 1..6 of group a
    EXPECT_EQ(p->lahti.percentOutside[0][1], 0.0);
    EXPECT_EQ(p->lahti.verdict, LahtiVerdict::Partition);
    EXPECT_TRUE(p->ichihara.partition);

    // The same group twice: nothing to partition by Harris & Boyd or Ichihara.
    auto same = partitionCriteria(a, a);
    ASSERT_TRUE(same);
    EXPECT_FALSE(same->harrisBoyd.partition);
    EXPECT_EQ(same->ichihara.sdBetween, 0.0);
    EXPECT_FALSE(same->ichihara.partition);
    EXPECT_FALSE(partitionCriteria(std::vector<double>{1}, a));
}
