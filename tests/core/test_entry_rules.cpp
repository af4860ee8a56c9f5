#include "data/EntryRules.h"

#include <gtest/gtest.h>

namespace kl {
namespace {

TEST(EntryRules, SubmitsOnlyOnLineEnd) {
    EXPECT_FALSE(submittedEntry("12.5").has_value());
    EXPECT_FALSE(submittedEntry("12.5\n").has_value());
    EXPECT_EQ(submittedEntry("12.5\r\n"), "12.5");
    EXPECT_EQ(submittedEntry("1\r\n2.5"), "12.5");
    EXPECT_EQ(submittedEntry(" \u3000 7 \r\n"), "7");
    EXPECT_EQ(submittedEntry("\r\n"), "");
}

TEST(EntryRules, ChecksInOrder) {
    struct Case {
        const char* entry;
        bool accepted;
        const char* stored;       // when accepted
        const char* refusalStart; // when refused
    } cases[] = {
        {"12.5", true, "12.5", ""},
        {"abc", true, "0", ""},
        {"-", true, "0", ""},
        {"0.000", true, "0", ""},
        {"1.2.3", true, "1.2.3", ""},
        {"1.2345", true, "1.2345", ""},
        {"1.23456", false, "", "入力できるデータは、小数点以下４桁まで"},
        {"-123456.78", true, "-123456.78", ""},
        {"1234567890", true, "1234567890", ""},
        {"12345678901", false, "", "本プログラムで扱えるデータの範囲を超えて"},
        {"abcdefghijkl", true, "0", ""}, // not a number: stored as 0 before the length check
        {"1,5", false, "", "入力できるのは数値のみ"},
        {"1 5", false, "", "入力できるのは数値のみ"},
        {"1\t5", false, "", "入力できるのは数値のみ"},
        {"\"5\"", false, "", "入力できるのは数値のみ"},
    };
    for (const Case& c : cases) {
        EntryVerdict v = checkEntry(c.entry);
        EXPECT_EQ(v.accepted, c.accepted) << c.entry;
        if (c.accepted) {
            EXPECT_EQ(v.text, c.stored) << c.entry;
            EXPECT_FALSE(v.refusal.has_value()) << c.entry;
        } else {
            ASSERT_TRUE(v.refusal.has_value()) << c.entry;
            EXPECT_EQ(v.refusal->caption, "bad data") << c.entry;
            EXPECT_EQ(v.refusal->text.rfind(c.refusalStart, 0), 0u) << c.entry << " " << v.refusal->text;
        }
    }
}

TEST(EntryRules, DecimalsCountAfterTheLastPoint) {
    EXPECT_TRUE(checkEntry("1.2.3456").accepted);
    EXPECT_FALSE(checkEntry("1.2.34567").accepted);
}

TEST(EntryRules, CompactionKeepsWrittenNumbers) {
    const std::vector<std::string> rows = {"1", "", "  ", "abc", "-", "0", "0.0", "-0", " 2.5 ", ".5", "x1"};
    EXPECT_EQ(compactRows(rows), (std::vector<std::string>{"1", "0", "0.0", "-0", "2.5", ".5"}));
    EXPECT_TRUE(compactRows({}).empty());
}

} // namespace
} // namespace kl
