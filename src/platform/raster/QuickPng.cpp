#include "platform/raster/QuickPng.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include <zlib.h>

namespace kl {

namespace {

void appendBigEndian(std::string& out, std::uint32_t v) {
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

void appendChunk(std::string& out, const char* type, const std::string& data) {
    appendBigEndian(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(data);
    const auto* typed = reinterpret_cast<const Bytef*>(out.data() + start);
    appendBigEndian(out, std::uint32_t(crc32(0, typed, uInt(out.size() - start))));
}

// One row as PNG filter type 1 (Sub) over RGB bytes.
void subFilteredRow(const std::uint32_t* in, int width, unsigned char* row) {
    row[0] = 1;
    unsigned char pr = 0, pg = 0, pb = 0;
    for (int x = 0; x < width; ++x) {
        const auto r = static_cast<unsigned char>(in[x] >> 16), g = static_cast<unsigned char>(in[x] >> 8),
                   b = static_cast<unsigned char>(in[x]);
        unsigned char* out = row + 1 + 3 * std::size_t(x);
        out[0] = static_cast<unsigned char>(r - pr);
        out[1] = static_cast<unsigned char>(g - pg);
        out[2] = static_cast<unsigned char>(b - pb);
        pr = r, pg = g, pb = b;
    }
}

// Deflate's fixed Huffman codes (RFC 1951, 3.2.6), bit-reversed for an LSB-first stream.
struct FixedCodes {
    std::array<std::uint16_t, 288> literal{};
    std::array<std::uint8_t, 288> literalBits{};
    std::array<std::uint8_t, 259> lengthSymbol{}; // index into the length tables for 3..258
    FixedCodes() {
        for (unsigned v = 0; v < 288; ++v) {
            unsigned code = v < 144   ? 0x30 + v
                            : v < 256 ? 0x190 + (v - 144)
                            : v < 280 ? v - 256
                                      : 0xC0 + (v - 280);
            const unsigned bits = v < 144 ? 8 : v < 256 ? 9 : v < 280 ? 7 : 8;
            literal[v] = std::uint16_t(reversed(code, bits));
            literalBits[v] = std::uint8_t(bits);
        }
        for (unsigned len = 3, s = 0; len <= 258; ++len) {
            while (s + 1 < kLengthBase.size() && kLengthBase[s + 1] <= len)
                ++s;
            lengthSymbol[len] = std::uint8_t(s);
        }
    }
    static unsigned reversed(unsigned code, unsigned bits) {
        unsigned r = 0;
        for (unsigned i = 0; i < bits; ++i)
            r |= ((code >> i) & 1u) << (bits - 1 - i);
        return r;
    }
    static constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                               15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                               67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
};

// A distance as its fixed 5-bit code and extra bits.
struct DistanceCode {
    unsigned code = 0, extra = 0, extraBits = 0;
    explicit DistanceCode(unsigned distance) {
        unsigned base = 1, symbol = 0;
        for (; symbol < 30; ++symbol) {
            const unsigned bits = symbol < 4 ? 0 : symbol / 2 - 1;
            if (distance < base + (1u << bits)) {
                extraBits = bits;
                break;
            }
            base += 1u << bits;
        }
        code = FixedCodes::reversed(symbol, 5);
        extra = distance - base;
    }
};

// Writes bits least significant first into a buffer large enough for what is written.
class BitWriter {
  public:
    explicit BitWriter(unsigned char* out) : out_(out) {}
    void put(std::uint32_t bits, unsigned count) {
        acc_ |= std::uint64_t(bits) << filled_;
        filled_ += count;
        if (filled_ >= 32) {
            for (int k = 0; k < 4; ++k)
                out_[k] = static_cast<unsigned char>(acc_ >> (8 * k));
            out_ += 4;
            acc_ >>= 32;
            filled_ -= 32;
        }
    }
    // Writes the last partial byte; the end of what was written.
    unsigned char* flush() {
        for (; filled_ > 0; filled_ = filled_ > 8 ? filled_ - 8 : 0, acc_ >>= 8)
            *out_++ = static_cast<unsigned char>(acc_);
        return out_;
    }

  private:
    unsigned char* out_;
    std::uint64_t acc_ = 0;
    unsigned filled_ = 0;
};

// How many of the first `limit` bytes at a equal those at b (b may overlap a from behind).
std::size_t matchLength(const unsigned char* a, const unsigned char* b, std::size_t limit) {
    std::size_t n = 0;
    while (n + 8 <= limit) {
        std::uint64_t x, y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) return n + std::size_t(__builtin_ctzll(x ^ y) / 8);
        n += 8;
    }
    while (n < limit && a[n] == b[n])
        ++n;
    return n;
}

// Deflates filtered rows with two kinds of match only: a run of the previous byte (distance 1)
// and the same bytes one row up (distance rowBytes), which is what flat drawings are made of.
class RowDeflater {
  public:
    RowDeflater(unsigned char* out, std::size_t rowBytes)
        : bits_(out), rowBytes_(rowBytes), up_(unsigned(rowBytes)), upAllowed_(rowBytes <= 32768) {
        bits_.put(1, 1); // the final block
        bits_.put(1, 2); // fixed Huffman codes
    }
    // row points at rowBytes bytes; when rows > 0, the previous row's bytes are right before them.
    void row(const unsigned char* row, bool first) {
        const bool up = !first && upAllowed_;
        // The row above, and the byte before each place (for the first byte of a row, the last
        // byte of the row above): pointers, so that no index below zero is ever formed.
        const unsigned char* rowAbove = up ? row - rowBytes_ : nullptr;
        for (std::size_t i = 0; i < rowBytes_;) {
            const std::size_t limit = std::min<std::size_t>(258, rowBytes_ - i);
            const unsigned char* here = row + i;
            // A match is 3 bytes or more: most places fail on the first byte, checked here.
            const std::size_t above =
                up && limit >= 3 && *here == rowAbove[i] ? matchLength(here, rowAbove + i, limit) : 0;
            const std::size_t run = above < limit && limit >= 3 && !(first && i == 0) && *here == *(here - 1)
                                        ? matchLength(here, here - 1, limit)
                                        : 0;
            const std::size_t best = std::max(above, run);
            if (best < 3) {
                literal(row[i]);
                ++i;
                continue;
            }
            match(unsigned(best), above >= run ? up_ : one_);
            i += best;
        }
    }
    // The end of the data written.
    unsigned char* finish() {
        literal(256); // end of block
        return bits_.flush();
    }

  private:
    void literal(unsigned v) { bits_.put(codes_.literal[v], codes_.literalBits[v]); }
    void match(unsigned length, const DistanceCode& d) {
        const unsigned s = codes_.lengthSymbol[length];
        literal(257 + s);
        bits_.put(length - FixedCodes::kLengthBase[s], FixedCodes::kLengthExtra[s]);
        bits_.put(d.code, 5);
        bits_.put(d.extra, d.extraBits);
    }

    static inline const FixedCodes codes_{};
    BitWriter bits_;
    std::size_t rowBytes_;
    DistanceCode up_, one_{1};
    bool upAllowed_;
};

// The zlib stream of the filtered rows (the IDAT data).
std::string deflatedRows(const PixelImage& image) {
    const std::size_t rowBytes = 1 + 3 * std::size_t(image.width());
    // No code is longer than 9 bits a byte (a literal); a match of 3 bytes or more takes at most 23.
    const std::size_t bound = 2 + (rowBytes * std::size_t(image.height()) * 9 + 7) / 8 + 16;
    // Left uninitialised: a picture of flat areas fills a tenth of the bound, and pages never
    // written are never faulted in.
    const std::unique_ptr<unsigned char[]> buffer(new unsigned char[bound]);
    unsigned char* start = buffer.get();
    start[0] = 0x78, start[1] = 0x01; // deflate, 32 KiB window, no dictionary
    RowDeflater deflater(start + 2, rowBytes);
    std::vector<unsigned char> rows(2 * rowBytes); // the previous row, then the current one
    uLong adler = adler32(0, nullptr, 0);
    for (int y = 0; y < image.height(); ++y) {
        unsigned char* current = rows.data() + rowBytes;
        subFilteredRow(image.row(y), image.width(), current);
        adler = adler32(adler, current, uInt(rowBytes));
        deflater.row(current, y == 0);
        std::memcpy(rows.data(), current, rowBytes);
    }
    std::string out(reinterpret_cast<const char*>(start), std::size_t(deflater.finish() - start));
    appendBigEndian(out, std::uint32_t(adler));
    return out;
}

} // namespace

std::string quickPngBytes(const PixelImage& image) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    appendBigEndian(header, std::uint32_t(image.width()));
    appendBigEndian(header, std::uint32_t(image.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, adaptive filters, no interlace
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", deflatedRows(image));
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace kl
