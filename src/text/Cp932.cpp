#include "text/Cp932.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>

namespace kl {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// One conversion direction of glibc's iconv, opened once per thread (an iconv_t keeps state and
// must not be shared between threads).
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of in as possible; stops at the first unconvertible or incomplete sequence.
    // Returns the errno of the stop (0 when everything was converted).
    int convert(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buf[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buf;
            std::size_t dstLeft = sizeof buf;
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            int err = r == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buf, static_cast<std::size_t>(dst - buf));
            in.remove_prefix(in.size() - srcLeft);
            if (err != 0 && err != E2BIG) return err;
        }
        return 0;
    }

  private:
    iconv_t cd_;
};

Converter& toCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

Converter& fromCp932() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Byte length of the UTF-8 sequence starting at s[0], 1 for a stray byte.
std::size_t utf8SeqLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > s.size()) return 1;
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    return n;
}

// Width in CP932 bytes of the one character at the start of utf8 (1 for '?' when it has no form).
std::size_t charWidth(std::string_view ch) {
    unsigned char c = static_cast<unsigned char>(ch[0]);
    if (c < 0x80) return 1;
    std::string out;
    std::string_view in = ch;
    if (toCp932().convert(in, out) != 0 || out.empty()) return 1;
    return out.size();
}

} // namespace

std::string utf8ToCp932(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    Converter& conv = toCp932();
    while (!utf8.empty()) {
        if (!conv.ok() || conv.convert(utf8, out) == 0) break;
        out.push_back('?');
        utf8.remove_prefix(utf8SeqLength(utf8));
    }
    if (!conv.ok())
        for (char c : utf8)
            out.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
    return out;
}

std::string cp932ToUtf8(std::string_view cp932) {
    if (isAscii(cp932)) return std::string(cp932);
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    Converter& conv = fromCp932();
    while (!cp932.empty()) {
        if (!conv.ok()) {
            for (char c : cp932)
                out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string(kReplacement);
            break;
        }
        if (conv.convert(cp932, out) == 0) break;
        out += kReplacement;
        cp932.remove_prefix(1);
    }
    return out;
}

std::size_t sjisWidth(std::string_view utf8) {
    if (isAscii(utf8)) return utf8.size();
    std::size_t width = 0;
    while (!utf8.empty()) {
        std::size_t n = utf8SeqLength(utf8);
        width += charWidth(utf8.substr(0, n));
        utf8.remove_prefix(n);
    }
    return width;
}

std::string cutBytes(std::string_view utf8, std::size_t n) {
    std::size_t width = 0, pos = 0;
    while (pos < utf8.size()) {
        std::size_t len = utf8SeqLength(utf8.substr(pos));
        std::size_t w = charWidth(utf8.substr(pos, len));
        if (width + w > n) break;
        width += w;
        pos += len;
    }
    return std::string(utf8.substr(0, pos));
}

std::string fitBytes(std::string_view utf8, std::size_t n) {
    std::string cut = cutBytes(utf8, n);
    std::size_t w = sjisWidth(cut);
    if (w < n) cut.append(n - w, ' ');
    return cut;
}

namespace {

// Length of a well-formed UTF-8 sequence at the start of s (no overlongs, no surrogates,
// nothing above U+10FFFF), 0 when the bytes are not one.
std::size_t validSeqLength(std::string_view s) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    auto cont = [&](std::size_t i) { return i < s.size() && (b(i) & 0xC0) == 0x80; };
    unsigned char c = b(0);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return cont(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        if ((c == 0xE0 && b(1) < 0xA0) || (c == 0xED && b(1) >= 0xA0)) return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        if ((c == 0xF0 && b(1) < 0x90) || (c == 0xF4 && b(1) >= 0x90)) return 0;
        return 4;
    }
    return 0;
}

// Bytes of the ASCII run starting s, looked at eight at a time.
std::size_t asciiPrefix(std::string_view s) {
    std::size_t n = 0;
    for (std::uint64_t word; n + 8 <= s.size(); n += 8) {
        std::memcpy(&word, s.data() + n, 8);
        if (word & 0x8080808080808080u) break;
    }
    while (n < s.size() && static_cast<unsigned char>(s[n]) < 0x80)
        ++n;
    return n;
}

// Valid UTF-8 with every broken sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    while (!s.empty()) {
        if (std::size_t ascii = asciiPrefix(s)) {
            out.append(s.substr(0, ascii));
            s.remove_prefix(ascii);
            continue;
        }
        std::size_t n = validSeqLength(s);
        if (n == 0) {
            out += kReplacement;
            n = 1;
        } else {
            out.append(s.substr(0, n));
        }
        s.remove_prefix(n);
    }
    return out;
}

void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    auto unit = [&](std::size_t i) -> char32_t {
        auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            out += kReplacement;
        else
            appendCodePoint(out, u);
    }
    if (i < bytes.size()) // odd trailing byte
        out += kReplacement;
    return out;
}

// The code point of the well-formed n-byte sequence at the start of s.
char32_t decodeSequence(std::string_view s, std::size_t n) {
    static constexpr unsigned char kLeadMask[5] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t cp = static_cast<unsigned char>(s[0]) & kLeadMask[n];
    for (std::size_t i = 1; i < n; ++i)
        cp = cp << 6 | (static_cast<unsigned char>(s[i]) & 0x3F);
    return cp;
}

void appendUnit(std::string& out, char32_t unit, bool bigEndian) {
    const char hi = static_cast<char>(unit >> 8 & 0xFF), lo = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
}

} // namespace

std::string utf8ToUtf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    while (!utf8.empty()) {
        const auto [cp, n] = firstCharacter(utf8);
        if (cp >= 0x10000) {
            appendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), bigEndian);
            appendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), bigEndian);
        } else {
            appendUnit(out, cp, bigEndian);
        }
        utf8.remove_prefix(n);
    }
    return out;
}

Utf8Character firstCharacter(std::string_view s) {
    const std::size_t n = validSeqLength(s);
    if (n == 0) return {0xFFFD, 1};
    return {decodeSequence(s, n), n};
}

bool isValidUtf8(std::string_view s) {
    while (!s.empty()) {
        s.remove_prefix(asciiPrefix(s));
        if (s.empty()) break;
        std::size_t n = validSeqLength(s);
        if (n == 0) return false;
        s.remove_prefix(n);
    }
    return true;
}

std::string decodeTextFile(std::string_view bytes, bool* binary) {
    if (binary) *binary = false;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return sanitizeUtf8(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE") return utf16ToUtf8(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF") return utf16ToUtf8(bytes.substr(2), true);
    if (bytes.find('\0') != std::string_view::npos) {
        if (binary) *binary = true;
        return {};
    }
    if (isValidUtf8(bytes)) return std::string(bytes);
    return cp932ToUtf8(bytes);
}

std::size_t utf8IncompleteTail(std::string_view s) {
    for (std::size_t back = 1; back <= 3 && back <= s.size(); ++back) {
        auto c = static_cast<unsigned char>(s[s.size() - back]);
        if ((c & 0xC0) == 0x80) continue; // a continuation byte: look further back
        std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return need > back ? back : 0;
    }
    return 0;
}

namespace {

// Bytes at the end of CP932 text that wait for the next piece: everything after the last byte
// below 0x40, which is never part of a double-byte character. (Counting pairs from the start is
// not enough: a lead byte with an unassigned trail byte decodes alone and shifts the pairs.)
std::size_t cp932IncompleteTail(std::string_view s) {
    for (std::size_t i = s.size(); i > 0; --i)
        if (static_cast<unsigned char>(s[i - 1]) < 0x40) return s.size() - i;
    return s.size();
}

// Bytes at the end of UTF-16 that wait: an odd byte, and a high surrogate before it.
std::size_t utf16IncompleteTail(std::string_view s, bool bigEndian) {
    std::size_t odd = s.size() % 2;
    if (s.size() < 2 + odd) return odd;
    std::size_t at = s.size() - odd - 2;
    auto hi = static_cast<unsigned char>(s[bigEndian ? at : at + 1]);
    return odd + (hi >= 0xD8 && hi <= 0xDB ? 2 : 0);
}

} // namespace

void TextStreamDecoder::feed(std::string_view bytes, std::string& out) {
    carry_.append(bytes);
    std::string_view all(carry_);
    std::size_t keep = 0;
    switch (encoding_) {
    case FileEncoding::Utf8:
        keep = utf8IncompleteTail(all);
        break;
    case FileEncoding::Utf16Le:
        keep = utf16IncompleteTail(all, false);
        break;
    case FileEncoding::Utf16Be:
        keep = utf16IncompleteTail(all, true);
        break;
    case FileEncoding::Cp932:
        keep = cp932IncompleteTail(all);
        break;
    }
    std::string tail(all.substr(all.size() - keep));
    carry_.resize(all.size() - keep);
    finish(out);
    carry_ = std::move(tail);
}

void TextStreamDecoder::finish(std::string& out) {
    switch (encoding_) {
    case FileEncoding::Utf8:
        out += sanitizeUtf8(carry_);
        break;
    case FileEncoding::Utf16Le:
        out += utf16ToUtf8(carry_, false);
        break;
    case FileEncoding::Utf16Be:
        out += utf16ToUtf8(carry_, true);
        break;
    case FileEncoding::Cp932:
        out += cp932ToUtf8(carry_);
        break;
    }
    carry_.clear();
}

} // namespace kl
