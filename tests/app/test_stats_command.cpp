#include "cli/Batch.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kl {
namespace {

std::string fixture(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun runStats(std::vector<std::string> args) {
    std::ostringstream out, err;
    int status = cli::stats(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> splitLines(const std::string& s) {
    std::vector<std::string> lines;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

TEST(StatsCommand, PrintsTheBlockOfTheMainWindow) {
    CommandRun r = runStats({fixture("values_1to10.csv")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::vector<std::string> lines = splitLines(r.out);
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "( 基礎計算結果 )");
    EXPECT_EQ(lines[1], "  Sample size   =             10");
    EXPECT_EQ(lines[8], "  Mean-1.96SD   =      -0.434195");
    EXPECT_EQ(lines[11], "  Skewness      =      0.0000 ( N.S )");
    EXPECT_EQ(lines[18], "  Kurtosis      =      2.6314 ( N.S )");
}

TEST(StatsCommand, RefusedFiles) {
    const std::string tooFew =
        "データが少なすぎます。          \n(データ数が10件未満です)                     \n";
    struct Case {
        const char* file;
        std::string err;
        std::size_t outLines;
    };
    const Case cases[] = {
        {"nine_values.csv", tooFew, 0},
        {"no_such_file.csv", tooFew, 0},
        {"two_columns.csv",
         "読み込んだファイルのデータ形式は複数配列のものです。１元配列のデータを読み込んで下さい。       \n"
         " （2元配列です） \n",
         0},
        {"binary_values.dat",
         "このファイルにデータがないか、取り扱い不可能なデータが存在しています。       \n", 0},
        // The window has drawn the figures up to the limits when it refuses a constant sample.
        {"constant_values.csv", "標本が適当なデータではありません。      \n", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CommandRun r = runStats({fixture(c.file)});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(splitLines(r.out).size(), c.outLines);
    }
}

TEST(StatsCommand, BadUsage) {
    EXPECT_EQ(runStats({}).status, 64);
    EXPECT_EQ(runStats({"a.csv", "b.csv"}).status, 64);
}

} // namespace
} // namespace kl

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
