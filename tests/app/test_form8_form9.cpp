// The graph statistics window (form8) and the probability plot help window (form9), opened over a
// stand-in graph window as the graph window's "計 算" and "？" buttons open them.
//
// Golden pictures: tests/data/golden/form8.png and form9.png are regenerated with
//     KLEPSYDRA_UPDATE_GOLDEN=1 build/tests/app_test_form8_form9 --gtest_filter='*Golden*'

#include "AppTestMain.h"
#include "GoldenPicture.h"
#include "QuietServices.h"
#include "app/Form8.h"
#include "app/Form9.h"
#include "cli/Language.h"
#include "graph/PlotHelpText.h"
#include "platform/qt/QtConvert.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kl {
namespace {

// The values 1..n with classes of width 1 from 1: the table [1, upper) leaves out what lies above.
std::vector<double> ramp(int n) {
    std::vector<double> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(i);
    return v;
}

GraphClasses classes(double upper, bool fold = false) {
    return GraphClasses{1, upper, 1, int(upper - 1), fold};
}

class WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        opener_ = std::make_unique<QWidget>();
        opener_->setObjectName("form2");
        opener_->setFixedSize(1024, 768);
        opener_->move(30, 20);
        opener_->show();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != opener_.get()) w->close();
        QApplication::processEvents();
        opener_.reset();
    }

    Form8* openForm8(const std::vector<double>& values, const GraphClasses& c,
                     const char* title = "HISTOGRAM OF ALB") {
        return openGraphStatistics(services_, values, c, title, opener_.get(), [this] { ++closedCalls_; });
    }

    // The texts a user reads: the log without the relief copies.
    static std::vector<TextDraw> readable(const Canvas& c) {
        std::vector<TextDraw> out;
        for (const TextDraw& t : c.textLog())
            if (t.colour != White) out.push_back(t);
        return out;
    }
    static const TextDraw* find(const std::vector<TextDraw>& texts, double x, double y) {
        for (const TextDraw& t : texts)
            if (t.x == x && t.y == y) return &t;
        return nullptr;
    }
    static bool contains(const std::vector<TextDraw>& texts, const std::string& text) {
        return std::any_of(texts.begin(), texts.end(), [&](const TextDraw& t) { return t.text == text; });
    }

    void expectGivenBack(QPointer<QWidget> window) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull()) << "the window is not gone";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the opener is still blocked";
        EXPECT_EQ(closedCalls_, 1);
    }

    QuietServices services_;
    std::unique_ptr<QWidget> opener_;
    int closedCalls_ = 0;
};

TEST_F(WindowsTest, OneValueOfThirtyLeftOutShowsBothColumns) {
    Form8* form = openForm8(ramp(30), classes(30)); // [1, 30) leaves out the 30
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(services_.shown.empty());
    EXPECT_EQ(services_.beeps, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), form);
    EXPECT_EQ(form->windowTitle().toStdString(), "計算結果 ... HISTOGRAM OF ALB");
    EXPECT_EQ(form->pos(), QPoint(opener_->frameGeometry().left(), opener_->frameGeometry().top() + 40));

    const auto texts = readable(form->canvas());
    struct Cell {
        double x, y;
        const char* text;
    };
    const Cell cells[] = {
        {10, 5, "<< statistic >>"},
        {15, 40, "SAMPLE SIZE ：            30"},
        {275, 40, "        29"},
        {15, 57, "MEAN        ：     15.500000"},
        {255, 57, "    15.000000"},
        {15, 91, "MAXIMUM     ：     30.000000"},
        {255, 91, "    29.000000"},
        {15, 210, "              *** normal data *** "},
        {15, 244, "Skewness    ：      0.0000"},
        {120, 261, "    ( N.S )"},
        {15, 635, "　て下さい。"},
    };
    for (const Cell& c : cells) {
        const TextDraw* t = find(texts, c.x, c.y);
        ASSERT_NE(t, nullptr) << "nothing at " << c.x << "," << c.y;
        EXPECT_EQ(t->text, c.text) << "at " << c.x << "," << c.y;
        EXPECT_EQ(t->colour, Black);
    }
    EXPECT_EQ(find(texts, 15, 567)->size, 12);
    EXPECT_EQ(find(texts, 15, 40)->size, 14);
    // Every line stands in relief: a white copy one pixel right and down.
    const auto& log = form->canvas().textLog();
    EXPECT_EQ(log.size(), 2 * texts.size());
    for (const TextDraw& t : texts)
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const TextDraw& s) {
            return s.colour == White && s.x == t.x + 1 && s.y == t.y + 1 && s.text == t.text;
        })) << t.text;
}

TEST_F(WindowsTest, NothingLeftOutOpensNoWindow) {
    struct Case {
        const char* name;
        GraphClasses c;
    };
    const Case cases[] = {
        {"fold on", classes(10, true)}, // the ends take every value
        {"all inside", classes(31)},    // [1, 31) holds 1..30
    };
    for (const Case& c : cases) {
        services_.shown.clear();
        EXPECT_EQ(openForm8(ramp(30), c.c), nullptr) << c.name;
        ASSERT_EQ(services_.shown.size(), 1u) << c.name;
        EXPECT_EQ(services_.shown[0].caption, "計算不要");
        EXPECT_EQ(services_.shown[0].text, "グラフ上のデータと生データのサンプル数が同数ですので、   \r\n"
                                           "計算結果の表示は行いません(メイン画面を参照して下さい)。 \r\n"
                                           "また、外れ値を両端の階級に取り込んだ場合も表示しません。  ");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(opener_->findChild<Form8*>(), nullptr);
    }
    EXPECT_EQ(closedCalls_, 0);
}

TEST_F(WindowsTest, SmallSamplesBeepAndLeaveOutTheNormalityRows) {
    struct Case {
        const char* name;
        std::vector<double> values;
        GraphClasses c;
        bool rows;
    };
    std::vector<double> flat(30, 5.0);
    flat.push_back(50);
    const Case cases[] = {
        {"26 and 25", ramp(26), classes(26), true},  // the smallest samples with the rows
        {"25 and 24", ramp(25), classes(25), false}, // graph sample too small
        {"24 and 20", ramp(24), classes(21), false}, // both too small
        {"no spread", flat, classes(10), false},     // 30 equal values graphed
    };
    for (const Case& c : cases) {
        services_.beeps = 0;
        Form8* form = openForm8(c.values, c.c);
        ASSERT_NE(form, nullptr) << c.name;
        EXPECT_EQ(services_.beeps, c.rows ? 0 : 1) << c.name;
        const auto texts = readable(form->canvas());
        EXPECT_EQ(contains(texts, "              *** normal data *** "), c.rows) << c.name;
        const auto shapeLines = std::count_if(texts.begin(), texts.end(),
                                              [](const TextDraw& t) { return t.y >= 210 && t.y < 567; });
        EXPECT_EQ(shapeLines, c.rows ? 3 + 3 * 8 : 0) << c.name;
        // The descriptive rows and the footnotes are there either way.
        EXPECT_NE(find(texts, 255, 176), nullptr) << c.name;
        EXPECT_TRUE(contains(texts, "* グラフ上のデータと生データのサンプル数に相違があった場合")) << c.name;
        EXPECT_TRUE(contains(texts, "　て下さい。")) << c.name;
        form->close();
        QApplication::processEvents();
    }
}

TEST_F(WindowsTest, GraphColumnOfOneValueReadsNotCalc) {
    // 1..30 with the table [30, 31): only the 30 is graphed.
    Form8* form = openForm8(ramp(30), GraphClasses{30, 31, 1, 1, false});
    ASSERT_NE(form, nullptr);
    const auto texts = readable(form->canvas());
    EXPECT_EQ(find(texts, 275, 40)->text, "         1");
    for (double y : {125.0, 142.0, 159.0, 176.0})
        EXPECT_EQ(find(texts, 255, y)->text, "  Not calc") << y;
    EXPECT_EQ(find(texts, 255, 57)->text, "    30.000000");
    EXPECT_EQ(services_.beeps, 1);
}

TEST_F(WindowsTest, ClosingForm8GivesTheGraphWindowBack) {
    struct Case {
        const char* name;
        bool byButton;
    };
    for (const Case& c : {Case{"close button", true}, Case{"frame", false}}) {
        closedCalls_ = 0;
        QPointer<QWidget> form = openForm8(ramp(30), classes(30));
        ASSERT_FALSE(form.isNull());
        auto* print = form->findChild<QPushButton*>("BUTTON26");
        auto* close = form->findChild<QPushButton*>("BUTTON29");
        ASSERT_TRUE(print && close);
        EXPECT_EQ(print->text(), "print");
        EXPECT_EQ(close->text(), "close");
        EXPECT_TRUE(close->font().italic());
        if (c.byButton)
            close->click();
        else
            form->close();
        expectGivenBack(form.data());
    }
}

TEST_F(WindowsTest, Form9ShowsItsSectionsAndPicture) {
    QPointer<Form9> form = openProbabilityPlotHelp(services_, opener_.get(), [this] { ++closedCalls_; });
    ASSERT_FALSE(form.isNull());
    EXPECT_EQ(QApplication::activeModalWidget(), form.data());
    EXPECT_EQ(form->size(), QSize(Form9::kWidth, Form9::kHeight));
    const auto texts = readable(form->canvas());
    for (const char* want :
         {"<< 95％信頼区間について >>", "<< 正規確率紙( Normal probability paper ) について >>",
          "<< データの分布型と正規確率紙上のパターン >>", "正規分布", "右裾広がり分布", "左裾広がり分布",
          "両裾広がり分布", "(尖りの強い分布)", "一様分布", "ドーム様分布", " ２種類の分布の混合型",
          " 外れ値の多く混入した", " 正規分布", "Ｓ型", "Ｎ型",
          "  * 次の操作を実行する場合は、このウィンドウを閉じてから行って下さい。"})
        EXPECT_TRUE(contains(texts, want)) << want;
    for (const char* line : kIntervalHelpLines)
        EXPECT_TRUE(contains(texts, line)) << line;
    // Everything drawn stays inside the window, the buttons below the texts they follow.
    for (const TextDraw& t : texts) {
        EXPECT_GE(t.x, 0) << t.text;
        EXPECT_LE(t.y + t.size, Form9::kHeight) << t.text;
        EXPECT_LE(t.x + form->canvas().textWidth(t.text, Font{kMincho, t.size}), Form9::kWidth) << t.text;
    }
    auto* print = form->findChild<QPushButton*>("BUTTON25");
    auto* close = form->findChild<QPushButton*>("BUTTON28");
    ASSERT_TRUE(print && close);
    EXPECT_EQ(print->text(), "print");
    EXPECT_EQ(close->text(), "close");
    for (const TextDraw& t : texts) {
        const QRect cell(int(t.x), int(t.y), int(form->canvas().textWidth(t.text, Font{kMincho, t.size})),
                         int(t.size));
        EXPECT_FALSE(cell.intersects(print->geometry()) || cell.intersects(close->geometry())) << t.text;
    }
    close->click();
    expectGivenBack(form.data());
}

// In English: the headings and the window's own texts English, the interval text kept inside the
// left column (the paper text begins at x 505), the caption and footnotes of form8 English.
TEST_F(WindowsTest, InEnglishTheHelpAndTheStatisticsReadEnglishAndKeepTheirColumns) {
    struct English {
        English() { cli::useLanguage(Language::English); }
        ~English() { cli::useLanguage(Language::Japanese); }
    } english;
    QPointer<Form9> form = openProbabilityPlotHelp(services_, opener_.get(), [this] { ++closedCalls_; });
    ASSERT_FALSE(form.isNull());
    const auto texts = readable(form->canvas());
    for (const char* want :
         {"<< About the 95% interval >>", "<< About normal probability paper >>", "< Reading the patterns >",
          "  * Close this window before you go on to the next step."})
        EXPECT_TRUE(contains(texts, want)) << want;
    int leftColumn = 0;
    for (const TextDraw& t : texts) {
        const double right = t.x + form->canvas().textWidth(t.text, Font{kMincho, t.size, t.size == 16});
        EXPECT_LE(right, Form9::kWidth - 8) << t.text;
        if (t.x == 14 && t.y < 190) {
            ++leftColumn;
            EXPECT_LT(right, 505 - 14) << t.text;
        }
    }
    EXPECT_EQ(leftColumn, 1 + int(kIntervalHelpLines.size()));
    EXPECT_EQ(form->findChild<QPushButton*>("BUTTON25")->toolTip(), "Print this explanation");
    form->close();
    QApplication::processEvents();

    Form8* stats = openForm8(ramp(30), classes(30), "HISTOGRAM OF ALB");
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->windowTitle().toStdString(), "Results ... HISTOGRAM OF ALB");
    const auto figures = readable(stats->canvas());
    EXPECT_TRUE(contains(figures, "* These results are shown only when the graph holds"));
    for (const TextDraw& t : figures)
        EXPECT_LE(t.x + stats->canvas().textWidth(t.text, Font{kMincho, t.size}), Form8::kWidth - 8)
            << t.text;
    stats->close();
    QApplication::processEvents();
    EXPECT_EQ(openForm8(ramp(30), classes(31)), nullptr); // nothing left out of the graph
    ASSERT_FALSE(services_.shown.empty());
    EXPECT_EQ(services_.shown.back().caption, "No calculation needed");
    EXPECT_EQ(services_.shown.back().text.substr(0, 61),
              "The graph holds as many values as the raw data, so no      \r\n");
}

TEST_F(WindowsTest, Form9ClosedByItsFrame) {
    QPointer<Form9> form = openProbabilityPlotHelp(services_, opener_.get(), [this] { ++closedCalls_; });
    form->close();
    expectGivenBack(form.data());
}

void compareGolden(QWidget* window, const char* file) {
    golden::expectMatches(window->grab().toImage(), file);
}

TEST_F(WindowsTest, GoldenForm8) {
    std::vector<double> values;
    for (int i = 0; i < 60; ++i)
        values.push_back(3.2 + 0.05 * i + 0.4 * std::sin(i * 1.7)); // a spread sample
    values.push_back(12.5);
    Form8* form = openGraphStatistics(services_, values, GraphClasses{2.5, 7.5, 0.25, 20, false},
                                      "HISTOGRAM OF ALB", opener_.get(), {});
    ASSERT_NE(form, nullptr);
    compareGolden(form, "form8.png");
}

TEST_F(WindowsTest, GoldenForm9) {
    Form9* form = openProbabilityPlotHelp(services_, opener_.get(), {});
    compareGolden(form, "form9.png");
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
