#include "text/Mask.h"

#include "text/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kl {

namespace {

struct MaskShape {
    int decimals = 0;
    std::size_t width = 0;
};

MaskShape shapeOf(std::string_view mask) {
    MaskShape m;
    m.width = mask.size();
    auto dot = mask.find('.');
    if (dot != std::string_view::npos) m.decimals = static_cast<int>(mask.size() - dot - 1);
    return m;
}

// Adds one unit to the last digit of a decimal digit string; returns true on a carry out.
bool incrementDigits(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

// |v| rounded to 15 significant digits, then half away from zero to `decimals` places, written in
// fixed notation without sign. The work is done on the decimal digits so that values such as 0.25
// or 1.1499999999999999 round as a reader of their printed form expects.
std::string fixedMagnitude(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digits;
    digits.push_back(buf[0]);
    digits.append(buf + 2, 14);
    int exponent = std::atoi(buf + 17); // position of the first digit: 10^exponent

    // Digits kept: those at or above 10^-decimals.
    long keep = static_cast<long>(exponent) + 1 + decimals;
    int intDigits = exponent + 1;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<long>(digits.size())) {
        bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up && incrementDigits(digits)) {
            digits.insert(digits.begin(), '1');
            ++intDigits;
        }
    }
    // Now digits hold the value digits[0] * 10^(intDigits-1) ...; lay them out around the point.
    std::string intPart, fracPart;
    for (long pos = std::max(intDigits - 1, 0); pos >= -decimals; --pos) {
        long idx = intDigits - 1 - pos;
        char c = (idx >= 0 && idx < static_cast<long>(digits.size())) ? digits[static_cast<std::size_t>(idx)]
                                                                      : '0';
        (pos >= 0 ? intPart : fracPart).push_back(c);
    }
    auto firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    return decimals > 0 ? intPart + "." + fracPart : intPart;
}

} // namespace

std::string formatMask(double v, std::string_view mask) {
    MaskShape shape = shapeOf(mask);
    if (!std::isfinite(v)) return std::isnan(v) ? "%nan" : (v < 0 ? "%-inf" : "%inf");
    std::string text = fixedMagnitude(v, shape.decimals);
    bool isZero = text.find_first_not_of("0.") == std::string::npos;
    if (v < 0 && !isZero) text.insert(text.begin(), '-');
    if (text.size() > shape.width) return "%" + text;
    return std::string(shape.width - text.size(), ' ') + text;
}

std::string formatMaskTrim(double v, std::string_view mask) {
    return trimBlanks(formatMask(v, mask));
}

double round501(double x, int decimals) {
    if (!std::isfinite(x)) return x;
    double scale = std::pow(10.0, decimals);
    return std::floor(x * scale + kHalfUp) / scale;
}

long long pixelRound(double v) {
    // Coordinates far off any surface are clamped so the conversion stays defined.
    constexpr double kLimit = 1e15;
    if (std::isnan(v)) return 0;
    double r = std::floor(v + kHalfUp);
    if (r > kLimit) return static_cast<long long>(kLimit);
    if (r < -kLimit) return static_cast<long long>(-kLimit);
    return static_cast<long long>(r);
}

} // namespace kl
