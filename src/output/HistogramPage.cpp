#include "output/HistogramPage.h"

#include "graph/NormalFit.h"
#include "graph/ProbitPlot.h"
#include "graph/ReferenceMarkers.h"
#include "graph/SmoothingSpline.h"
#include "output/TextReports.h"
#include "text/Cp932.h"
#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {

constexpr double X0 = kPageX0, X1 = kPageX1, Y0 = kPageY0, Y1 = kPageY1;
constexpr double P0 = kPageP0, P1 = kPageP1, Q0 = kPageQ0, Q1 = kPageQ1;
constexpr Rgb kPageBlue{75, 75, 255};
constexpr Rgb kFrameBlue{0, 0, 255};
constexpr std::size_t kMaxSmoothingPoints = 5000;
// The screen's 3-pixel widening of the central band of the plot, in page units.
constexpr double kBandWidening = 7;

Font mincho(double size, bool bold = false, bool italic = false) {
    return Font{kMincho, size, bold, italic};
}

Font gothic(double size) {
    return Font{kGothic, size, false, false};
}

HistogramPagePlan failed(HistogramPagePlan plan) {
    plan.failure = badPrintDataMessage();
    return plan;
}

bool finitePoints(std::span<const Polyline> strokes) {
    for (const Polyline& s : strokes)
        for (const Point& p : s)
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

// The histogram's frame on the page: the scale labels stand 130 units left of it.
constexpr HistogramFrame kPageHistogram{X0, X1, Y0, Y1, X0 - 130, 50, true};

void planScale(HistogramPagePlan& p) {
    HistogramAxis axis = histogramAxis(p.scale, static_cast<int>(p.counts.frequency.size()), kPageHistogram);
    p.gridY = std::move(axis.gridY);
    p.minorGridY = std::move(axis.minorGridY);
    p.scaleLabels = std::move(axis.scaleLabels);
}

void planBarsAndLabels(HistogramPagePlan& p, const HistogramPageInput& in) {
    const GraphClasses& c = in.classes;
    const int K = c.count;
    p.bars = histogramBars(p.counts.frequency, p.scale, kPageHistogram);
    bool negative = std::any_of(in.values.begin(), in.values.end(), [](double x) { return x < 0; });
    std::vector<std::string> labels = classLabelTexts(c, in.decimalPlaces, negative);
    const double dK = paperLabelShiftK(K), aK = paperLabelAdjustK(K);
    const double dL = paperLabelShiftL(characterCount(trimBlanks(labels.back())));
    for (int i = 1; i <= K; ++i)
        p.classLabels.push_back(
            {X0 - dK + (X1 - X0) * i / K - aK, Y1 + 400 - dL, labels[static_cast<std::size_t>(i - 1)]});
}

// The smoothed curve on paper: 100 s lambda on the diagonal (the spline puts 10 times its argument).
bool planSmoothed(HistogramPagePlan& p, const HistogramPageInput& in) {
    std::vector<Point> tops;
    for (const Bar& b : p.bars)
        tops.push_back({b.centreX, b.top});
    SmoothingSpline spline(tops, 10.0 * std::max(1, in.smoothingFactor) * in.lambda);
    if (spline.fault() == SmoothingFault::TooFewKnots) return true;
    if (spline.fault() != SmoothingFault::None) return false;
    std::vector<Point> kept;
    std::vector<double> work;
    const double first = tops.front().x, last = tops.back().x;
    const long steps = static_cast<long>(std::floor((last - first) / 0.5 + 1e-9));
    for (long k = 0; k <= steps; ++k) {
        double x = first + 0.5 * static_cast<double>(k);
        double f = spline.valueAt(x, work);
        if (!std::isfinite(f)) return false;
        if (x >= X0 && x <= X1 && f >= Y0 && f <= Y1 - 1 && kept.size() < kMaxSmoothingPoints)
            kept.push_back({x, f});
    }
    Polyline line;
    for (std::size_t k = 0; k < kept.size(); k += 2)
        line.push_back(kept[k]);
    if (!kept.empty() && (kept.size() - 1) % 2 != 0) line.push_back(kept.back());
    if (!line.empty()) p.smoothed = clipStrokes(std::vector<Polyline>{line}, Frame{X0, Y0, X1, Y1});
    return true;
}

void planTheoretical(HistogramPagePlan& p, const HistogramPageInput& in, std::span<const double> shown) {
    auto fit = fitNormalToShown(shown);
    if (!fit) return; // too few values for a fit: the curve is skipped
    std::vector<double> expected = expectedFrequencies(*fit, in.classes);
    const std::size_t K = expected.size();
    const double step = (X1 - X0) / static_cast<double>(K);
    std::vector<Point> controls;
    for (std::size_t i = 2; i < K; ++i) {
        double h = expected[i - 1] * p.scale.pixelsPerCount - 0.001;
        if (h >= 0.1) controls.push_back({X0 + step * (static_cast<double>(i) - 0.5), Y1 - h});
    }
    CurvePath curve = drawCurve(controls);
    p.theoretical = clipStrokes(curve.strokes, Frame{X0, Y0, X1, Y1});
}

double paperProbitY(double upperTail) {
    return Q1 - static_cast<double>(pixelRound(180 * (inverseNormalUpper(upperTail) + 3)));
}

void planProbit(HistogramPagePlan& p, const HistogramPageInput& in) {
    const GraphClasses& c = in.classes;
    const int K = c.count;
    if (K < 4 || p.counts.counted < 2) return;
    const double step = (P1 - P0) / K;
    const int d = plottingDecimals(in.texts);
    const double delta = 0.5 * std::pow(10.0, -d) / c.width();
    const double shift = static_cast<double>(pixelRound(step * delta));
    const double y90 = paperProbitY(0.1), y10 = paperProbitY(0.9);
    const SchemeColours colours = schemeColours(in.scheme);
    std::vector<Point> controls;
    long running = 0;
    for (int i = 1; i < K; ++i) {
        running += p.counts.frequency[static_cast<std::size_t>(i - 1)];
        double prob = 1 - static_cast<double>(running) / static_cast<double>(p.counts.counted);
        if (prob <= 0 || prob >= 1) continue;
        double y = paperProbitY(prob);
        if (y < Q0 || y > Q1) continue;
        bool central = y >= y90 - kBandWidening && y <= y10 + kBandWidening;
        PaperProbitPoint pt{P0 + step * i - shift, y,
                            central ? colours.probitPointInside : colours.probitPointOutside};
        p.probitPoints.push_back(pt);
        controls.push_back({pt.x, pt.y});
    }
    CurvePath curve = drawCurve(controls);
    p.probitCurve = clipStrokes(curve.strokes, Frame{P0, Q0, P1, Q1});
    if (in.crossings) {
        if (auto x = bandMeanX(curve.points, kPageLowerBandY - 1, kPageLowerBandY + 1))
            p.lowerCrossing = pixelRound(*x);
        if (auto x = bandMeanX(curve.points, kPageUpperBandY - 1, kPageUpperBandY + 1))
            p.upperCrossing = pixelRound(*x);
    }
}

} // namespace

int printerScreenFactor(int screenHeightPx, double printableHeightUnits, int verticalDpi) {
    double printerPx = printableHeightUnits / 254.0 * verticalDpi;
    if (!(printerPx > 0) || screenHeightPx <= 0) return 1;
    double s = std::floor(10.0 * screenHeightPx / printerPx);
    return s < 1 ? 1 : static_cast<int>(std::min(s, 1000.0));
}

std::string pageFileLine(std::string_view path, long count) {
    return withArgs(translate("HistogramPage", "File Name： %1 (N=%2)"),
                    {cutWithMark(trimBlanks(path), 88), std::to_string(count)});
}

PageTitle pageTitle(std::string_view title) {
    PageTitle t;
    t.text = cutBytes(trimBlanks(title), 44);
    const double c = static_cast<double>(sjisWidth(t.text));
    t.x = X0 + static_cast<double>(pixelRound(((X1 - X0) - (X1 - X0) / 44 * c) / 2));
    return t;
}

Message badPrintDataMessage() {
    return Message{"BAD DATA",
                   translate("HistogramPage", "パラメータが適当ではありません。    \r\n"
                                              "階級幅や階級数などを見直して下さい。            "),
                   Buttons::Ok, Icon::Information};
}

HistogramPagePlan planHistogramPage(const HistogramPageInput& in) {
    HistogramPagePlan p;
    const GraphClasses& c = in.classes;
    if (!graphClassesUsable(c)) return failed(std::move(p));
    std::vector<double> shown;
    shown.reserve(in.values.size());
    p.counts = countClasses(in.values, c, &shown);
    auto scale = verticalScale(p.counts.largest, kPageHistogram);
    if (!scale) return failed(std::move(p));
    p.scale = *scale;
    if (!std::isfinite(p.scale.pixelsPerCount) || p.scale.pixelsPerCount <= 0) return failed(std::move(p));
    planScale(p);
    planBarsAndLabels(p, in);
    if (in.print.theory) {
        planTheoretical(p, in, shown);
        if (!planSmoothed(p, in)) return failed(std::move(p));
    }
    if (in.print.plot) planProbit(p, in);
    if (!finitePoints(p.theoretical) || !finitePoints(p.smoothed) || !finitePoints(p.probitCurve))
        return failed(std::move(p));
    if (in.print.statistics) p.figures = sampleFigures(shown);
    p.pages = in.print.statistics && in.print.plot ? 2 : 1;
    return p;
}

namespace {

// Draws with the page's text rule: in "2 D" and "3 D" a white copy one unit right and down, then
// black; in "Blue" bold, once, white over the blue areas and black on the white paper.
class PagePen {
  public:
    PagePen(Canvas& canvas, const HistogramPageInput& in) : c(canvas), in_(in) {}

    Canvas& c;
    bool page1 = true;

    bool onBlue(double x, double y) const {
        if (in_.scheme != GraphScheme::Blue || !page1 || x < 10 || x > 2000) return false;
        return (y >= 10 && y <= 1460) || (in_.print.plot && y >= 1461 && y <= 2816);
    }
    Font textFont(Font f) const {
        if (in_.scheme == GraphScheme::Blue) f.bold = true;
        return f;
    }
    int textColour(double x, double y) const { return onBlue(x, y) ? White : Black; }
    void text(double x, double y, const std::string& s, Font f, bool vertical = false) {
        if (in_.scheme == GraphScheme::Blue) {
            put(x, y, s, textFont(f), textColour(x, y), vertical);
        } else {
            put(x + 1, y + 1, s, f, White, vertical);
            put(x, y, s, f, Black, vertical);
        }
    }

  private:
    void put(double x, double y, const std::string& s, const Font& f, int colour, bool vertical) {
        if (vertical)
            c.textVertical(x, y, s, f, colour);
        else
            c.text(x, y, s, f, colour);
    }
    const HistogramPageInput& in_;
};

void fillFrame(PagePen& pen, GraphScheme scheme, double x0, double y0, double x1, double y1) {
    Canvas& c = pen.c;
    c.setPalette15(scheme == GraphScheme::Blue ? kFrameBlue : Rgb{255, 255, 255});
    c.fillBox(x0, y0, x1, y1, 15);
    c.resetPalette15();
    const int outline = schemeColours(scheme).frameOutline;
    c.box(x0, y0, x1, y1, outline);
    c.box(x0 - 1, y0 - 1, x1 + 1, y1 + 1, outline);
    c.box(x0 - 2, y0 - 2, x1 + 2, y1 + 2, outline);
}

void drawBackgrounds(PagePen& pen, const HistogramPageInput& in) {
    Canvas& c = pen.c;
    if (in.scheme == GraphScheme::Blue) {
        c.setPalette15(kPageBlue);
        c.fillBox(10, 10, 2000, 1460, 15);
        if (in.print.plot) c.fillBox(10, 1461, 2000, 2816, 15);
        c.resetPalette15();
    }
    fillFrame(pen, in.scheme, X0, Y0, X1, Y1);
    if (in.print.plot) fillFrame(pen, in.scheme, P0, Q0, P1, Q1);
}

// The open box of "3 D" in page units: side wall, floor, back wall.
// The open box of "3 D" in page units: side wall, floor, back wall. Runs of touching parallel
// strokes (the wall's horizontal ones, the floor's vertical ones) are filled as the boxes they
// cover; the oblique ones are drawn one by one.
void drawBox3D(Canvas& c, double x0, double y0, double x1, double y1, int upperWall, int lowerWall,
               int floor) {
    c.fillBox(x0, y0 + 1, x0 + 70, y0 + upperWall, Blue);
    for (int k = 1; k <= lowerWall; ++k)
        c.line(x0, y1 - k, x0 + 70, y1 - 50 - k, Blue);
    for (int k = 1; k <= floor; ++k)
        c.line(x0 + k, y1, x0 + 70 + k, y1 - 50, 14);
    c.fillBox(x1 - floor, y1 - 50, x1 - 1, y1, 14);
    c.fillBox(x0 + 71, y0, x1, y1 - 51, Red);
}

void drawFixedTexts(PagePen& pen, const HistogramPageInput& in) {
    if (in.print.plot) pen.text(250, 2180, translate("HistogramPage", "累積相対度数(%)"), mincho(12), true);
    pen.text(30, 630, "Frequency", mincho(14), true);
    PageTitle title = pageTitle(in.title);
    pen.text(title.x, Q0 - 170, title.text, mincho(19, true, true));
    pen.text(X1, Y1 + 5, "(UNIT)", mincho(12));
    if (in.print.plot) pen.text(P1, Q1 + 5, "(UNIT)", mincho(12));
    if (!in.pasted) pen.text(46, 2762, pageFileLine(in.sourcePath, in.count), mincho(10));
}

void drawScale(PagePen& pen, const HistogramPageInput& in, const HistogramPagePlan& p) {
    Canvas& c = pen.c;
    const SchemeColours colours = schemeColours(in.scheme);
    const bool twoD = in.scheme == GraphScheme::TwoD;
    for (double y : p.gridY) {
        if (twoD) {
            c.line(X0 + 9, y, X1 - 2, y, colours.gridLine);
        } else {
            for (double x = X0 + 9; x <= X1 - 2; x += 5)
                c.point(x, y, colours.gridLine);
        }
        c.line(X0, y, X0 + 10, y, colours.frameOutline);
    }
    for (double y : p.minorGridY)
        for (double x = X0 + 9; x <= X1 - 2; x += 10)
            c.point(x, y, colours.gridLine);
}

void drawBars(Canvas& c, const HistogramPageInput& in, const HistogramPagePlan& p) {
    const SchemeColours colours = schemeColours(in.scheme);
    if (in.scheme == GraphScheme::ThreeD) {
        for (const Bar& b : p.bars) {
            if (b.height < 1) continue;
            for (double x = b.left; x <= b.right; x += 1)
                c.line(x, b.top, std::min(x + 70, X1), b.top - 50 * (std::min(x + 70, X1) - x) / 70, 14);
            for (int dx = 0; dx <= 70 && b.right + dx <= X1; ++dx)
                c.line(b.right + dx, std::max(Y0, b.top - dx * 50.0 / 70), b.right + dx, Y1 - dx * 50.0 / 70,
                       Blue);
            c.line(b.left, b.top, b.left + 70, b.top - 50, 15);
        }
    }
    for (const Bar& b : p.bars) {
        c.fillBox(b.left, b.top, b.right, Y1, colours.barFill);
        c.box(b.left, b.top, b.right, Y1, Blue);
    }
}

// The curves are evaluated far more densely than paper shows (a step of t is about 0.15 units):
// points closer than kMinStroke to the last one drawn are passed over, the last one never.
constexpr double kMinStroke = 1.5;

void drawPolylines(Canvas& c, std::span<const Polyline> strokes, int colour) {
    for (const Polyline& s : strokes) {
        if (s.empty()) continue;
        if (s.size() == 1) c.point(s[0].x, s[0].y, colour);
        Point last = s[0];
        for (std::size_t i = 1; i < s.size(); ++i) {
            const bool end = i + 1 == s.size();
            if (!end && std::hypot(s[i].x - last.x, s[i].y - last.y) < kMinStroke) continue;
            c.line(last.x, last.y, s[i].x, s[i].y, colour);
            last = s[i];
        }
    }
}

void drawHistogram(PagePen& pen, const HistogramPageInput& in, const HistogramPagePlan& p) {
    Canvas& c = pen.c;
    const SchemeColours colours = schemeColours(in.scheme);
    for (const PlacedText& t : p.classLabels)
        pen.text(t.x, t.y, t.text, gothic(10), true);
    const int K = in.classes.count;
    for (int i = 1; i <= K; ++i) {
        double x = X0 + (X1 - X0) / K * (i - 1);
        c.line(x, Y1, x, Y1 - 6, colours.frameOutline);
    }
    if (in.scheme != GraphScheme::ThreeD) drawScale(pen, in, p);
    for (const PlacedText& t : p.scaleLabels)
        pen.text(t.x, t.y, t.text, mincho(12));
    drawBars(c, in, p);
    if (in.print.theory) {
        drawPolylines(c, p.theoretical, colours.theoreticalCurve);
        drawPolylines(c, p.smoothed, colours.smoothedCurve);
        pen.text(X0 + 1300, Q0 - 110, translate("HistogramPage", "理論的正規分布曲線"), mincho(9));
        pen.text(X0 + 1300, Q0 - 80, translate("HistogramPage", "histogramの分布曲線"), mincho(9));
        c.line(1400, Q0 - 110 + 15, 1580, Q0 - 110 + 15, colours.theoreticalCurve);
        c.line(1400, Q0 - 80 + 15, 1580, Q0 - 80 + 15, colours.smoothedCurve);
    }
}

// A reference marker on the bottom edge of a frame from left to right (y = bottom).
void drawMarkers(PagePen& pen, const HistogramPageInput& in, double left, double right, double bottom) {
    const ReferenceTexts& r = in.reference;
    const GraphClasses& c = in.classes;
    const int colour = in.scheme == GraphScheme::TwoD ? Magenta : 13;
    struct Side {
        const std::string& limit;
        const std::string& table;
        bool lower;
    };
    std::vector<std::vector<Segment>> strokes;
    std::vector<PlacedText> labels;
    for (const Side& s : {Side{r.lowerLimit, r.tableLower, true}, Side{r.upperLimit, r.tableUpper, false}}) {
        std::string limit = trimBlanks(s.limit);
        if (limit.empty() || trimBlanks(s.table).empty()) continue;
        double x = left + (leadingNumber(limit) - c.lower) / (c.upper - c.lower) * (right - left) - 0.001;
        if (!std::isfinite(x)) continue;
        double rx = static_cast<double>(pixelRound(x));
        if (rx < left || rx > right) continue;
        std::vector<Segment>& marker = strokes.emplace_back();
        marker.push_back({{x, bottom - 6}, {x, bottom - 70}});
        static constexpr double kEnds[5] = {9, 13, 16, 19, 21};
        for (int k = 1; k <= 5; ++k) {
            double px = s.lower ? x + k : x - k;
            marker.push_back({{px, bottom - 22}, {px, bottom - kEnds[k - 1]}});
        }
        labels.push_back(
            {s.lower ? x - 16 : x - 26, bottom - 85,
             (s.lower ? translate("HistogramPage", "LOWER：") : translate("HistogramPage", "UPPER：")) +
                 limit});
    }
    // Set off from the bars under them: strokes over halos, labels over boxes behind the text
    // colour of the page (black, or white over the blue areas of "Blue").
    strokeMarkers(pen.c, strokes, colour, 5);
    const Font font = gothic(12);
    for (const PlacedText& l : labels) {
        labelBackground(pen.c, l.x, l.y, l.text, pen.textFont(font), font.size * kPaperUnitsPerPoint, 3,
                        haloColour(pen.textColour(l.x, l.y)));
        pen.text(l.x, l.y, l.text, font, true);
    }
}

void drawCrossing(Canvas& c, long x, double lineY, bool lower) {
    const double cx = static_cast<double>(x);
    c.line(cx, lineY, cx, Q1 - 2, Cyan);
    static constexpr double kEnds[5] = {5, 8, 10, 13, 15};
    for (int k = 1; k <= 5; ++k) {
        double px = lower ? cx + k : cx - k;
        c.line(px, Q1 - 15, px, Q1 - kEnds[k - 1], Cyan);
    }
}

void drawProbit(PagePen& pen, const HistogramPageInput& in, const HistogramPagePlan& p) {
    Canvas& c = pen.c;
    pen.text(P0 + 200, Q1 + 30, "Normal Probability Plot", mincho(14, true, true));
    for (const ProbitTick& t : probitTicks(in.scheme)) {
        double y = Q1 - static_cast<double>(pixelRound(180 * (inverseNormalUpper(1 - t.percent / 100) + 3)));
        c.line(P0 + 1, y, P1 - 1, y, t.lineColour);
        pen.text(P0 + 1 - 125, y - 20, t.label, mincho(12));
    }
    const int K = in.classes.count;
    for (int i = 1; i < K; ++i) {
        double x = P0 + (P1 - P0) / K * i;
        c.line(x, Q1 - 5, x, Q1, schemeColours(in.scheme).frameOutline);
    }
    for (const PaperProbitPoint& pt : p.probitPoints)
        c.circle(pt.x, pt.y, 7, pt.colour);
    drawPolylines(c, p.probitCurve, schemeColours(in.scheme).probitCurve);
    if (p.lowerCrossing) drawCrossing(c, *p.lowerCrossing, kPageLowerBandY, true);
    if (p.upperCrossing) drawCrossing(c, *p.upperCrossing, kPageUpperBandY, false);
    if (in.print.interval) {
        const char* mask = limitMask(in.decimalPlaces);
        const std::string badCurve = translate("HistogramPage", " 曲線不良");
        auto line = [&](const std::string& label, const std::optional<double>& v) {
            return label + (v ? formatMask(*v, mask) : badCurve);
        };
        pen.text(P1 - 350, Q1 + 90, line(translate("HistogramPage", "95％信頼区間の下限値："), in.lowerLimit),
                 mincho(12));
        pen.text(P1 - 350, Q1 + 130,
                 line(translate("HistogramPage", "95％信頼区間の上限値："), in.upperLimit), mincho(12));
    }
    if (in.print.reference) drawMarkers(pen, in, P0, P1, Q1);
}

} // namespace

void drawHistogramPage(PrintJob& job, const HistogramPageInput& in, const HistogramPagePlan& plan) {
    if (plan.failure) return;
    PagePen pen(job.page(), in);
    drawBackgrounds(pen, in);
    drawFixedTexts(pen, in);
    if (in.scheme == GraphScheme::ThreeD) {
        drawBox3D(pen.c, X0, Y0, X1, Y1, 450, 450, 820);
        pen.c.box(X0, Y0, X1, Y1, schemeColours(in.scheme).frameOutline);
        if (in.print.plot) drawBox3D(pen.c, P0, Q0, P1, Q1, 550, 650, 580);
    }
    drawHistogram(pen, in, plan);
    if (in.print.reference) drawMarkers(pen, in, X0, X1, Y1);
    if (in.print.plot) drawProbit(pen, in, plan);
    if (in.print.statistics) {
        double d = 0;
        if (in.print.plot) {
            job.newPage();
            pen.page1 = false;
            d = 1450;
            PagePen page2(job.page(), in);
            page2.page1 = false;
            if (!in.pasted) page2.text(46, 2762, pageFileLine(in.sourcePath, in.count), mincho(10));
        }
        drawStatisticsTable(job.page(), plan.figures, d);
    }
}

} // namespace kl
