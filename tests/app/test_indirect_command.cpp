#include "CommandRun.h"
#include "cli/Batch.h"
#include "indirect/Generator.h"
#include "output/IndirectSheet.h"
#include "text/FileIO.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace kl {
namespace {

using test::CommandRun;
using test::fixture;

CommandRun runIndirect(const std::vector<std::string>& args) {
    return test::runCommand(&cli::indirect, args);
}

// A semicolon export with decimal commas: 20,000 results of which 20 % are pathological, plus a
// censored, a non-numeric and a zero item.
struct Export {
    std::string path;
    indirect::GeneratedSet set;
};

Export makeExport() {
    indirect::MixtureParameters mixture;
    mixture.pathologicalShare = 0.2;
    mixture.count = 20000;
    mixture.resolution = 0.1;
    mixture.seed = 9;
    Export e{(std::filesystem::temp_directory_path() / "klepsydra-indirect-export.csv").string(),
             indirect::generateMixture(mixture)};
    std::string bytes = "Nr;Geschlecht;GPT\n";
    char line[64];
    for (std::size_t i = 0; i < e.set.values.size(); ++i) {
        std::snprintf(line, sizeof line, "%zu;%c;%.1f\n", i, i % 2 ? 'F' : 'M', e.set.values[i]);
        for (char* c = line; *c; ++c)
            if (*c == '.') *c = ',';
        bytes += line;
    }
    bytes += "x;F;<5\nx;M;n.b.\nx;M;0\n";
    EXPECT_TRUE(writeFileAtomic(e.path, bytes));
    return e;
}

TEST(IndirectCommand, EveryFormatReportsLimitsAndWhatWasNotTaken) {
    const Export e = makeExport();
    auto text = runIndirect({e.path, "--column", "GPT"});
    EXPECT_EQ(text.status, cli::kExitDone) << text.err;
    EXPECT_NE(
        text.out.find("values 20000 (not taken: empty 0, not a number 1, <= 0 1, censored below 1, censored "
                      "above 0, over the limit 0)\ncensored <5: 1\nrounding resolution 0.1\n"),
        std::string::npos)
        << text.out;
    for (const char* title : {"Truncated probability plot: lower ", "Inverse modelling (Box-Cox): lower ",
                              "Bhattacharya: lower "})
        EXPECT_NE(text.out.find(title), std::string::npos) << title;

    auto json = runIndirect({e.path, "--column", "GPT", "--format", "json"});
    ASSERT_EQ(json.status, cli::kExitDone) << json.err;
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
    QJsonObject o = doc.object();
    EXPECT_EQ(o["values"].toInt(), 20000);
    EXPECT_EQ(o["notTaken"].toObject()["censoredBelow"].toInt(), 1);
    EXPECT_EQ(o["resolution"].toDouble(), 0.1);
    QJsonArray methods = o["methods"].toArray();
    ASSERT_EQ(methods.size(), 3);
    const double width = e.set.upper - e.set.lower;
    for (const auto& m : methods) {
        QJsonObject r = m.toObject();
        SCOPED_TRACE(r["method"].toString().toStdString());
        EXPECT_TRUE(r["estimated"].toBool());
        EXPECT_LT(std::fabs(r["lower"].toDouble() - e.set.lower) / width, 0.1);
        EXPECT_LT(std::fabs(r["upper"].toDouble() - e.set.upper) / width, 0.15);
    }
    EXPECT_TRUE(methods[0].toObject()["lowerCi"].isArray());
    EXPECT_TRUE(methods[1].toObject()["lowerCi"].isNull());
    EXPECT_NEAR(methods[1].toObject()["share"].toDouble(), 0.8, 0.1);

    auto csv = runIndirect({e.path, "--column", "GPT", "--method", "inverse", "--format", "csv"});
    ASSERT_EQ(csv.status, cli::kExitDone);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 2);
    EXPECT_NE(csv.out.find("\n" + e.path + ",20000,0,1,1,1,0,0,0.1,inverse,1,"), std::string::npos)
        << csv.out;
}

// English (--lang en): the window's table and count lines leave no Japanese behind; the text
// output is the same in both languages.
TEST(IndirectCommand, EnglishSheetLinesAndTheSameTextOutput) {
    const Export e = makeExport();
    const std::vector<std::string> plain{e.path, "--column", "GPT"};
    const std::string japanese = runIndirect(plain).out;
    std::vector<std::string> args{"--lang=en", e.path, "--column", "GPT"};
    test::LanguageOfArgs english(args);
    ASSERT_TRUE(english.taken());
    EXPECT_EQ(runIndirect(args).out, japanese);

    IndirectSheet s;
    s.fileLine = "routine.csv";
    s.rows = e.set.values.size();
    s.sorted = e.set.values;
    std::sort(s.sorted.begin(), s.sorted.end());
    s.skipped.notNumber = 1;
    s.censored = {{5, true, 1}, {300, false, 2}};
    s.analysis = indirect::analyse(s.sorted, indirect::kMethods);
    std::vector<IndirectRow> rows = indirectTable(s);
    ASSERT_EQ(rows.size(), 4u);
    for (const IndirectRow& row : rows)
        for (const std::string& cell : row.cells)
            EXPECT_FALSE(test::holdsJapanese(cell)) << cell;
    EXPECT_EQ(rows[0].cells[1], "Lower [90 % CI]");
    const std::vector<SheetLine> lines = indirectCountLines(s);
    ASSERT_GE(lines.size(), 4u);
    for (const SheetLine& l : lines)
        EXPECT_FALSE(test::holdsJapanese(l.text)) << l.text;
    EXPECT_EQ(lines[0].text, "Values used: 20,000 of 20,000 rows");
    EXPECT_EQ(lines[2].text, "Censored values: <5 × 1, >300 × 2 (not used for the limits)");
    EXPECT_EQ(lines[3].text.rfind("Rounding resolution 0.1, truncated probability plot on ", 0), 0u)
        << lines[3].text;
}

TEST(IndirectCommand, BadInputIsRefusedWithAReason) {
    const Export e = makeExport();
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {"unknown column",
         {e.path, "--column", "ALT"},
         cli::kExitRefused,
         "klepsydra indirect: " + e.path +
             ": the file has no column 'ALT'; its columns are: Nr, Geschlecht, GPT\n"},
        {"several columns, none chosen",
         {e.path},
         cli::kExitRefused,
         "klepsydra indirect: " + e.path +
             ": the file has 3 columns (semicolon separated): choose one of Nr, Geschlecht, GPT\n"},
        {"a missing file among others",
         {"/nonexistent/a.csv", e.path, "--column", "GPT", "--method", "tqq"},
         cli::kExitFileError,
         "klepsydra indirect: no such file: /nonexistent/a.csv\n"},
        {"unknown method",
         {e.path, "--method", "refine"},
         cli::kExitUsage,
         "klepsydra indirect: bad argument"},
        {"no file", {"--column", "GPT"}, cli::kExitUsage, "usage: klepsydra indirect"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = runIndirect(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
    }
    // The good file after the missing one was still done.
    auto r = runIndirect({"/nonexistent/a.csv", e.path, "--column", "GPT", "--method", "tqq"});
    EXPECT_NE(r.out.find("==> " + e.path + " <==\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Truncated probability plot: lower "), std::string::npos);

    std::string few = (std::filesystem::temp_directory_path() / "klepsydra-indirect-few.csv").string();
    ASSERT_TRUE(writeFileAtomic(few, "1\n2\n3\n-4\n"));
    auto tooFew = runIndirect({few});
    EXPECT_EQ(tooFew.status, cli::kExitRefused);
    EXPECT_NE(tooFew.out.find("Inverse modelling (Box-Cox): no estimate: fewer than 100 values above 0"),
              std::string::npos)
        << tooFew.out;
    EXPECT_EQ(tooFew.err, "klepsydra indirect: " + few + ": no method gave limits\n");
}

TEST(GenerateCommand, WritesAnExportTheIndirectCommandReadsBack) {
    const std::string path = (std::filesystem::temp_directory_path() / "klepsydra-generated.csv").string();
    const std::vector<std::string> args = {path, "--count",  "20000", "--pathological", "0.2", "--median",
                                           "30", "--cv",     "0.25",  "--lambda",       "0.2", "--below",
                                           "12", "--above",  "150",   "--column",       "ALT", "--seed",
                                           "7",  "--format", "json"};
    auto made = test::runCommand(&cli::generate, args);
    ASSERT_EQ(made.status, cli::kExitDone) << made.err;
    QJsonObject truth = QJsonDocument::fromJson(QByteArray::fromStdString(made.out)).object();
    EXPECT_EQ(truth["values"].toInt(), 20000);
    EXPECT_NEAR(truth["healthy"].toInt(), 16000, 300);
    const double lower = truth["lower"].toDouble(), upper = truth["upper"].toDouble();
    const std::string bytes = readFileBytes(path).value_or("");
    EXPECT_EQ(bytes.substr(0, 8), "No,ALT\r\n");
    // The same options give the same file.
    ASSERT_EQ(test::runCommand(&cli::generate, args).status, cli::kExitDone);
    EXPECT_EQ(readFileBytes(path).value_or(""), bytes);

    auto read = runIndirect({path, "--column", "ALT", "--method", "inverse", "--format", "json"});
    ASSERT_EQ(read.status, cli::kExitDone) << read.err;
    QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(read.out)).object();
    const QJsonObject notTaken = o["notTaken"].toObject();
    EXPECT_GT(notTaken["censoredBelow"].toInt(), 0);
    EXPECT_GT(notTaken["censoredAbove"].toInt(), 0);
    EXPECT_EQ(o["values"].toInt() + notTaken["censoredBelow"].toInt() + notTaken["censoredAbove"].toInt(),
              20000);
    EXPECT_EQ(o["resolution"].toDouble(), 0.1);
    QJsonObject im = o["methods"].toArray()[0].toObject();
    EXPECT_LT(std::fabs(im["lower"].toDouble() - lower) / (upper - lower), 0.1);
    EXPECT_LT(std::fabs(im["upper"].toDouble() - upper) / (upper - lower), 0.1);

    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
    };
    const Case bad[] = {
        {"share above one half", {path, "--pathological", "0.6"}, cli::kExitUsage},
        {"count not whole", {path, "--count", "10.5"}, cli::kExitUsage},
        {"count zero", {path, "--count", "0"}, cli::kExitUsage},
        {"two files", {path, path}, cli::kExitUsage},
        {"column with a comma", {path, "--column", "a,b"}, cli::kExitUsage},
        {"folder missing", {"/nonexistent/dir/set.csv", "--count", "10"}, cli::kExitFileError},
    };
    for (const Case& c : bad) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(test::runCommand(&cli::generate, c.args).status, c.status);
    }
    EXPECT_EQ(readFileBytes(path).value_or(""), bytes); // refused runs left the file alone
}

} // namespace
} // namespace kl

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
