// The printed histogram page: file line, title centring, the printer factor guard, pages and the
// statistics table, the "Blue" text rule, the 95 % texts and the scale labels, drawn on a
// recording print job.

#include "output/HistogramPage.h"

#include "NullCanvas.h"
#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace kl {
namespace {

struct Drawn {
    double x, y;
    std::string text;
    int colour;
    bool bold, vertical;
};

class RecordingCanvas : public test::NullCanvas {
  public:
    std::vector<Drawn> texts;
    int lines = 0;
    void line(double, double, double, double, int, LineStyle, double) override { ++lines; }
    void text(double x, double y, const std::string& s, const Font& f, int c) override {
        texts.push_back({x, y, s, c, f.bold, false});
    }
    void textVertical(double x, double y, const std::string& s, const Font& f, int c) override {
        texts.push_back({x, y, s, c, f.bold, true});
    }
};

class RecordingJob : public PrintJob {
  public:
    RecordingJob() { pages.push_back(std::make_unique<RecordingCanvas>()); }
    std::vector<std::unique_ptr<RecordingCanvas>> pages;
    Canvas& page() override { return *pages.back(); }
    void newPage() override { pages.push_back(std::make_unique<RecordingCanvas>()); }
    double pageWidth() const override { return 2000; }
    double pageHeight() const override { return 2870; }
    int verticalDpi() const override { return 600; }
    bool finish() override { return true; }
};

const Drawn* findText(const RecordingCanvas& c, const std::string& start) {
    for (const Drawn& d : c.texts)
        if (d.text.rfind(start, 0) == 0 && d.colour != White) return &d;
    return nullptr;
}

struct Sample {
    std::vector<double> values;
    std::vector<std::string> texts;
};

Sample normalSample(int n) {
    std::mt19937 gen(7);
    std::normal_distribution<double> dist(50, 8);
    Sample s;
    for (int i = 0; i < n; ++i) {
        double v = std::round(dist(gen) * 100) / 100;
        s.values.push_back(v);
        s.texts.push_back(std::to_string(v));
    }
    return s;
}

HistogramPageInput pageInput(const Sample& s) {
    HistogramPageInput in;
    in.values = s.values;
    in.texts = s.texts;
    in.classes = {20, 80, 2, 30, false};
    in.title = "HISTOGRAM OF OTHER";
    in.sourcePath = "/data/a.csv";
    in.count = static_cast<long>(s.values.size());
    return in;
}

std::unique_ptr<RecordingJob> drawPage(const HistogramPageInput& in) {
    auto job = std::make_unique<RecordingJob>();
    HistogramPagePlan plan = planHistogramPage(in);
    EXPECT_FALSE(plan.failure.has_value());
    drawHistogramPage(*job, in, plan);
    EXPECT_EQ(static_cast<int>(job->pages.size()), plan.pages);
    return job;
}

TEST(HistogramPage, FileLineCutsLongPathsAt88Characters) {
    const std::string p87(87, 'a'), p88(88, 'b'), p100(100, 'c');
    EXPECT_EQ(pageFileLine(p87, 12), "File Name： " + p87 + " (N=12)");
    EXPECT_EQ(pageFileLine(p88, 12), "File Name： " + p88 + "～ (N=12)");
    EXPECT_EQ(pageFileLine(p100, 40000), "File Name： " + std::string(88, 'c') + "～ (N=40000)");
    // Characters, not bytes: 88 Japanese characters are kept whole.
    std::string jp;
    for (int i = 0; i < 90; ++i)
        jp += "検";
    std::string cut;
    for (int i = 0; i < 88; ++i)
        cut += "検";
    EXPECT_EQ(pageFileLine("  " + jp + " ", 10), "File Name： " + cut + "～ (N=10)");
}

TEST(HistogramPage, TitleIsCutTo44CellsAndCentredOnTheHistogram) {
    struct Case {
        std::string title, text;
        double x;
    } cases[] = {
        {std::string(44, 'T'), std::string(44, 'T'), 300},
        {std::string(50, 'T'), std::string(44, 'T'), 300},
        {"  " + std::string(10, 'A') + "  ", std::string(10, 'A'), 880}, // floor((1500 - 340.9)/2 + 0.501)
        {"ＡＢ", "ＡＢ", 300 + 682},                                     // 4 cells: (1500 - 136.4)/2
        {std::string(43, 'x') + "Ｙ", std::string(43, 'x'), 317},        // a wide character is not split
        {"", "", 1050},
    };
    for (const Case& c : cases) {
        PageTitle t = pageTitle(c.title);
        EXPECT_EQ(t.text, c.text) << c.title;
        EXPECT_EQ(t.x, c.x) << c.title;
    }
}

TEST(HistogramPage, PrinterFactorNeverDropsBelowOne) {
    struct Case {
        int screen;
        double height;
        int dpi;
        int s;
    } cases[] = {
        {768, 2870, 96, 7},                          // 1084 printer lines
        {768, 2870, 300, 2},                         // 3390
        {768, 2870, 600, 1},                         // 6780
        {768, 2870, 1200, 1}, {1080, 2870, 2400, 1}, // 0 mended to 1
        {768, 0, 600, 1},     {0, 2870, 600, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printerScreenFactor(c.screen, c.height, c.dpi), c.s) << c.dpi;
}

TEST(HistogramPage, TableOnPageOneOrOnPageTwoWithTheFileLineAgain) {
    const Sample s = normalSample(200);
    HistogramPageInput in = pageInput(s);
    in.print.statistics = true;
    auto one = drawPage(in);
    ASSERT_EQ(one->pages.size(), 1u);
    const Drawn* header = findText(*one->pages[0], "=== Statistic === ");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->y, 1490);
    EXPECT_TRUE(findText(*one->pages[0], "File Name： /data/a.csv (N=200)"));

    in.print.plot = true;
    auto two = drawPage(in);
    ASSERT_EQ(two->pages.size(), 2u);
    EXPECT_FALSE(findText(*two->pages[0], "=== Statistic"));
    header = findText(*two->pages[1], "=== Statistic === ");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->y, 40);
    const Drawn* size = findText(*two->pages[1], "Samplesize");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->y, 100);
    EXPECT_EQ(size->text, "Samplesize          " + std::string("      200"));
    for (const auto& page : two->pages) {
        const Drawn* file = findText(*page, "File Name：");
        ASSERT_TRUE(file);
        EXPECT_EQ(file->x, 46);
        EXPECT_EQ(file->y, 2762);
    }
}

TEST(HistogramPage, PastedDataPrintNoFileLine) {
    const Sample s = normalSample(200);
    HistogramPageInput in = pageInput(s);
    in.pasted = true;
    in.print = {true, true, true, true, true};
    auto job = drawPage(in);
    for (const auto& page : job->pages)
        EXPECT_FALSE(findText(*page, "File Name"));
}

TEST(HistogramPage, SmallSamplesAndNarrowedSamplesInTheTable) {
    const Sample s20 = normalSample(20);
    HistogramPageInput in = pageInput(s20);
    in.print.statistics = true;
    auto job = drawPage(in);
    EXPECT_TRUE(findText(*job->pages[0], "M+1.96SD"));
    EXPECT_FALSE(findText(*job->pages[0], "Normal data"));
    EXPECT_FALSE(findText(*job->pages[0], "Skewness"));

    const Sample s200 = normalSample(200);
    in = pageInput(s200);
    in.print.statistics = true;
    job = drawPage(in);
    int skewness = 0;
    for (const Drawn& d : job->pages[0]->texts)
        skewness += d.text.rfind("Skewness", 0) == 0;
    EXPECT_EQ(skewness, 3);
    const Drawn* logRow = findText(*job->pages[0], "Log-transformed data");
    ASSERT_TRUE(logRow);
    EXPECT_EQ(logRow->y, 2150);

    // Without folding only the values inside [L, U) are counted.
    in.classes = {40, 60, 2, 10, false};
    job = drawPage(in);
    const long inside =
        std::count_if(s200.values.begin(), s200.values.end(), [](double v) { return v >= 40 && v < 60; });
    ASSERT_LT(inside, 200);
    const Drawn* size = findText(*job->pages[0], "Samplesize");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->text, "Samplesize          " + std::string(9 - std::to_string(inside).size(), ' ') +
                              std::to_string(inside));
}

TEST(HistogramPage, BlueSchemePrintsWhiteOnlyOverBlue) {
    const Sample s = normalSample(200);
    HistogramPageInput in = pageInput(s);
    in.scheme = GraphScheme::Blue;
    in.print.statistics = true;
    auto job = drawPage(in);
    const Drawn* title = findText(*job->pages[0], "HISTOGRAM OF OTHER");
    ASSERT_FALSE(title); // white: findText skips white draws
    bool titleWhiteBold = false;
    for (const Drawn& d : job->pages[0]->texts)
        if (d.text == "HISTOGRAM OF OTHER") titleWhiteBold = d.colour == White && d.bold && d.y == 1330;
    EXPECT_TRUE(titleWhiteBold);
    // Below the blue band the paper is white: the file line and the table are black.
    ASSERT_TRUE(findText(*job->pages[0], "File Name："));
    ASSERT_TRUE(findText(*job->pages[0], "Mean"));
    // Once, with no shadow copy.
    int titles = 0;
    for (const Drawn& d : job->pages[0]->texts)
        titles += d.text == "HISTOGRAM OF OTHER";
    EXPECT_EQ(titles, 1);

    in.scheme = GraphScheme::TwoD;
    job = drawPage(in);
    titles = 0;
    for (const Drawn& d : job->pages[0]->texts)
        if (d.text == "HISTOGRAM OF OTHER") {
            ++titles;
            EXPECT_EQ(d.colour, titles == 1 ? White : Black);
        }
    EXPECT_EQ(titles, 2);
}

TEST(HistogramPage, IntervalTextsComeFromTheKeptValues) {
    const Sample s = normalSample(200);
    HistogramPageInput in = pageInput(s);
    in.print.plot = in.print.interval = true;
    in.decimalPlaces = 3;
    in.lowerLimit = 34.56789;
    auto job = drawPage(in);
    const Drawn* lower = findText(*job->pages[0], "95％信頼区間の下限値：");
    const Drawn* upper = findText(*job->pages[0], "95％信頼区間の上限値：");
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(lower->text, "95％信頼区間の下限値：     34.568");
    EXPECT_EQ(lower->x, 1150);
    EXPECT_EQ(lower->y, 2670);
    EXPECT_EQ(upper->text, "95％信頼区間の上限値： 曲線不良");
    EXPECT_EQ(upper->y, 2710);
}

TEST(HistogramPage, ScaleLabelsEverySecondBetween500And1000) {
    std::vector<double> values(600, 50.5);
    values.push_back(52.5);
    std::vector<std::string> texts(values.size(), "50.5");
    Sample s{values, texts};
    HistogramPageInput in = pageInput(s);
    HistogramPagePlan plan = planHistogramPage(in);
    ASSERT_FALSE(plan.failure);
    EXPECT_EQ(plan.scale.top, 600);
    std::vector<std::string> labels;
    for (const PlacedText& t : plan.scaleLabels)
        labels.push_back(t.text);
    EXPECT_EQ(labels, (std::vector<std::string>{"  500", "  300", "  100"}));
    EXPECT_EQ(plan.scaleLabels[0].y, 200); // second from the top: 50 + 900/6
    EXPECT_EQ(plan.scaleLabels[0].x, 170);
}

TEST(HistogramPage, ClassesTheGraphCannotPlaceGiveBadData) {
    const Sample s = normalSample(50);
    HistogramPageInput in = pageInput(s);
    for (GraphClasses c : {GraphClasses{20, 80, 0, 30, false}, GraphClasses{80, 20, 2, 30, false},
                           GraphClasses{1000, 2000, 10, 100, false}}) {
        in.classes = c;
        HistogramPagePlan plan = planHistogramPage(in);
        ASSERT_TRUE(plan.failure);
        EXPECT_EQ(plan.failure->caption, "BAD DATA");
    }
}

TEST(HistogramPage, CrossingsAndPaperLabelPositions) {
    const Sample s = normalSample(400);
    HistogramPageInput in = pageInput(s);
    in.print.plot = in.print.theory = true;
    in.crossings = true;
    HistogramPagePlan plan = planHistogramPage(in);
    ASSERT_FALSE(plan.failure);
    ASSERT_TRUE(plan.lowerCrossing && plan.upperCrossing);
    // The crossings lie near mean -/+ 1.96 sd on the plot's 1000 units for 20..80.
    const double lower = 20 + (static_cast<double>(*plan.lowerCrossing) - 500) / 1000 * 60;
    const double upper = 20 + (static_cast<double>(*plan.upperCrossing) - 500) / 1000 * 60;
    EXPECT_NEAR(lower, 50 - 1.96 * 8, 2.5);
    EXPECT_NEAR(upper, 50 + 1.96 * 8, 2.5);
    EXPECT_FALSE(plan.theoretical.empty());
    EXPECT_FALSE(plan.smoothed.empty());
    for (const Polyline& l : plan.smoothed)
        for (const Point& p : l) {
            EXPECT_GE(p.x, 300);
            EXPECT_LE(p.x, 1800);
            EXPECT_LE(p.y, 969);
        }
    // K = 30: dK 17, aK 30 on paper; the last label decides dL.
    ASSERT_EQ(plan.classLabels.size(), 30u);
    EXPECT_EQ(plan.classLabels[0].x, 300 - 17 + 50 - 30);
}

} // namespace
} // namespace kl
