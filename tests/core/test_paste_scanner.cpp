#include "data/PasteScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kl {
namespace {

using Values = std::vector<std::string>;

std::string numbers(int n, const std::string& separator = "\r\n") {
    std::string s;
    for (int i = 1; i <= n; ++i)
        s += std::to_string(i) + separator;
    return s;
}

// Nine more values so a text passes the count check.
const std::string kNineMore = "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9";

struct TokenCase {
    const char* name;
    std::string text;
    Values first; // the leading values expected
};

TEST(PasteScanner, SplitsTokensAsPasted) {
    const std::vector<TokenCase> cases = {
        {"spreadsheet column", "12.5\r\n13\r\n+1.50\r\n007\r\n-\r\n", {"12.5", "13", "+1.50", "007", "-"}},
        {"tab block row by row", "1\t2\t3\r\n4\t5\t6\r\n", {"1", "2", "3", "4", "5", "6"}},
        {"thousands comma", "1,234", {"1", "234"}},
        {"exponent", "1e5", {"1", "5"}},
        {"two points and a range", "1.2.3 12-3", {"1.2.3", "12-3"}},
        {"last number without line end", "8\r\n9", {"8", "9"}},
        {"leading and trailing blanks", "\u3000  5 6  \u3000", {"5", "6"}},
        {"full-width digit separates",
         "1\uFF12"
         "3",
         {"1", "3"}},
    };
    for (const TokenCase& c : cases) {
        PasteResult r = scanPasteText(c.text + kNineMore);
        ASSERT_EQ(r.status, PasteStatus::Ok) << c.name;
        ASSERT_GE(r.values.size(), c.first.size()) << c.name;
        EXPECT_EQ(Values(r.values.begin(), r.values.begin() + static_cast<long>(c.first.size())), c.first)
            << c.name;
        EXPECT_EQ(r.values.size(), c.first.size() + 9) << c.name;
    }
}

struct FailureCase {
    const char* name;
    std::string text;
    PasteStatus status;
    std::string caption;
};

TEST(PasteScanner, RefusesBadTextWithItsMessage) {
    const std::vector<FailureCase> cases = {
        {"empty", "", PasteStatus::NoData, "BAD DATA"},
        {"blanks only", "   \u3000 ", PasteStatus::NoData, "BAD DATA"},
        {"full-width digits only", "\uFF11\uFF12\uFF13\r\n\uFF14\uFF15", PasteStatus::NoData, "BAD DATA"},
        {"nine tokens", numbers(9), PasteStatus::TooFew, "BAD DATA"},
        {"below -199", "-199.5" + kNineMore, PasteStatus::OutOfRange, "BAD DATA"},
        {"-200", "5 -200" + kNineMore, PasteStatus::OutOfRange, "BAD DATA"},
        {"ten digits", "1234567890" + kNineMore, PasteStatus::TooLong, "BAD DATA"},
        {"ten characters, small negative", "-000012.34" + kNineMore, PasteStatus::TooLong, "BAD DATA"},
        {"ten characters below -199: range first", "-123456.78" + kNineMore, PasteStatus::OutOfRange,
         "BAD DATA"},
        {"bad token after the 10,000th", numbers(10001) + "12345678901", PasteStatus::TooLong, "BAD DATA"},
        {"bad token in a last number", numbers(12) + "-300", PasteStatus::OutOfRange, "BAD DATA"},
    };
    for (const FailureCase& c : cases) {
        PasteResult r = scanPasteText(c.text);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_TRUE(r.values.empty()) << c.name;
        ASSERT_EQ(r.messages.size(), 1u) << c.name;
        EXPECT_EQ(r.messages[0].caption, c.caption) << c.name;
    }
    EXPECT_EQ(pasteTooFewMessage().text, "デ－タ数が１０件以下です。もう一度デ－タを確認して下さい！    ");
}

TEST(PasteScanner, TheFirstOffendingTokenDecides) {
    EXPECT_EQ(scanPasteText("1234567890 -500" + kNineMore).status, PasteStatus::TooLong);
    EXPECT_EQ(scanPasteText("-500 1234567890" + kNineMore).status, PasteStatus::OutOfRange);
}

TEST(PasteScanner, Boundaries) {
    struct Case {
        const char* name;
        std::string text;
        PasteStatus status;
        std::size_t values;
    } cases[] = {
        {"exactly 10", numbers(10), PasteStatus::Ok, 10},
        {"-199 accepted", "-199" + kNineMore, PasteStatus::Ok, 10},
        {"nine digits", "123456789" + kNineMore, PasteStatus::Ok, 10},
        {"minus and eight digits", "-00000001" + kNineMore, PasteStatus::Ok, 10},
        {"150 leading separators", std::string(150, ',') + numbers(10), PasteStatus::Ok, 10},
        {"151 leading separators", std::string(151, ',') + numbers(10), PasteStatus::NoData, 0},
        {"151 more after the first separator keep the first block",
         numbers(10, ",") + std::string(151, ' ') + "77 88", PasteStatus::Ok, 10},
        {"150 more after the first separator go on", numbers(10, ",") + std::string(150, ' ') + "77 88",
         PasteStatus::Ok, 12},
    };
    for (const Case& c : cases) {
        PasteResult r = scanPasteText(c.text);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.values.size(), c.values) << c.name;
    }
}

TEST(PasteScanner, CapsAtTenThousandWithCaution) {
    PasteResult exact = scanPasteText(numbers(10000));
    ASSERT_EQ(exact.status, PasteStatus::Ok);
    EXPECT_EQ(exact.values.size(), 10000u);
    EXPECT_FALSE(exact.capped);
    EXPECT_TRUE(exact.messages.empty());

    PasteResult over = scanPasteText(numbers(10001));
    ASSERT_EQ(over.status, PasteStatus::Ok);
    EXPECT_EQ(over.values.size(), 10000u);
    EXPECT_EQ(over.values.back(), "10000");
    EXPECT_TRUE(over.capped);
    ASSERT_EQ(over.messages.size(), 1u);
    EXPECT_EQ(over.messages[0].caption, "CAUTION");
}

TEST(PasteScanner, CancelAtAnyPoll) {
    const std::string text = numbers(20);
    // The key is looked at once a block of the bar and once after the scan, whatever the size:
    // a look costs far more than a byte.
    for (const std::string& t : {text, numbers(200000)}) {
        int polls = 0;
        PasteHooks hooks;
        hooks.cancelRequested = [&] { return ++polls < 0; };
        EXPECT_EQ(scanPasteText(t, hooks).status, PasteStatus::Ok);
        EXPECT_EQ(polls, 21) << t.size();
    }
    for (int at : {0, 1, 5, 19, 20}) {
        int polls = 0;
        PasteHooks hooks;
        hooks.cancelRequested = [&] { return polls++ >= at; };
        PasteResult r = scanPasteText(text, hooks);
        EXPECT_EQ(r.status, PasteStatus::Cancelled) << at;
        EXPECT_TRUE(r.values.empty());
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0], pasteCancelledMessage());
    }
}

TEST(PasteScanner, ProgressBlocksGrowOnlyWhenTheyChange) {
    std::vector<int> shown;
    PasteHooks hooks;
    hooks.showBlocks = [&](int b) { shown.push_back(b); };
    scanPasteText(numbers(1000), hooks);
    ASSERT_EQ(shown.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(shown[static_cast<std::size_t>(i)], i + 1);

    EXPECT_EQ(pasteProgressBlocks(1, 100), 1); // 1 % started the first block
    EXPECT_EQ(pasteProgressBlocks(5, 100), 1); // 5 % exactly: still one
    EXPECT_EQ(pasteProgressBlocks(6, 100), 2);
    EXPECT_EQ(pasteProgressBlocks(100, 100), 20);
}

TEST(PasteScanner, ByteScanOfCp932) {
    // A double-byte character whose trail byte is an ASCII digit code (0x82 0x31 is not valid, but
    // "ア" is 0x83 0x41): the lead byte and trail byte both separate.
    PasteResult r = scanPasteBytes("\x83\x41"
                                   "5\r\n" +
                                   numbers(9));
    ASSERT_EQ(r.status, PasteStatus::Ok);
    EXPECT_EQ(r.values.front(), "5");
}

} // namespace
} // namespace kl
