// Splitting script lines: blanks, comments, quotes and their escapes, bad lines.

#include "AppTestMain.h"

#include "app/ScriptParser.h"

#include <sstream>

namespace kl {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptParser, SplitsWordsQuotesAndEscapes) {
    struct Case {
        const char* line;
        Words words;
    };
    const Case cases[] = {
        {"click BUTTON1", {"click", "BUTTON1"}},
        {"  select\tLIST2   3  ", {"select", "LIST2", "3"}},
        {"", {}},
        {"   ", {}},
        {"# a comment", {}},
        {"click BUTTON1 # after a command", {"click", "BUTTON1"}},
        {R"(type EDIT13 "12.5\r\n")", {"type", "EDIT13", "12.5\r\n"}},
        {R"(type EDIT3 "a b\tc")", {"type", "EDIT3", "a b\tc"}},
        {R"(clipboard "say \"hi\" \\ # not a comment")", {"clipboard", "say \"hi\" \\ # not a comment"}},
        {R"(type EDIT3 "")", {"type", "EDIT3", ""}},
        {"file /data/a#b.csv", {"file", "/data/a#b.csv"}},
        {"type EDIT3 \"全角　空白\"", {"type", "EDIT3", "全角　空白"}},
        {R"(type EDIT3 C:\DATA)", {"type", "EDIT3", "C:\\DATA"}}, // no escapes outside quotes
    };
    for (const Case& c : cases) {
        std::string error;
        const auto words = splitScriptLine(c.line, &error);
        ASSERT_TRUE(words) << c.line << ": " << error;
        EXPECT_EQ(*words, c.words) << c.line;
    }
}

TEST(ScriptParser, RefusesUnterminatedQuotesAndUnknownEscapes) {
    for (const char* line : {R"(type EDIT3 "abc)", R"(type EDIT3 "abc\)", R"(type EDIT3 "a\qb")"}) {
        std::string error;
        EXPECT_FALSE(splitScriptLine(line, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(ScriptParser, ReadsNumberedLinesWithEitherLineEnd) {
    std::istringstream in("\xEF\xBB\xBFstart\r\n# note\r\nclick \"BUTTON1\"\nbad \"quote\n");
    const std::vector<ScriptLine> lines = readScript(in);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].words, Words{"start"});
    EXPECT_EQ(lines[1].number, 2);
    EXPECT_TRUE(lines[1].words.empty());
    EXPECT_EQ(lines[2].text, "click \"BUTTON1\"");
    EXPECT_EQ(lines[2].words, (Words{"click", "BUTTON1"}));
    EXPECT_EQ(lines[3].number, 4);
    EXPECT_FALSE(lines[3].error.empty());
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
