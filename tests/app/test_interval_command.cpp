// `klepsydra interval`: the JSON read back with Qt's parser, the text and CSV forms, bad input and
// bad arguments.

#include "CommandRun.h"
#include "cli/Batch.h"
#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "output/IntervalSheet.h"
#include "text/FileIO.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kl {
namespace {

using test::CommandRun;
using test::fixture;

CommandRun runInterval(const std::vector<std::string>& args) {
    return test::runCommand(&cli::interval, args);
}

class IntervalCommand : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::vector<double>& values) {
        std::string path = dir_.path().toStdString() + "/" + name;
        std::ofstream f(path);
        for (double v : values)
            f << v << "\n";
        return path;
    }
    QTemporaryDir dir_;
};

QJsonObject parse(const std::string& text) {
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QJsonObject method(const QJsonObject& group, const QString& key) {
    for (const QJsonValue& m : group["methods"].toArray())
        if (m.toObject()["key"].toString() == key) return m.toObject();
    ADD_FAILURE() << "no method " << key.toStdString();
    return {};
}

TEST_F(IntervalCommand, JsonReadsBackWithEveryPart) {
    // Group 2: the first file's values shifted up by a third of their range.
    std::vector<double> second;
    for (int i = 0; i < 150; ++i)
        second.push_back(7.5 + 0.01 * i);
    std::string other = write("second.csv", second);
    CommandRun r = runInterval({fixture("main_200.csv"), "--format", "json", "--target", "6", "8.5",
                                "--bootstrap", "100", "--seed", "7", "--group-file", other});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonObject root = parse(r.out);
    EXPECT_EQ(root["percentile_type"].toInt(), 6);
    EXPECT_EQ(root["bootstrap"].toObject()["resamples"].toInt(), 100);
    EXPECT_EQ(root["bootstrap"].toObject()["seed"].toInt(), 7);
    QJsonArray groups = root["groups"].toArray();
    ASSERT_EQ(groups.size(), 2);
    QJsonObject g = groups[0].toObject();
    EXPECT_EQ(g["n"].toInt(), 200);
    ASSERT_EQ(g["methods"].toArray().size(), 4);

    // 200 values: exact ranks 2-10 and 191-199 of the sorted values.
    QJsonObject np = method(g, "nonparametric");
    EXPECT_TRUE(np["available"].toBool());
    EXPECT_EQ(np["ci_source"].toString().toStdString(), "exact ranks 2-10 and 191-199");
    QJsonArray ci = np["lower"].toObject()["ci90"].toArray();
    ASSERT_EQ(ci.size(), 2);
    EXPECT_LE(ci[0].toDouble(), np["lower"].toObject()["value"].toDouble());
    EXPECT_GE(ci[1].toDouble(), np["lower"].toObject()["value"].toDouble());
    QJsonObject robust = method(g, "robust");
    EXPECT_EQ(robust["ci_source"].toString().toStdString(), "percentile bootstrap, 100 resamples, seed 7");
    EXPECT_TRUE(g["box_cox"].toObject()["lambda"].isDouble());
    EXPECT_EQ(g["box_cox"].toObject()["normality"].toObject()["test"].toString(), "Anderson-Darling");

    QJsonObject v = g["verification"].toObject();
    EXPECT_EQ(v["n"].toInt(), 200);
    EXPECT_EQ(v["allowed"].toInt(), 15); // largest k with P(X >= k | 200, 0.05) >= 0.05
    EXPECT_TRUE(v["accepted"].toBool());
    EXPECT_EQ(v["estimate_method"].toString(), "boxcox");
    EXPECT_EQ(v["lower"].toObject()["light"].toString(), "green");

    QJsonArray pairs = root["partitioning"].toArray();
    ASSERT_EQ(pairs.size(), 1);
    QJsonObject p = pairs[0].toObject();
    EXPECT_TRUE(p["harris_boyd"].toObject()["partition"].toBool());
    EXPECT_TRUE(p["ichihara"].toObject()["sdr"].isDouble());
    EXPECT_EQ(p["lahti"].toObject()["percent_outside"].toArray().size(), 2);
}

TEST_F(IntervalCommand, BadInputRowsSayWhy) {
    std::vector<double> values;
    for (int i = 0; i < 30; ++i)
        values.push_back(i - 2); // -2 .. 27: Box-Cox refused
    CommandRun r = runInterval({write("negative.csv", values), "--format", "json", "--bootstrap", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonObject g = parse(r.out)["groups"].toArray()[0].toObject();
    QJsonObject bc = method(g, "boxcox");
    EXPECT_FALSE(bc["available"].toBool());
    EXPECT_EQ(bc["reason"].toString().toStdString(),
              "values <= 0: the Box-Cox transformation needs values > 0");
    EXPECT_TRUE(method(g, "robust")["available"].toBool());
    EXPECT_EQ(method(g, "robust")["lower"].toObject()["ci90"].type(), QJsonValue::Null);
    EXPECT_EQ(g["warnings"].toArray().size(), 2);

    CommandRun same = runInterval({fixture("main_constant.csv")});
    ASSERT_EQ(same.status, 0);
    EXPECT_NE(
        same.out.find("Parametric (Box-Cox, λ by maximum likelihood): missing: all values are identical"),
        std::string::npos);
    EXPECT_NE(same.out.find("Robust (Horn & Pesce): missing: MAD is 0"), std::string::npos);
}

TEST_F(IntervalCommand, TextAndCsvAndTheScreens) {
    std::vector<double> values;
    for (int i = 0; i < 60; ++i)
        values.push_back(10 + i % 10);
    values.push_back(80); // far above: both screens list it
    std::string file = write("outlier.csv", values);
    CommandRun text = runInterval({file, "--exclude-outliers", "dixon", "--bootstrap", "0"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Values: 60 (1 left out: 80)\nLeft out by screen: dixon\n"), std::string::npos);
    EXPECT_NE(text.out.find("Dixon/Reed suspects: 80\n"), std::string::npos);

    CommandRun csv = runInterval({file, "--format", "csv", "--bootstrap", "0"});
    ASSERT_EQ(csv.status, 0);
    std::istringstream in(csv.out);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0],
              "group,method,n,lower,lower_ci_low,lower_ci_high,upper,upper_ci_low,upper_ci_high,note");
    EXPECT_EQ(lines[1].rfind(file + ",Nonparametric (CLSI EP28-A3c),61,10,,,", 0), 0u) << lines[1];
    EXPECT_NE(lines[2].find("\"Parametric (Box-Cox, λ by maximum likelihood)\""), std::string::npos);
}

TEST_F(IntervalCommand, SameSeedSameFigures) {
    auto once = [] {
        return runInterval({fixture("main_200.csv"), "--bootstrap", "300", "--seed", "5"}).out;
    };
    std::string a = once();
    EXPECT_EQ(a, once());
    EXPECT_NE(a, runInterval({fixture("main_200.csv"), "--bootstrap", "300", "--seed", "6"}).out);
}

TEST_F(IntervalCommand, BadArgumentsAndFiles) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    } cases[] = {
        {{}, cli::kExitUsage, "usage: klepsydra interval"},
        {{fixture("main_200.csv"), "--format", "xml"}, cli::kExitUsage, "bad argument '--format'"},
        {{fixture("main_200.csv"), "--target", "50", "10"}, cli::kExitUsage, "bad argument '--target'"},
        {{fixture("main_200.csv"), "--target", "10"}, cli::kExitUsage, "bad argument '--target'"},
        {{fixture("main_200.csv"), "--exclude-outliers", "grubbs"}, cli::kExitUsage, "bad argument"},
        {{fixture("main_200.csv"), "--bootstrap", "-3"}, cli::kExitUsage, "bad argument '--bootstrap'"},
        {{fixture("main_200.csv"), "--no-such-option"}, cli::kExitUsage, "bad argument '--no-such-option'"},
        {{fixture("main_200.csv"), "--group", "sex"}, cli::kExitUsage, "--group needs --column"},
        {{fixture("no_such_file.csv")}, cli::kExitFileError, "no such file"},
        {{fixture("nine_values.csv")}, cli::kExitRefused, "データが少なすぎます"},
    };
    for (const Case& c : cases) {
        CommandRun r = runInterval(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(IntervalCommand, ColumnOfAnExportSplitByGroup) {
    // A laboratory export: semicolon-delimited, the values in column "ALT", the sex in "SEX".
    std::string path = dir_.path().toStdString() + "/export.csv";
    {
        std::ofstream f(path);
        f << "ID;SEX;ALT;AST\n";
        for (int i = 0; i < 200; ++i)
            f << i << ";" << (i % 2 ? "M" : "F") << ";" << (i % 2 ? 30 + i % 17 : 18 + i % 13) << ";" << 20
              << "\n";
    }
    CommandRun r =
        runInterval({path, "--column", "ALT", "--group", "SEX", "--format", "json", "--bootstrap", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonObject root = parse(r.out);
    QJsonArray groups = root["groups"].toArray();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].toObject()["name"].toString(), "SEX=F");
    EXPECT_EQ(groups[1].toObject()["name"].toString(), "SEX=M");
    EXPECT_EQ(groups[0].toObject()["n"].toInt(), 100);
    QJsonArray pairs = root["partitioning"].toArray();
    ASSERT_EQ(pairs.size(), 1);
    EXPECT_TRUE(pairs[0].toObject()["harris_boyd"].toObject()["partition"].toBool());

    CommandRun missing = runInterval({path, "--column", "GGT"});
    EXPECT_EQ(missing.status, cli::kExitRefused);
    for (const char* column : {"ID", "SEX", "ALT", "AST"})
        EXPECT_NE(missing.err.find(column), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");
}

TEST_F(IntervalCommand, SeveralFilesGiveOneJsonArray) {
    CommandRun r = runInterval(
        {fixture("main_200.csv"), fixture("page_normal200.csv"), "--format", "json", "--bootstrap", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out));
    ASSERT_TRUE(doc.isArray()) << r.out.substr(0, 200);
    EXPECT_EQ(doc.array().size(), 2);
}

std::vector<double> fixtureValues(const std::string& name) {
    DataReadResult read = readDataFile(readFileBytes(fixture(name)).value_or(""));
    EXPECT_EQ(read.status, ReadStatus::Ok) << name;
    return leadingNumbers(read.values);
}

// English (--lang en): the window's and the page's lines leave no Japanese behind, with the
// figures where the Japanese has them; the text output, which other programs read too, is the
// same in both languages.
TEST_F(IntervalCommand, EnglishSheetLinesAndTheSameTextOutput) {
    const std::vector<std::string> plain{
        fixture("main_200.csv"), "--target", "6.6",          "8.1",
        "--bootstrap",           "50",       "--group-file", fixture("page_normal200.csv")};
    const std::string japanese = runInterval(plain).out;
    std::vector<std::string> args = plain;
    args.insert(args.begin() + 1, {"--lang", "en"});
    test::LanguageOfArgs english(args);
    ASSERT_TRUE(english.taken());
    ASSERT_EQ(args, plain);
    EXPECT_EQ(runInterval(args).out, japanese);

    using namespace refint;
    const AnalysisOptions options{{50, 1, 2}, TargetInterval{6.6, 8.1}};
    GroupAnalysis g = analyseGroup("main_200", fixtureValues("main_200.csv"), Screen::Tukey, options);
    ASSERT_EQ(g.leftOut.size(), 2u);
    IntervalSheet s;
    s.group = &g;
    s.target = options.target;
    s.secondName = "page_normal200.csv (n=200)";
    s.partition = partitionCriteria(g.kept(), fixtureValues("page_normal200.csv"));
    std::vector<SheetLine> lines = methodLines(s);
    for (auto more : {noteLines(s), verificationLines(s), partitionLines(s)})
        lines.insert(lines.end(), more.begin(), more.end());
    ASSERT_EQ(lines.size(), 6u + 2u + 5u + 4u);
    for (const SheetLine& l : lines)
        EXPECT_FALSE(test::holdsJapanese(l.text)) << l.text;
    EXPECT_EQ(lines[0].text, "Reference interval 2.5 % – 97.5 % ([ ]: 90 % confidence interval)");
    EXPECT_EQ(lines[1].text.rfind("NP  Nonparametric (CLSI EP28-A3c): ", 0), 0u) << lines[1].text;
    EXPECT_NE(lines[1].text.find(" (ranks 2-10 and "), std::string::npos) << lines[1].text;
    EXPECT_EQ(lines[5].text, "PP  Probability plot (95 % interval of the graph window): shown once the graph "
                             "window has found its 95 % interval");
    EXPECT_EQ(lines[6].text, "n = 198 (2 left out: 8.40, 8.60)");
    EXPECT_EQ(lines[8].text, "Verification of a transferred interval: 6.60 – 8.10");
    EXPECT_NE(lines[9].text.find(" (exact binomial rule, 15 allowed) → rejected"), std::string::npos)
        << lines[9].text;
    EXPECT_NE(lines[12].text.find("BC estimate: lower "), std::string::npos) << lines[12].text;
    EXPECT_EQ(lines[13].text, "Partitioning (second group: page_normal200.csv (n=200))");
    EXPECT_NE(lines[16].text.find("Ichihara: SDR = "), std::string::npos) << lines[16].text;

    cli::useLanguage(Language::Japanese);
    EXPECT_EQ(verificationLines(s)[0].text, "移行した基準範囲の検証：6.60 – 8.10");
}

} // namespace
} // namespace kl

#include "AppTestMain.h"
KL_QT_TEST_MAIN()
