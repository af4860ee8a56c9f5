#include "platform/qt/QuickPng.h"

#include "platform/qt/QtConvert.h"

#include <vector>
#include <zlib.h>

namespace kl {

namespace {

void appendBigEndian(QByteArray& out, quint32 v) {
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendBigEndian(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* typed = reinterpret_cast<const Bytef*>(out.constData() + start);
    appendBigEndian(out, quint32(crc32(0, typed, uInt(out.size() - start))));
}

// One row as PNG filter type 1 (Sub) over RGB bytes.
void subFilteredRow(const QRgb* in, int width, std::vector<unsigned char>& row) {
    row[0] = 1;
    unsigned char pr = 0, pg = 0, pb = 0;
    for (int x = 0; x < width; ++x) {
        const unsigned char r = uchar(qRed(in[x])), g = uchar(qGreen(in[x])), b = uchar(qBlue(in[x]));
        unsigned char* out = &row[1 + 3 * std::size_t(x)];
        out[0] = uchar(r - pr);
        out[1] = uchar(g - pg);
        out[2] = uchar(b - pb);
        pr = r, pg = g, pb = b;
    }
}

// The deflated, filtered rows (the IDAT data); empty when zlib fails.
QByteArray deflatedRows(const QImage& rgb) {
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return {};
    QByteArray out;
    std::vector<unsigned char> row(1 + 3 * std::size_t(rgb.width()));
    unsigned char buffer[1 << 16];
    int status = Z_OK;
    for (int y = 0; y <= rgb.height() && status != Z_STREAM_END; ++y) {
        const bool last = y == rgb.height();
        if (!last) subFilteredRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), rgb.width(), row);
        z.next_in = last ? nullptr : row.data();
        z.avail_in = last ? 0 : uInt(row.size());
        do {
            z.next_out = buffer;
            z.avail_out = sizeof buffer;
            status = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(reinterpret_cast<const char*>(buffer), qsizetype(sizeof buffer - z.avail_out));
        } while (status == Z_OK && z.avail_out == 0);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) break;
    }
    deflateEnd(&z);
    return status == Z_STREAM_END ? out : QByteArray();
}

} // namespace

QByteArray quickPngBytes(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QByteArray idat = deflatedRows(rgb);
    if (idat.isEmpty()) return pngBytes(image);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, quint32(rgb.width()));
    appendBigEndian(header, quint32(rgb.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, adaptive filters, no interlace
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", idat);
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace kl
