// The fixed drawings of the main window, the statistics block and the panels its handlers repaint.
#include "app/main/StatisticsPanel.h"

#include "app/WindowParts.h"
#include "data/Message.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <array>

namespace kl {

namespace {

constexpr Rgb kPanel{236, 233, 216};    // panel fill (and window background)
constexpr Rgb kBeige{233, 236, 216};    // reference line and out-of-range panel
constexpr Rgb kDarkEdge{128, 128, 128}; // upper and left edge of a sunken panel
constexpr Rgb kTitleShade{170, 170, 170};

// The empty results block: the labels of each line without their figures.
struct RestLine {
    int x, y;
    const char* text;
};
constexpr RestLine kRestBlock[] = {
    {240, 70, KL_TRANSLATE_NOOP("BasicStatistics", "( 基礎計算結果 )")},
    {220, 100, "  Sample size   =  "},
    {220, 120, "  Mean          =  "},
    {220, 140, "  Minimum       =  "},
    {220, 160, "  Maximum       =  "},
    {220, 180, "  RNG           =  "},
    {220, 200, "  S.D.(N-1)     =  "},
    {220, 220, "  S.D.(N)       =  "},
    {220, 240, "  Mean-1.96SD   =  "},
    {220, 260, "  Mean+1.96SD   =  "},
    {220, 280, "  ( normal data )"},
    {220, 300, "  Skewness      =  "},
    {220, 320, "  Kurtosis      =  "},
    {220, 340, "  ( log-transformed data )"},
    {220, 360, "  Skewness      =  "},
    {220, 380, "  Kurtosis      =  "},
    {220, 400, "  ( cube-transformed data )"},
    {220, 420, "  Skewness      =  "},
    {220, 440, "  Kurtosis      =  "},
};

} // namespace

void StatisticsPanel::fillRgb(int x1, int y1, int x2, int y2, Rgb colour) {
    Canvas& c = canvas();
    c.setPalette15(colour);
    c.fillBox(x1, y1, x2, y2, 15);
    c.resetPalette15();
}

void StatisticsPanel::reliefText(double x, double y, const std::string& text, double size, int colour,
                                 bool bold, bool italic) {
    kl::reliefText(canvas(), x, y, text, Font{kMincho, size, bold, italic}, colour);
}

void StatisticsPanel::sunkenPanel(int x1, int y1, int x2, int y2) {
    fillRgb(x1, y1, x2, y2, kPanel);
    sunkenEdges(canvas(), x1, y1, x2, y2, kDarkEdge);
}

void StatisticsPanel::drawFixedElements() {
    Canvas& c = canvas();
    c.setPalette15(kPanel);
    c.clear(15);
    c.resetPalette15();

    Font title{kMincho, 38, true, true};
    c.text(8, 1, "KLEPSYDRA", title, White);
    c.setPalette15(kTitleShade);
    c.text(11, 4, "KLEPSYDRA", title, 15);
    c.resetPalette15();
    c.text(10, 3, "KLEPSYDRA", title, Black);

    // The English labels are wider: a smaller size keeps them clear of the option buttons and
    // inside the window.
    reliefText(797, 40, translate("StatisticsPanel", "小数点："), inEnglish() ? 11 : 13);
    reliefText(837, 66, translate("StatisticsPanel", "極端値を階級の両端に取り込む"), inEnglish() ? 11 : 12);

    const int headLeft[3] = {561, 624, 903}, headRight[3] = {620, 900, 1007};
    const int headX[3] = {569, 729, 917};
    const char* heads[3] = {"class", "interval", "frequency"};
    for (int i = 0; i < 3; ++i) {
        sunkenPanel(headLeft[i], 89, headRight[i], 115);
        reliefText(headX[i], 93, heads[i], 16);
    }

    paintStatisticsPanel(true);
    paintHintBox();
    paintItemPanel();
    wipeOutOfRangePanel();
    reliefText(345, 669, translate("StatisticsPanel", "印    刷"), 19);
    writeTableHint(Black);
}

bool StatisticsPanel::showStatistics() {
    StatisticsOutcome outcome = computeBasicStatistics(state_.data);
    for (const StatisticsLine& line : outcome.lines)
        reliefText(line.x, line.y, line.text, 16);
    if (!outcome.suitable) {
        say(outcome.message ? *outcome.message : unsuitableSampleMessage());
        return false;
    }
    state_.mean = outcome.statistics.mean;
    state_.minimum = outcome.statistics.minimum;
    state_.maximum = outcome.statistics.maximum;
    state_.minimumText = keptNumberText(state_.minimum);
    state_.maximumText = keptNumberText(state_.maximum);
    return true;
}

void StatisticsPanel::blankForEntry() {
    for (const auto& [x1, y1, x2, y2] : {std::array{218, 57, 550, 480}, std::array{218, 485, 550, 510},
                                         std::array{218, 518, 362, 545}, std::array{458, 553, 552, 662}})
        sunkenPanel(x1, y1, x2, y2);
    reliefText(244, 524, translate("StatisticsPanel", " 測定項目名"), 16);
    reliefText(240, 70, translate("BasicStatistics", "( 基礎計算結果 )"), 16);
}

void StatisticsPanel::writeReferenceText(const std::string& text) {
    Font font{kMincho, 16};
    canvas().text(236, 463, text, font, White);
    canvas().text(235, 462, text, font, Black);
}

void StatisticsPanel::paintStatisticsPanel(bool withLabels) {
    sunkenPanel(218, 57, 550, 480);
    if (!withLabels) return;
    for (const RestLine& line : kRestBlock)
        reliefText(line.x, line.y, translate("BasicStatistics", line.text), 16);
}

void StatisticsPanel::paintItemPanel() {
    sunkenPanel(218, 518, 362, 545);
    reliefText(222, 523, translate("StatisticsPanel", " 測定項目名"), 16);
    const char* labels[4] = {KL_TRANSLATE_NOOP("StatisticsPanel", "階級幅(Interval)"),
                             KL_TRANSLATE_NOOP("StatisticsPanel", "下限値(Min)"),
                             KL_TRANSLATE_NOOP("StatisticsPanel", "階級数(Class)"),
                             KL_TRANSLATE_NOOP("StatisticsPanel", "上限値(Max)")};
    for (int i = 0; i < 4; ++i) {
        const int top = 554 + 28 * i;
        sunkenPanel(218, top, 362, top + 25);
        reliefText(222, top + 5, translate("StatisticsPanel", labels[i]), 16);
    }
}

void StatisticsPanel::paintHintBox() {
    sunkenPanel(218, 485, 550, 510);
}

void StatisticsPanel::writeItemHint(int index) {
    paintHintBox();
    if (index >= 2) {
        Font font{kMincho, 14};
        const std::string hint = translate("ClassParameters", texts::kHintItemChosen);
        canvas().text(224, 493, hint, font, White);
        canvas().text(223, 492, hint, font, Red);
    } else {
        canvas().text(223, 489, translate("ClassParameters", texts::kHintChooseItem), Font{kMincho, 18},
                      Green);
    }
}

void StatisticsPanel::writeTableHint(int colour) {
    sunkenPanel(560, 665, 1007, 690);
    Font font{kMincho, 14};
    const std::string hint = translate("ClassParameters", texts::kHintBuildTable);
    canvas().text(567, 671, hint, font, White);
    canvas().text(566, 670, hint, font, colour);
}

void StatisticsPanel::paintReferenceBox() {
    fillRgb(230, 460, 542, 476, kBeige);
}

void StatisticsPanel::writeReferenceLine() {
    paintReferenceBox();
    if (state_.refLower.empty() && state_.refUpper.empty()) return;
    const std::string line =
        referenceLine(state_.refLower, state_.refUpper, hasNoUpperLimit(leadingNumber(state_.refUpper)));
    Font font{kMincho, 16};
    canvas().text(236, 463, line, font, White);
    canvas().text(235, 462, line, font, Black);
}

void StatisticsPanel::wipeOutOfRangePanel() {
    Canvas& c = canvas();
    fillRgb(458, 553, 552, 662, kBeige);
    c.line(552, 553, 552, 662, White);
    c.line(458, 662, 552, 662, White);
}

void StatisticsPanel::drawOutOfRangePanel() {
    wipeOutOfRangePanel();
    // The panel's lines: the heading, then Lower, Upper and Total.
    const std::vector<std::string> lines =
        outOfRangeRates(state_.data.numbers(), state_.refLower, state_.refUpper).lines();
    const Font heading{kMincho, inEnglish() ? 14.0 : 16.0}; // the English heading fits the panel at 14
    canvas().text(465, 560, lines[0], heading, White);
    canvas().text(464, 559, lines[0], heading, Black);
    const Font font{kMincho, 14};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int y = 565 + 20 * static_cast<int>(i);
        canvas().text(465, y, lines[i], font, White);
        canvas().text(464, y - 1, lines[i], font, Black);
    }
}

} // namespace kl
