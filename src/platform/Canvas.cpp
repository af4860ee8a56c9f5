#include "platform/Canvas.h"

namespace kl {

Rgb defaultPaletteColour(int index) {
    // 0..7: the classic eight colours. 8..15 are ours: 8 dark blue-grey (curve on beige), 9 beige
    // (frame of "2 D"), 10 orange (curve in "3 D"), 11 light yellow (curve over blue), 12 dark red,
    // 13 light grey, 14 mid grey-blue (bar fill, grid), 15 white.
    static const Rgb palette[16] = {
        {0, 0, 0},     {0, 0, 255},     {255, 0, 0},     {255, 0, 255},   {0, 160, 0},   {0, 200, 200},
        {230, 200, 0}, {255, 255, 255}, {40, 60, 110},   {245, 235, 210}, {230, 120, 0}, {255, 255, 150},
        {150, 20, 40}, {200, 200, 200}, {110, 140, 180}, {255, 255, 255},
    };
    if (index < 0 || index > 15) return palette[0];
    return palette[index];
}

std::string installedFontFamily(const std::string& name) {
    struct Alias {
        const char* logical;
        const char* installed;
    };
    static const Alias aliases[] = {
        {"ＭＳ 明朝", "IPAMincho"},        {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"}, {"MS Mincho", "IPAMincho"},     {"MS Gothic", "IPAGothic"},
    };
    for (const Alias& a : aliases)
        if (name == a.logical) return a.installed;
    return name;
}

int haloColour(int index) {
    const Rgb c = defaultPaletteColour(index);
    // Rec. 709 luma of the 8-bit channels: magenta (73) and red count as dark, yellow and the
    // light greys as light.
    const double luma = 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
    return luma < 128 ? White : 8;
}

} // namespace kl
