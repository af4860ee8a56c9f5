#include "stats/ClassParameters.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace kl {
namespace {

ItemList itemsWith(std::vector<ReferenceRange> records) {
    return buildItemList(records);
}

// ---- the ladder -------------------------------------------------------------------------------

struct LadderCase {
    double raw;
    double expected;
};

void PrintTo(const LadderCase& c, std::ostream* os) {
    *os << "raw " << c.raw;
}

class Ladder : public ::testing::TestWithParam<LadderCase> {};

TEST_P(Ladder, RoundsTheRawInterval) {
    EXPECT_DOUBLE_EQ(ladderInterval(GetParam().raw), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Ladder,
    ::testing::Values(
        // 2.995 falls through the ladder and floor(w + 0.501) gives 3; 2.98 is caught by the last rung.
        LadderCase{2.995, 3}, LadderCase{2.98, 3.0},
        // The 0.501 addend is single precision: 12.4991 goes up, 12.499 does not.
        LadderCase{12.4991, 13}, LadderCase{12.499, 12},
        // Thresholds compared in single precision: the double 0.0011 lies above the float 0.0011,
        // the doubles 0.3, 0.6, 1.1 and 2.99 lie below their floats.
        LadderCase{0.0011, 0.002}, LadderCase{0.0010999999999, 0.002}, LadderCase{0.00109, 0.001},
        LadderCase{0.3, 0.25}, LadderCase{0.6, 0.5}, LadderCase{1.1, 1.0}, LadderCase{2.99, 3.0},
        // 0.03 is not below 0.03f: 0.05, not 0.025; 0.028 shows the 0.025 rung.
        LadderCase{0.03, 0.05}, LadderCase{0.028, 0.025}, LadderCase{0.15, 0.2}, LadderCase{2.88, 3.0},
        LadderCase{0.0, 0.001}, LadderCase{-5.0, 0.001}, LadderCase{7.0, 7}, LadderCase{1.55, 1.5},
        LadderCase{2.05, 2.0}, LadderCase{2.55, 2.5}, LadderCase{0.005, 0.005}, LadderCase{0.01, 0.01},
        LadderCase{0.05, 0.05}, LadderCase{0.1, 0.1}, LadderCase{0.24, 0.2}, LadderCase{0.55, 0.5}),
    test::CaseName());

// ---- proposals -------------------------------------------------------------------------------

struct ProposalCase {
    const char* label;
    std::vector<ReferenceRange> master;
    int index;
    int decimals;
    const char* minText;
    const char* maxText;
    ParameterFields fields;
    const char* referenceText;
    const char* proposedLower;
    const char* proposedUpper;
};

class Proposal : public ::testing::TestWithParam<ProposalCase> {};

TEST_P(Proposal, FillsTheFourFields) {
    const ProposalCase& c = GetParam();
    ClassProposal p =
        proposeClassParameters(itemsWith(c.master), c.index, {c.decimals, c.minText, c.maxText});
    EXPECT_EQ(p.fields, c.fields) << c.label << ": " << p.fields.interval << " " << p.fields.lower << " "
                                  << p.fields.classes << " " << p.fields.upper;
    EXPECT_EQ(p.referenceText, c.referenceText) << c.label;
    EXPECT_EQ(p.proposedLower, c.proposedLower) << c.label;
    EXPECT_EQ(p.proposedUpper, c.proposedUpper) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Proposal,
    ::testing::Values(
        ProposalCase{"range 3.5-5.0",
                     {{"K", "3.5", "5.0"}},
                     2,
                     1,
                     "1",
                     "9",
                     {"0.2", "1.5", "30", "7.5"},
                     "* R.I.： 3.5 - 5.0",
                     "     1.5",
                     "       7.5"},
        ProposalCase{"range 0-10 clamps L",
                     {{"X", "0", "10"}},
                     2,
                     1,
                     "1",
                     "9",
                     {"1.0", "0.0", "30", "30.0"},
                     "* R.I.： 0 - 10",
                     "     0.0",
                     "      30.0"},
        // No upper limit: w = 40 / 30 = 1.33 -> 1.5, L = 40 - 15.
        ProposalCase{"upper 99999",
                     {{"HDL", "40", "99999"}},
                     2,
                     1,
                     "1",
                     "9",
                     {"1.5", "25.0", "30", "70.0"},
                     "* R.I.：  - 40",
                     "    25.0",
                     "      70.0"},
        ProposalCase{"upper 9999",
                     {{"A", "B", "C"}, {"Y", "3", "9999"}},
                     3,
                     2,
                     "1",
                     "9",
                     {"0.10", "2.00", "30", "5.00"},
                     "* R.I.：  - 3",
                     "     2.00",
                     "       5.00"},
        ProposalCase{"OTHER 12.3-98.7", {}, 1, 1, "12.3", "98.7", {"3.0", "9.3", "30", "99.3"}, "", "", ""},
        ProposalCase{
            "blank entry means OTHER", {}, 0, 1, "12.3", "98.7", {"3.0", "9.3", "30", "99.3"}, "", "", ""},
        // 0.028 -> 0.025, which one decimal shows as 0.0 (TABLE corrects it later).
        ProposalCase{"range 0.00-0.28",
                     {{"Z", "0.00", "0.28"}},
                     2,
                     1,
                     "0",
                     "1",
                     {"0.0", "0.0", "30", "0.8"},
                     "* R.I.： 0.00 - 0.28",
                     "     0.0",
                     "       0.8"},
        ProposalCase{"range 0.00-0.30 follows the ladder",
                     {{"Z", "0.00", "0.30"}},
                     2,
                     1,
                     "0",
                     "1",
                     {"0.1", "0.0", "30", "1.5"},
                     "* R.I.： 0.00 - 0.30",
                     "     0.0",
                     "       1.5"},
        // Data reaching below 0 keep their negative classes: no clamp of lo or L at 0.
        ProposalCase{
            "OTHER all negative", {}, 1, 1, "-50", "-20", {"1.0", "-51.0", "30", "-21.0"}, "", "", ""},
        ProposalCase{"OTHER across 0", {}, 1, 1, "-8.5", "6.3", {"0.5", "-9.0", "30", "6.0"}, "", "", ""},
        ProposalCase{"item below 0, negative data",
                     {{"BE", "-2", "2"}},
                     2,
                     1,
                     "-8",
                     "6",
                     {"0.5", "-7.0", "30", "8.0"},
                     "* R.I.： -2 - 2",
                     "    -7.0",
                     "       8.0"},
        // A data minimum of exactly 0 is not negative: both clamps hold.
        ProposalCase{"item below 0, data from 0",
                     {{"BE", "-2", "2"}},
                     2,
                     1,
                     "0",
                     "6",
                     {"0.5", "0.0", "30", "15.0"},
                     "* R.I.： -2 - 2",
                     "     0.0",
                     "      15.0"},
        ProposalCase{"OTHER four decimals",
                     {},
                     1,
                     4,
                     "0.01",
                     "0.04",
                     {"0.0010", "0.0090", "30", "0.0390"},
                     "",
                     "",
                     ""}),
    test::CaseName());

TEST(Proposal, ItemKeepsTrimmedReferenceLimitsAndHint) {
    ItemList items = buildItemList({{" TP ", " 6.6 ", " 8.1"}});
    ClassProposal p = proposeClassParameters(items, 2, {2, "5", "9"});
    EXPECT_EQ(p.referenceLower, "6.6");
    EXPECT_EQ(p.referenceUpper, "8.1");
    EXPECT_EQ(p.entryText, "TP" + std::string(21, ' '));
    EXPECT_EQ(p.hint, texts::kHintItemChosen);
    EXPECT_TRUE(p.fieldsEnabled);

    ClassProposal other = proposeClassParameters(items, 1, {2, "5", "9"});
    EXPECT_TRUE(other.referenceLower.empty());
    EXPECT_TRUE(other.referenceUpper.empty());
    EXPECT_EQ(other.hint, texts::kHintChooseItem);
}

TEST(Proposal, EntryWithoutNameDisablesAndEmptiesTheFields) {
    ClassProposal p = proposeClassParameters(buildItemList({{"", "1", "2"}}), 2, {1, "0", "9"});
    EXPECT_FALSE(p.fieldsEnabled);
    EXPECT_EQ(p.fields, ParameterFields{});
}

TEST(Proposal, IndexOutsideTheListFallsBackToOther) {
    ClassProposal p = proposeClassParameters(buildItemList({}), 7, {1, "12.3", "98.7"});
    EXPECT_EQ(p.index, 1);
    EXPECT_EQ(p.fields.interval, "3.0");
}

// ---- typed parameters ----------------------------------------------------------------------

struct TypedCase {
    const char* label;
    ParameterField field;
    ParameterFields before;
    int decimals;
    ParameterFields after;
    std::vector<const char*> messages;
    bool runTable;
    bool clearList;
    bool beep;
};

class Typed : public ::testing::TestWithParam<TypedCase> {};

TEST_P(Typed, CorrectsTheFieldAndSaysWhatFollows) {
    const TypedCase& c = GetParam();
    TypedParameterOutcome out = typedParameterChanged(c.field, c.before, true, {c.decimals, "12.3", "98.7"});
    EXPECT_EQ(out.fields, c.after) << c.label << ": " << out.fields.interval << "|" << out.fields.lower << "|"
                                   << out.fields.classes << "|" << out.fields.upper;
    std::vector<std::string> shown;
    for (const Message& m : out.messages) {
        EXPECT_EQ(m.caption, "BAD DATA");
        EXPECT_EQ(m.buttons, Buttons::Ok);
        EXPECT_EQ(m.icon, Icon::Information);
        shown.push_back(m.text);
    }
    EXPECT_EQ(shown, std::vector<std::string>(c.messages.begin(), c.messages.end())) << c.label;
    EXPECT_EQ(out.runTable, c.runTable) << c.label;
    EXPECT_EQ(out.clearList, c.clearList) << c.label;
    EXPECT_EQ(out.beep, c.beep) << c.label;
}

using F = ParameterField;
INSTANTIATE_TEST_SUITE_P(
    Cases, Typed,
    ::testing::Values(TypedCase{"0.04 rounds below a unit",
                                F::Interval,
                                {"0.04\r\n", "1.5", "30", "7.5"},
                                1,
                                {"0.1", "1.5", "30", "4.5"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"negative interval",
                                F::Interval,
                                {"-0.5\r\n", "1.5", "30", "7.5"},
                                1,
                                {"0.5", "1.5", "30", "16.5"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"no Enter yet",
                                F::Interval,
                                {"0.04", "1.5", "30", "7.5"},
                                1,
                                {"0.04", "1.5", "30", "7.5"},
                                {},
                                false,
                                false,
                                false},
                      // (98.7 - 12.3) / 15 + 0.501 = 6.26 -> 6.
                      TypedCase{"interval above 99999",
                                F::Interval,
                                {"150000\r\n", "0", "10", "1"},
                                2,
                                {"6.00", "0", "10", "60.00"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"interval of 14 characters",
                                F::Interval,
                                {"1.000000000001\r\n", "0", "10", "1"},
                                2,
                                {"1.00", "0", "10", "10.00"},
                                {texts::kIntervalTooLong},
                                true,
                                true,
                                false},
                      TypedCase{"Enter in an empty interval",
                                F::Interval,
                                {"\r\n", "2", "10", "1"},
                                3,
                                {"0.001", "2", "10", "2.010"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"blank interval",
                                F::Interval,
                                {"   ", "2", "10", "1"},
                                1,
                                {"   ", "2", "10", ""},
                                {},
                                false,
                                true,
                                false},
                      // The 0.501 addend: a remaining fraction above 0.4990000129 of the last unit rounds up.
                      TypedCase{"lower rounded with 0.501",
                                F::Lower,
                                {"0.2", "1.244991\r\n", "10", "x"},
                                2,
                                {"0.2", "1.25", "10", "3.25"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"lower just below the half",
                                F::Lower,
                                {"0.2", "1.24499\r\n", "10", "x"},
                                2,
                                {"0.2", "1.24", "10", "3.24"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"lower above the maximum",
                                F::Lower,
                                {"1.0", "99\r\n", "10", "x"},
                                1,
                                {"1.0", "12.3", "10", "22.3"},
                                {texts::kLowerTooLarge},
                                true,
                                true,
                                false},
                      TypedCase{"lower of 12 characters",
                                F::Lower,
                                {"1.0", "1.2345678901\r\n", "10", "x"},
                                1,
                                {"1.0", "1.2", "10", "11.2"},
                                {texts::kLowerTooLong},
                                true,
                                true,
                                false},
                      TypedCase{"lower while the interval is blank",
                                F::Lower,
                                {"", "5\r\n", "10", "x"},
                                1,
                                {"", "5.0", "10", "x"},
                                {},
                                false,
                                false,
                                true},
                      TypedCase{"blank lower keeps the list",
                                F::Lower,
                                {"1.0", " ", "10", "x"},
                                1,
                                {"1.0", " ", "10", ""},
                                {},
                                false,
                                false,
                                false},
                      TypedCase{"class count 9",
                                F::Classes,
                                {"1.0", "2.0", "9\r\n", "x"},
                                1,
                                {"1.0", "2.0", "15", "17.0"},
                                {texts::kTooFewClasses},
                                true,
                                true,
                                false},
                      TypedCase{"class count 60",
                                F::Classes,
                                {"1.0", "2.0", "60\r\n", "x"},
                                1,
                                {"1.0", "2.0", "50", "52.0"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"class count kept as typed",
                                F::Classes,
                                {"1.0", "2.0", " 12.5 \r\n", "x"},
                                1,
                                {"1.0", "2.0", "12.5", "14.5"},
                                {},
                                true,
                                true,
                                false},
                      TypedCase{"overflow text of a too-wide mask",
                                F::Interval,
                                {"%1234567.3\r\n", "0", "10", "x"},
                                1,
                                {"6.0", "0", "10", "60.0"},
                                {},
                                true,
                                true,
                                false}),
    test::CaseName());

TEST(Typed, DisabledFieldIsEmptiedAndNothingRuns) {
    TypedParameterOutcome out =
        typedParameterChanged(F::Classes, {"1", "2", "30\r\n", "3"}, false, {1, "0", "9"});
    EXPECT_EQ(out.fields.classes, "");
    EXPECT_FALSE(out.runTable);
}

TEST(Typed, ReplacementIntervalIsRaisedToTheUnitAndCapped) {
    EXPECT_EQ(replacementInterval({2, "0", "1"}), "0.01");
    EXPECT_EQ(replacementInterval({1, "0", "150"}), "10");
    EXPECT_EQ(replacementInterval({1, "0", "1e9"}), "0.1"); // no exponents in numbers
    EXPECT_EQ(replacementInterval({1, "-1000000000", "1000000000"}), "99999");
}

// ---- normalisation and field reading --------------------------------------------------------

TEST(Normalise, FormatsFromTheTextsBeforeIt) {
    EXPECT_EQ(normalise({"-0.5", "1", "12.7", "x"}, 2), (ParameterFields{"-0.50", "1.00", "12", "-5.35"}));
    EXPECT_EQ(normalise({" 0.25 ", "%1234567.25", "30", ""}, 1),
              (ParameterFields{"0.3", "%1234567.3", "30", "1234574.8"}));
    EXPECT_EQ(normalise({"abc", "", "x", ""}, 3), (ParameterFields{"0.000", "0.000", "0", "0.000"}));
}

TEST(FieldValue, ReadsTheNumberAfterAnOverflowMark) {
    EXPECT_DOUBLE_EQ(fieldValue("%1234567.3"), 1234567.3);
    EXPECT_DOUBLE_EQ(fieldValue("  -2.5 "), -2.5);
    EXPECT_DOUBLE_EQ(fieldValue("%"), 0);
    EXPECT_DOUBLE_EQ(fieldValue("12%"), 12);
}

TEST(Masks, FollowTheDecimalPlaces) {
    EXPECT_EQ(intervalMask(1), "######.#");
    EXPECT_EQ(wideMask(4), "########.####");
    EXPECT_EQ(intervalMask(7), "######.##");
    EXPECT_DOUBLE_EQ(unitOf(3), 0.001);
}

// ---- out-of-range rates --------------------------------------------------------------------

TEST(OutOfRange, CountsStrictlyOutsideTheLimits) {
    std::vector<double> values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    OutOfRangeRates r = outOfRangeRates(values, "3", "8");
    EXPECT_EQ(r.below, 2u); // 3 and 8 are inside
    EXPECT_EQ(r.above, 2u);
    EXPECT_EQ(r.lines(),
              (std::vector<std::string>{"異常率(%)：", "Lower：20.0", "Upper：20.0", "Total：40.0"}));

    std::vector<double> thirds{1, 5, 5};
    OutOfRangeRates t = outOfRangeRates(thirds, "2", "4");
    EXPECT_EQ(t.lowerText, "33.3");
    EXPECT_EQ(t.upperText, "66.7");
    EXPECT_EQ(t.totalText, "100.0");
}

} // namespace
} // namespace kl
