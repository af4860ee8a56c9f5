// Page layouts of the text reports, read back from a print job that records its text draws.
#include "NullCanvas.h"
#include "TestSupport.h"

#include "data/DataSet.h"
#include "output/HelpTexts.h"
#include "output/TextReports.h"
#include "stats/GraphStatistics.h"
#include "text/Cp932.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kl {
namespace {

struct Draw {
    int page;
    double x, y, size;
    std::string text;
};

class RecordingJob : public PrintJob, public test::NullCanvas {
  public:
    std::vector<Draw> draws;
    int pages = 1;
    int lines = 0;

    Canvas& page() override { return *this; }
    void newPage() override { ++pages; }
    double pageWidth() const override { return 2000; }
    double pageHeight() const override { return 2870; }
    int verticalDpi() const override { return 600; }
    bool finish() override { return true; }

    void line(double, double, double, double, int, LineStyle, double) override { ++lines; }
    void text(double x, double y, const std::string& t, const Font& f, int) override {
        draws.push_back({pages, x, y, f.size, t});
    }
    void textVertical(double x, double y, const std::string& t, const Font& f, int c) override {
        text(x, y, t, f, c);
    }
    double textWidth(const std::string& t, const Font& f) override { return sjisWidth(t) * f.size / 2; }

    const Draw* find(const std::string& prefix) const {
        for (const Draw& d : draws)
            if (d.text.rfind(prefix, 0) == 0) return &d;
        return nullptr;
    }
    int countStarting(const std::string& prefix) const {
        return static_cast<int>(std::count_if(draws.begin(), draws.end(),
                                              [&](const Draw& d) { return d.text.rfind(prefix, 0) == 0; }));
    }
};

DataSet numbered(int n) {
    DataSet d;
    for (int i = 1; i <= n; ++i)
        d.values.push_back(std::to_string(10 + i % 17) + ".5");
    d.sourcePath = "/lab/glucose.csv";
    return d;
}

TEST(DataList, PageBreaksEvery200Values) {
    struct Case {
        int n, pages, onLastPage;
    };
    for (Case c : {Case{10, 1, 10}, Case{200, 1, 200}, Case{201, 2, 1}, Case{400, 2, 200}, Case{401, 3, 1}}) {
        RecordingJob job;
        printDataList(job, numbered(c.n), "/lab/glucose.csv");
        EXPECT_EQ(job.pages, c.pages) << c.n;
        int headers = 0, onLast = 0;
        for (const Draw& d : job.draws) {
            if (d.text.rfind("FILE NAME ： /lab/glucose.csv", 0) == 0) ++headers;
            if (d.text.rfind("| ", 0) == 0 && d.page == c.pages) ++onLast;
        }
        EXPECT_EQ(headers, c.pages) << c.n;
        EXPECT_EQ(onLast, c.onLastPage) << c.n;
    }
}

TEST(DataList, ValuesFillFourColumnsColumnByColumn) {
    RecordingJob job;
    printDataList(job, numbered(201), "x");
    struct Where {
        int i;
        int page;
        double x, y;
    };
    for (Where w : {Where{1, 1, 30, 280}, Where{50, 1, 30, 280 + 49 * 50}, Where{51, 1, 530, 280},
                    Where{151, 1, 1530, 280}, Where{200, 1, 1530, 2730}, Where{201, 2, 30, 280}}) {
        std::string prefix =
            "| " + std::string(5 - std::to_string(w.i).size(), ' ') + std::to_string(w.i) + "  ";
        const Draw* d = job.find(prefix);
        ASSERT_NE(d, nullptr) << w.i;
        EXPECT_EQ(d->page, w.page) << w.i;
        EXPECT_EQ(d->x, w.x) << w.i;
        EXPECT_EQ(d->y, w.y) << w.i;
        EXPECT_EQ(d->size, 14);
    }
    EXPECT_NE(job.find("    N     ： 201"), nullptr);
}

TEST(DataList, EntriesKeepTheirFieldsAndLongValuesPrintWhole) {
    struct Case {
        int i;
        std::string value;
        int column;
        std::string entry;
    };
    const Case cases[] = {
        {1, "12.5", 1, "|     1       12.5  "},
        {200, "12.5", 4, "|   200       12.5 |"},
        {7, "123456789", 2, "|     7  123456789  "},
        // Ten characters: one blank is given up, nothing is lost.
        {8, "-123456.78", 1, "|     8 -123456.78  "},
        {9, "0.123456789", 4, "|     9 0.123456789 |"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dataListEntry(c.i, c.value, c.column), c.entry) << c.value;
}

TEST(DataList, TenCharacterValuePrintsWholeBetweenReadableNeighbours) {
    DataSet d = numbered(60);
    d.values[50] = "-123456.78"; // value 51, top of column 2
    RecordingJob job;
    printDataList(job, d, "");
    const Draw* longOne = job.find("|    51 ");
    ASSERT_NE(longOne, nullptr);
    EXPECT_NE(longOne->text.find("-123456.78"), std::string::npos);
    EXPECT_LE(sjisWidth(longOne->text), 20u); // still inside its 500-unit column
    EXPECT_NE(job.find("|     1       11.5"), nullptr);
    EXPECT_NE(job.find("|    52       11.5"), nullptr);
    EXPECT_NE(job.find("FILE NAME ： "), nullptr);
}

TEST(BasicStatisticsReport, ShapeBlocksOnlyFromThirtyValues) {
    for (int n : {10, 29, 30}) {
        RecordingJob job;
        printBasicStatistics(job, numbered(n), "f", std::nullopt);
        const int expected = n >= 30 ? 1 : 0;
        EXPECT_EQ(job.countStarting("  ( normal data )"), expected) << n;
        EXPECT_EQ(job.countStarting("  ( cube-transformed data )"), expected) << n;
        EXPECT_EQ(job.countStarting("  Skewness      =  "), 3 * expected) << n;
        EXPECT_EQ(job.countStarting("  S.D.(N-1)     =  "), 1) << n;
        EXPECT_EQ(job.countStarting("  ＃ 異常率(%) ："), 0) << n;
    }
}

TEST(BasicStatisticsReport, FiguresThroughTheirMasks) {
    DataSet d;
    for (const char* v : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"})
        d.values.push_back(v);
    RecordingJob job;
    printBasicStatistics(job, d, "", std::nullopt);
    const Draw* mean = job.find("  Mean          =  ");
    ASSERT_NE(mean, nullptr);
    EXPECT_EQ(mean->text, "  Mean          =       5.500000");
    EXPECT_EQ(mean->x, 31);
    EXPECT_EQ(mean->y, 170);
    EXPECT_EQ(job.find("  Sample size   =  ")->text, "  Sample size   =             10");
    EXPECT_EQ(job.find("  RNG ")->text, "  RNG           =       9.000000");
    const Draw* sd = job.find("  S.D.(N-1)     =  ");
    EXPECT_EQ(sd->text, "  S.D.(N-1)     =       3.027650");
    EXPECT_EQ(sd->x, 30);
    EXPECT_EQ(job.find("FILE NAME ： ")->text, "FILE NAME ： ");
}

TEST(BasicStatisticsReport, OneValueHasNoSpread) {
    DataSet d;
    d.values = {"4.2"};
    RecordingJob job;
    printBasicStatistics(job, d, "", std::nullopt);
    EXPECT_EQ(job.find("  S.D.(N-1)")->text, "  S.D.(N-1)     =  Not calculate ");
    EXPECT_EQ(job.find("  S.D.(N)")->text, "  S.D.(N)       =  Not calculate ");
    EXPECT_EQ(job.find("  Mean-1.96SD"), nullptr);
}

TEST(BasicStatisticsReport, OutOfRangeBlockOnlyWithAnItem) {
    DataSet d;
    for (int i = 1; i <= 20; ++i)
        d.values.push_back(std::to_string(i));
    RecordingJob job;
    printBasicStatistics(job, d, "", ReferenceLimitTexts{"3", "18"});
    ASSERT_NE(job.find("  ＃ 異常率(%) ："), nullptr);
    EXPECT_EQ(job.find("  ＃ 異常率(%) ：")->y, 1120);
    // 1 and 2 below 3, 19 and 20 above 18: 10 % each side; the limits themselves are inside.
    EXPECT_EQ(job.find("     Lower：")->text, "     Lower：10.0");
    EXPECT_EQ(job.find("     Upper：")->text, "     Upper：10.0");
    EXPECT_EQ(job.find("     Total：")->text, "     Total：20.0");
    EXPECT_EQ(job.find("     Total：")->y, 1270);
}

TEST(FrequencyTableReport, RowsUnchangedUnderTheHeadings) {
    const std::vector<std::string> rows = {"    1 |          1.0 － 2.0          | 3     ",
                                           "    2 |          2.0 － 3.0          |       "};
    RecordingJob job;
    printFrequencyTable(job, rows, "/a/b.csv", 3);
    ASSERT_EQ(job.draws.size(), 8u);
    EXPECT_EQ(job.draws[0].text, "Frequency Table");
    EXPECT_EQ(job.draws[0].size, 20);
    EXPECT_EQ(job.draws[1].text, "FILE NAME ： /a/b.csv");
    EXPECT_EQ(job.draws[2].text, "    N     ： 3");
    EXPECT_EQ(job.draws[4].text, "Class |          Interval            | Frequency");
    for (int k = 0; k < 2; ++k) {
        const Draw& d = job.draws[static_cast<std::size_t>(6 + k)];
        EXPECT_EQ(d.text, rows[static_cast<std::size_t>(k)]);
        EXPECT_EQ(d.x, 50);
        EXPECT_EQ(d.y, 200 + 50 * (3 + k));
    }
}

TEST(ReportFileName, PastedDataPrintNoName) {
    DataSet d;
    d.sourcePath = " /x/y.csv ";
    EXPECT_EQ(reportFileName(d, false), "/x/y.csv");
    EXPECT_EQ(reportFileName(d, true), "");
}

GraphStatisticsOutcome graphOutcome(int n, int left) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i)
        values.push_back(10 + (i * 7) % 13 * 0.5);
    for (int i = 0; i < left; ++i)
        values.push_back(100 + i);
    GraphClasses classes;
    classes.lower = 9;
    classes.upper = 19;
    classes.interval = 1;
    classes.count = 10;
    return computeGraphStatistics(values, classes, "T");
}

TEST(GraphStatisticsReport, ColumnsAndFooter) {
    const GraphStatisticsOutcome o = graphOutcome(60, 2);
    ASSERT_TRUE(o.shown);
    RecordingJob job;
    EXPECT_FALSE(printGraphStatistics(job, o, "/data/x.csv", 62).has_value());
    EXPECT_EQ(job.find("SAMPLE SIZE ：")->text, "SAMPLE SIZE ：           62");
    const Draw* graphSize = nullptr;
    for (const Draw& d : job.draws)
        if (d.x == 960) graphSize = &d;
    ASSERT_NE(graphSize, nullptr);
    EXPECT_EQ(graphSize->text, "     60");
    EXPECT_EQ(job.countStarting("Skewness    ： "), 3);
    EXPECT_EQ(job.find("File Name： ")->text, "File Name： /data/x.csv (N=62)");
    EXPECT_EQ(job.find("File Name： ")->size, 10);
}

TEST(GraphStatisticsReport, SmallSampleHasNoShapeBlocksAndPastedDataNoFooter) {
    const GraphStatisticsOutcome o = graphOutcome(12, 1);
    ASSERT_TRUE(o.shown);
    RecordingJob job;
    EXPECT_FALSE(printGraphStatistics(job, o, "", 13).has_value());
    EXPECT_EQ(job.countStarting("Skewness"), 0);
    EXPECT_EQ(job.find("File Name"), nullptr);
}

TEST(GraphStatisticsReport, LongNameIsCutWithAMark) {
    const GraphStatisticsOutcome o = graphOutcome(60, 2);
    const std::string name = "/" + std::string(99, 'a');
    RecordingJob job;
    printGraphStatistics(job, o, name, 62);
    EXPECT_EQ(job.find("File Name： ")->text, "File Name： " + name.substr(0, 88) + "～ (N=62)");
}

TEST(HelpPrint, ModesAndFormulaBlock) {
    RecordingJob usage;
    printHelpText(usage, 1);
    ASSERT_NE(usage.find("   << ＨＩＳＴＯＧＲＡＭ の使い方 >>"), nullptr);
    EXPECT_EQ(usage.find("   << ＨＩＳＴＯＧＲＡＭ")->y, 100);
    EXPECT_EQ(usage.find("   " + std::string(kUsageInput[0]))->y, 200);
    EXPECT_EQ(usage.lines, 0);
    EXPECT_EQ(usage.find("ｂ1＝"), nullptr);

    RecordingJob shape;
    printHelpText(shape, 2);
    EXPECT_EQ(shape.lines, 5); // two mean overlines, two fraction bars, the legend's overline
    ASSERT_NE(shape.find("ｂ2＝"), nullptr);
    EXPECT_EQ(shape.find("ｂ2＝")->x, 670);
    EXPECT_EQ(shape.find("ｂ2＝")->y, 450);
    EXPECT_EQ(shape.find("4")->size, 9);
    // Nothing written over the formula block (403 .. 610).
    for (const Draw& d : shape.draws)
        if (d.size == 13) {
            EXPECT_TRUE(d.y + 46 <= 403 || d.y >= 610) << d.text;
        }
    EXPECT_NE(shape.find("   ｂ2＞３"), nullptr);

    RecordingJob none;
    printHelpText(none, 0);
    EXPECT_TRUE(none.draws.empty());
}

TEST(HelpPrint, LinesFitThePrintableWidth) {
    for (int mode : {1, 2}) {
        RecordingJob job;
        printHelpText(job, mode);
        for (const Draw& d : job.draws)
            EXPECT_LE(d.x + sjisWidth(d.text) * d.size / 2 * kPaperUnitsPerPoint, 2000) << d.text;
    }
}

TEST(IntervalHelpPrint, ExplanationUnderThePicture) {
    RecordingJob job;
    printIntervalHelp(job);
    const Draw* heading = job.find("<< 95％信頼区間について >>");
    ASSERT_NE(heading, nullptr);
    EXPECT_GE(heading->y, 2000 * 710 / 868.0);
    EXPECT_EQ(job.countStarting("Ｓ型"), 1);
    EXPECT_EQ(job.countStarting("Ｎ型"), 1);
}

} // namespace
} // namespace kl

namespace kl {
namespace {

// Every row of the help window stays inside its window: half-width cells of size/2 pixels from
// column 2 of the grid.
TEST(HelpTexts, RowsFitTheHelpWindow) {
    struct Case {
        std::vector<const char*> lines;
        double size, width;
    };
    std::vector<const char*> usage = {kUsageTitle, kHelpClosingNote};
    usage.insert(usage.end(), kUsageInput.begin(), kUsageInput.end());
    usage.insert(usage.end(), kUsageWorkflow.begin(), kUsageWorkflow.end());
    usage.insert(usage.end(), kUsageOutput.begin(), kUsageOutput.end());
    std::vector<const char*> shape = {kShapeTitle, kShapeReadingLead, kHelpClosingNote};
    shape.insert(shape.end(), kShapeIntro.begin(), kShapeIntro.end());
    shape.insert(shape.end(), kShapeReadings.begin(), kShapeReadings.end());
    shape.insert(shape.end(), kShapeTest.begin(), kShapeTest.end());
    for (const Case& c : {Case{usage, 18, 782}, Case{shape, 18, 792}, Case{{kShapeSummary}, 14, 792}})
        for (const char* line : c.lines)
            EXPECT_LE((2 + sjisWidth(line)) * c.size / 2, c.width) << line;
}

} // namespace
} // namespace kl
