#include "text/Text.h"

#include "text/Cp932.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace kl {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80"; // U+3000

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of one leading blank (ASCII or full-width) at pos, 0 when there is none.
std::size_t blankAt(std::string_view s, std::size_t pos) {
    if (pos < s.size() && s[pos] == ' ') return 1;
    if (s.substr(pos, kIdeographicSpace.size()) == kIdeographicSpace) return kIdeographicSpace.size();
    return 0;
}

struct NumberSpan {
    std::size_t blanksEnd = 0; // bytes of leading blanks
    std::size_t end = 0;       // byte after the number (== blanksEnd when there is none)
    bool found = false;        // at least one digit
};

NumberSpan scanNumber(std::string_view s) {
    NumberSpan span;
    std::size_t i = 0;
    while (std::size_t n = blankAt(s, i))
        i += n;
    span.blanksEnd = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        std::size_t afterPoint = i + 1, frac = 0;
        while (afterPoint + frac < s.size() && isDigit(s[afterPoint + frac]))
            ++frac;
        if (digits > 0 || frac > 0) {
            i = afterPoint + frac;
            digits += frac;
        }
    }
    span.found = digits > 0;
    span.end = span.found ? i : span.blanksEnd;
    return span;
}

// A number of at most 15 digits, unsigned: its digits as an integer and its power of ten are both
// exact doubles, so one division rounds as from_chars does (Clinger's fast path). nullopt when
// there are more digits.
std::optional<double> shortDecimal(std::string_view text) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t digits = 0;
    int count = 0, decimals = -1;
    for (const char c : text) {
        if (c == '.') {
            decimals = 0;
            continue;
        }
        if (++count > 15) return std::nullopt;
        digits = digits * 10 + std::uint64_t(c - '0');
        if (decimals >= 0) ++decimals;
    }
    const double whole = static_cast<double>(digits);
    return decimals > 0 ? whole / kPowers[decimals] : whole;
}

} // namespace

std::string trimBlanks(std::string_view s) {
    std::size_t begin = 0;
    while (std::size_t n = blankAt(s, begin))
        begin += n;
    std::size_t end = s.size();
    while (end > begin) {
        if (s[end - 1] == ' ')
            --end;
        else if (end - begin >= kIdeographicSpace.size() &&
                 s.substr(end - kIdeographicSpace.size(), kIdeographicSpace.size()) == kIdeographicSpace)
            end -= kIdeographicSpace.size();
        else
            break;
    }
    return std::string(s.substr(begin, end - begin));
}

double leadingNumber(std::string_view s) {
    NumberSpan span = scanNumber(s);
    if (!span.found) return 0.0;
    std::string_view text = s.substr(span.blanksEnd, span.end - span.blanksEnd);
    bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    if (const std::optional<double> quick = shortDecimal(text)) return negative ? -*quick : *quick;
    // from_chars is locale-free; a number too long for a double comes back out of range.
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Overflow gives infinity (callers refuse non-finite values); underflow gives zero.
        std::size_t intDigits = text.find('.');
        if (intDigits == std::string_view::npos) intDigits = text.size();
        std::string_view intPart = text.substr(0, intDigits);
        bool large = intPart.find_first_not_of('0') != std::string_view::npos;
        value = large ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

bool startsWithNumber(std::string_view s) {
    return scanNumber(s).found;
}

std::size_t leadingNumberLength(std::string_view s) {
    NumberSpan span = scanNumber(s);
    return span.found ? characterCount(s.substr(0, span.end)) : 0;
}

std::size_t characterCount(std::string_view s) {
    std::size_t n = 0;
    for (char c : s)
        if (startsCharacter(c)) ++n;
    return n;
}

std::string firstCharacters(std::string_view s, std::size_t n) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (startsCharacter(s[i]) && seen++ == n) return std::string(s.substr(0, i));
    return std::string(s);
}

std::string cutWithMark(std::string_view s, std::size_t n) {
    std::string cut = firstCharacters(s, n);
    if (n > 0 && characterCount(cut) > n - 1) cut += kCutMark;
    return cut;
}

std::string cutCellsWithMark(std::string_view s, std::size_t n) {
    std::string cut = cutBytes(s, n);
    if (n > 0 && sjisWidth(cut) > n - 1 && cut.size() < s.size()) cut += kCutMark;
    return cut;
}

std::string padLeft(std::string_view s, std::size_t width) {
    std::size_t w = sjisWidth(s);
    return w >= width ? std::string(s) : blanks(width - w) + std::string(s);
}

std::string padRight(std::string_view s, std::size_t width) {
    std::size_t w = sjisWidth(s);
    return w >= width ? std::string(s) : std::string(s) + blanks(width - w);
}

std::string escapeForTranscript(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

} // namespace kl
