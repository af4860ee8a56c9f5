// The lines and picture the reference-interval window and its page share: missing rows say why in
// the window's words, the verification and partitioning lines, the traffic lights, and the
// picture staying inside its frame whatever the data.

#include "NullCanvas.h"
#include "TestSupport.h"

#include "indirect/Generator.h"
#include "output/IndirectSheet.h"
#include "output/IntervalSheet.h"
#include "refint/HealthySample.h"
#include "text/Cp932.h"

#include <algorithm>

using namespace kl;
using namespace kl::refint;

namespace {

// Records the extent of every drawing.
class ExtentCanvas : public test::NullCanvas {
  public:
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    int fills = 0;
    void take(double x, double y) {
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y),
        maxY = std::max(maxY, y);
    }
    void line(double x1, double y1, double x2, double y2, int, LineStyle, double) override {
        take(x1, y1), take(x2, y2);
    }
    void fillBox(double x1, double y1, double x2, double y2, int) override {
        take(x1, y1), take(x2, y2), ++fills;
    }
    void box(double x1, double y1, double x2, double y2, int, LineStyle) override {
        take(x1, y1), take(x2, y2);
    }
    // Texts as boxes of half-width cells half their font size wide.
    struct TextBox {
        double x1, y1, x2, y2;
        std::string text;
    };
    std::vector<TextBox> texts;
    double textWidth(const std::string& t, const Font& f) override {
        return static_cast<double>(sjisWidth(t)) * f.size / 2;
    }
    void text(double x, double y, const std::string& t, const Font& f, int) override {
        texts.push_back({x, y, x + textWidth(t, f), y + f.size, t});
    }
    // The first two texts drawn over each other, as "A | B"; empty when none are.
    std::string overlapping() const {
        for (std::size_t i = 0; i < texts.size(); ++i)
            for (std::size_t j = i + 1; j < texts.size(); ++j) {
                const TextBox &a = texts[i], &b = texts[j];
                if (a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2) return a.text + " | " + b.text;
            }
        return "";
    }
};

bool hasLine(const std::vector<SheetLine>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const SheetLine& l) { return l.text.find(part) != std::string::npos; });
}

} // namespace

TEST(IntervalSheet, MissingRowsSayWhyInTheWindowsWords) {
    std::vector<double> x = healthySample({1, 10, 2, 0.1}, 150, 4);
    x[0] = 0;
    GroupAnalysis g = analyseGroup("", x, Screen::None, {{0, 1, 1}, TargetInterval{6, 14}});
    IntervalSheet s;
    s.group = &g;
    s.target = TargetInterval{6, 14};
    std::vector<SheetLine> methods = methodLines(s);
    ASSERT_EQ(methods.size(), 6u); // heading, four methods, the probability plot
    EXPECT_TRUE(hasLine(
        methods, "BC  Parametric (Box-Cox, λ by maximum likelihood)：算出できません（0 以下の値があり"));
    EXPECT_TRUE(hasLine(methods, "RT  Robust, Box-Cox scale (Horn & Pesce)：算出できません"));
    EXPECT_TRUE(hasLine(methods, "信頼区間は bootstrap で"));
    EXPECT_TRUE(hasLine(methods, "グラフ画面で 95 % 信頼区間を求めると表示します"));
    // No Box-Cox estimate: the nonparametric limits are judged.
    std::vector<SheetLine> verify = verificationLines(s);
    EXPECT_TRUE(hasLine(verify, "NP の推定"));
    EXPECT_TRUE(verdictColours(s).has_value());
    EXPECT_TRUE(partitionLines(s).empty());

    s.plot = {true, 6.5, 13.5};
    EXPECT_TRUE(hasLine(methodLines(s), "PP  Probability plot（グラフ画面の 95 % 区間）：6.500 – 13.500"));
    s.secondName = "b.csv";
    EXPECT_TRUE(hasLine(partitionLines(s), "各群に 2 件以上の値が必要です"));
}

TEST(IntervalSheet, VerdictsAndLeftOutValues) {
    std::vector<double> x = healthySample({1, 30, 5, 0.1}, 300, 8);
    x.push_back(95);
    GroupAnalysis g = analyseGroup("", x, Screen::DixonReed, {{0, 1, 1}, TargetInterval{25, 35}});
    IntervalSheet s;
    s.group = &g;
    s.target = TargetInterval{25, 35};
    s.decimals = 1;
    ASSERT_FALSE(g.leftOut.empty());
    EXPECT_TRUE(hasLine(noteLines(s), "除外 1 件：95.0"));
    // A target narrower than the data (true limits about 20 and 40): both limits red.
    auto lights = verdictColours(s);
    ASSERT_TRUE(lights);
    EXPECT_EQ(lights->first, int(Red));
    EXPECT_EQ(lights->second, int(Red));
    EXPECT_TRUE(hasLine(verificationLines(s), "赤（明らかに低い）"));
    EXPECT_TRUE(hasLine(verificationLines(s), "赤（明らかに高い）"));
    EXPECT_TRUE(hasLine(verificationLines(s), "→ 不合格"));
}

TEST(IntervalSheet, PictureStaysInsideItsFrame) {
    struct Case {
        const char* what;
        std::vector<double> values;
    } cases[] = {
        {"healthy", healthySample({0.5, 10, 1, 0.1}, 500, 1)},
        {"identical", std::vector<double>(30, 4.0)},
        {"negative and far", {-50, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1e6}},
    };
    const SheetFrame frame{100, 50, 600, 250, 12, 12, 1};
    for (const Case& c : cases) {
        GroupAnalysis g = analyseGroup("", c.values, Screen::Tukey, {{50, 1, 1}, std::nullopt});
        IntervalSheet s;
        s.group = &g;
        ExtentCanvas canvas;
        drawIntervalPicture(canvas, frame, s);
        EXPECT_GE(canvas.minX, frame.x - 12) << c.what;
        EXPECT_LE(canvas.maxX, frame.x + frame.width + 12) << c.what;
        EXPECT_GE(canvas.minY, frame.y) << c.what;
        EXPECT_LE(canvas.maxY, frame.y + frame.height) << c.what;
        EXPECT_GT(canvas.fills, 1) << c.what; // the background and at least one bar
    }
}

namespace {

IndirectSheet indirectSheet(std::size_t count, double resolution) {
    indirect::MixtureParameters mixture;
    mixture.count = count;
    mixture.pathologicalShare = 0.2;
    mixture.resolution = resolution;
    mixture.seed = 3;
    IndirectSheet s;
    s.sorted = indirect::generateMixture(mixture).values;
    s.rows = count + 15;
    s.skipped = {1, 2, 3, 4, 5, 0};
    s.censored = {{0.5, true, 4}, {1000, false, 5}};
    s.analysis = indirect::analyse(s.sorted, indirect::kMethods);
    return s;
}

} // namespace

TEST(IndirectSheet, NumbersTakeOneDecimalMoreThanTheResolution) {
    struct Case {
        double value, resolution;
        const char* text;
    } cases[] = {{18.1639, 0.1, "18.16"}, {18.1639, 1, "18.2"},      {0.012345, 0.001, "0.0123"},
                 {1234.56, 0, "1235"},    {0.0123456, 0, "0.01235"}, {NAN, 0.1, "–"}};
    for (const Case& c : cases)
        EXPECT_EQ(indirectNumber(c.value, c.resolution), c.text) << c.value << " " << c.resolution;
}

TEST(IndirectSheet, TableAndCountsSayWhatWasUsedAndWhy) {
    IndirectSheet s = indirectSheet(5000, 0.1);
    std::vector<IndirectRow> table = indirectTable(s);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_EQ(table[0].cells, (std::vector<std::string>{"方法", "下限 [90 % 信頼区間]",
                                                        "上限 [90 % 信頼区間]", "P", "λ", "使用数"}));
    EXPECT_EQ(table[1].cells[0], "TQ  Truncated probability plot");
    EXPECT_NE(table[1].cells[1].find(" ["), std::string::npos); // the probability plot gives intervals
    EXPECT_EQ(table[2].cells[0], "IM  Inverse modelling (Box-Cox)");
    EXPECT_EQ(table[2].colour, Red);
    EXPECT_EQ(table[2].cells[3].substr(0, 2), "0."); // P
    EXPECT_EQ(table[2].cells[5], "5,000");
    std::vector<SheetLine> lines = indirectCountLines(s);
    EXPECT_EQ(lines[0].text, "使用した値 5,000 件 / 5,015 行");
    EXPECT_EQ(lines[1].text,
              "使わなかった値：空欄 1、数値でない 2、0 以下 3、下限未満（<x） 4、上限超（>x） 5");
    EXPECT_EQ(lines[1].colour, Red);
    EXPECT_EQ(lines[2].text, "打ち切り値：<0.5 × 4、>1000 × 5（限界値の計算には使いません）");
    EXPECT_EQ(lines[3].text.substr(0, std::string("丸めの単位 0.1、").size()), "丸めの単位 0.1、");

    // Too few values for two of the methods: they say so instead of giving limits.
    IndirectSheet few = indirectSheet(60, 1);
    table = indirectTable(few);
    EXPECT_EQ(table[2].cells[1], "算出できません");
    EXPECT_TRUE(hasLine(indirectCountLines(few), "IM：0 より大きい値が 100 件未満です"));
    EXPECT_TRUE(hasLine(indirectCountLines(few), "TQ：0 より大きい値が 200 件未満：限界値は不確かです"));
}

TEST(IndirectSheet, PicturesStayInsideTheirFrames) {
    const SheetFrame frame{100, 50, 600, 250, 12, 12, 1};
    IndirectSheet empty;
    std::vector<double> none;
    empty.analysis = indirect::analyse(none, indirect::kMethods);
    for (const IndirectSheet& s :
         {indirectSheet(5000, 0.1), indirectSheet(60, 1), indirectSheet(3000, 0), empty}) {
        for (auto draw : {&drawIndirectHistogram, &drawIndirectPlot}) {
            ExtentCanvas canvas;
            draw(canvas, frame, s);
            EXPECT_GE(canvas.minX, frame.x) << s.sorted.size();
            EXPECT_LE(canvas.maxX, frame.x + frame.width) << s.sorted.size();
            EXPECT_GE(canvas.minY, frame.y) << s.sorted.size();
            EXPECT_LE(canvas.maxY, frame.y + frame.height) << s.sorted.size();
            EXPECT_GE(canvas.fills, s.sorted.size() > 100 ? 2 : 1) << s.sorted.size(); // frame, bars or band
            EXPECT_EQ(canvas.overlapping(), "") << s.sorted.size();
        }
    }
}
