#include "TestSupport.h"
#include "text/Mask.h"

#include <cmath>
#include <limits>

namespace kl {
namespace {

struct MaskCase {
    double value;
    const char* mask;
    const char* expected;
};

// Names the case in test lists: "0.25 in ###.#".
void PrintTo(const MaskCase& c, std::ostream* os) {
    *os << c.value << " in " << c.mask;
}

class FormatMaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FormatMaskTest, WritesTheExpectedText) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(formatMask(c.value, c.mask), c.expected) << "value " << c.value << " mask " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(Rounding, FormatMaskTest,
                         ::testing::Values(
                             // Half away from zero on the printed digits, not on the binary value.
                             MaskCase{0.25, "###.#", "  0.3"}, MaskCase{-0.25, "###.#", " -0.3"},
                             MaskCase{0.35, "###.#", "  0.4"}, MaskCase{2.675, "###.##", "  2.68"},
                             MaskCase{1.1499999999999999, "###.#", "  1.2"}, MaskCase{1.14, "###.#", "  1.1"},
                             MaskCase{2.5, "#####", "    3"}, MaskCase{-2.5, "#####", "   -3"},
                             MaskCase{1.5, "#####", "    2"}, MaskCase{0.4999, "#####", "    0"},
                             MaskCase{9.995, "##.##", "10.00"}, MaskCase{99.96, "###.#", "100.0"},
                             MaskCase{0.125, "#.##", "0.13"}),
                         test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Layout, FormatMaskTest,
    ::testing::Values(
        // A zero stands before the point of a number below 1; exactly the mask's decimals.
        MaskCase{0.5, "###.##", "  0.50"}, MaskCase{0.0, "######.##", "     0.00"},
        MaskCase{-0.5, "###.##", " -0.50"}, MaskCase{12.0, "######.######", "    12.000000"},
        MaskCase{3.14159, "###.#", "  3.1"}, MaskCase{12345.0, "#####", "12345"},
        MaskCase{7.0, "#####", "    7"}, MaskCase{0.0, "#####", "    0"}, MaskCase{1e-300, "#.##", "0.00"},
        MaskCase{0.004, "#.##", "0.00"}, MaskCase{0.005, "#.##", "0.01"},
        MaskCase{123456.123456, "######.######", "123456.123456"}),
    test::CaseName());

INSTANTIATE_TEST_SUITE_P(NegativeZero, FormatMaskTest,
                         ::testing::Values(
                             // A value that rounds to zero shows no minus sign.
                             MaskCase{-0.00001, "###.##", "  0.00"}, MaskCase{-0.004, "###.##", "  0.00"},
                             MaskCase{-0.0, "#####", "    0"}, MaskCase{-0.4, "#####", "    0"},
                             MaskCase{-0.005, "###.##", " -0.01"}),
                         test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Overflow, FormatMaskTest,
    ::testing::Values(
        // Tested after rounding; the full number follows "%", in fixed notation, mask decimals.
        MaskCase{1234567.25, "######.#", "%1234567.3"}, MaskCase{123456.0, "#####", "%123456"},
        MaskCase{99999.5, "#####", "%100000"}, MaskCase{99999.4, "#####", "99999"},
        MaskCase{-12345.0, "#####", "%-12345"}, MaskCase{-1234.0, "#####", "-1234"},
        MaskCase{999.96, "###.#", "%1000.0"}, MaskCase{1e20, "#####", "%100000000000000000000"},
        MaskCase{1.5e17, "###.#", "%150000000000000000.0"}),
    test::CaseName());

TEST(FormatMask, HugeValuesNeverUseAnExponent) {
    std::string text = formatMask(1e300, "#####");
    ASSERT_EQ(text.size(), 302u);
    EXPECT_EQ(text.substr(0, 2), "%1");
    EXPECT_EQ(text.find_first_not_of('0', 2), std::string::npos);
}

TEST(FormatMask, NonFiniteValuesAreMarkedAsOverflow) {
    EXPECT_EQ(formatMask(std::numeric_limits<double>::quiet_NaN(), "###.#").front(), '%');
    EXPECT_EQ(formatMask(std::numeric_limits<double>::infinity(), "###.#").front(), '%');
    EXPECT_EQ(formatMask(-std::numeric_limits<double>::infinity(), "###.#").front(), '%');
}

TEST(FormatMaskTrim, DropsTheAlignmentBlanks) {
    EXPECT_EQ(formatMaskTrim(0.5, "######.##"), "0.50");
    EXPECT_EQ(formatMaskTrim(-3.0, "#####"), "-3");
    EXPECT_EQ(formatMaskTrim(1234567.25, "######.#"), "%1234567.3");
}

struct RoundCase {
    double x;
    int decimals;
    double expected;
};

TEST(Round501, AddsTheSinglePrecisionHalf) {
    const RoundCase cases[] = {
        {12.4991, 0, 13.0}, // 12.4991 + 0.50099998... passes 13
        {12.499, 0, 12.0},  // 12.99999998... stays below 13
        {12.5, 0, 13.0},    {0.0, 0, 0.0},        {-0.5, 0, 0.0},       {-0.6, 0, -1.0},
        {1.2349, 2, 1.23},  {1.235, 2, 1.24},     {2.49, 1, 2.5},       {0.04, 1, 0.0},
        {0.05, 1, 0.1},     {1234.0, -2, 1200.0}, {1250.0, -2, 1300.0},
    };
    for (const RoundCase& c : cases)
        EXPECT_TRUE(test::nearRel(c.expected, round501(c.x, c.decimals), 1e-12))
            << c.x << " at " << c.decimals << " decimals";
}

TEST(Round501, KeepsNonFiniteValues) {
    EXPECT_TRUE(std::isnan(round501(std::nan(""), 2)));
    EXPECT_TRUE(std::isinf(round501(std::numeric_limits<double>::infinity(), 2)));
}

TEST(PixelRound, UsesTheSameHalf) {
    EXPECT_EQ(pixelRound(12.4991), 13);
    EXPECT_EQ(pixelRound(12.499), 12);
    EXPECT_EQ(pixelRound(-0.5), 0);
    EXPECT_EQ(pixelRound(-0.6), -1);
    EXPECT_EQ(pixelRound(100.0), 100);
}

TEST(PixelRound, ClampsValuesNoSurfaceCanHold) {
    EXPECT_EQ(pixelRound(std::nan("")), 0);
    EXPECT_GT(pixelRound(1e300), 1000000000LL);
    EXPECT_LT(pixelRound(-std::numeric_limits<double>::infinity()), -1000000000LL);
}

} // namespace
} // namespace kl
