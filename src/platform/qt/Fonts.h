#pragma once
// The program's logical font names mapped onto installed families.

#include "platform/Canvas.h"

#include <QFont>
#include <QString>

#include <string>

namespace kl {

// "ＭＳ 明朝" -> IPAMincho, "ＭＳ ゴシック" -> IPAGothic (and their proportional forms); any other
// name is taken as an installed family.
QString fontFamily(const std::string& name);

// A font of the given family, bold/italic as asked, whose character cell is pixelSize pixels
// high on the device it is used with.
QFont qtFont(const Font& font, int pixelSize);

// Pixel height on screen: the size is the cell height in pixels.
int screenPixelSize(double size);

// Device pixels for a size in points on paper whose unit is 0.1 mm (1 pt = 3.5278 units).
int paperPixelSize(double points, double devicePixelsPerUnit);

inline constexpr double kUnitsPerPoint = 3.5278;

// Whether both Japanese families resolve to the installed IPA fonts.
bool japaneseFontsInstalled();

} // namespace kl
