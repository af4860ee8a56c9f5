#include "output/ClipboardPictures.h"

#include "text/Cp932.h"
#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <algorithm>

namespace kl {

namespace {

void blank(Canvas& c, GraphScheme scheme, double x1, double y1, double x2, double y2) {
    c.setPalette15(clipboardBlankColour(scheme));
    c.fillBox(x1, y1, x2, y2, 15);
    c.resetPalette15();
}

int titleColour(GraphScheme scheme) {
    return scheme == GraphScheme::Blue ? White : Blue;
}

} // namespace

Rgb clipboardBlankColour(GraphScheme scheme) {
    switch (scheme) {
    case GraphScheme::Blue:
        return {0, 0, 255};
    case GraphScheme::ThreeD:
        return {220, 220, 220};
    default:
        return {236, 233, 216};
    }
}

Bitmap cropBitmap(const Bitmap& source, int x, int y, int w, int h) {
    Bitmap out;
    out.width = std::max(0, w);
    out.height = std::max(0, h);
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), Rgb{});
    for (int r = 0; r < out.height; ++r) {
        const int sy = y + r;
        if (sy < 0 || sy >= source.height) continue;
        for (int c = 0; c < out.width; ++c) {
            const int sx = x + c;
            if (sx < 0 || sx >= source.width) continue;
            out.pixels[static_cast<std::size_t>(r) * static_cast<std::size_t>(out.width) +
                       static_cast<std::size_t>(c)] =
                source.pixels[static_cast<std::size_t>(sy) * static_cast<std::size_t>(source.width) +
                              static_cast<std::size_t>(sx)];
        }
    }
    return out;
}

PictureTitle pictureTitle(std::string_view title, int cells) {
    PictureTitle t;
    t.text = cutBytes(trimBlanks(title), static_cast<std::size_t>(cells));
    const double width = 650 - 70, length = static_cast<double>(sjisWidth(t.text));
    t.x = 70 + static_cast<double>(pixelRound((width - width / cells * length) / 2));
    return t;
}

void markWholeWindow(Canvas& s, GraphScheme scheme, bool interval95, std::string_view title) {
    blank(s, scheme, 503, 38, 690, 58);
    blank(s, scheme, 750, 0, 1025, 58);
    blank(s, scheme, 700, 551, 1025, 572);
    blank(s, scheme, 10, 645, 1025, 750);
    if (!interval95) blank(s, scheme, 700, 563, 1025, 750);
    const PictureTitle t = pictureTitle(title, 44);
    s.text(t.x, 670, t.text, Font{kMincho, 26, false, true}, titleColour(scheme));
}

void composeHistogramPicture(Canvas& p, const Bitmap& window, GraphScheme scheme, std::string_view title) {
    const int w = kHistogramPictureWidth, h = kHistogramPictureHeight;
    p.stretchBitmap(cropBitmap(window, 0, 36, w, h), 0, 0, w, h);
    blank(p, scheme, 0, 630, 700, 644);
    blank(p, scheme, 655, 0, 700, 476);
    blank(p, scheme, 503, 0, 700, 21);
    const PictureTitle t = pictureTitle(title, 45);
    p.text(t.x, 610, t.text, Font{kMincho, 24, true, false}, titleColour(scheme));
    roundCorners(p, w, h - 1);
}

void composePlotPicture(Canvas& p, const Bitmap& window, GraphScheme scheme, bool interval95) {
    const int w = kPlotPictureWidth, h = kPlotPictureHeight;
    p.stretchBitmap(cropBitmap(window, 620, 36, w, h), 0, 0, w, h);
    blank(p, scheme, 0, 0, 50, 634);
    blank(p, scheme, 0, 475, 71, 495);
    blank(p, scheme, 0, 607, 399, 634);
    blank(p, scheme, 0, 514, 399, 532);
    p.textVertical(25, 295, translate("ClipboardPictures", "累積相対度数(%)"),
                   Font{kMincho, 14, false, false}, scheme == GraphScheme::Blue ? White : Black);
    int bottom = h - 1;
    if (!interval95) {
        // Without the interval texts the picture ends below the plot's caption.
        p.fillBox(0, 530, 399, 670, White);
        bottom = 529;
    }
    roundCorners(p, w, bottom);
}

void roundCorners(Canvas& p, int width, int bottom) {
    const double right = width - 1;
    for (std::size_t d = 0; d < kCornerProfile.size(); ++d) {
        const double run = kCornerProfile[d], top = static_cast<double>(d),
                     low = bottom - static_cast<double>(d);
        p.line(0, top, run, top, White);
        p.line(right - run, top, right, top, White);
        p.line(0, low, run, low, White);
        p.line(right - run, low, right, low, White);
    }
}

} // namespace kl
