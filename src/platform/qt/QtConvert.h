#pragma once
// Conversions between the core's plain types and Qt's.

#include "platform/Canvas.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <string>

namespace kl {

inline QString toQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string toStdString(const QString& s) {
    return s.toUtf8().toStdString();
}
inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// RGB32 image of the bitmap, and back.
QImage toImage(const Bitmap& bitmap);
Bitmap toBitmap(const QImage& image);

// PNG bytes of an image, for an atomic write.
QByteArray pngBytes(const QImage& image);

} // namespace kl
