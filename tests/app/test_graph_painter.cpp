// The graph window's picture painted into an image: scales, schemes, curves, the probability
// paper and its 95 % interval, the failures that close the window, and the window itself.
//
// Golden pictures: tests/data/golden/form2_scheme{1,2,3}.png and form2_scheme1_en.png (English)
// are regenerated with
//     KLEPSYDRA_UPDATE_GOLDEN=1 build/tests/app_test_graph_painter --gtest_filter='*Golden*'

#include "AppTestMain.h"
#include "GoldenPicture.h"
#include "QuietServices.h"
#include "app/Form2.h"
#include "cli/Language.h"
#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "graph/GraphPainter.h"
#include "platform/qt/QtCanvas.h"
#include "text/FileIO.h"
#include "text/Mask.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace kl {
namespace {

// A data set and its table, painted into a fresh image.
struct Sample {
    std::vector<std::string> texts;
    std::vector<double> values;
    GraphClasses classes;

    Sample(std::vector<std::string> t, double lower, double interval, int count)
        : texts(std::move(t)),
          values(leadingNumbers(texts)), classes{lower, lower + interval * count, interval, count, false} {}

    GraphInput input(GraphScheme scheme = GraphScheme::TwoD) const {
        GraphInput in;
        in.values = values;
        in.texts = texts;
        in.classes = classes;
        in.scheme = scheme;
        return in;
    }
};

struct Painted {
    QImage image{1024, 768, QImage::Format_RGB32};
    QtCanvas canvas{&image};
    GraphDrawing drawing;

    std::vector<std::string> textsAt(double x) const {
        std::vector<std::string> out;
        for (const TextDraw& t : canvas.textLog())
            if (t.x == x) out.push_back(t.text);
        return out;
    }
    bool has(const std::string& text) const {
        for (const TextDraw& t : canvas.textLog())
            if (t.text == text) return true;
        return false;
    }
    Rgb at(int x, int y) const {
        const QRgb p = image.pixel(x, y);
        return {std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p))};
    }
};

std::unique_ptr<Painted> paint(const GraphInput& in, const GraphView& view = {}) {
    auto p = std::make_unique<Painted>();
    p->drawing = paintGraphWindow(p->canvas, in, view);
    return p;
}

// n copies of one value in class 12 of 2.8 + 0.2 k, and one value in each of ten other classes.
std::vector<std::string> lump(int n) {
    std::vector<std::string> t(std::size_t(n), "5.0");
    for (const char* v : {"3.0", "3.5", "4.0", "4.5", "5.5", "6.0", "6.5", "7.0", "4.2", "5.8"})
        t.push_back(v);
    return t;
}

TEST(GraphPainter, VerticalScaleLabelsFollowTheLargestClass) {
    struct Case {
        int fmax;
        std::vector<std::string> labels; // at x = 25, shadow copies left out
    };
    const Case cases[] = {
        {7, {"   10", "    0", "    5"}},   // u = 10, T = 10, n = 1: the middle value 5 too
        {100, {"  100", "    0"}},          // u = 100, T = 100, n = 1
        {101, {"  200", "  100", "    0"}}, // T = 200, n = 2
    };
    for (const Case& c : cases) {
        Sample s(lump(c.fmax), 2.8, 0.2, 30);
        auto p = paint(s.input());
        ASSERT_FALSE(p->drawing.failure) << c.fmax;
        EXPECT_EQ(p->textsAt(25), c.labels) << "fmax " << c.fmax;
    }
}

TEST(GraphPainter, SchemesPaintTheirBackgroundFrameAndBorder) {
    struct Case {
        GraphScheme scheme;
        Rgb background, leftWall, border, lightEdge;
    };
    const Rgb beige{236, 233, 216}, blue{0, 0, 255}, white{255, 255, 255};
    const Case cases[] = {
        {GraphScheme::TwoD, beige, beige, blue, white},
        {GraphScheme::Blue, blue, blue, white, blue},
        {GraphScheme::ThreeD, {220, 220, 220}, blue, blue, white},
    };
    Sample s(lump(20), 2.8, 0.2, 30);
    for (const Case& c : cases) {
        auto p = paint(s.input(c.scheme));
        ASSERT_FALSE(p->drawing.failure);
        EXPECT_EQ(p->at(3, 740), c.background) << int(c.scheme);
        EXPECT_EQ(p->at(100, 100), c.leftWall) << int(c.scheme); // the 3-D box has a blue left wall
        EXPECT_EQ(p->at(69, 300), c.border) << int(c.scheme);
        EXPECT_EQ(p->at(650 + 2, 300), c.lightEdge) << int(c.scheme);
    }
    // The back wall of the 3-D box, and no block face reaching over the legend above the frame.
    auto p = paint(s.input(GraphScheme::ThreeD));
    EXPECT_EQ(p->at(600, 100), (Rgb{255, 0, 0}));
    EXPECT_EQ(p->at(300, 40), (Rgb{220, 220, 220}));
}

TEST(GraphPainter, LegendAndIntervalTextsOnlyWhenAsked) {
    Sample s(lump(20), 2.8, 0.2, 30);
    auto plain = paint(s.input());
    EXPECT_FALSE(plain->has("理論的正規分布曲線"));
    EXPECT_FALSE(plain->drawing.lower.found);
    EXPECT_TRUE(plain->has("Normal Probability Plot"));
    EXPECT_TRUE(plain->has("曲線との交点から95％信頼区間を求める"));
    GraphView all{true, true, true, "File Name：x (N=30)"};
    auto full = paint(s.input(), all);
    EXPECT_TRUE(full->has("理論的正規分布曲線"));
    EXPECT_TRUE(full->has("histogramの分布曲線(平滑化係数：        )"));
    EXPECT_TRUE(full->has("File Name：x (N=30)"));
    EXPECT_TRUE(full->drawing.lower.crossed || full->drawing.lower.keptText == "曲線不良");
}

TEST(GraphPainter, FailuresEndWithBadData) {
    struct Case {
        const char* what;
        Sample sample;
    };
    const Case cases[] = {
        {"three classes", Sample(lump(20), 2.8, 2.0, 3)},
        {"nothing inside the range", Sample(lump(20), 100, 1, 10)},
        {"a limit that is not finite", Sample(lump(20), std::nan(""), 0.2, 30)},
        {"a class count above 100", Sample(lump(20), 2.8, 0.01, 500)},
    };
    for (const Case& c : cases) {
        auto p = paint(c.sample.input(), GraphView{true, true, true, {}});
        ASSERT_TRUE(p->drawing.failure) << c.what;
        EXPECT_EQ(p->drawing.failure->caption, "BAD DATA(d)") << c.what;
    }
}

TEST(GraphPainter, FourClassesDrawButGiveNoTheoreticalCurve) {
    Sample s(lump(20), 2.8, 1.5, 4);
    const GraphPicture g = computeGraphPicture(s.input());
    ASSERT_FALSE(g.failure);
    EXPECT_FALSE(g.theoretical.drawn());
    auto p = paint(s.input(), GraphView{true, false, false, {}});
    EXPECT_FALSE(p->drawing.failure);
}

TEST(GraphPainter, CurveBelowTheUpperBandReportsABadCurve) {
    // A fifth of the values share the largest value: the cumulative curve ends below 97.5 %.
    std::vector<std::string> t{"9.50"}; // one value below the 2.5 % line: the lower limit is read
    for (int i = 0; i < 40; ++i)
        t.push_back(formatMaskTrim(10 + 0.25 * i, "##.##"));
    for (int i = 0; i < 10; ++i)
        t.push_back("20.00");
    Sample s(t, 9, 1, 12);
    auto p = paint(s.input(), GraphView{false, false, true, {}});
    ASSERT_FALSE(p->drawing.failure);
    EXPECT_EQ(p->drawing.upper.keptText, "曲線不良");
    EXPECT_TRUE(p->has("95％信頼区間の上限値： 曲線不良"));
    EXPECT_NE(p->drawing.lower.keptText, "曲線不良");
}

// Standard normal quantile by bisection on erfc (exact to far below the two decimals used).
double normalQuantile(double p) {
    double lo = -10, hi = 10;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

TEST(GraphPainter, ExactlyNormalDataLieOnAStraightLine) {
    // 2,000 values at the normal quantiles of (i - 1/2)/2000, mean 100, SD 10, two decimals;
    // 40 classes of 2 from 60 to 140 (7.5 px a class on the 300 px paper).
    std::vector<std::string> t;
    for (int i = 1; i <= 2000; ++i)
        t.push_back(formatMaskTrim(100 + 10 * normalQuantile((i - 0.5) / 2000), "###.##"));
    Sample s(t, 60, 2, 40);
    const GraphPicture g = computeGraphPicture(s.input());
    ASSERT_FALSE(g.failure);
    ASSERT_GE(g.probit.points.size(), 20u);

    // The points between the 1 % and 99 % lines lie on one straight line (least squares) within a
    // pixel. Beyond them a sample of 2,000 moves in steps of 1/2000: at z = -3 (0.135 %) one step
    // is 0.03 in z, about 2.4 px, so the outer points are held to 3 px.
    double sx = 0, sy = 0, sxx = 0, sxy = 0, n = 0;
    auto central = [&](const ProbitPoint& p) {
        const double q = g.probit.cumulative[std::size_t(p.classIndex - 1)];
        return q >= 0.01 && q <= 0.99;
    };
    for (const ProbitPoint& p : g.probit.points) {
        if (!central(p)) continue;
        sx += p.x, sy += p.y, sxx += p.x * p.x, sxy += p.x * p.y, n += 1;
    }
    ASSERT_GE(n, 15);
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx), cut = (sy - slope * sx) / n;
    for (const ProbitPoint& p : g.probit.points)
        EXPECT_LE(std::abs(p.y - (slope * p.x + cut)), central(p) ? 1.0 : 3.0) << "class " << p.classIndex;
    // One SD is 10 units = 37.5 px across and 75 px up: a slope of -2.
    EXPECT_NEAR(slope, -2.0, 0.05);

    bool fifty = false;
    for (const ProbitTick& tick : g.probitTicks)
        if (tick.label == " 50.0") fifty = tick.lineY == 285;
    EXPECT_TRUE(fifty) << "the 50 % line stands at y = 285";

    // The interval read from the curve: mean -/+ 1.96 SD = 80.4 and 119.6, within one class (2).
    auto p = paint(s.input(), GraphView{false, false, true, {}});
    ASSERT_TRUE(p->drawing.lower.found && p->drawing.upper.found);
    EXPECT_NEAR(p->drawing.lower.value, 100 - 1.96 * g.fit.sd, 2.0);
    EXPECT_NEAR(p->drawing.upper.value, 100 + 1.96 * g.fit.sd, 2.0);
    EXPECT_NEAR(g.fit.sd, 10.0, 0.05);
}

TEST(GraphPainter, FileLineIsCutAfter75Characters) {
    struct Case {
        std::string path;
        std::string shown;
    };
    const std::string p74 = "/" + std::string(73, 'a'), p75 = p74 + "b", p80 = p75 + "ccccc";
    const std::string wide = "/" + std::string(70, 'd') + "データ一覧表.csv"; // 82 characters
    const Case cases[] = {
        {"  /d/x.csv  ", "/d/x.csv"},
        {p74, p74},
        {p75, p75 + "～"},
        {p80, p75 + "～"},
        {wide, "/" + std::string(70, 'd') + "データ一～"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(graphFileLine(c.path, 12), "File Name：" + c.shown + " (N=12)") << c.path;
}

TEST(GraphPainter, SmoothingCoefficientIsClamped) {
    struct Case {
        std::string typed;
        double lambda;
        std::string text;
        bool clamped;
    };
    const Case cases[] = {
        {"0.05", 0.1, "0.1", true},        {"20000", 10000, "10000", true}, {"abc", 0.1, "0.1", true},
        {" 300 ", 300, "300", false},      {"0.1", 0.1, "0.1", false},      {"10000", 10000, "10000", false},
        {"10000.5", 10000, "10000", true},
    };
    for (const Case& c : cases) {
        const SmoothingEntry e = commitSmoothingText(c.typed);
        EXPECT_EQ(e.lambda, c.lambda) << c.typed;
        EXPECT_EQ(e.text, c.text) << c.typed;
        EXPECT_EQ(e.clamped, c.clamped) << c.typed;
    }
    EXPECT_EQ(smoothingFromOption(std::nullopt).lambda, 5000);
    EXPECT_EQ(smoothingFromOption(std::string("x1")).lambda, 5000);
    EXPECT_EQ(smoothingFromOption(std::string("0.01")).lambda, 0.1);
    EXPECT_EQ(smoothingFromOption(std::string("99999")).text, "10000");
    EXPECT_EQ(smoothingFromOption(std::string("250.50")).text, "250.5");
}

TEST(GraphPainter, TitleComesFromTypedThenSettingsThenItem) {
    EXPECT_EQ(chooseGraphTitle(true, true, "typed", "TP  "), "typed");
    EXPECT_EQ(chooseGraphTitle(false, true, "from file", "TP  "), "from file");
    EXPECT_EQ(chooseGraphTitle(false, true, "  ", "TP  "), "HISTOGRAM OF TP");
    EXPECT_EQ(chooseGraphTitle(false, false, "from file", " ALB "), "HISTOGRAM OF ALB");
}

// ---- the window ------------------------------------------------------------------------------

class Form2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        work_ = std::filesystem::temp_directory_path() /
                ("kl_form2_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(work_);
        std::filesystem::create_directories(work_);
        options_ = std::make_unique<OptionStore>(work_.string());
    }
    void TearDown() override {
        form_.reset();
        std::filesystem::remove_all(work_);
    }

    // main_200.csv with the table the window builds for item TP (4.6 + 0.2 k, 30 classes).
    GraphSource source() const {
        GraphSource s;
        s.texts = readDataFile(readFileBytes(KLEPSYDRA_TEST_DATA "/main_200.csv").value()).values;
        s.classes = {4.6, 10.6, 0.2, 30, false};
        s.reference = {"6.6", "8.1", "4.60", "10.60"};
        s.sourcePath = "/data/main_200.csv";
        s.title = "HISTOGRAM OF TP";
        return s;
    }
    Form2* open(GraphSource s) {
        form_ = std::make_unique<Form2>(services_, *options_, std::move(s));
        form_->open();
        return form_.get();
    }
    template <class W> W* control(const char* name) { return form_->findChild<W*>(QString::fromUtf8(name)); }
    std::string option(const OptionSpec& optionSpec) {
        return options_->read(optionSpec).value_or("<unset>");
    }

    std::filesystem::path work_;
    QuietServices services_;
    std::unique_ptr<OptionStore> options_;
    std::unique_ptr<Form2> form_;
};

TEST_F(Form2Test, OptionsAreStoredAtOnceAndOneSchemeStaysTicked) {
    open(source());
    EXPECT_TRUE(control<QCheckBox>("CHECK4")->isChecked());
    control<QCheckBox>("CHECK4")->click(); // clearing the current scheme ticks it again
    EXPECT_TRUE(control<QCheckBox>("CHECK4")->isChecked());
    control<QCheckBox>("CHECK6")->click();
    EXPECT_EQ(option(options::colourScheme), "3");
    EXPECT_FALSE(control<QCheckBox>("CHECK4")->isChecked());
    control<QCheckBox>("CHECK10")->click(); // printing the interval also derives it on screen
    EXPECT_TRUE(control<QCheckBox>("CHECK7")->isChecked());
    EXPECT_EQ(option(options::printCurveInterval), "1");
    EXPECT_EQ(option(options::showCurveInterval), "1");
    control<QCheckBox>("CHECK7")->click(); // clearing the interval clears its print option
    EXPECT_EQ(option(options::showCurveInterval), "0");
    EXPECT_EQ(option(options::printCurveInterval), "0");
    EXPECT_FALSE(control<QCheckBox>("CHECK10")->isChecked());
}

TEST_F(Form2Test, PastedDataHaveNoFileLine) {
    GraphSource s = source();
    s.pastedUnsaved = true;
    open(s);
    for (const TextDraw& t : form_->canvas().textLog())
        EXPECT_EQ(t.text.find("File Name"), std::string::npos);
}

TEST_F(Form2Test, BadParametersCloseTheWindow) {
    GraphSource s = source();
    s.classes = {4.6, 5.2, 0.2, 3, false};
    form_ = std::make_unique<Form2>(services_, *options_, std::move(s));
    bool failed = false;
    QObject::connect(form_.get(), &Form2::drawingFailed, [&] { failed = true; });
    EXPECT_FALSE(form_->open());
    EXPECT_TRUE(failed);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(services_.captions(), std::vector<std::string>{"BAD DATA(d)"});
}

TEST_F(Form2Test, ReferenceLabelsStandOnABoxThatSetsThemOffFromTheBars) {
    // "LOWER：6.6" runs up from (255, 425) across the bars of classes 10 and 11 (white in "Blue"):
    // in every scheme its glyphs stand on a box of the colour that contrasts with them.
    for (int scheme = 1; scheme <= 3; ++scheme) {
        SCOPED_TRACE("scheme " + std::to_string(scheme));
        options_->write(options::showReferenceRange, "1");
        options_->write(options::colourScheme, std::to_string(scheme));
        open(source());
        const QImage shot = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int marker = schemeColours(graphSchemeFromOption(scheme)).referenceMarker;
        const Rgb glyphRgb = defaultPaletteColour(marker), boxRgb = defaultPaletteColour(haloColour(marker));
        ASSERT_NE(glyphRgb, boxRgb);
        const QRect label(256, 350, 13, 70);
        int box = 0, glyph = 0;
        for (int y = label.top(); y <= label.bottom(); ++y)
            for (int x = label.left(); x <= label.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                box += c == QColor(boxRgb.r, boxRgb.g, boxRgb.b);
                glyph += c == QColor(glyphRgb.r, glyphRgb.g, glyphRgb.b);
            }
        EXPECT_GT(box, label.width() * label.height() / 3);
        EXPECT_GT(glyph, 20);
    }
}

TEST_F(Form2Test, GoldenPictures) {
    for (int scheme = 1; scheme <= 3; ++scheme) {
        for (const OptionSpec* o :
             {&options::showCurves, &options::showReferenceRange, &options::showCurveInterval})
            options_->write(*o, "1");
        options_->write(options::colourScheme, std::to_string(scheme));
        open(source());
        const QImage shot = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shot.size(), QSize(Form2::kWidth, Form2::kHeight));
        {
            SCOPED_TRACE("scheme " + std::to_string(scheme));
            golden::expectMatches(shot, "form2_scheme" + std::to_string(scheme) + ".png");
        }
        EXPECT_EQ(form_->lastDrawing().lower.keptText, "6.14");
    }
}

// The controls built from the window's table keep the order the keyboard walks them in and the
// places the picture's texts are drawn beside.
TEST_F(Form2Test, ControlsKeepTheirFocusOrderAndPlaces) {
    open(source());
    std::vector<std::string> order;
    for (QWidget* w = form_->nextInFocusChain(); w != form_.get(); w = w->nextInFocusChain())
        if (w->parentWidget() == form_.get() && !w->objectName().isEmpty())
            order.push_back(w->objectName().toStdString());
    const std::vector<std::string> want = {
        "BUTTON4", "BUTTON16", "BUTTON17", "BUTTON19", "BUTTON9", "BUTTON15", "BUTTON20",
        "EDIT7",   "EDIT11",   "CHECK1",   "CHECK3",   "CHECK4",  "CHECK5",   "CHECK6",
        "CHECK7",  "CHECK8",   "CHECK9",   "CHECK10",  "CHECK11", "CHECK12",  "BUTTON159"};
    EXPECT_EQ(order, want);
    EXPECT_EQ(control<QCheckBox>("CHECK11")->geometry(), QRect(707, 651, 14, 14));
    EXPECT_EQ(control<QCheckBox>("CHECK6")->geometry(), QRect(945, 707, 14, 14));
    EXPECT_EQ(control<QPushButton>("BUTTON159")->geometry(), QRect(14, 632, 130, 24));
    const QLineEdit* smoothing = control<QLineEdit>("EDIT11");
    EXPECT_FALSE(smoothing->hasFrame());
    EXPECT_EQ(smoothing->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(control<QPushButton>("BUTTON9")->toolTip().toStdString(), "ヒストグラムを印刷");
}

// English from the window's first drawing: captions, option texts, legend, interval lines and
// messages, laid out so that nothing is cut or overlaps (the golden proves it); Japanese again
// afterwards, byte for byte.
TEST_F(Form2Test, GoldenPictureInEnglish) {
    struct English {
        English() { cli::useLanguage(Language::English); }
        ~English() { cli::useLanguage(Language::Japanese); }
    };
    for (const OptionSpec* o :
         {&options::showCurves, &options::showReferenceRange, &options::showCurveInterval})
        options_->write(*o, "1");
    {
        English english;
        open(source());
        const QImage shot = form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        golden::expectMatches(shot, "form2_scheme1_en.png");
        EXPECT_TRUE(form_->lastDrawing().lower.screenText.starts_with("Lower 95% limit:"));
        EXPECT_EQ(control<QPushButton>("BUTTON4")->text().toStdString(), "Back");
        EXPECT_EQ(control<QPushButton>("BUTTON159")->text().toStdString(), "Ref. intervals");
        const std::vector<std::string> printTexts = {"Print the probability plot", "Print the statistics"};
        for (const std::string& text : printTexts) {
            bool drawn = false;
            for (const TextDraw& t : form_->canvas().textLog())
                drawn = drawn || t.text == text;
            EXPECT_TRUE(drawn) << text;
        }
        // The failure message of bad parameters, in English too.
        GraphSource bad = source();
        bad.classes = {4.6, 5.2, 0.2, 3, false};
        EXPECT_FALSE(open(bad)->isVisible());
        ASSERT_EQ(services_.shown.size(), 1u);
        EXPECT_TRUE(services_.shown[0].text.starts_with("The parameters are not suitable."));
    }
    open(source());
    EXPECT_TRUE(form_->lastDrawing().lower.screenText.starts_with("95％信頼区間の下限値："));
    EXPECT_EQ(control<QPushButton>("BUTTON4")->text().toStdString(), "戻  る");
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
