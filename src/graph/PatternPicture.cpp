#include "graph/PatternPicture.h"

#include "graph/ProbitPlot.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace kl {

namespace {

// Four columns of panels in two rows. The columns sit so that the shape labels fall into clear
// corners of the heavy-tailed panel (row 1, column 3) and of the uniform panel (row 2, column 2).
constexpr double kPanelWidth = 168, kPanelHeight = 240;
constexpr double kColumnLeft[4] = {70, 276, 482, 688};
constexpr double kRowTop[2] = {24, 322};
constexpr double kCaptionHeight = 19, kCaptionGap = 8, kCaptionPitch = 21;
constexpr double kScaleLabelHeight = 15;
constexpr double kZRange = 2.6; // the panel spans z = -2.6 .. +2.6
constexpr int kPointCount = 24;
constexpr double kPointRadius = 3.5;
constexpr double kLineZ = 1.8;     // the reference line is drawn over z = -1.8 .. +1.8
constexpr double kLineWidth = 2.2; // the dotted reference line must still read at 0.7 of full size
constexpr double kScalePercents[] = {1, 5, 10, 20, 30, 50, 70, 80, 90, 95, 99};

double normalCdf(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// The z of a cumulative probability on the panels' scale.
double zOf(double cumulative) {
    return inverseNormalUpper(1.0 - cumulative);
}

struct Component {
    double weight, mean, sd;
};

// The quantile of a mixture of normal distributions, found by bisection on its distribution.
double mixtureQuantile(std::initializer_list<Component> parts, double p) {
    auto cdf = [&](double x) {
        double s = 0;
        for (const Component& c : parts)
            s += c.weight * normalCdf((x - c.mean) / c.sd);
        return s;
    };
    double lo = -50, hi = 50;
    for (int i = 0; i < 100; ++i) {
        double mid = 0.5 * (lo + hi);
        (cdf(mid) < p ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// A dome-shaped (triangular) distribution on -1 .. 1: tails shorter than a normal one's.
double triangularQuantile(double p) {
    return p < 0.5 ? std::sqrt(2 * p) - 1 : 1 - std::sqrt(2 * (1 - p));
}

struct Pattern {
    std::vector<std::string> caption;
    std::function<double(double z, double p)> value; // the measured value at cumulative p (z = its quantile)
    double marginLeft = 16, marginRight = 16;        // where the points may go inside the panel
};

// Captions are marked here and translated where the panels are laid out.
std::vector<Pattern> patterns() {
    return {
        {{KL_TRANSLATE_NOOP("PatternPicture", "正規分布")}, [](double z, double) { return z; }},
        {{KL_TRANSLATE_NOOP("PatternPicture", " 外れ値の多く混入した"),
          KL_TRANSLATE_NOOP("PatternPicture", " 正規分布")},
         [](double, double p) {
             return mixtureQuantile({{0.85, 0, 1}, {0.15, 0, 3.5}}, p);
         }},
        {{KL_TRANSLATE_NOOP("PatternPicture", "両裾広がり分布"),
          KL_TRANSLATE_NOOP("PatternPicture", "(尖りの強い分布)")},
         [](double z, double) { return z + 0.18 * z * z * z; },
         8,
         30},
        {{KL_TRANSLATE_NOOP("PatternPicture", "右裾広がり分布")},
         [](double z, double) { return std::exp(0.55 * z); }},
        {{KL_TRANSLATE_NOOP("PatternPicture", " ２種類の分布の混合型")},
         [](double, double p) {
             return mixtureQuantile({{0.55, -1.6, 0.55}, {0.45, 1.6, 0.55}}, p);
         }},
        {{KL_TRANSLATE_NOOP("PatternPicture", "一様分布")}, [](double, double p) { return p; }, 10, 58},
        {{KL_TRANSLATE_NOOP("PatternPicture", "ドーム様分布")},
         [](double, double p) { return triangularQuantile(p); }},
        {{KL_TRANSLATE_NOOP("PatternPicture", "左裾広がり分布")},
         [](double z, double) { return -std::exp(-0.55 * z); }},
    };
}

double cellWidth(const std::string& text, double height) {
    double cells = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        cells += length == 1 ? 0.5 : 1.0;
        i += length;
    }
    return cells * height;
}

PatternPanel makePanel(const Pattern& pattern, PictureBox frame) {
    PatternPanel panel;
    panel.frame = frame;
    const double centreY = 0.5 * (frame.top + frame.bottom);
    const double perZ = (frame.bottom - frame.top) / (2 * kZRange);
    std::vector<double> z(kPointCount), v(kPointCount);
    for (int i = 0; i < kPointCount; ++i) {
        const double p = (i + 0.5) / kPointCount;
        z[i] = zOf(p);
        v[i] = pattern.value(z[i], p);
    }
    // Plain names, not a structured binding: clang 14 lets no lambda capture one.
    const auto range = std::minmax_element(v.begin(), v.end());
    const double lo = *range.first, hi = *range.second;
    const double left = frame.left + pattern.marginLeft;
    const double span = (frame.right - pattern.marginRight) - left;
    auto xOf = [&](double value) { return left + (value - lo) / (hi - lo) * span; };
    for (int i = 0; i < kPointCount; ++i)
        panel.points.push_back({xOf(v[i]), centreY - z[i] * perZ});

    // The straight line normal data would follow: through the quartile points.
    const double zq = zOf(0.75);
    const double vLow = pattern.value(-zq, 0.25), vHigh = pattern.value(zq, 0.75);
    const double xLow = xOf(vLow), xHigh = xOf(vHigh);
    auto lineX = [&](double zz) { return xLow + (zz + zq) / (2 * zq) * (xHigh - xLow); };
    panel.lineFrom = {std::clamp(lineX(-kLineZ), frame.left, frame.right), centreY + kLineZ * perZ};
    panel.lineTo = {std::clamp(lineX(kLineZ), frame.left, frame.right), centreY - kLineZ * perZ};

    const double middle = 0.5 * (frame.left + frame.right);
    double y = frame.bottom + kCaptionGap;
    for (const std::string& source : pattern.caption) {
        const std::string line = translate("PatternPicture", source.c_str());
        panel.captions.push_back(
            {{middle - cellWidth(line, kCaptionHeight) / 2, y}, kCaptionHeight, line, Black});
        y += kCaptionPitch;
    }
    return panel;
}

double panelScaleY(const PictureBox& frame, double percent) {
    const double centreY = 0.5 * (frame.top + frame.bottom);
    return centreY - zOf(percent / 100) * (frame.bottom - frame.top) / (2 * kZRange);
}

struct Mapping {
    const PictureFrame& f;
    double sx, sy;
    double x(double u) const { return f.x + u * sx; }
    double y(double v) const { return f.y + v * sy; }
    double fontSize(double height) const { return height * sy / f.unitsPerFontSize; }
};

void drawText(Canvas& c, const Mapping& m, const PictureText& t) {
    c.text(m.x(t.at.x), m.y(t.at.y), t.text, Font{kMincho, m.fontSize(t.height)}, t.colour);
}

void drawPanel(Canvas& c, const Mapping& m, const PatternPanel& panel) {
    const PictureBox& b = panel.frame;
    const double width = m.sx;
    c.fillBox(m.x(b.left), m.y(b.top), m.x(b.right), m.y(b.bottom), White);
    for (double percent : kScalePercents) {
        const double y = m.y(panelScaleY(b, percent));
        c.line(m.x(b.left), y, m.x(b.right), y, percent == 50 ? Blue : 13, LineStyle::Solid, width);
    }
    for (double percent : {2.5, 97.5}) {
        const double y = m.y(panelScaleY(b, percent));
        c.line(m.x(b.left), y, m.x(b.right), y, Red, LineStyle::Solid, width);
    }
    c.box(m.x(b.left), m.y(b.top), m.x(b.right), m.y(b.bottom), Black, LineStyle::Solid);
    c.line(m.x(panel.lineFrom.x), m.y(panel.lineFrom.y), m.x(panel.lineTo.x), m.y(panel.lineTo.y), Green,
           LineStyle::Dotted, kLineWidth * width);
    for (const Point& p : panel.points)
        c.circle(m.x(p.x), m.y(p.y), kPointRadius * m.sx, Blue, Blue);
    for (const PictureText& t : panel.captions)
        drawText(c, m, t);
}

} // namespace

PictureBox PictureText::extent() const {
    return {at.x, at.y, at.x + cellWidth(text, height), at.y + height};
}

namespace {

std::vector<PatternPanel> layOutPanels() {
    std::vector<PatternPanel> out;
    const std::vector<Pattern> all = patterns();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const double left = kColumnLeft[i % 4], top = kRowTop[i / 4];
        out.push_back(makePanel(all[i], {left, top, left + kPanelWidth, top + kPanelHeight}));
    }
    return out;
}

} // namespace

const std::vector<PatternPanel>& patternPanels() {
    // Laid out once per language: the captions are centred under their panels.
    if (inEnglish()) {
        static const std::vector<PatternPanel> english = layOutPanels();
        return english;
    }
    static const std::vector<PatternPanel> japanese = layOutPanels();
    return japanese;
}

std::vector<PictureText> patternPictureTexts(bool withShapeLabels) {
    std::vector<PictureText> texts;
    // The three scale lines that matter for the interval, named left of every panel.
    for (const PatternPanel& panel : patternPanels()) {
        for (auto [percent, label] :
             {std::pair{2.5, "2.5"}, std::pair{50.0, "50"}, std::pair{97.5, "97.5"}}) {
            const double y = panelScaleY(panel.frame, percent) - kScaleLabelHeight / 2;
            const double x = panel.frame.left - 4 - cellWidth(label, kScaleLabelHeight);
            texts.push_back({{x, y}, kScaleLabelHeight, label, percent == 50 ? Blue : Red});
        }
    }
    texts.push_back({{70, 632},
                     18,
                     translate("PatternPicture", "横軸：測定値(階級の上限値)　　縦軸：累積相対度数(％)"),
                     Black});
    texts.push_back({{94, 662}, 18, translate("PatternPicture", "データの点"), Black});
    texts.push_back({{314, 662}, 18, translate("PatternPicture", "正規分布の場合の直線"), Black});
    texts.push_back({{620, 662}, 18, translate("PatternPicture", "2.5％・97.5％の線"), Black});
    if (withShapeLabels) {
        texts.push_back({kShapeLabelS, kShapeLabelHeight, translate("PatternPicture", "Ｓ型"), Red});
        texts.push_back({kShapeLabelN, kShapeLabelHeight, translate("PatternPicture", "Ｎ型"), Red});
    }
    return texts;
}

void drawPatternPicture(Canvas& canvas, const PictureFrame& frame, bool withShapeLabels) {
    if (!(frame.width > 0) || !(frame.height > 0) || !(frame.unitsPerFontSize > 0)) return;
    const Mapping m{frame, frame.width / kPatternPictureWidth, frame.height / kPatternPictureHeight};
    canvas.fillBox(m.x(0), m.y(0), m.x(kPatternPictureWidth - 1), m.y(kPatternPictureHeight - 1), White);
    canvas.box(m.x(0), m.y(0), m.x(kPatternPictureWidth - 1), m.y(kPatternPictureHeight - 1), Black);
    for (const PatternPanel& panel : patternPanels())
        drawPanel(canvas, m, panel);
    // Legend keys in front of their texts.
    canvas.circle(m.x(80), m.y(671), kPointRadius * m.sx, Blue, Blue);
    canvas.line(m.x(270), m.y(671), m.x(306), m.y(671), Green, LineStyle::Dotted, kLineWidth * m.sx);
    canvas.line(m.x(576), m.y(671), m.x(612), m.y(671), Red, LineStyle::Solid, m.sx);
    for (const PictureText& t : patternPictureTexts(withShapeLabels))
        drawText(canvas, m, t);
}

} // namespace kl
