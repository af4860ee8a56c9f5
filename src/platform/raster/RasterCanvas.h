#pragma once
// Canvas painted straight into the pixels of a PixelImage, without Qt: the batch commands' pictures,
// drawn as a window surface draws them (one pixel a unit, lines without smoothing, texts in grey
// levels on the character grid of the program's fonts), so that a batch run starts neither a
// graphical application nor the desktop's font configuration.

#include "platform/Canvas.h"
#include "platform/raster/GlyphFaces.h"
#include "platform/raster/PixelImage.h"

#include <array>

namespace kl {

class RasterCanvas : public Canvas {
  public:
    explicit RasterCanvas(PixelImage& image);

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

  private:
    void set(int x, int y, std::uint32_t pixel);
    void fill(int left, int top, int right, int bottom, std::uint32_t pixel); // both corners inclusive
    void thinLine(int x1, int y1, int x2, int y2, std::uint32_t pixel, bool dotted);
    void wideLine(int x1, int y1, int x2, int y2, std::uint32_t pixel, int width);
    void drawText(double x, double y, const std::string& utf8, const Font& font, int colour, bool vertical);
    GlyphFaces::Face* faceOf(const Font& font);
    std::uint32_t pixelOf(int colour) const;

    PixelImage& image_;
    std::array<Rgb, 16> palette_{};
    GlyphFaces faces_;
    std::vector<TextDraw> log_;
};

} // namespace kl
