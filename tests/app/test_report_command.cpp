// The batch command `klepsydra report`: the histogram page written to PDF, read back with
// pdftotext -bbox (text positions, pages) and pdftoppm (golden renderings).
//
// Regenerate the golden pages (then look at every one of them before committing):
//   KLEPSYDRA_UPDATE_GOLDEN=1 build/tests/app_test_report_command --gtest_filter='*Golden*'
// which writes tests/data/golden/page_scheme{1,2,3}.png (pdftoppm -r 60 of page 1, every option on)
// and page_scheme1_en.png (the same page in English).

#include "AppTestMain.h"
#include "GoldenPicture.h"

#include "cli/Batch.h"
#include "cli/Language.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <regex>
#include <sstream>

namespace kl {
namespace {

namespace fs = std::filesystem;

std::string freshFolder(const std::string& tag) {
    fs::path p =
        fs::temp_directory_path() / ("klepsydra-" + tag + "-" + std::to_string(std::random_device{}()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
}

std::string dataFile(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

std::string capture(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

struct Word {
    double xMin, yMin;
    std::string text;
};

// Words of each page of a PDF, as pdftotext -bbox lays them out (points from the sheet's corner).
std::vector<std::vector<Word>> pdfWords(const std::string& pdf) {
    std::vector<std::vector<Word>> pages;
    std::istringstream in(capture("pdftotext -bbox '" + pdf + "' - 2>/dev/null"));
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="[0-9.]+">(.*)</word>)re");
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (line.find("<page ") != std::string::npos)
            pages.emplace_back();
        else if (std::regex_search(line, m, word) && !pages.empty())
            pages.back().push_back({std::stod(m[1]), std::stod(m[2]), m[3]});
    }
    return pages;
}

const Word* find(const std::vector<Word>& page, const std::string& text) {
    for (const Word& w : page)
        if (w.text == text) return &w;
    return nullptr;
}

// A page position in 0.1 mm as points on the sheet (printable area 5 mm inside its corner).
double points(double units) {
    return (units / 10 + 5) * 72 / 25.4;
}

class ReportCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = freshFolder("report");
        fs::create_directories(dir_ + "/wd/data_f");
        std::string master = "\"GLU\",\"38\",\"62\"";
        for (int i = 0; i < 14; ++i)
            master += ",\"\"";
        writeFileAtomic(dir_ + "/wd/data_f/KIJUN.DAT", utf8ToCp932(master + "\r\n"));
    }
    void TearDown() override { fs::remove_all(dir_); }

    int run(std::vector<std::string> args, const std::string& pdf) {
        args.insert(args.end(), {"--workdir", dir_ + "/wd", "--pdf", pdf});
        std::ostringstream out, err;
        int status = cli::printReport(args, out, err);
        err_ = err.str();
        return status;
    }
    std::string dir_, err_;
};

TEST_F(ReportCommand, TableOnPageOneAloneAndOnPageTwoWithThePlot) {
    const std::string one = dir_ + "/one.pdf", two = dir_ + "/two.pdf";
    ASSERT_EQ(run({dataFile("page_normal200.csv"), "--print-statistics"}, one), 0) << err_;
    ASSERT_EQ(run({dataFile("page_normal200.csv"), "--print-statistics", "--print-plot"}, two), 0) << err_;

    auto pages = pdfWords(one);
    ASSERT_EQ(pages.size(), 1u);
    const Word* header = find(pages[0], "===");
    ASSERT_TRUE(header);
    EXPECT_NEAR(header->xMin, points(180), 1.0);
    EXPECT_TRUE(find(pages[0], "Samplesize"));
    EXPECT_TRUE(find(pages[0], "File"));

    pages = pdfWords(two);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_FALSE(find(pages[0], "Samplesize"));
    EXPECT_TRUE(find(pages[0], "Normal"));
    ASSERT_TRUE(find(pages[1], "Samplesize"));
    // The table moved up by 1450 units: its header at y = 40 instead of 1490.
    const auto onePage = pdfWords(one);
    ASSERT_FALSE(onePage.empty());
    const Word* h1 = find(onePage[0], "===");
    const Word* h2 = find(pages[1], "===");
    ASSERT_TRUE(h1 && h2);
    EXPECT_NEAR(h1->yMin - h2->yMin, 1450 * 72 / 254.0, 0.5);
    for (const auto& page : pages) {
        const Word* file = find(page, "File");
        ASSERT_TRUE(file);
        EXPECT_NEAR(file->xMin, points(46), 1.0);
    }
}

TEST_F(ReportCommand, TitlesAndLongPaths) {
    // A 44-character title starts exactly at the histogram's left edge; a shorter one is centred.
    const std::string pdf = dir_ + "/title.pdf";
    ASSERT_EQ(run({dataFile("page_normal200.csv"), "--title", std::string(44, 'T')}, pdf), 0) << err_;
    auto words = pdfWords(pdf);
    ASSERT_FALSE(words.empty());
    const Word* title = find(words[0], std::string(44, 'T'));
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->xMin, points(300), 0.5);
    ASSERT_EQ(run({dataFile("page_normal200.csv"), "--title", std::string(60, 'T')}, pdf), 0) << err_;
    EXPECT_TRUE(find(pdfWords(pdf)[0], std::string(44, 'T')));
    ASSERT_EQ(run({dataFile("page_normal200.csv"), "--title", "ABCDEFGHIJ"}, pdf), 0) << err_;
    words = pdfWords(pdf);
    ASSERT_FALSE(words.empty());
    title = find(words[0], "ABCDEFGHIJ");
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->xMin, points(880), 0.5);

    // A data file whose absolute path is longer than 87 characters: 88 of them and "～".
    std::string folder = dir_ + "/";
    while (folder.size() < 100)
        folder += "d";
    fs::create_directories(folder);
    const std::string data = folder + "/values.csv";
    fs::copy_file(dataFile("page_normal200.csv"), data);
    ASSERT_EQ(run({data}, pdf), 0) << err_;
    std::string line = capture("pdftotext -layout '" + pdf + "' - 2>/dev/null");
    // The full-width tilde may come back as U+301C from the font's mapping.
    const std::string start = "File Name： " + data.substr(0, 88);
    const bool found = line.find(start + "～ (N=200)") != std::string::npos ||
                       line.find(start + "〜 (N=200)") != std::string::npos;
    EXPECT_TRUE(found) << line;
}

TEST_F(ReportCommand, RefusalsWriteNoFile) {
    const std::string pdf = dir_ + "/bad.pdf";
    EXPECT_EQ(run({dataFile("page_normal200.csv"), "--print-plot"}, ""), 64);
    EXPECT_EQ(run({dir_ + "/missing.csv"}, pdf), 2); // no such file
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(run({dataFile("page_normal200.csv"), "--scheme", "4"}, pdf), 64);
    EXPECT_FALSE(fs::exists(pdf));
}

// The program itself loads no Qt: it runs the report in its windows module, with the language it
// was given and the module's messages and exit status passed through.
TEST_F(ReportCommand, TheProgramPrintsThroughItsWindowsModule) {
    const std::string pdf = dir_ + "/program.pdf";
    QProcess program;
    program.start(QStringLiteral(KLEPSYDRA_PROGRAM),
                  {"report", QString::fromStdString(dataFile("page_normal200.csv")), "--lang", "en",
                   "--print-interval", "--workdir", QString::fromStdString(dir_ + "/wd"), "--pdf",
                   QString::fromStdString(pdf)});
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const auto pages = pdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(find(pages[0], "Lower"));

    program.start(QStringLiteral(KLEPSYDRA_PROGRAM), {"report", QString::fromStdString(dir_ + "/missing.csv"),
                                                      "--pdf", QString::fromStdString(pdf)});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_NE(program.readAllStandardError().toStdString().find("no such file"), std::string::npos);
}

TEST_F(ReportCommand, IntervalTextsAndReferenceLabels) {
    const std::string pdf = dir_ + "/all.pdf";
    ASSERT_EQ(run({dataFile("page_normal200.csv"), "--item", "GLU", "--print-interval", "--print-reference",
                   "--print-theory"},
                  pdf),
              0)
        << err_;
    const auto pages = pdfWords(pdf);
    ASSERT_EQ(pages.size(), 1u);
    // The number follows its label on the same line, 40 units (11.3 pt) between the two lines.
    auto valueAfter = [&](const std::string& label, double* y) {
        const Word* l = find(pages[0], label);
        if (!l) return -1.0;
        *y = l->yMin;
        for (const Word& w : pages[0])
            if (std::abs(w.yMin - l->yMin) < 0.5 && w.xMin > l->xMin) return std::stod(w.text);
        return -1.0;
    };
    double yLower = 0, yUpper = 0;
    const double lower = valueAfter("95％信頼区間の下限値：", &yLower);
    const double upper = valueAfter("95％信頼区間の上限値：", &yUpper);
    EXPECT_NEAR(yUpper - yLower, 40 * 72 / 254.0, 0.3);
    EXPECT_NEAR(yLower, points(2670), 3.0);
    EXPECT_GT(lower, 25);
    EXPECT_LT(lower, 45);
    EXPECT_GT(upper, 55);
    EXPECT_LT(upper, 75);
    EXPECT_TRUE(find(pages[0], "Probability"));
    EXPECT_TRUE(find(pages[0], "理論的正規分布曲線"));
    EXPECT_TRUE(find(pages[0], "LOWER：38"));
    EXPECT_TRUE(find(pages[0], "UPPER：62"));
}

TEST_F(ReportCommand, GoldenPagesInAllThreeSchemes) {
    // The page prints the data path: a copy at a fixed path keeps it the same in every checkout.
    const std::string data =
        golden::fixedDataCopy("report-command", dataFile("page_normal200.csv"), "page_normal200.csv");
    for (const char* scheme : {"1", "2", "3"}) {
        const std::string pdf = dir_ + "/scheme" + scheme + ".pdf";
        ASSERT_EQ(
            run({data, "--item", "GLU", "--scheme", scheme, "--title", "HISTOGRAM OF GLU", "--print-theory",
                 "--print-reference", "--print-interval", "--print-plot", "--print-statistics"},
                pdf),
            0)
            << err_;
        const std::string png = dir_ + "/scheme" + scheme;
        capture("pdftoppm -r 60 -f 1 -l 1 -png -singlefile '" + pdf + "' '" + png + "'");
        golden::expectMatches(QImage(QString::fromStdString(png + ".png")),
                              std::string("page_scheme") + scheme + ".png");
    }
}

// The page in English: the curve legend, the axis caption and the interval lines, laid out inside
// the frames (the golden proves it); page 2's table keeps its English names.
TEST_F(ReportCommand, GoldenPageInEnglish) {
    struct English {
        English() { cli::useLanguage(Language::English); }
        ~English() { cli::useLanguage(Language::Japanese); }
    } english;
    const std::string data =
        golden::fixedDataCopy("report-command", dataFile("page_normal200.csv"), "page_normal200.csv");
    const std::string pdf = dir_ + "/english.pdf";
    ASSERT_EQ(run({data, "--item", "GLU", "--scheme", "1", "--title", "HISTOGRAM OF GLU", "--print-theory",
                   "--print-reference", "--print-interval", "--print-plot", "--print-statistics"},
                  pdf),
              0)
        << err_;
    const auto pages = pdfWords(pdf);
    ASSERT_EQ(pages.size(), 2u);
    for (const char* word : {"Smoothed", "Lower", "Upper", "Cumulative"})
        EXPECT_TRUE(find(pages[0], word)) << word;
    EXPECT_FALSE(find(pages[0], "理論的正規分布曲線"));
    EXPECT_TRUE(find(pages[1], "Samplesize"));
    capture("pdftoppm -r 60 -f 1 -l 1 -png -singlefile '" + pdf + "' '" + dir_ + "/english'");
    golden::expectMatches(QImage(QString::fromStdString(dir_ + "/english.png")), "page_scheme1_en.png");
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
