#pragma once
// A drawing surface: a window surface (pixels), a printer page (0.1 mm), a bitmap or a file.
// The same drawing code paints all of them. Coordinates are doubles in the surface's units,
// origin top left, y down. Boxes are given by two corners, both inclusive; lines include both ends.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kl {

// Palette indexes 0..15. 0..7 are the classic eight colours; 8..15 are ours, 15 white
// and redefinable.
enum Colour : int {
    Black = 0,
    Blue = 1,
    Red = 2,
    Magenta = 3,
    Green = 4,
    Cyan = 5,
    Yellow = 6,
    White = 7,
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The default colour of a palette index (0..15).
Rgb defaultPaletteColour(int index);

// The palette colour that sets a mark drawn in the given one off from whatever lies under it (a
// halo round a line, a box behind a text): white behind a dark colour, the dark blue-grey 8
// behind a light one.
int haloColour(int index);

// Logical font names as the windows and pages use them.
inline constexpr const char* kMincho = "ＭＳ 明朝";
inline constexpr const char* kGothic = "ＭＳ ゴシック";

// The installed family that stands for a logical font name (the Japanese fonts of the desktop for
// the names the pages use); any other name is its own family.
std::string installedFontFamily(const std::string& name);

struct Font {
    std::string name = kMincho; // "ＭＳ 明朝" or "ＭＳ ゴシック" (or any installed family)
    double size = 12;           // screen: character cell height in pixels; paper: points
    bool bold = false;
    bool italic = false;
};

enum class LineStyle { Solid, Dotted };

// One text draw as the user would read it; window surfaces log these since their last clear.
struct TextDraw {
    double x = 0, y = 0;
    double size = 0;
    int colour = 0;
    bool vertical = false;
    std::string text; // UTF-8
};

// A plain RGB image, used for bitmaps copied between surfaces and put on the clipboard.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<Rgb> pixels; // row-major
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual void clear(int colour) = 0;
    virtual void line(double x1, double y1, double x2, double y2, int colour,
                      LineStyle style = LineStyle::Solid, double width = 1) = 0;
    virtual void box(double x1, double y1, double x2, double y2, int colour,
                     LineStyle style = LineStyle::Solid) = 0;
    virtual void fillBox(double x1, double y1, double x2, double y2, int colour) = 0;
    virtual void point(double x, double y, int colour) = 0;
    // Circle of radius r around (cx, cy); filled with fillColour when fillColour >= 0.
    virtual void circle(double cx, double cy, double r, int colour, int fillColour = -1) = 0;
    // Text with its cell's top-left corner at (x, y).
    virtual void text(double x, double y, const std::string& utf8, const Font& font, int colour) = 0;
    // Text turned 90 degrees counter-clockwise about (x, y): it reads bottom to top, starts at
    // (x, y) and its glyphs lie to the right of x by the font's height.
    virtual void textVertical(double x, double y, const std::string& utf8, const Font& font, int colour) = 0;
    // Copies a bitmap stretched into the box (x, y, w, h).
    virtual void stretchBitmap(const Bitmap& bitmap, double x, double y, double w, double h) = 0;

    // Width of a text in the surface's units (for centring).
    virtual double textWidth(const std::string& utf8, const Font& font) = 0;

    // Palette entry 15 can be redefined and set back.
    virtual void setPalette15(Rgb colour) = 0;
    virtual void resetPalette15() = 0;

    // Texts drawn since the last clear (window surfaces keep them; others may return empty).
    virtual const std::vector<TextDraw>& textLog() const = 0;
};

} // namespace kl
