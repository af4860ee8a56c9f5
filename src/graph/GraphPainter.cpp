#include "graph/GraphPainter.h"

#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace kl {

namespace {

constexpr double kMinLambda = 0.1, kMaxLambda = 10000, kDefaultLambda = 5000;

// Canvas calls with every coordinate checked: the first one that is not finite stops the whole
// drawing (the window then reports the bad parameters) instead of painting garbage.
class Pen {
  public:
    explicit Pen(Canvas& c) : c_(c) {}

    bool failed() const { return failed_; }

    void line(double x1, double y1, double x2, double y2, int colour, LineStyle style = LineStyle::Solid) {
        if (finite({x1, y1, x2, y2})) c_.line(x1, y1, x2, y2, colour, style);
    }
    void box(double x1, double y1, double x2, double y2, int colour) {
        if (finite({x1, y1, x2, y2})) c_.box(x1, y1, x2, y2, colour);
    }
    void fillBox(double x1, double y1, double x2, double y2, int colour) {
        if (finite({x1, y1, x2, y2})) c_.fillBox(x1, y1, x2, y2, colour);
    }
    void point(double x, double y, int colour) {
        if (finite({x, y})) c_.point(x, y, colour);
    }
    void circle(double x, double y, double r, int colour) {
        if (finite({x, y})) c_.circle(x, y, r, colour);
    }
    void text(double x, double y, const std::string& s, const Font& f, int colour) {
        if (finite({x, y})) c_.text(x, y, s, f, colour);
    }
    void vertical(double x, double y, const std::string& s, const Font& f, int colour) {
        if (finite({x, y})) c_.textVertical(x, y, s, f, colour);
    }
    Canvas& canvas() { return c_; }

  private:
    bool finite(std::initializer_list<double> values) {
        if (failed_) return false;
        for (double v : values)
            if (!std::isfinite(v)) failed_ = true;
        return !failed_;
    }
    Canvas& c_;
    bool failed_ = false;
};

Font mincho(double size, bool bold = false, bool italic = false) {
    return Font{kMincho, size, bold, italic};
}
Font gothic(double size) {
    return Font{kGothic, size};
}

struct Frames {
    Pen& pen;
    const SchemeColours& colours;
    GraphScheme scheme;

    // Label texts: a light shadow one pixel right and down, then the text ("Blue": 7 alone).
    void label(double x, double y, const std::string& s, const Font& f) {
        if (colours.labelShadow) pen.text(x + 1, y + 1, s, f, White);
        pen.text(x, y, s, f, colours.labelText);
    }
    void rotated(double x, double y, const std::string& s, const Font& f, int colour) {
        if (colours.rotatedShadow) pen.vertical(x + 1, y + 1, s, f, 15);
        pen.vertical(x, y, s, f, colour);
    }

    void frame(double left, double right) {
        pen.canvas().setPalette15(colours.frameFill);
        pen.fillBox(left, kHistTop, right, kHistBottom, 15);
        pen.box(left, kHistTop, right, kHistBottom, colours.frameOutline);
        pen.canvas().resetPalette15();
        if (scheme == GraphScheme::Blue) {
            pen.box(left - 1, kHistTop - 1, right + 1, kHistBottom + 1, 15);
            return;
        }
        // Raised: dark edge all round, light edges below and to the right.
        pen.box(left - 1, kHistTop - 1, right + 1, kHistBottom + 1, Blue);
        for (int d = 1; d <= 2; ++d) {
            pen.line(left - 1, kHistBottom + d, right + d, kHistBottom + d, 15);
            pen.line(right + d, kHistTop - 1, right + d, kHistBottom + d, 15);
        }
    }

    // "3 D": the frame becomes an open box seen from the front left, 70 px deep and 50 px high.
    // Its walls are bands of parallel strokes; each band is painted column by column (or as one
    // box), which covers the same pixels with a few dozen lines instead of hundreds.
    void openBox(double left, double right, int wallStrokes, int floorStrokes) {
        // Left wall: horizontal strokes y = 61 .. 60 + n, then strokes (left, 510 - k)-(left + 70, 460 - k).
        pen.fillBox(left, kHistTop + 1, left + 70, kHistTop + wallStrokes, Blue);
        for (int dx = 0; dx <= 70; ++dx) {
            const double rise = dx * 50.0 / 70;
            pen.line(left + dx, kHistBottom - wallStrokes - rise, left + dx, kHistBottom - 1 - rise, Blue);
        }
        // Floor: strokes (left + k, 510)-(left + 70 + k, 460), then vertical strokes right - k.
        for (int x = 1; x <= floorStrokes + 70; ++x) {
            const double tLow = std::max(0.0, (x - floorStrokes) / 70.0),
                         tHigh = std::min(1.0, (x - 1) / 70.0);
            if (tLow <= tHigh)
                pen.line(left + x, kHistBottom - 50 * tHigh, left + x, kHistBottom - 50 * tLow, 14);
        }
        pen.fillBox(right - floorStrokes, kHistBottom - 50, right - 1, kHistBottom, 14);
        pen.fillBox(left + 71, kHistTop, right, kHistBottom - 51, Red);
    }
};

void drawOptionTexts(Frames& f) {
    const Font f14 = mincho(14), f12 = mincho(12), f16 = mincho(16);
    f.label(791, 7, translate("GraphPainter", "理論的正規分布曲線を表示する"), f14);
    f.label(791, 22, translate("GraphPainter", "基準範囲を表示する"), f14);
    f.label(723, 554, translate("GraphPainter", "曲線との交点から95％信頼区間を求める"), f14);
    const char* print[5] = {KL_TRANSLATE_NOOP("GraphPainter", "正規確率紙を印刷する"),
                            KL_TRANSLATE_NOOP("GraphPainter", "理論的正規分布曲線を印刷する"),
                            KL_TRANSLATE_NOOP("GraphPainter", "基準範囲を印刷する"),
                            KL_TRANSLATE_NOOP("GraphPainter", "95％信頼区間を印刷する"),
                            KL_TRANSLATE_NOOP("GraphPainter", "計算結果を印刷する")};
    for (int i = 0; i < 5; ++i)
        f.label(726, 652 + 14 * i, translate("GraphPainter", print[i]), f12);
    f.label(944, 647, translate("GraphPainter", "disp："), f14);
    f.label(966, 664, "2 D", f16);
    f.label(966, 686, "Blue", f16);
    f.label(966, 708, "3 D", f16);
}

void drawLegend(Frames& f) {
    const Font f13 = mincho(13);
    const bool thick = f.scheme == GraphScheme::ThreeD;
    for (double y : {50.0, 49.0}) {
        if (y == 49 && !thick) break;
        f.pen.line(110, y, 160, y, f.colours.theoreticalLegend);
        f.pen.line(315, y, 365, y, f.colours.smoothedLegend);
    }
    f.label(165, 43, translate("GraphPainter", "理論的正規分布曲線"), f13);
    // The blank in the brackets is where the smoothing box EDIT11 stands (x 595 .. 637); the part
    // from x 503 on is blanked in the clipboard copies.
    f.label(370, 43, translate("GraphPainter", "histogramの分布曲線(平滑化係数：        )"), f13);
}

// The curve as whole pixels: evaluated points are far denser than the screen, so points falling on
// the pixel already reached add nothing and are skipped.
void drawPolyline(Pen& pen, const Polyline& line, int colour) {
    if (line.empty()) return;
    long long lastX = pixelRound(line.front().x), lastY = pixelRound(line.front().y);
    if (line.size() == 1) {
        pen.point(line.front().x, line.front().y, colour);
        return;
    }
    for (std::size_t i = 1; i < line.size(); ++i) {
        const long long x = pixelRound(line[i].x), y = pixelRound(line[i].y);
        if (x == lastX && y == lastY && i + 1 < line.size()) continue;
        pen.line(double(lastX), double(lastY), double(x), double(y), colour);
        lastX = x;
        lastY = y;
    }
}

bool insideFrame(double x, double y, double left, double right) {
    return x >= left && x <= right && y >= kHistTop && y <= kHistBottom;
}

void drawScale(Frames& f, const GraphPicture& g) {
    Pen& pen = f.pen;
    const bool flat = f.scheme == GraphScheme::TwoD;
    for (double x : g.axis.classTickX)
        pen.line(x, 506, x, 510, f.colours.frameOutline);
    for (double y : g.axis.gridY) {
        pen.line(70, y, 74, y, f.colours.frameOutline);
        if (flat) {
            pen.line(76, y, 649, y, 14);
            pen.line(76, y + 1, 649, y + 1, 15);
        } else {
            pen.line(76, y, 649, y, f.colours.gridLine, LineStyle::Dotted);
        }
    }
    for (double y : g.axis.minorGridY) {
        if (flat) {
            pen.line(74, y, 649, y, 14, LineStyle::Dotted);
            pen.line(74, y + 1, 649, y + 1, 15, LineStyle::Dotted);
        } else {
            for (double x = 72; x <= 648; x += 5)
                pen.point(x, y, 15);
        }
    }
}

// Cuts a segment to the inside of the histogram frame (Liang-Barsky); false when nothing is left.
bool clipToHistogram(double& x1, double& y1, double& x2, double& y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - (kHistLeft + 1), (kHistRight - 1) - x1, y1 - (kHistTop + 1),
                         (kHistBottom - 1) - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 += t0 * dx;
    y1 += t0 * dy;
    return true;
}

// Block faces of a tall bar would reach over the legend: they stay inside the frame.
void insideLine(Pen& pen, double x1, double y1, double x2, double y2, int colour) {
    if (clipToHistogram(x1, y1, x2, y2)) pen.line(x1, y1, x2, y2, colour);
}

void drawBars(Frames& f, const GraphPicture& g) {
    Pen& pen = f.pen;
    if (f.scheme == GraphScheme::ThreeD) {
        for (const Bar& b : g.bars) {
            if (b.height < 1) continue;
            for (double x = b.left; x <= b.right; x += 1)
                insideLine(pen, x, b.top, x + 70, b.top - 50, 14);
            // The side face is the right edge swept 70 right and 50 up: drawn column by column.
            for (int dx = 0; dx <= 70; ++dx)
                insideLine(pen, b.right + dx, b.top - dx * 50.0 / 70, b.right + dx,
                           kHistBottom - dx * 50.0 / 70, Blue);
            insideLine(pen, b.left, b.top, b.left + 70, b.top - 50, 15);
        }
    }
    for (const Bar& b : g.bars) {
        pen.fillBox(b.left, b.top, b.right, kHistBottom, f.colours.barFill);
        pen.box(b.left, b.top, b.right, kHistBottom, Blue);
        if (b.height >= 2) {
            pen.line(b.left + 1, b.top + 1, b.left + 1, kHistBottom - 1, 15);
            pen.line(b.left + 1, b.top + 1, b.right - 1, b.top + 1, 15);
        }
    }
}

void drawHistogram(Frames& f, const GraphPicture& g) {
    for (const PlacedText& t : g.classLabels)
        f.rotated(t.x, t.y, t.text, gothic(14), f.colours.rotatedText);
    const bool threeD = f.scheme == GraphScheme::ThreeD;
    if (!threeD) drawScale(f, g);
    for (const PlacedText& t : g.axis.scaleLabels)
        f.label(t.x, t.y, t.text, mincho(16));
    drawBars(f, g);
    if (threeD) drawScale(f, g);
}

void drawCurves(Frames& f, const GraphPicture& g) {
    Pen& pen = f.pen;
    if (f.scheme != GraphScheme::ThreeD) {
        for (const Polyline& s : g.theoreticalStrokes)
            drawPolyline(pen, s, f.colours.theoreticalCurve);
    } else {
        // Dots on the front and on the back wall, tied together now and then.
        const std::vector<Point>& pts = g.theoretical.points;
        long long lastX = -1, lastY = -1;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const Point p = pts[i];
            if (!insideFrame(p.x, p.y, kHistLeft, kHistRight)) continue;
            if ((i + 1) % 30 == 0 && insideFrame(p.x + 70, p.y - 50, kHistLeft, kHistRight))
                pen.line(p.x, p.y, p.x + 70, p.y - 50, 10);
            if (i % 2 != 0 || (pixelRound(p.x) == lastX && pixelRound(p.y) == lastY)) continue;
            lastX = pixelRound(p.x);
            lastY = pixelRound(p.y);
            pen.point(p.x, p.y, 15);
            if (insideFrame(p.x + 70, p.y - 50, kHistLeft, kHistRight)) pen.point(p.x + 70, p.y - 50, 14);
        }
    }
    for (const Polyline& s : g.smoothedStrokes)
        drawPolyline(pen, s, f.colours.smoothedCurve);
    if (f.scheme == GraphScheme::ThreeD)
        for (const Point& p : g.smoothed.kept)
            if (insideFrame(p.x + 70, p.y - 50, kHistLeft, kHistRight)) pen.point(p.x + 70, p.y - 50, 14);
}

// The markers set off from the bars under them: strokes over halos, labels over boxes.
void drawMarkers(Frames& f, const std::vector<ReferenceMarker>& markers) {
    const int colour = f.colours.referenceMarker;
    std::vector<std::vector<Segment>> strokes;
    for (const ReferenceMarker& m : markers)
        strokes.push_back(m.strokes);
    strokeMarkers(f.pen.canvas(), strokes, colour, 3);
    const Font font = gothic(14);
    for (const ReferenceMarker& m : markers) {
        labelBackground(f.pen.canvas(), m.label.x, m.label.y, m.label.text, font, font.size, 1,
                        haloColour(colour));
        f.pen.vertical(m.label.x, m.label.y, m.label.text, font, colour);
    }
}

void drawProbitAxis(Frames& f, const GraphPicture& g) {
    Pen& pen = f.pen;
    for (const ProbitTick& t : g.probitTicks) {
        pen.line(701, t.lineY, 999, t.lineY, t.lineColour);
        pen.text(666, t.labelY, t.label, mincho(12), t.labelColour);
    }
    for (double x : g.probit.classTickX)
        pen.line(x, 508, x, 510, f.colours.frameOutline);
    f.rotated(657, 330, translate("GraphPainter", "累積相対度数(%)"), mincho(12), f.colours.rotatedText);
    f.label(970, 515, "(UNIT)", mincho(14));
}

void drawLimit(Frames& f, const IntervalLimit& limit, double y) {
    for (const Segment& s : limit.mark)
        f.pen.line(s.a.x, s.a.y, s.b.x, s.b.y, Cyan);
    f.pen.text(720, y, limit.screenText, mincho(16), f.colours.probitText);
}

void drawProbitPlot(Frames& f, const GraphPicture& g, const GraphView& view) {
    for (const ProbitPoint& p : g.probit.points)
        f.pen.circle(p.x, p.y, 3, p.colour);
    for (const Polyline& s : g.probit.strokes)
        drawPolyline(f.pen, s, f.colours.probitCurve);
    if (view.interval95) {
        drawLimit(f, g.probit.lower, 585);
        drawLimit(f, g.probit.upper, 615);
    }
    if (view.reference) drawMarkers(f, g.probitMarkers);
}

// Background, option texts, legend and both frames: what stands before any data is drawn.
void drawFixedPart(Frames& f, const GraphView& view) {
    Canvas& c = f.pen.canvas();
    c.setPalette15(f.colours.background);
    c.clear(15);
    c.resetPalette15();
    if (!view.fileLine.empty()) f.label(17, 670, view.fileLine, mincho(14));
    if (view.curves) drawLegend(f);
    drawOptionTexts(f);
    f.label(736, 526, "Normal Probability Plot", mincho(18, true, true));
    f.frame(kHistLeft, kHistRight);
    f.frame(kPlotLeft, kPlotRight);
    if (f.scheme == GraphScheme::ThreeD) {
        f.openBox(kHistLeft, kHistRight, 250, 320);
        f.openBox(kPlotLeft, kPlotRight, 250, 180);
        f.pen.box(kHistLeft, kHistTop, kHistRight, kHistBottom, f.colours.frameOutline);
    }
    f.rotated(6, 326, "Frequency", mincho(16), f.colours.rotatedText);
    f.label(650, 515, "(UNIT)", mincho(14));
}

std::string lambdaText(double v) {
    std::string s = formatMaskTrim(v, "#####.#####");
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

} // namespace

std::string graphFileLine(std::string_view path, long count) {
    return withArgs(translate("GraphPainter", "File Name：%1 (N=%2)"),
                    {cutWithMark(trimBlanks(path), 75), std::to_string(count)});
}

SmoothingEntry commitSmoothingText(std::string_view typed) {
    SmoothingEntry e;
    e.text = trimBlanks(typed);
    e.lambda = leadingNumber(e.text);
    if (!(e.lambda >= kMinLambda)) { // also what is not a number
        e = {kMinLambda, "0.1", true};
    } else if (e.lambda > kMaxLambda) {
        e = {kMaxLambda, "10000", true};
    }
    return e;
}

SmoothingEntry smoothingFromOption(const std::optional<std::string>& stored) {
    if (!stored || !startsWithNumber(trimBlanks(*stored)) ||
        !std::isfinite(leadingNumber(trimBlanks(*stored))))
        return {kDefaultLambda, "5000", false};
    SmoothingEntry e = commitSmoothingText(*stored);
    if (!e.clamped) e.text = lambdaText(e.lambda);
    e.clamped = false; // a stored value is corrected silently
    return e;
}

GraphDrawing paintGraphWindow(Canvas& canvas, const GraphInput& input, const GraphView& view) {
    GraphDrawing out;
    Pen pen(canvas);
    const SchemeColours colours = schemeColours(input.scheme);
    Frames f{pen, colours, input.scheme};
    drawFixedPart(f, view);

    const GraphPicture g = computeGraphPicture(input);
    if (g.failure) {
        out.failure = g.failure;
        return out;
    }
    drawHistogram(f, g);
    if (view.curves) drawCurves(f, g);
    if (view.reference) drawMarkers(f, g.histogramMarkers);
    drawProbitAxis(f, g);
    drawProbitPlot(f, g, view);
    if (pen.failed()) {
        out.failure = badGraphDataMessage();
        return out;
    }
    if (view.interval95) {
        out.lower = g.probit.lower;
        out.upper = g.probit.upper;
    }
    return out;
}

} // namespace kl
