#include "platform/qt/Fonts.h"

#include "platform/qt/QtConvert.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>
#include <cmath>

namespace kl {

QString fontFamily(const std::string& name) {
    return toQString(installedFontFamily(name));
}

QFont qtFont(const Font& font, int pixelSize) {
    QFont f(fontFamily(font.name));
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    // A fixed grid of half- and full-width cells: keep the font's own metrics, no kerning.
    f.setKerning(false);
    f.setStyleHint(QFont::AnyStyle, QFont::PreferDefault);
    return f;
}

int screenPixelSize(double size) {
    return std::max(1, int(std::lround(size)));
}

int paperPixelSize(double points, double devicePixelsPerUnit) {
    return std::max(1, int(std::lround(points * kUnitsPerPoint * devicePixelsPerUnit)));
}

bool japaneseFontsInstalled() {
    const QStringList families = QFontDatabase::families();
    return families.contains(QStringLiteral("IPAMincho")) && families.contains(QStringLiteral("IPAGothic"));
}

} // namespace kl
