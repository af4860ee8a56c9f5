// The canvases drawn into images: inclusive corners, palette, text cells, vertical text, the text
// log, and the point sizes of paper; the window's (QPainter) and the batch pictures' (raster) alike.

#include "AppTestMain.h"

#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/raster/QuickPng.h"
#include "platform/raster/RasterCanvas.h"

#include <QImage>

#include <cstring>
#include <optional>

namespace kl {
namespace {

struct Ink {
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1, count = 0;
    bool any() const { return count > 0; }
};

// Bounding box of the pixels that are not the background.
Ink inkOf(const QImage& image, QRgb background) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

class CanvasTest : public ::testing::Test {
  protected:
    void SetUp() override { canvas.clear(White); }
    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
    static QRgb rgb(int index) {
        const Rgb c = defaultPaletteColour(index);
        return QRgb((c.r << 16) | (c.g << 8) | c.b);
    }
    QImage image{120, 120, QImage::Format_RGB32};
    QtCanvas canvas{&image};
};

// The tests below hold for both canvases a picture is drawn with: the window's (Qt) and the batch
// commands' (straight into memory with FreeType), which must lay everything out alike.
class EitherCanvas : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) raster_.emplace(pixels_);
        canvas().clear(White);
    }
    Canvas& canvas() { return raster_ ? static_cast<Canvas&>(*raster_) : qt_; }
    // The picture so far (the raster canvas's memory seen as an image, not copied).
    QImage picture() const {
        if (!raster_) return image_;
        return QImage(reinterpret_cast<const uchar*>(pixels_.row(0)), pixels_.width(), pixels_.height(),
                      QImage::Format_RGB32);
    }
    QRgb at(int x, int y) const { return picture().pixel(x, y) & 0xFFFFFF; }
    static QRgb rgb(int index) {
        const Rgb c = defaultPaletteColour(index);
        return QRgb((c.r << 16) | (c.g << 8) | c.b);
    }

  private:
    QImage image_{120, 120, QImage::Format_RGB32};
    QtCanvas qt_{&image_};
    PixelImage pixels_{120, 120};
    std::optional<RasterCanvas> raster_;
};

INSTANTIATE_TEST_SUITE_P(QtAndRaster, EitherCanvas, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "Raster" : "Qt"; });

TEST_P(EitherCanvas, FilledBoxCoversBothCornersWhicheverWayTheyAreGiven) {
    for (const auto& corners : {std::array<double, 4>{2, 3, 5, 7}, std::array<double, 4>{5, 7, 2, 3}}) {
        canvas().clear(White);
        canvas().fillBox(corners[0], corners[1], corners[2], corners[3], Red);
        EXPECT_EQ(at(2, 3), rgb(Red));
        EXPECT_EQ(at(5, 7), rgb(Red));
        EXPECT_EQ(at(6, 7), rgb(White));
        EXPECT_EQ(at(5, 8), rgb(White));
        EXPECT_EQ(at(1, 3), rgb(White));
        EXPECT_EQ(at(2, 2), rgb(White));
    }
}

TEST_P(EitherCanvas, BoxOutlineIncludesBothCornersAndLeavesTheInside) {
    canvas().box(2, 2, 8, 6, Blue);
    for (auto [x, y] : {std::pair{2, 2}, {8, 2}, {2, 6}, {8, 6}, {5, 2}, {8, 4}})
        EXPECT_EQ(at(x, y), rgb(Blue)) << x << "," << y;
    EXPECT_EQ(at(5, 4), rgb(White));
    EXPECT_EQ(at(9, 6), rgb(White));
    EXPECT_EQ(at(8, 7), rgb(White));
}

TEST_P(EitherCanvas, LinesIncludeBothEndPoints) {
    canvas().line(1, 1, 10, 1, Black);
    canvas().line(20, 5, 20, 15, Green);
    EXPECT_EQ(at(1, 1), rgb(Black));
    EXPECT_EQ(at(10, 1), rgb(Black));
    EXPECT_EQ(at(11, 1), rgb(White));
    EXPECT_EQ(at(0, 1), rgb(White));
    EXPECT_EQ(at(20, 5), rgb(Green));
    EXPECT_EQ(at(20, 15), rgb(Green));
    EXPECT_EQ(at(20, 16), rgb(White));
}

TEST_P(EitherCanvas, DottedLinesLeaveGaps) {
    canvas().line(0, 5, 39, 5, Black, LineStyle::Dotted);
    int inked = 0;
    for (int x = 0; x < 40; ++x)
        inked += at(x, 5) == rgb(Black);
    EXPECT_GE(inked, 14);
    EXPECT_LE(inked, 26);
}

// A line three pixels wide covers the row above and below its own and one pixel past each end
// (square ends); a circle of radius 3 spans 7 pixels each way, its fill inside the ring.
TEST_P(EitherCanvas, WideLinesAndCirclesCoverTheSamePixels) {
    canvas().line(10, 20, 30, 20, Black, LineStyle::Solid, 3);
    Ink ink = inkOf(picture(), 0xFFFFFFFF);
    EXPECT_EQ(ink.top, 19);
    EXPECT_EQ(ink.bottom, 21);
    EXPECT_EQ(ink.left, 9);
    EXPECT_EQ(ink.right, 31);
    EXPECT_EQ(ink.count, 3 * 23);
    canvas().clear(White);
    canvas().circle(60, 60, 3, Black, Red);
    ink = inkOf(picture(), 0xFFFFFFFF);
    EXPECT_EQ(ink.left, 57);
    EXPECT_EQ(ink.right, 63);
    EXPECT_EQ(ink.top, 57);
    EXPECT_EQ(ink.bottom, 63);
    EXPECT_EQ(at(60, 60), rgb(Red));
    EXPECT_EQ(at(63, 60), rgb(Black));
}

// Drawings partly or wholly off the picture are cut at its edges; nothing else changes.
TEST_P(EitherCanvas, DrawingsPastTheEdgesAreCut) {
    canvas().line(-50, -40, 500, 300, Black);
    canvas().line(-5, 119, 200, 119, Black, LineStyle::Solid, 5);
    canvas().fillBox(100, 100, 900, 900, Red);
    canvas().circle(0, 0, 10, Blue, Green);
    canvas().text(100, 110, "測定値", Font{kGothic, 20}, Black);
    canvas().textVertical(-8, 5, "ABC", Font{kMincho, 16}, Black);
    canvas().stretchBitmap(Bitmap{2, 1, {Rgb{1, 2, 3}, Rgb{4, 5, 6}}}, 110, -3, 40, 20);
    EXPECT_EQ(at(119, 105), rgb(Red));
    EXPECT_EQ(at(1, 1), rgb(Green));
    EXPECT_EQ(at(60, 119), rgb(Black));
    EXPECT_EQ(at(60, 5), rgb(White));
}

TEST_F(CanvasTest, PaletteHasTheClassicEightAndARedefinableFifteen) {
    const QRgb classic[8] = {0x000000, 0x0000FF, 0xFF0000, 0xFF00FF, 0x00A000, 0x00C8C8, 0xE6C800, 0xFFFFFF};
    for (int i = 0; i < 8; ++i) {
        canvas.fillBox(0, 0, 3, 3, i);
        EXPECT_EQ(at(1, 1), classic[i]) << "index " << i;
    }
    canvas.fillBox(0, 0, 3, 3, 15);
    EXPECT_EQ(at(1, 1), 0xFFFFFFu);
    canvas.setPalette15(Rgb{10, 20, 30});
    canvas.fillBox(0, 0, 3, 3, 15);
    EXPECT_EQ(at(1, 1), 0x0A141Eu);
    canvas.resetPalette15();
    canvas.fillBox(0, 0, 3, 3, 15);
    EXPECT_EQ(at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(canvas.colour(2), QColor(255, 0, 0)); // the others stay as they were
}

TEST_P(EitherCanvas, TextStandsBelowAndRightOfItsTopLeftCorner) {
    canvas().text(10, 40, "■■", Font{kGothic, 20}, Black);
    const Ink ink = inkOf(picture(), 0xFFFFFFFF);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.top, 40);    // drawn at the baseline it would stand above y
    EXPECT_LE(ink.bottom, 60); // within one cell of 20 pixels
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + 2 * 20);
    EXPECT_GT(ink.right - ink.left, 25); // two full-width squares, not one
}

TEST_P(EitherCanvas, VerticalTextRunsUpwardsRightOfX) {
    canvas().textVertical(50, 100, "ABCDEFGH", Font{kGothic, 16}, Black);
    const Ink ink = inkOf(picture(), 0xFFFFFFFF);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, 50);
    EXPECT_LE(ink.right, 50 + 16);
    EXPECT_LE(ink.bottom, 100);
    EXPECT_LE(ink.top, 100 - 8 * 8 + 4); // eight half-width cells of 8 pixels upwards
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
}

TEST_F(CanvasTest, NoDrawingInheritsTheTurnOrPenOfTheOneBefore) {
    // Rotated text, then a dotted line, then a plain line and text: each lands as if drawn alone.
    canvas.textVertical(5, 60, "AB", Font{kGothic, 12}, Black);
    canvas.line(70, 5, 90, 5, Red, LineStyle::Dotted);
    canvas.line(70, 10, 90, 10, Blue);
    for (int x = 70; x <= 90; ++x)
        EXPECT_EQ(at(x, 10), rgb(Blue)) << x;
    EXPECT_EQ(at(70, 5), rgb(Red));
    canvas.fillBox(0, 0, 119, 119, White);
    canvas.text(40, 80, "W", Font{kGothic, 16}, Black);
    const Ink ink = inkOf(image, 0xFFFFFFFF);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, 40);
    EXPECT_LE(ink.right, 40 + 8);
    EXPECT_GE(ink.top, 80);
    EXPECT_LE(ink.bottom, 80 + 16);
}

TEST_F(CanvasTest, PlainDrawingsTakeNoBrushOrColourFromEarlierOnes) {
    // A filled circle leaves its brush on the painter; the box after it is an outline only.
    canvas.circle(20, 20, 8, Black, Red);
    canvas.box(50, 50, 80, 80, Blue);
    EXPECT_EQ(at(50, 65), rgb(Blue));
    EXPECT_EQ(at(65, 65), rgb(White));
    // Slanted lines in colour 15 follow its redefinition at once, though the pen looks the same.
    canvas.line(0, 100, 30, 110, 15);
    canvas.setPalette15(Rgb{10, 20, 30});
    canvas.line(0, 112, 30, 119, 15);
    canvas.line(40, 100, 40, 119, 15);
    EXPECT_EQ(at(0, 112), 0x0A141Eu);
    EXPECT_EQ(at(30, 119), 0x0A141Eu);
    EXPECT_EQ(at(40, 110), 0x0A141Eu);
    EXPECT_EQ(at(0, 100), 0xFFFFFFu);
}

TEST_F(CanvasTest, EachFontIsItsOwnWhateverWasDrawnBefore) {
    const auto picture = [](const Font& first, const Font& second) {
        QImage out(60, 40, QImage::Format_RGB32);
        QtCanvas c(&out);
        c.clear(White);
        c.text(2, 2, "Wg", first, Black);
        c.fillBox(0, 0, 59, 39, White);
        c.text(2, 2, "Wg", second, Black);
        c.finish();
        return out;
    };
    const Font gothic{kGothic, 20}, mincho{kMincho, 20}, bold{kGothic, 20, true};
    EXPECT_EQ(picture(mincho, gothic), picture(gothic, gothic));
    EXPECT_NE(picture(gothic, mincho), picture(gothic, gothic));
    EXPECT_NE(picture(gothic, bold), picture(gothic, gothic));
    EXPECT_NE(picture(gothic, Font{kGothic, 14}), picture(gothic, gothic));
}

TEST_F(CanvasTest, TheImageHoldsEveryDrawingAsSoonAsItIsMade) {
    canvas.fillBox(10, 10, 20, 20, Red);
    const QImage first = image; // read while the canvas is still painting
    canvas.fillBox(30, 30, 40, 40, Blue);
    const QImage second = image;
    EXPECT_EQ(first.pixel(15, 15) & 0xFFFFFF, rgb(Red));
    EXPECT_EQ(first.pixel(35, 35) & 0xFFFFFF, rgb(White)); // a copy does not follow later drawings
    EXPECT_EQ(second.pixel(15, 15) & 0xFFFFFF, rgb(Red));
    EXPECT_EQ(second.pixel(35, 35) & 0xFFFFFF, rgb(Blue));
}

TEST_F(CanvasTest, AfterFinishTheImageMayBeReplaced) {
    canvas.fillBox(0, 0, 5, 5, Red);
    canvas.finish();
    image = QImage(40, 30, QImage::Format_RGB32);
    canvas.clear(White);
    canvas.fillBox(38, 28, 39, 29, Green);
    EXPECT_EQ(at(0, 0), rgb(White));
    EXPECT_EQ(at(39, 29), rgb(Green));
    EXPECT_EQ(at(37, 27), rgb(White));
}

TEST_P(EitherCanvas, VerticalTextReadsFromBottomToTop) {
    // The first character stands at the given point, the blanks after it go upwards.
    canvas().textVertical(50, 100, "W       ", Font{kGothic, 16}, Black);
    const Ink ink = inkOf(picture(), 0xFFFFFFFF);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.top, 100 - 9);
}

TEST_P(EitherCanvas, TextLogKeepsEveryTextSinceTheLastClear) {
    canvas().text(1, 2, "Mean", Font{kMincho, 16}, Black);
    canvas().textVertical(3, 4, "縦", Font{kGothic, 12, true}, Red);
    ASSERT_EQ(canvas().textLog().size(), 2u);
    const TextDraw& a = canvas().textLog()[0];
    const TextDraw& b = canvas().textLog()[1];
    EXPECT_EQ(a.text, "Mean");
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.y, 2);
    EXPECT_EQ(a.size, 16);
    EXPECT_FALSE(a.vertical);
    EXPECT_EQ(b.text, "縦");
    EXPECT_EQ(b.colour, int(Red));
    EXPECT_TRUE(b.vertical);
    canvas().clear(White);
    EXPECT_TRUE(canvas().textLog().empty());
}

TEST_F(CanvasTest, ScreenSizesArePixelHeightsWithHalfWidthCells) {
    struct Case {
        const char* font;
        int size;
    };
    for (const Case c : {Case{kGothic, 16}, Case{kGothic, 18}, Case{kMincho, 20}, Case{kMincho, 16}}) {
        EXPECT_EQ(canvas.deviceFont(Font{c.font, double(c.size)}).pixelSize(), c.size);
        EXPECT_DOUBLE_EQ(canvas.textWidth("12345", Font{c.font, double(c.size)}), 5 * c.size / 2.0)
            << c.font << c.size;
        EXPECT_DOUBLE_EQ(canvas.textWidth("測定", Font{c.font, double(c.size)}), 2 * c.size)
            << c.font << c.size;
    }
}

TEST_P(EitherCanvas, OddSizesRoundHalfWidthCellsUpToWholePixels) {
    struct Case {
        int size, half;
    };
    for (const Case c : {Case{13, 7}, Case{19, 10}, Case{15, 8}}) {
        const Font font{kGothic, double(c.size)};
        EXPECT_EQ(canvas().textWidth("1", font), c.half) << c.size;
        EXPECT_EQ(canvas().textWidth("ab1", font), 3 * c.half) << c.size;
        EXPECT_EQ(canvas().textWidth("測", font), c.size) << c.size;
        EXPECT_EQ(canvas().textWidth("1測1", font), 2 * c.half + c.size) << c.size;
    }
    // Drawn on the same grid: the tenth character starts nine cells of 7 pixels to the right.
    canvas().text(0, 0, "         |", Font{kGothic, 13}, Black);
    const Ink ink = inkOf(picture(), 0xFFFFFFFF);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, 63);
    EXPECT_LT(ink.right, 70);
}

// The raster canvas takes any text: a byte that is not UTF-8 is a character of its own; a family that
// is not installed is drawn in the one the desktop's font configuration puts in its place.
TEST(RasterCanvas, OddTextsAndMissingFamiliesStillDraw) {
    PixelImage pixels(80, 40, 0xffffffffu);
    RasterCanvas canvas(pixels);
    canvas.text(2, 2, std::string("A\xff\xe3\x81", 4), Font{kGothic, 16}, Black);
    canvas.text(2, 20, "abc", Font{"No Such Family 123", 16}, Black);
    EXPECT_EQ(canvas.textLog().size(), 2u);
    EXPECT_GT(canvas.textWidth("abc", Font{"No Such Family 123", 16}), 12);
    EXPECT_EQ(canvas.textWidth(std::string("A\xff", 2), Font{kGothic, 16}), 16);
    const auto inked = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 80; ++x)
                n += pixels.pixel(x, y) != 0xffffffffu;
        return n;
    };
    EXPECT_GT(inked(0, 20), 10);
    EXPECT_GT(inked(20, 40), 10);
}

TEST(PaperCanvas, UnitsAreTenthsOfAMillimetreAndSizesPoints) {
    const double pixelsPerUnit = 600 / 254.0; // a 600 dpi device
    QImage page(600, 600, QImage::Format_RGB32);
    page.setDotsPerMeterX(int(600 / 0.0254));
    page.setDotsPerMeterY(int(600 / 0.0254));
    page.fill(Qt::white);
    QPainter painter(&page);
    QtCanvas canvas(&painter, pixelsPerUnit);
    // 14 pt is 49.4 units high; 20 half-width characters are 494 units, inside the 500-unit pitch.
    EXPECT_EQ(canvas.deviceFont(Font{kGothic, 14}).pixelSize(),
              int(std::lround(14 * 3.5278 * pixelsPerUnit)));
    const double width = canvas.textWidth(std::string(20, '8'), Font{kGothic, 14});
    EXPECT_NEAR(width, 20 * 14 * 3.5278 / 2, 3);
    EXPECT_LT(width, 500);
    // A filled box of 10 x 10 mm covers about 236 device pixels.
    canvas.fillBox(0, 0, 100, 100, Black);
    painter.end();
    const Ink ink = inkOf(page, 0xFFFFFFFF);
    EXPECT_NEAR(ink.right - ink.left + 1, 100 * pixelsPerUnit, 2);
}

// The batch pictures' fast PNG reads back to exactly the pixels drawn, whatever their sizes and
// colours: flat areas, runs broken by single pixels, every byte value at row starts, rows equal to
// the one above (the lower half), and rows too long to be matched one row up (11,000 pixels). The
// larger images (from 2 MiB) live in a mapping of their own.
TEST(QuickPng, ReadsBackToTheSamePixels) {
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(1024, 768), QSize(257, 5), QSize(11000, 4)}) {
        PixelImage image(size.width(), size.height(), qRgb(245, 222, 179));
        for (int y = 0; y < (size.height() + 1) / 2; ++y)
            for (int x = 0; x < size.width(); x += 1 + (x * 7 + y) % 13)
                image.row(y)[x] = qRgb((x * 37 + y) & 255, (y * 91) & 255, (x ^ y) & 255);
        const std::string png = quickPngBytes(image);
        ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        const QImage back =
            QImage::fromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()), "PNG")
                .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), size);
        for (int y = 0; y < size.height(); ++y)
            ASSERT_EQ(std::memcmp(back.constScanLine(y), image.row(y), std::size_t(size.width()) * 4), 0)
                << size.width() << "x" << size.height() << " row " << y;
    }
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
