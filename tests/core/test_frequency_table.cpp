#include "stats/FrequencyTable.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kl {
namespace {

const std::string kTail(52, ' ');

// ---- class positions -------------------------------------------------------------------------

struct PositionCase {
    const char* label;
    double lower;
    double width;
    double x;
    int expectedClass; // 0: not counted
};

class Position : public ::testing::TestWithParam<PositionCase> {};

TEST_P(Position, LandsInItsClass) {
    const PositionCase& c = GetParam();
    std::vector<double> values{c.x};
    TableCounts counted = countIntoClasses(values, c.lower, c.width, 10, false);
    ASSERT_EQ(counted.status, CountStatus::Ok);
    int found = 0;
    for (std::size_t k = 0; k < counted.counts.size(); ++k)
        if (counted.counts[k] == 1) found = static_cast<int>(k) + 1;
    EXPECT_EQ(found, c.expectedClass) << c.label;
    EXPECT_EQ(std::accumulate(counted.counts.begin(), counted.counts.end(), 0), found == 0 ? 0 : 1)
        << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Position,
    ::testing::Values(PositionCase{"L + 3w", 1.5, 0.2, 1.5 + 3 * 0.2, 4},
                      PositionCase{"L + 3w - 0.00005w", 1.5, 0.2, 1.5 + 3 * 0.2 - 0.00005 * 0.2, 4},
                      PositionCase{"L + 3w - 0.0002w", 1.5, 0.2, 1.5 + 3 * 0.2 - 0.0002 * 0.2, 3},
                      PositionCase{"whole L + 3w", 0, 1, 3, 4},
                      PositionCase{"whole L + 3w - 0.00005w", 0, 1, 2.99995, 4},
                      PositionCase{"whole L + 3w - 0.0002w", 0, 1, 2.9998, 3},
                      PositionCase{"lower limit itself", 0, 1, 0, 1},
                      PositionCase{"a hair below L", 0, 1, -0.00005, 1},
                      PositionCase{"below L", 0, 1, -0.0002, 0}, PositionCase{"upper limit U", 0, 1, 10, 0},
                      PositionCase{"just below U", 0, 1, 9.99, 10},
                      PositionCase{"far below, beyond 16 bits", 0, 0.1, -1e9, 0}),
    test::CaseName());

TEST(Counting, FoldingTakesTheExtremesIntoTheEndClasses) {
    std::vector<double> values{-1e9, -40000.5, 0, 5, 10, 10.5, 3998};
    TableCounts plain = countIntoClasses(values, 0, 1, 10, false);
    TableCounts folded = countIntoClasses(values, 0, 1, 10, true);
    ASSERT_EQ(plain.status, CountStatus::Ok);
    ASSERT_EQ(folded.status, CountStatus::Ok);
    EXPECT_EQ(plain.counts, (std::vector<int>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(folded.counts, (std::vector<int>{3, 0, 0, 0, 0, 1, 0, 0, 0, 3}));
}

TEST(Counting, RefusesPositionsBeyond3999Classes) {
    struct Case {
        double x;
        CountStatus status;
    } cases[] = {{3998.5, CountStatus::Ok},
                 {3998.99995, CountStatus::ClassTooHigh}, // p ≤ 3999 but floor(p + 0.0001) + 1 = 4000
                 {3999, CountStatus::ClassTooHigh},
                 {3999.01, CountStatus::TooFarAbove},
                 {1e300, CountStatus::TooFarAbove}};
    for (const Case& c : cases) {
        std::vector<double> values{1, c.x, 2};
        EXPECT_EQ(countIntoClasses(values, 0, 1, 10, true).status, c.status) << c.x;
    }
}

// ---- rows ---------------------------------------------------------------------------------------

TEST(Rows, AreLaidOutByteForByte) {
    EXPECT_EQ(frequencyRow(1, "1.5", "1.7", 3), "    1 |          1.5 － 1.7          | 3     " + kTail);
    EXPECT_EQ(frequencyRow(12, "-120.25", "99999999.50", 40000),
              "   12 |      -120.25 － 99999999.50  | 40000 " + kTail);
    EXPECT_EQ(frequencyRow(3, "1.9", "2.1", 0), "    3 |          1.9 － 2.1          |       " + kTail);
    EXPECT_EQ(frequencyRow(1, "", "", 1), "    1 |              －              | 1     " + kTail);
}

const std::vector<double> kValues{1.5, 1.5, 1.5, 1.7, 3.49, 3.5, 1.0};
const ParameterContext kCtx{1, "1.0", "3.5"};

std::vector<std::string> expectedRows(bool fold) {
    std::vector<std::string> rows;
    const char* bounds[] = {"1.5", "1.7", "1.9", "2.1", "2.3", "2.5", "2.7", "2.9", "3.1", "3.3", "3.5"};
    const char* freq[] = {"3     ", "1     ", "      ", "      ", "      ",
                          "      ", "      ", "      ", "      ", "1     "};
    for (int k = 1; k <= 10; ++k) {
        std::string lo = bounds[k - 1], hi = bounds[k];
        std::string f = freq[k - 1];
        if (fold && k == 1) {
            lo = "";
            f = "4     "; // 1.0 lies below L
        }
        if (fold && k == 10) {
            hi = "";
            f = "2     "; // 3.5 is U
        }
        std::string kText = std::to_string(k);
        rows.push_back(std::string(5 - kText.size(), ' ') + kText + " | " + std::string(12 - lo.size(), ' ') +
                       lo + " － " + hi + std::string(12 - hi.size(), ' ') + " | " + f + kTail);
    }
    return rows;
}

TEST(Rows, FoldOffAndOn) {
    for (bool fold : {false, true}) {
        TableState state;
        TableOutcome out = runTable({"0.2", "1.5", "10", "3.5"}, kValues, kCtx, fold, state);
        ASSERT_EQ(out.result, TableResult::Built);
        EXPECT_EQ(out.rows, expectedRows(fold)) << "fold " << fold;
        EXPECT_TRUE(out.messages.empty());
    }
}

TEST(Rows, FoldingKeepsALowerBoundOfZeroWithTwoDecimals) {
    struct Case {
        int decimals;
        const char* minText;
        const char* expectedLower; // class 1's lower bound column
    } cases[] = {{2, "0.5", "        0.00"}, {2, "-0.5", "            "}, {1, "0.5", "            "}};
    for (const Case& c : cases) {
        std::vector<int> counts(10, 1);
        auto rows = frequencyRows(counts, 0, 1, c.decimals, true, c.minText);
        EXPECT_EQ(rows.front().substr(8, 12), c.expectedLower) << c.decimals << " " << c.minText;
        EXPECT_EQ(rows.front().substr(0, 8), "    1 | ");
        EXPECT_EQ(rows.back().substr(rows.back().find("－") + 4, 12), std::string(12, ' '));
    }
}

// ---- TABLE's checks in their order ----------------------------------------------------------

struct CheckCase {
    const char* label;
    ParameterFields before;
    ParameterFields after;
    std::vector<const char*> messages;
    TableResult result;
    bool clearList;
};

class Checks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Checks, CorrectThenBuildOrRefuse) {
    const CheckCase& c = GetParam();
    TableState state;
    TableOutcome out = runTable(c.before, kValues, kCtx, false, state);
    EXPECT_EQ(out.result, c.result) << c.label;
    if (c.result != TableResult::Unset) {
        EXPECT_EQ(out.fields, c.after) << c.label << ": " << out.fields.interval << "|" << out.fields.lower
                                       << "|" << out.fields.classes << "|" << out.fields.upper;
    }
    std::vector<std::string> shown;
    for (const Message& m : out.messages)
        shown.push_back(m.text);
    EXPECT_EQ(shown, std::vector<std::string>(c.messages.begin(), c.messages.end())) << c.label;
    EXPECT_EQ(out.clearList, c.clearList) << c.label;
    EXPECT_EQ(out.copies.has_value(), c.result == TableResult::Built) << c.label;
    EXPECT_EQ(out.rows.empty(), c.result != TableResult::Built) << c.label;
}

const std::string kR = rejectMessage().text;

INSTANTIATE_TEST_SUITE_P(
    Cases, Checks,
    ::testing::Values(
        CheckCase{
            "blank field", {"", "1.5", "10", "3.5"}, {}, {texts::kParametersUnset}, TableResult::Unset, true},
        CheckCase{"blank upper",
                  {"0.2", "1.5", "10", " "},
                  {},
                  {texts::kParametersUnset},
                  TableResult::Unset,
                  true},
        CheckCase{"interval below a unit",
                  {"0.04", "1.5", "10", "x"},
                  {"0.1", "1.5", "10", "2.5"},
                  {texts::kIntervalTooSmall},
                  TableResult::Built,
                  true},
        CheckCase{"interval of 14 characters",
                  {"1.000000000001", "1.5", "10", "x"},
                  {"1.0", "1.5", "10", "11.5"},
                  {texts::kIntervalTooLong},
                  TableResult::Built,
                  true},
        // (3.5 - 1.0) / 15 + 0.501 floors to 0: raised to the unit.
        CheckCase{"interval above 99999",
                  {"-150000", "1.5", "10", "x"},
                  {"0.1", "1.5", "10", "2.5"},
                  {texts::kIntervalTooLarge},
                  TableResult::Built,
                  true},
        CheckCase{"lower above the maximum",
                  {"0.2", "5", "10", "x"},
                  {"0.2", "1.0", "10", "3.0"},
                  {texts::kLowerTooLarge},
                  TableResult::Built,
                  true},
        CheckCase{"too many classes",
                  {"0.2", "1.5", "60", "x"},
                  {"0.2", "1.5", "50", "11.5"},
                  {texts::kTooManyClasses},
                  TableResult::Built,
                  true},
        CheckCase{"too few classes",
                  {"0.2", "1.5", "9", "x"},
                  {"0.2", "1.5", "15", "4.5"},
                  {texts::kTooFewClasses},
                  TableResult::Built,
                  true},
        CheckCase{"two findings in order",
                  {"0.04", "1.5", "9", "x"},
                  {"0.1", "1.5", "15", "3.0"},
                  {texts::kIntervalTooSmall, texts::kTooFewClasses},
                  TableResult::Built,
                  true},
        CheckCase{"normalised without findings",
                  {" 0.2 ", "1.5", "10.9", "0"},
                  {"0.2", "1.5", "10", "3.5"},
                  {},
                  TableResult::Built,
                  false},
        // A negative interval left without Enter: the upper limit falls below the lower.
        CheckCase{"upper not above lower",
                  {"-0.2", "1.5", "10", "x"},
                  {"-0.2", "1.5", "10", "-0.5"},
                  {kR.c_str()},
                  TableResult::Rejected,
                  false}),
    test::CaseName());

TEST(Checks, TooSmallMessageOnlyTheFirstTime) {
    TableState state;
    TableOutcome first = runTable({"0.04", "1.5", "10", "x"}, kValues, kCtx, false, state);
    TableOutcome second = runTable({"0.04", "1.5", "10", "x"}, kValues, kCtx, false, state);
    ASSERT_EQ(first.messages.size(), 1u);
    EXPECT_EQ(first.messages[0].text, texts::kIntervalTooSmall);
    EXPECT_TRUE(second.messages.empty());
    EXPECT_EQ(second.fields.interval, "0.1"); // the correction happens every time
    EXPECT_EQ(state.tooSmallCount, 2);
}

TEST(Checks, UpperThatOverflowsItsMaskIsRefusedWithABeep) {
    TableState state;
    std::vector<double> values(10, 1.5e9);
    TableOutcome out =
        runTable({"10", "1000000000", "10", "x"}, values, {1, "1", "2000000000"}, false, state);
    EXPECT_EQ(out.result, TableResult::Rejected);
    EXPECT_TRUE(out.beep);
    EXPECT_EQ(out.fields.lower, "%1000000000.0");
    EXPECT_EQ(out.fields.upper, "%1000000100.0");
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].caption, "bad data(n)");
}

TEST(Checks, MessageR) {
    Message r = rejectMessage();
    EXPECT_EQ(r.caption, "bad data(n)");
    EXPECT_EQ(r.text, "パラメーターの設定が適当ではありません。  \r\n"
                      "階級幅など再度設定の後このボタンをどうぞ。            ");
    EXPECT_EQ(r.buttons, Buttons::Ok);
    EXPECT_EQ(r.icon, Icon::Information);
}

TEST(Checks, ClassPositionAbove3999FocusesTheInterval) {
    const ParameterContext ctx{1, "0", "4000"};
    struct Case {
        double x;
        bool focus;
    } cases[] = {{3999, true}, {3999.5, false}};
    for (const Case& c : cases) {
        TableState state;
        std::vector<double> values{1, 2, c.x};
        TableOutcome out = runTable({"1.0", "0.0", "10", "10.0"}, values, ctx, false, state);
        EXPECT_EQ(out.result, TableResult::Rejected) << c.x;
        EXPECT_EQ(out.focusInterval, c.focus) << c.x;
        EXPECT_FALSE(out.copies.has_value()) << c.x;
        EXPECT_FALSE(out.clearList) << c.x; // the rows already listed stay
    }
}

TEST(Checks, CopiesAreTheFieldsOfTheBuiltTable) {
    TableState state;
    TableOutcome out = runTable({"0.2", "1.5", "10", "x"}, kValues, kCtx, true, state);
    ASSERT_TRUE(out.copies.has_value());
    EXPECT_EQ(*out.copies, (TableCopies{10, "1.5", "0.2", "3.5"}));
}

TEST(Checks, ProposalForRange0To028IsCorrectedToOneUnit) {
    ItemList items = buildItemList({{"Z", "0.00", "0.28"}});
    ParameterContext ctx{1, "0.0", "2.9"};
    ClassProposal p = proposeClassParameters(items, 2, ctx);
    ASSERT_EQ(p.fields.interval, "0.0"); // the ladder's 0.025 at one decimal
    std::vector<double> values{0.0, 0.05, 0.1, 0.15, 0.2, 0.25, 0.3, 1.0, 2.0, 2.9};
    TableState state;
    TableOutcome out = runTable(p.fields, values, ctx, false, state);
    ASSERT_EQ(out.result, TableResult::Built);
    EXPECT_EQ(out.fields, (ParameterFields{"0.1", "0.0", "30", "3.0"}));
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text, texts::kIntervalTooSmall);
    EXPECT_EQ(out.rows.size(), 30u);
    EXPECT_EQ(out.rows[0], "    1 |          0.0 － 0.1          | 2     " + kTail);
}

TEST(Checks, AllNegativeDataGetNegativeClassesWithoutACorrection) {
    // The proposal no longer starts the classes at 0 (which TABLE had to move to the minimum with
    // its "too large" message): L = min - w, 30 classes of w, as for positive data.
    ParameterContext ctx{1, "-50", "-20"};
    ClassProposal p = proposeClassParameters(buildItemList({}), 1, ctx);
    std::vector<double> values{-50, -45, -40, -35, -30, -25, -22, -21, -20.5, -20};
    TableState state;
    TableOutcome out = runTable(p.fields, values, ctx, false, state);
    ASSERT_EQ(out.result, TableResult::Built);
    EXPECT_EQ(out.fields, (ParameterFields{"1.0", "-51.0", "30", "-21.0"}));
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.rows[1], "    2 |        -50.0 － -49.0        | 1     " + kTail);
}

} // namespace
} // namespace kl
