#include "platform/qt/QtConvert.h"

#include <QBuffer>

namespace kl {

QImage toImage(const Bitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    if (bitmap.width <= 0 || bitmap.height <= 0) return image;
    if (bitmap.pixels.size() < std::size_t(bitmap.width) * std::size_t(bitmap.height)) {
        image.fill(Qt::white);
        return image;
    }
    for (int y = 0; y < bitmap.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const Rgb& p = bitmap.pixels[std::size_t(y) * std::size_t(bitmap.width) + std::size_t(x)];
            row[x] = qRgb(p.r, p.g, p.b);
        }
    }
    return image;
}

Bitmap toBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    bitmap.pixels.reserve(std::size_t(bitmap.width) * std::size_t(bitmap.height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            bitmap.pixels.push_back(
                Rgb{std::uint8_t(qRed(row[x])), std::uint8_t(qGreen(row[x])), std::uint8_t(qBlue(row[x]))});
    }
    return bitmap;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace kl
