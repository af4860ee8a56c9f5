// The distribution-pattern picture: each panel shows the pattern its caption names, the shape
// labels sit clear of every mark, and the picture scales onto paper where the printed page
// expects its labels. The layout checks run in Japanese and in the English of
// translations/en/graph.ts.

#include "NullCanvas.h"
#include "TestSupport.h"
#include "graph/PatternPicture.h"
#include "text/FileIO.h"
#include "text/Translate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <regex>

namespace kl {
namespace {

// Gaps between neighbouring points along the value axis, from the lowest to the highest.
std::vector<double> gaps(const PatternPanel& panel) {
    std::vector<double> g;
    for (std::size_t i = 1; i < panel.points.size(); ++i)
        g.push_back(panel.points[i].x - panel.points[i - 1].x);
    return g;
}

// The picture's English as the program finds it: the PatternPicture texts of the translation file
// (they hold no control characters; &#x3000; and the five XML entities are written back).
std::string unescaped(std::string text) {
    static const std::pair<const char*, const char*> kEntities[] = {{"&#x3000;", "\u3000"}, {"&lt;", "<"},
                                                                    {"&gt;", ">"},          {"&quot;", "\""},
                                                                    {"&apos;", "'"},        {"&amp;", "&"}};
    for (const auto& [from, to] : kEntities)
        for (std::size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, std::string_view(from).size(), to);
    return text;
}

std::string pictureEnglish(const char* context, const char* text) {
    static const std::map<std::string, std::string> english = [] {
        std::map<std::string, std::string> found;
        const std::string ts =
            readFileBytes(std::string(KLEPSYDRA_TEST_DATA) + "/../../translations/en/graph.ts").value_or("");
        const std::size_t from = ts.find("<name>PatternPicture</name>");
        if (from == std::string::npos) return found;
        const std::string block = ts.substr(from, ts.find("</context>", from) - from);
        const std::regex message("<source>([^<]*)</source>\\s*<translation>([^<]*)</translation>");
        for (std::sregex_iterator m(block.begin(), block.end(), message), end; m != end; ++m)
            found[unescaped((*m)[1])] = unescaped((*m)[2]);
        return found;
    }();
    const auto it = english.find(text);
    return std::string_view(context) == "PatternPicture" && it != english.end() ? it->second : std::string();
}

// Runs check once in Japanese and once in English, back in Japanese at the end.
template <class Check> void inBothLanguages(Check check) {
    struct BackInJapanese {
        ~BackInJapanese() { setLanguage(Language::Japanese, nullptr); }
    } back;
    for (const Language language : {Language::Japanese, Language::English}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Japanese");
        setLanguage(language, &pictureEnglish);
        if (language == Language::English) {
            ASSERT_NE(translate("PatternPicture", "正規分布"), "正規分布") << "no English in graph.ts";
        }
        check();
    }
}

PictureBox around(Point p, double r) {
    return {p.x - r, p.y - r, p.x + r, p.y + r};
}

std::string joined(const PatternPanel& panel) {
    std::string s;
    for (const PictureText& t : panel.captions)
        s += t.text;
    return s;
}

TEST(PatternPicture, PanelsInReadingOrderWithTheirCaptions) {
    const auto& panels = patternPanels();
    ASSERT_EQ(panels.size(), 8u);
    const char* want[8] = {"正規分布",
                           " 外れ値の多く混入した 正規分布",
                           "両裾広がり分布(尖りの強い分布)",
                           "右裾広がり分布",
                           " ２種類の分布の混合型",
                           "一様分布",
                           "ドーム様分布",
                           "左裾広がり分布"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(joined(panels[i]), want[i]) << i;
}

TEST(PatternPicture, PointsRiseInsideTheirPanel) {
    for (const PatternPanel& panel : patternPanels()) {
        ASSERT_EQ(panel.points.size(), 24u);
        for (std::size_t i = 0; i < panel.points.size(); ++i) {
            const Point p = panel.points[i];
            EXPECT_TRUE(panel.frame.contains(p)) << joined(panel) << " point " << i;
            if (i > 0) {
                EXPECT_GT(p.x, panel.points[i - 1].x) << joined(panel);
                EXPECT_LT(p.y, panel.points[i - 1].y) << joined(panel); // higher proportion, higher up
            }
        }
    }
}

TEST(PatternPicture, NormalPointsLieOnTheirLine) {
    const PatternPanel& normal = patternPanels()[0];
    const Point a = normal.lineFrom, b = normal.lineTo;
    for (const Point& p : normal.points) {
        const double onLine = a.x + (p.y - a.y) / (b.y - a.y) * (b.x - a.x);
        EXPECT_NEAR(p.x, onLine, 0.5);
    }
}

// The bend of each pattern, read from the spacing of its points against the normal panel's
// (the points stand at equal steps of probability): long tails spread the end points more than a
// normal distribution does, short tails less, skewness spreads one end only.
TEST(PatternPicture, EachPanelBendsTheWayItsDistributionDoes) {
    struct Case {
        int panel;
        const char* name;
        int lowEnd;  // sign of (end gap - middle gap) at the low end: +1 spread, -1 crowded
        int highEnd; // likewise at the high end
    };
    const Case cases[] = {
        {1, "outliers", +1, +1}, {2, "heavy tails", +1, +1}, {3, "right skew", -1, +1},
        {5, "uniform", -1, -1},  {6, "dome", -1, -1},        {7, "left skew", +1, -1},
    };
    const std::vector<double> n = gaps(patternPanels()[0]);
    const double normalLow = n.front() / n[n.size() / 2], normalHigh = n.back() / n[n.size() / 2];
    EXPECT_NEAR(normalLow, normalHigh, 1e-6);
    for (const Case& c : cases) {
        const std::vector<double> g = gaps(patternPanels()[c.panel]);
        const double middle = g[g.size() / 2];
        EXPECT_EQ((g.front() / middle > normalLow) ? 1 : -1, c.lowEnd) << c.name;
        EXPECT_EQ((g.back() / middle > normalHigh) ? 1 : -1, c.highEnd) << c.name;
    }
    // Two populations leave a step: the widest gap is in the middle, far wider than the others.
    const std::vector<double> g = gaps(patternPanels()[4]);
    const auto widest = std::max_element(g.begin(), g.end());
    const auto at = widest - g.begin();
    EXPECT_GE(at, 8);
    EXPECT_LE(at, 15);
    EXPECT_GT(*widest, 3 * g.front());
}

TEST(PatternPicture, ShapeLabelsStandClearInTheirPanels) {
    inBothLanguages([] {
        const auto texts = patternPictureTexts(true);
        const auto& panels = patternPanels();
        struct Case {
            const char* text;
            int panel;
        };
        for (const Case& c : {Case{"Ｓ型", 2}, Case{"Ｎ型", 5}}) {
            const std::string shown = translate("PatternPicture", c.text);
            auto it = std::find_if(texts.begin(), texts.end(),
                                   [&](const PictureText& t) { return t.text == shown; });
            ASSERT_NE(it, texts.end()) << c.text;
            const PictureBox label = it->extent();
            const PictureBox& frame = panels[c.panel].frame;
            EXPECT_TRUE(frame.contains({label.left, label.top}) &&
                        frame.contains({label.right, label.bottom}))
                << c.text << " is not inside its panel";
            for (const PatternPanel& panel : panels) {
                for (const Point& p : panel.points)
                    EXPECT_FALSE(label.overlaps(around(p, 4))) << c.text << " covers a point";
                for (double t = 0; t <= 1; t += 0.01) {
                    const Point q{panel.lineFrom.x + t * (panel.lineTo.x - panel.lineFrom.x),
                                  panel.lineFrom.y + t * (panel.lineTo.y - panel.lineFrom.y)};
                    EXPECT_FALSE(label.overlaps(around(q, 1))) << c.text << " covers a line";
                }
            }
        }
        const auto plain = patternPictureTexts(false);
        const std::string s = translate("PatternPicture", "Ｓ型"), n = translate("PatternPicture", "Ｎ型");
        EXPECT_EQ(std::count_if(plain.begin(), plain.end(),
                                [&](const PictureText& t) { return t.text == s || t.text == n; }),
                  0);
    });
}

TEST(PatternPicture, NoTwoTextsOverlapAndAllStayInThePicture) {
    inBothLanguages([] {
        std::vector<PictureText> all = patternPictureTexts(true);
        for (const PatternPanel& panel : patternPanels())
            all.insert(all.end(), panel.captions.begin(), panel.captions.end());
        const PictureBox picture{0, 0, kPatternPictureWidth - 1, kPatternPictureHeight - 1};
        for (std::size_t i = 0; i < all.size(); ++i) {
            const PictureBox a = all[i].extent();
            EXPECT_TRUE(picture.contains({a.left, a.top}) && picture.contains({a.right, a.bottom}))
                << all[i].text;
            for (std::size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(a.overlaps(all[j].extent())) << all[i].text << " / " << all[j].text;
            // Captions and labels stay off the panels, except the shape labels placed inside.
            if (all[i].text == translate("PatternPicture", "Ｓ型") ||
                all[i].text == translate("PatternPicture", "Ｎ型"))
                continue;
            for (const PatternPanel& panel : patternPanels())
                EXPECT_FALSE(a.overlaps(panel.frame)) << all[i].text;
        }
    });
}

class RecordingCanvas : public test::NullCanvas {
  public:
    struct Text {
        double x, y, size;
        std::string text;
    };
    std::vector<Text> texts;
    int marks = 0;
    double minX = std::numeric_limits<double>::max(), maxX = -minX, minY = minX, maxY = -minX;

    void seen(double x, double y) {
        ++marks;
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y),
        maxY = std::max(maxY, y);
    }
    void line(double x1, double y1, double x2, double y2, int, LineStyle, double) override {
        seen(x1, y1), seen(x2, y2);
    }
    void box(double x1, double y1, double x2, double y2, int, LineStyle) override {
        seen(x1, y1), seen(x2, y2);
    }
    void fillBox(double x1, double y1, double x2, double y2, int) override { seen(x1, y1), seen(x2, y2); }
    void point(double x, double y, int) override { seen(x, y); }
    void circle(double cx, double cy, double, int, int) override { seen(cx, cy); }
    void text(double x, double y, const std::string& s, const Font& f, int) override {
        texts.push_back({x, y, f.size, s});
        seen(x, y);
    }
    void textVertical(double x, double y, const std::string& s, const Font& f, int c) override {
        text(x, y, s, f, c);
    }
};

// On the printed help page the picture fills 2170 × 1775 units and the page writes the shape
// labels in 12 pt at (1445, 365) and (1010, 840): the picture's own labels land there.
TEST(PatternPicture, StretchedOntoPaperItsLabelsLandWhereThePageWritesThem) {
    RecordingCanvas paper;
    drawPatternPicture(paper, PictureFrame{0, 0, 2170, 1775, 3.5278});
    EXPECT_NEAR(paper.minX, 0, 1e-9);
    EXPECT_NEAR(paper.minY, 0, 1e-9);
    EXPECT_LE(paper.maxX, 2170);
    EXPECT_LE(paper.maxY, 1775);
    EXPECT_GT(paper.maxX, 2160);
    EXPECT_GT(paper.maxY, 1765);
    struct Want {
        const char* text;
        double x, y;
    };
    for (const Want& w : {Want{"Ｓ型", 1445, 365}, Want{"Ｎ型", 1010, 840}}) {
        auto it = std::find_if(paper.texts.begin(), paper.texts.end(),
                               [&](const auto& t) { return t.text == w.text; });
        ASSERT_NE(it, paper.texts.end());
        EXPECT_NEAR(it->x, w.x, 1e-9);
        EXPECT_NEAR(it->y, w.y, 1e-9);
        EXPECT_NEAR(it->size, 12, 0.1); // points
    }
}

TEST(PatternPicture, ScaledIntoAWindowBoxEverythingStaysInside) {
    RecordingCanvas screen;
    drawPatternPicture(screen, PictureFrame{14, 214, 607.6, 497});
    EXPECT_GE(screen.minX, 14);
    EXPECT_GE(screen.minY, 214);
    EXPECT_LE(screen.maxX, 14 + 607.6);
    EXPECT_LE(screen.maxY, 214 + 497);
    auto caption = std::find_if(screen.texts.begin(), screen.texts.end(),
                                [](const auto& t) { return t.text == "正規分布"; });
    ASSERT_NE(caption, screen.texts.end());
    EXPECT_NEAR(caption->size, 19 * 0.7, 1e-9); // pixels on screen
}

TEST(PatternPicture, UnusableBoxDrawsNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (PictureFrame f : {PictureFrame{0, 0, 0, 100}, PictureFrame{0, 0, 100, -1},
                           PictureFrame{0, 0, nan, 100}, PictureFrame{0, 0, 100, 100, 0}}) {
        RecordingCanvas c;
        drawPatternPicture(c, f);
        EXPECT_EQ(c.marks, 0);
    }
}

} // namespace
} // namespace kl
