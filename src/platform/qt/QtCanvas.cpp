#include "platform/qt/QtCanvas.h"

#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"
#include "text/Cp932.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace kl {

// The painter of one drawing: the kept one or the one open on the image. A drawing that turns,
// moves or changes the font saves and restores the state, so no drawing inherits another's
// transform or font; the plain ones (lines, boxes, points) set their own pen and brush and leave
// the rest as they found it, which spares the thousands of lines of a picture a state copy each.
// On a painter kept by someone else every drawing saves and restores.
class QtCanvas::Scope {
  public:
    enum Kind { Plain, Isolated };
    explicit Scope(QtCanvas& c, Kind kind = Isolated) : canvas_(c) {
        if (c.painter_) {
            p_ = c.painter_;
        } else {
            if (!c.open_) {
                c.open_.emplace(c.image_);
                hints(*c.open_, false);
            }
            p_ = &*c.open_;
        }
        saved_ = kind == Isolated || c.painter_;
        if (saved_) {
            p_->save();
            hints(*p_, c.paper_);
        }
    }
    ~Scope() {
        if (saved_) p_->restore();
        if (canvas_.onChange_) canvas_.onChange_();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    QPainter& operator*() { return *p_; }
    QPainter* operator->() { return p_; }

  private:
    static void hints(QPainter& p, bool paper) {
        p.setRenderHint(QPainter::Antialiasing, paper);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, paper);
    }

    QtCanvas& canvas_;
    QPainter* p_ = nullptr;
    bool saved_ = true;
};

QtCanvas::QtCanvas(QImage* image) : image_(image) {
    for (int i = 0; i < 16; ++i)
        setPaletteEntry(i, defaultPaletteColour(i));
}

QtCanvas::QtCanvas(QPainter* painter, double devicePixelsPerUnit)
    : painter_(painter), scale_(devicePixelsPerUnit), paper_(true) {
    for (int i = 0; i < 16; ++i)
        setPaletteEntry(i, defaultPaletteColour(i));
}

QtCanvas::~QtCanvas() {
    finish();
}

void QtCanvas::finish() {
    if (open_) open_->end();
    open_.reset();
    // The next image may have another resolution: metrics are taken anew.
    fonts_.clear();
}

QtCanvas::CachedFont& QtCanvas::cachedFont(const Font& font, QPaintDevice* device) {
    const int size = paper_ ? paperPixelSize(font.size, scale_) : screenPixelSize(font.size);
    for (auto& f : fonts_)
        if (f->pixelSize == size && f->bold == font.bold && f->italic == font.italic && f->name == font.name)
            return *f;
    const QFont qf = qtFont(font, size);
    fonts_.push_back(std::unique_ptr<CachedFont>(
        new CachedFont{font.name, size, font.bold, font.italic, qf, QFontMetricsF(qf, device), {}}));
    return *fonts_.back();
}

// On a window surface a solid one-pixel line along an axis covers exactly the pixels from end to
// end, which a rectangle fill sets far faster than the line rasteriser does pixel by pixel.
bool QtCanvas::fastSolidLine(int, LineStyle style, double width) const {
    return !paper_ && style == LineStyle::Solid && std::lround(width) <= 1;
}

void QtCanvas::setPaletteEntry(int index, Rgb colour) {
    palette_[std::size_t(index)] = colour;
    colours_[std::size_t(index)] = toQColor(colour);
}

QColor QtCanvas::colour(int index) const {
    if (index < 0 || index > 15) index = 0;
    return colours_[std::size_t(index)];
}

int QtCanvas::px(double v) const {
    return int(std::lround(v * scale_));
}

QRect QtCanvas::inclusiveRect(double x1, double y1, double x2, double y2) const {
    const int left = std::min(px(x1), px(x2)), right = std::max(px(x1), px(x2));
    const int top = std::min(px(y1), px(y2)), bottom = std::max(px(y1), px(y2));
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QPen QtCanvas::pen(int colour, LineStyle style, double width) const {
    // On screen a width is pixels; on paper one unit (0.1 mm) so lines stay visible on fine devices.
    const int w = std::max(1, int(std::lround(width * (paper_ ? scale_ : 1.0))));
    const QColor c = this->colour(colour);
    // Most drawings reuse the pen of the one before: keep it rather than build it anew.
    if (lastPen_ && lastPen_->color() == c && lastPen_->width() == w && lastPenStyle_ == style)
        return *lastPen_;
    QPen p(c);
    p.setWidth(w);
    p.setCapStyle(Qt::SquareCap);
    p.setJoinStyle(Qt::MiterJoin);
    if (style == LineStyle::Dotted) {
        // One dot, one gap: a pixel on screen, about 0.3 mm on paper.
        const double dot = paper_ ? std::max(1.0, 3.0 * scale_ / w) : 1.0;
        p.setDashPattern({dot, dot});
        p.setCapStyle(Qt::FlatCap);
    }
    lastPen_ = p;
    lastPenStyle_ = style;
    return p;
}

void QtCanvas::clear(int colour) {
    log_.clear();
    Scope p(*this);
    const QRect all = p->device() ? QRect(0, 0, p->device()->width(), p->device()->height()) : QRect();
    p->resetTransform();
    p->fillRect(all, this->colour(colour));
}

void QtCanvas::line(double x1, double y1, double x2, double y2, int colour, LineStyle style, double width) {
    Scope p(*this, Scope::Plain);
    const QPoint a(px(x1), px(y1)), b(px(x2), px(y2));
    if ((a.x() == b.x() || a.y() == b.y()) && fastSolidLine(colour, style, width)) {
        p->fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                          QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                    this->colour(colour));
        return;
    }
    p->setPen(pen(colour, style, width));
    if (a == b)
        p->drawPoint(a);
    else
        p->drawLine(a, b);
}

void QtCanvas::box(double x1, double y1, double x2, double y2, int colour, LineStyle style) {
    Scope p(*this, Scope::Plain);
    p->setPen(pen(colour, style, 1));
    p->setBrush(Qt::NoBrush);
    const QRect r = inclusiveRect(x1, y1, x2, y2);
    // A 1-pixel outline of QRect(x, y, w, h) covers x..x+w: shrink so both corners are inclusive.
    p->drawRect(r.adjusted(0, 0, -1, -1));
}

void QtCanvas::fillBox(double x1, double y1, double x2, double y2, int colour) {
    Scope p(*this, Scope::Plain);
    p->fillRect(inclusiveRect(x1, y1, x2, y2), this->colour(colour));
}

void QtCanvas::point(double x, double y, int colour) {
    Scope p(*this, Scope::Plain);
    const int size = std::max(1, int(std::lround(scale_)));
    p->fillRect(QRect(px(x), px(y), size, size), this->colour(colour));
}

void QtCanvas::circle(double cx, double cy, double r, int colour, int fillColour) {
    Scope p(*this, Scope::Plain);
    p->setPen(pen(colour, LineStyle::Solid, 1));
    if (fillColour >= 0)
        p->setBrush(this->colour(fillColour));
    else
        p->setBrush(Qt::NoBrush);
    const double rr = r * scale_;
    p->drawEllipse(QPointF(px(cx), px(cy)), rr, rr);
}

QFont QtCanvas::deviceFont(const Font& font) const {
    return qtFont(font, paper_ ? paperPixelSize(font.size, scale_) : screenPixelSize(font.size));
}

namespace {

// The program's two fonts stand on a grid of cells on screen: a half-width character is half the
// size wide (a whole pixel, rounded up for odd sizes), a full-width one the size. Qt alone would
// give odd sizes fractional advances, and columns drawn separately would drift apart.
bool onGrid(const Font& font, bool paper) {
    return !paper && (font.name == kMincho || font.name == kGothic);
}

std::vector<QString> characters(const QString& text) {
    std::vector<QString> all;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        all.push_back(text.mid(i, n));
        i += n;
    }
    return all;
}

int cellWidth(const QString& character, int pixelSize) {
    const bool full = sjisWidth(toStdString(character)) >= 2;
    return full ? pixelSize : (pixelSize + 1) / 2;
}

} // namespace

void QtCanvas::drawText(double x, double y, const std::string& utf8, const Font& font, int colour,
                        bool vertical) {
    log_.push_back(TextDraw{x, y, font.size, colour, vertical, utf8});
    if (utf8.empty()) return;
    Scope p(*this);
    CachedFont& cached = cachedFont(font, p->device());
    const QFont& f = cached.font;
    const QFontMetricsF& metrics = cached.metrics;
    p->setFont(f);
    p->setPen(this->colour(colour));
    p->translate(px(x), px(y));
    if (vertical) p->rotate(-90); // counter-clockwise on a y-down surface: reads bottom to top
    const QString text = toQString(utf8);
    if (!onGrid(font, paper_)) {
        p->drawText(QPointF(0, metrics.ascent()), text);
        return;
    }
    // Characters whose own advance is exactly their cell land where a cell-by-cell drawing puts
    // them, so a row of them goes in one call (laying out each alone is the costly part).
    int at = 0, runStart = 0;
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty()) p->drawText(QPointF(runStart, metrics.ascent()), run);
        run.clear();
    };
    for (const QString& c : characters(text)) {
        const int w = cellWidth(c, f.pixelSize());
        bool natural = false;
        if (c.size() == 1) {
            auto known = cached.natural.constFind(c[0]);
            if (known == cached.natural.constEnd())
                known =
                    cached.natural.insert(c[0], metrics.inFont(c[0]) && metrics.horizontalAdvance(c[0]) == w);
            natural = *known;
        }
        if (!natural) {
            flush();
            p->drawText(QPointF(at, metrics.ascent()), c);
        } else {
            if (run.isEmpty()) runStart = at;
            run += c;
        }
        at += w;
    }
    flush();
}

void QtCanvas::text(double x, double y, const std::string& utf8, const Font& font, int colour) {
    drawText(x, y, utf8, font, colour, false);
}

void QtCanvas::textVertical(double x, double y, const std::string& utf8, const Font& font, int colour) {
    drawText(x, y, utf8, font, colour, true);
}

void QtCanvas::stretchBitmap(const Bitmap& bitmap, double x, double y, double w, double h) {
    if (bitmap.width <= 0 || bitmap.height <= 0) return;
    Scope p(*this);
    p->drawImage(QRect(px(x), px(y), px(w), px(h)), toImage(bitmap));
}

double QtCanvas::textWidth(const std::string& utf8, const Font& font) {
    const QString text = toQString(utf8);
    if (onGrid(font, paper_)) {
        const int size = screenPixelSize(font.size);
        int width = 0;
        for (const QString& c : characters(text))
            width += cellWidth(c, size);
        return width;
    }
    QPaintDevice* device = painter_ ? painter_->device() : static_cast<QPaintDevice*>(image_);
    return cachedFont(font, device).metrics.horizontalAdvance(text) / scale_;
}

void QtCanvas::setPalette15(Rgb colour) {
    setPaletteEntry(15, colour);
}

void QtCanvas::resetPalette15() {
    setPaletteEntry(15, defaultPaletteColour(15));
}

} // namespace kl
