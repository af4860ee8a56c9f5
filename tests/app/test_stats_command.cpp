#include "CommandRun.h"
#include "cli/Batch.h"
#include "cli/BatchCommands.h"
#include "text/FileIO.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>
#include <sys/stat.h>

namespace kl {
namespace {

using test::CommandRun;
using test::fixture;

CommandRun runStats(const std::vector<std::string>& args) {
    return test::runCommand(&cli::stats, args);
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
    EXPECT_EQ(runStats({"--format", "xml", fixture("values_1to10.csv")}).status, 64);
    EXPECT_EQ(runStats({"--format"}).status, 64);
    EXPECT_EQ(runStats({"--out-dir", "x", fixture("values_1to10.csv")}).status, 64); // not a picture command
}

std::string freshFolder() {
    auto p = std::filesystem::temp_directory_path() /
             ("klepsydra-stats-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(p);
    return p.string();
}

// Files that cannot be read get their own message and status 2, never the too-few refusal, and
// a FIFO is refused without waiting for a writer.
TEST(StatsCommand, InputsThatAreNotReadableFiles) {
    const std::string folder = freshFolder();
    const std::string fifo = folder + "/pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string locked = folder + "/locked.csv";
    ASSERT_TRUE(writeFileAtomic(locked, "1\n2\n"));
    ::chmod(locked.c_str(), 0);
    const bool root = ::geteuid() == 0; // root reads it anyway
    struct Case {
        std::string path, message;
    };
    const Case cases[] = {
        {folder + "/missing.csv", "klepsydra stats: no such file: " + folder + "/missing.csv\n"},
        {folder + "/missing/x.csv", "klepsydra stats: no such file: " + folder + "/missing/x.csv\n"},
        {fifo, "klepsydra stats: not a regular file: " + fifo + "\n"},
        {"/dev/null", "klepsydra stats: not a regular file: /dev/null\n"},
        {"/dev/zero", "klepsydra stats: not a regular file: /dev/zero\n"},
        {locked, root ? "" : "klepsydra stats: permission denied: " + locked + "\n"},
    };
    for (const Case& c : cases) {
        if (c.message.empty()) continue;
        SCOPED_TRACE(c.path);
        CommandRun r = runStats({c.path});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
    std::filesystem::remove_all(folder);
}

// Several files, or a folder: each block under its name, a bad file reported and skipped, and
// the worst status at the end.
TEST(StatsCommand, SeveralFilesAndAFolder) {
    const std::string folder = freshFolder();
    std::filesystem::copy_file(fixture("values_1to10.csv"), folder + "/b.csv");
    std::filesystem::copy_file(fixture("nine_values.csv"), folder + "/a.CSV");
    std::filesystem::copy_file(fixture("values_1to10.csv"), folder + "/c.VSC"); // not a data file
    std::filesystem::create_directory(folder + "/d.csv");                       // a folder is skipped
    CommandRun r = runStats({folder, folder + "/none.csv"});
    EXPECT_EQ(r.status, 2);
    std::vector<std::string> lines = splitLines(r.out);
    ASSERT_EQ(lines.size(), 1u + 1u + 19u);
    EXPECT_EQ(lines[0], "==> " + folder + "/a.CSV <==");
    EXPECT_EQ(lines[1], "==> " + folder + "/b.csv <==");
    EXPECT_EQ(lines[2], "( 基礎計算結果 )");
    EXPECT_NE(r.err.find("データが少なすぎます。"), std::string::npos);
    EXPECT_NE(r.err.find("klepsydra stats: no such file: " + folder + "/none.csv\n"), std::string::npos);

    // Refused data without unreadable files: status 1.
    EXPECT_EQ(runStats({fixture("values_1to10.csv"), fixture("nine_values.csv")}).status, 1);
    std::filesystem::remove_all(folder);
}

// Texts that hold no number are read as 0 (the reading rule), with one warning that counts them.
TEST(StatsCommand, WarnsOfItemsReadAsZero) {
    const std::string folder = freshFolder();
    const std::string file = folder + "/x.csv";
    ASSERT_TRUE(writeFileAtomic(file, "1\n2\n<0.5\n3\n4\nND\n5\n6\n7\n8\n-\n"));
    CommandRun r = runStats({file});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "klepsydra stats: " + file + ": 3 items held no number and were read as 0\n");
    EXPECT_EQ(splitLines(r.out)[1], "  Sample size   =             11");

    CommandRun json = runStats({file, "--format", "json"});
    EXPECT_EQ(
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object()["itemsWithoutNumber"].toInt(),
        3);
    EXPECT_EQ(runStats({fixture("values_1to10.csv")}).err, "");
    std::filesystem::remove_all(folder);
}

TEST(StatsCommand, JsonHoldsEveryFigureAtFullPrecision) {
    CommandRun r = runStats({"--format", "json", fixture("values_1to10.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    const QJsonObject o = doc.object();
    EXPECT_EQ(o["file"].toString().toStdString(), fixture("values_1to10.csv"));
    EXPECT_EQ(o["sampleSize"].toInt(), 10);
    EXPECT_EQ(o["itemsWithoutNumber"].toInt(), 0);
    EXPECT_EQ(o["mean"].toDouble(), 5.5);
    EXPECT_EQ(o["minimum"].toDouble(), 1);
    EXPECT_EQ(o["maximum"].toDouble(), 10);
    EXPECT_DOUBLE_EQ(o["sdSample"].toDouble(), std::sqrt(55.0 / 6.0)); // sum of squares 82.5 over 9
    EXPECT_DOUBLE_EQ(o["sdPopulation"].toDouble(), std::sqrt(8.25));
    const QJsonObject measured = o["shape"].toObject()["measured"].toObject();
    EXPECT_TRUE(measured["calculated"].toBool());
    EXPECT_NEAR(measured["skewness"].toDouble(), 0, 1e-12);
    EXPECT_DOUBLE_EQ(measured["kurtosis"].toDouble(), 120.8625 / 68.0625); // m4 / m2 squared
    EXPECT_NEAR(o["shape"].toObject()["cube"].toObject()["kurtosis"].toDouble(), 2.6314, 5e-5); // as shown
    EXPECT_EQ(measured["kurtosisSignificance"].toString().toStdString(), "( N.S )");
    EXPECT_TRUE(o["shape"].toObject().contains("log"));

    // Several files: one array, refused files left out.
    CommandRun two = runStats({"--format", "json", fixture("values_1to10.csv"), fixture("nine_values.csv"),
                               fixture("values_1to10.csv")});
    EXPECT_EQ(two.status, 1);
    const QJsonDocument array = QJsonDocument::fromJson(QByteArray::fromStdString(two.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << two.out;
    ASSERT_TRUE(array.isArray());
    EXPECT_EQ(array.array().size(), 2);
}

TEST(StatsCommand, CsvOneRowPerFile) {
    CommandRun r = runStats({fixture("values_1to10.csv"), "--format", "csv", fixture("values_1to10.csv")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = splitLines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 52), "file,sample_size,items_without_number,mean,minimum,m");
    EXPECT_EQ(lines[1], lines[2]);
    const std::string start =
        fixture("values_1to10.csv") + ",10,0,5.5,1,10,9,"; // n, no text read as 0, figures
    EXPECT_EQ(lines[1].substr(0, start.size()), start);
    // As many fields in every row as in the header.
    auto fields = [](const std::string& l) { return std::count(l.begin(), l.end(), ','); };
    EXPECT_EQ(fields(lines[0]), fields(lines[1]));
}

TEST(BatchCommands, HelpListsEveryCommandAndEachItsOptions) {
    const std::string usage = cli::programUsage();
    for (const cli::BatchCommand& c : cli::batchCommands()) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(usage.find(std::string("  ") + c.name + " "), std::string::npos);
        std::ostringstream out, err;
        EXPECT_EQ(cli::runBatchCommand(c, {"--help"}, out, err), 0);
        EXPECT_EQ(out.str().rfind(std::string("usage: klepsydra ") + c.name, 0), 0u);
        EXPECT_NE(out.str().find("64 bad command line"), std::string::npos);
        EXPECT_EQ(err.str(), "");
    }
    for (const char* name : {"stats", "table", "graph", "report"})
        EXPECT_NE(cli::findBatchCommand(name), nullptr);
    EXPECT_EQ(cli::findBatchCommand("--script"), nullptr);
}

} // namespace
} // namespace kl

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
