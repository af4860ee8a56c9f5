#pragma once
// Canvas painted with QPainter: window surfaces and bitmaps (a QImage, pixels, sizes in pixels)
// or pages (a painter kept open by a print job, units of 0.1 mm, sizes in points).

#include "platform/Canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kl {

class QtCanvas : public Canvas {
  public:
    // Paints on an image it does not own, one pixel a unit. One painter stays open on the image
    // between drawings (opening one costs more than most drawings); the raster painter writes
    // straight into the pixels, so the image can be read at any time.
    explicit QtCanvas(QImage* image);
    // Paints through a painter kept open by someone else (printer, PDF); the canvas unit is
    // 0.1 mm and devicePixelsPerUnit maps it to the device; font sizes are points.
    QtCanvas(QPainter* painter, double devicePixelsPerUnit);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Ends the painter kept open on the image (before the image is replaced, resized or painted
    // by someone else); the next drawing opens a new one.
    void finish();

    // Called after every drawing (a window repaints itself).
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    void clear(int colour) override;
    void line(double x1, double y1, double x2, double y2, int colour, LineStyle style = LineStyle::Solid,
              double width = 1) override;
    void box(double x1, double y1, double x2, double y2, int colour,
             LineStyle style = LineStyle::Solid) override;
    void fillBox(double x1, double y1, double x2, double y2, int colour) override;
    void point(double x, double y, int colour) override;
    void circle(double cx, double cy, double r, int colour, int fillColour = -1) override;
    void text(double x, double y, const std::string& utf8, const Font& font, int colour) override;
    void textVertical(double x, double y, const std::string& utf8, const Font& font, int colour) override;
    void stretchBitmap(const Bitmap& bitmap, double x, double y, double w, double h) override;
    double textWidth(const std::string& utf8, const Font& font) override;
    void setPalette15(Rgb colour) override;
    void resetPalette15() override;
    const std::vector<TextDraw>& textLog() const override { return log_; }

    QColor colour(int index) const;
    // The Qt font a Canvas font becomes on this device.
    QFont deviceFont(const Font& font) const;
    double devicePixelsPerUnit() const { return scale_; }

  private:
    class Scope;
    int px(double v) const;
    // The device rectangle from corner to corner, both inclusive, whichever way they are given.
    QRect inclusiveRect(double x1, double y1, double x2, double y2) const;
    QPen pen(int colour, LineStyle style, double width) const;
    void drawText(double x, double y, const std::string& utf8, const Font& font, int colour, bool vertical);

    // A Qt font resolved once for this device, its metrics, and which characters already stand
    // on their grid cell by their own advance (resolving a new QFont on every text is costly).
    struct CachedFont {
        std::string name;
        int pixelSize = 0;
        bool bold = false, italic = false;
        QFont font;
        QFontMetricsF metrics;
        QHash<QChar, bool> natural;
    };
    CachedFont& cachedFont(const Font& font, QPaintDevice* device);
    bool fastSolidLine(int colour, LineStyle style, double width) const;

    QImage* image_ = nullptr;
    std::optional<QPainter> open_;
    QPainter* painter_ = nullptr;
    double scale_ = 1;
    bool paper_ = false;
    void setPaletteEntry(int index, Rgb colour);

    std::array<Rgb, 16> palette_{};
    std::array<QColor, 16> colours_{}; // the palette as Qt colours, converted once
    std::vector<TextDraw> log_;
    std::function<void()> onChange_;
    std::vector<std::unique_ptr<CachedFont>> fonts_;
    mutable std::optional<QPen> lastPen_;
    mutable LineStyle lastPenStyle_ = LineStyle::Solid;
};

} // namespace kl
