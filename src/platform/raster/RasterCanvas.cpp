#include "platform/raster/RasterCanvas.h"

#include "text/Cp932.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {

int px(double v) {
    return int(std::lround(v));
}

std::uint32_t packed(Rgb c) {
    return 0xff000000u | std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | std::uint32_t(c.b);
}

// The colour `a` parts in 255 over `under`.
std::uint32_t blend(std::uint32_t over, std::uint32_t under, unsigned a) {
    if (a >= 255) return over;
    std::uint32_t out = 0xff000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned o = (over >> shift) & 0xffu, u = (under >> shift) & 0xffu;
        out |= ((o * a + u * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

// One character of a UTF-8 text: its code point and its bytes (a byte that is not UTF-8 is a
// character of its own, U+FFFD).
struct Character {
    char32_t code = 0;
    std::string_view bytes;
};

std::vector<Character> characters(std::string_view s) {
    std::vector<Character> all;
    while (!s.empty()) {
        const auto [code, length] = firstCharacter(s);
        all.push_back({code, s.substr(0, length)});
        s.remove_prefix(length);
    }
    return all;
}

// The program's two fonts stand on a grid of cells: a half-width character is half the size wide
// (a whole pixel, rounded up for odd sizes), a full-width one the size.
bool onGrid(const Font& font) {
    return font.name == kMincho || font.name == kGothic;
}

int pixelSize(const Font& font) {
    return std::max(1, px(font.size));
}

int cellWidth(const Character& c, int size) {
    return sjisWidth(c.bytes) >= 2 ? size : (size + 1) / 2;
}

} // namespace

RasterCanvas::RasterCanvas(PixelImage& image) : image_(image) {
    for (int i = 0; i < 16; ++i)
        palette_[std::size_t(i)] = defaultPaletteColour(i);
}

std::uint32_t RasterCanvas::pixelOf(int colour) const {
    if (colour < 0 || colour > 15) colour = 0;
    return packed(palette_[std::size_t(colour)]);
}

void RasterCanvas::set(int x, int y, std::uint32_t pixel) {
    if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height()) image_.row(y)[x] = pixel;
}

void RasterCanvas::fill(int left, int top, int right, int bottom, std::uint32_t pixel) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image_.width() - 1);
    bottom = std::min(bottom, image_.height() - 1);
    for (int y = top; y <= bottom; ++y)
        std::fill(image_.row(y) + left, image_.row(y) + right + 1, pixel);
}

void RasterCanvas::clear(int colour) {
    log_.clear();
    fill(0, 0, image_.width() - 1, image_.height() - 1, pixelOf(colour));
}

// Every pixel the line passes from end to end, both ends included; a dotted one every other
// pixel, from the first.
void RasterCanvas::thinLine(int x1, int y1, int x2, int y2, std::uint32_t pixel, bool dotted) {
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (long step = 0;; ++step) {
        if (!dotted || step % 2 == 0) set(x1, y1, pixel);
        if (x1 == x2 && y1 == y2) break;
        const int twice = 2 * error;
        if (twice >= dy) error += dy, x1 += sx;
        if (twice <= dx) error += dx, y1 += sy;
    }
}

// A line `width` pixels wide with square ends: the pixels whose centres lie in the rectangle
// around the line, half the width to each side and past each end. Unsmoothed shapes sit just
// under half a pixel right of and below their coordinates, so an odd width is centred on the
// line's pixels and an even one has its spare row below and right.
void RasterCanvas::wideLine(int x1, int y1, int x2, int y2, std::uint32_t pixel, int width) {
    constexpr double kAliasedShift = 0.5 - 1.0 / 64;
    const double ax = x1 + kAliasedShift, ay = y1 + kAliasedShift, bx = x2 + kAliasedShift,
                 by = y2 + kAliasedShift;
    double ux = bx - ax, uy = by - ay;
    const double length = std::hypot(ux, uy);
    if (length == 0) {
        ux = 1, uy = 0;
    } else {
        ux /= length, uy /= length;
    }
    const double h = width / 2.0;
    const double corners[4][2] = {{ax - ux * h - uy * h, ay - uy * h + ux * h},
                                  {bx + ux * h - uy * h, by + uy * h + ux * h},
                                  {bx + ux * h + uy * h, by + uy * h - ux * h},
                                  {ax - ux * h + uy * h, ay - uy * h - ux * h}};
    double top = corners[0][1], bottom = top;
    for (const auto& c : corners)
        top = std::min(top, c[1]), bottom = std::max(bottom, c[1]);
    for (int y = std::max(0, int(std::floor(top)));
         y <= std::min(image_.height() - 1, int(std::ceil(bottom))); ++y) {
        const double cy = y + 0.5;
        double from = INFINITY, to = -INFINITY;
        for (int k = 0; k < 4; ++k) {
            const double* p = corners[k];
            const double* q = corners[(k + 1) % 4];
            if ((p[1] <= cy) == (q[1] <= cy)) continue;
            const double x = p[0] + (cy - p[1]) * (q[0] - p[0]) / (q[1] - p[1]);
            from = std::min(from, x), to = std::max(to, x);
        }
        if (from > to) continue;
        // Pixels whose centres x + 0.5 lie in [from, to).
        fill(int(std::ceil(from - 0.5)), y, int(std::ceil(to - 0.5)) - 1, y, pixel);
    }
}

void RasterCanvas::line(double x1, double y1, double x2, double y2, int colour, LineStyle style,
                        double width) {
    const int ax = px(x1), ay = px(y1), bx = px(x2), by = px(y2);
    const std::uint32_t pixel = pixelOf(colour);
    const int w = std::max(1, px(width));
    if (w > 1 && style == LineStyle::Solid) {
        wideLine(ax, ay, bx, by, pixel, w);
        return;
    }
    if (style == LineStyle::Solid && (ax == bx || ay == by)) {
        fill(std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by), pixel);
        return;
    }
    thinLine(ax, ay, bx, by, pixel, style == LineStyle::Dotted);
}

void RasterCanvas::box(double x1, double y1, double x2, double y2, int colour, LineStyle style) {
    const int left = std::min(px(x1), px(x2)), right = std::max(px(x1), px(x2));
    const int top = std::min(px(y1), px(y2)), bottom = std::max(px(y1), px(y2));
    const std::uint32_t pixel = pixelOf(colour);
    if (style == LineStyle::Solid) {
        fill(left, top, right, top, pixel);
        fill(left, bottom, right, bottom, pixel);
        fill(left, top, left, bottom, pixel);
        fill(right, top, right, bottom, pixel);
        return;
    }
    thinLine(left, top, right, top, pixel, true);
    thinLine(right, top, right, bottom, pixel, true);
    thinLine(right, bottom, left, bottom, pixel, true);
    thinLine(left, bottom, left, top, pixel, true);
}

void RasterCanvas::fillBox(double x1, double y1, double x2, double y2, int colour) {
    fill(std::min(px(x1), px(x2)), std::min(px(y1), px(y2)), std::max(px(x1), px(x2)),
         std::max(px(y1), px(y2)), pixelOf(colour));
}

void RasterCanvas::point(double x, double y, int colour) {
    set(px(x), px(y), pixelOf(colour));
}

// A circle of whole radius about a pixel: the inside filled by the pixels no farther than the
// radius, the outline the ring of pixels at the radius (the midpoint circle).
void RasterCanvas::circle(double cx, double cy, double r, int colour, int fillColour) {
    const int x0 = px(cx), y0 = px(cy), radius = std::max(0, px(r));
    if (fillColour >= 0) {
        const std::uint32_t inside = pixelOf(fillColour);
        for (int dy = -radius; dy <= radius; ++dy) {
            const int half = int(std::floor(std::sqrt(double(radius) * radius - double(dy) * dy)));
            fill(x0 - half, y0 + dy, x0 + half, y0 + dy, inside);
        }
    }
    const std::uint32_t pixel = pixelOf(colour);
    int x = radius, y = 0, error = 1 - radius;
    while (x >= y) {
        for (const auto& [px1, py1] :
             {std::pair{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}})
            set(x0 + px1, y0 + py1, pixel);
        ++y;
        if (error < 0) {
            error += 2 * y + 1;
        } else {
            --x;
            error += 2 * (y - x) + 1;
        }
    }
}

GlyphFaces::Face* RasterCanvas::faceOf(const Font& font) {
    return faces_.face(installedFontFamily(font.name), pixelSize(font), font.bold, font.italic);
}

void RasterCanvas::drawText(double x, double y, const std::string& utf8, const Font& font, int colour,
                            bool vertical) {
    log_.push_back(TextDraw{x, y, font.size, colour, vertical, utf8});
    GlyphFaces::Face* face = utf8.empty() ? nullptr : faceOf(font);
    if (!face) return;
    const std::uint32_t ink = pixelOf(colour);
    const int x0 = px(x), y0 = px(y), size = pixelSize(font);
    const bool grid = onGrid(font);
    int pen = 0; // along the text, from its start
    for (const Character& c : characters(utf8)) {
        const GlyphImage& g = face->glyph(c.code, vertical);
        for (int j = 0; j < g.rows; ++j) {
            const std::uint8_t* row = g.coverage.data() + std::size_t(j) * std::size_t(g.width);
            const int across = face->ascent() - g.top + j; // down from the text's top
            for (int i = 0; i < g.width; ++i) {
                if (row[i] == 0) continue;
                const int along = pen + g.left + i;
                // Turned a quarter counter-clockwise, the text runs up from (x0, y0) and its top
                // edge faces left.
                const int X = vertical ? x0 + across : x0 + along;
                const int Y = vertical ? y0 - along - 1 : y0 + across;
                if (X < 0 || Y < 0 || X >= image_.width() || Y >= image_.height()) continue;
                std::uint32_t& p = image_.row(Y)[X];
                p = blend(ink, p, row[i]);
            }
        }
        pen += grid ? cellWidth(c, size) : g.advance;
    }
}

void RasterCanvas::text(double x, double y, const std::string& utf8, const Font& font, int colour) {
    drawText(x, y, utf8, font, colour, false);
}

void RasterCanvas::textVertical(double x, double y, const std::string& utf8, const Font& font, int colour) {
    drawText(x, y, utf8, font, colour, true);
}

void RasterCanvas::stretchBitmap(const Bitmap& bitmap, double x, double y, double w, double h) {
    const int left = px(x), top = px(y), width = px(w), height = px(h);
    if (bitmap.width <= 0 || bitmap.height <= 0 || width <= 0 || height <= 0 ||
        bitmap.pixels.size() < std::size_t(bitmap.width) * std::size_t(bitmap.height))
        return;
    for (int j = 0; j < height; ++j) {
        const int sy = int(std::int64_t(j) * bitmap.height / height);
        for (int i = 0; i < width; ++i) {
            const int sx = int(std::int64_t(i) * bitmap.width / width);
            set(left + i, top + j,
                packed(bitmap.pixels[std::size_t(sy) * std::size_t(bitmap.width) + std::size_t(sx)]));
        }
    }
}

double RasterCanvas::textWidth(const std::string& utf8, const Font& font) {
    const int size = pixelSize(font);
    int width = 0;
    if (onGrid(font)) {
        for (const Character& c : characters(utf8))
            width += cellWidth(c, size);
        return width;
    }
    GlyphFaces::Face* face = faceOf(font);
    if (!face) return 0;
    for (const Character& c : characters(utf8))
        width += face->glyph(c.code).advance;
    return width;
}

void RasterCanvas::setPalette15(Rgb colour) {
    palette_[15] = colour;
}

void RasterCanvas::resetPalette15() {
    palette_[15] = defaultPaletteColour(15);
}

} // namespace kl
