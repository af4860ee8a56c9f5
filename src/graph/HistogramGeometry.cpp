#include "graph/HistogramGeometry.h"

#include "text/Mask.h"
#include "text/Text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kl {

std::optional<VerticalScale> verticalScale(long fmax, const HistogramFrame& frame) {
    if (fmax <= 0) return std::nullopt;
    VerticalScale s;
    s.fmax = fmax;
    // The tests run in this order and the last true one wins.
    if (fmax < 100000) s.unit = 10000;
    if (fmax < 10000) s.unit = 1000;
    if (fmax < 1000) s.unit = 100;
    if (fmax < 100) s.unit = 10;
    if (s.unit == 0) s.unit = 100000; // more counts than any table holds; keep the scale sound
    s.top = fmax % s.unit == 0 ? fmax : (fmax / s.unit + 1) * s.unit;
    s.divisions = s.top < s.unit ? s.unit : s.top / s.unit;
    s.pixelsPerCount = frame.height() / static_cast<double>(s.top) - 0.001;
    return s;
}

HistogramAxis histogramAxis(const VerticalScale& scale, int classCount, const HistogramFrame& frame) {
    HistogramAxis a;
    double step = frame.width() / classCount;
    for (int i = 1; i <= classCount; ++i)
        a.classTickX.push_back(frame.left + step * (i - 1));

    const double T = static_cast<double>(scale.top);
    const long n = scale.divisions;
    const double s = scale.pixelsPerCount;
    if (n > 1) {
        for (long j = 1; j < n; ++j)
            a.gridY.push_back(frame.bottom - (T / n * j * s - 0.001));
    } else if (n == 1 && scale.top < 11) {
        for (long c = 1; c < scale.top; ++c)
            a.gridY.push_back(frame.bottom - (c * s - 0.001));
    }
    if (scale.top > 10 && n <= 6) {
        long m = 10 * n;
        for (long j = 1; j < m; ++j)
            if (j % 10 != 0) a.minorGridY.push_back(frame.bottom - (T / m * j * s - 0.001));
    }
    const bool everyOther = frame.everyOtherLabel && scale.top > 500 && scale.top < 1000;
    for (long j = 1; j <= n + 1; ++j) {
        if (everyOther && j % 2 == 1) continue;
        double value = T / n * (n + 1 - j);
        double y = frame.labelTop + (j - 1) * frame.height() / n;
        a.scaleLabels.push_back({frame.labelX, y, formatMask(value, "#####")});
    }
    if (scale.top < 11)
        a.scaleLabels.push_back({frame.labelX, frame.labelTop + frame.height() / 2, formatMask(5, "#####")});
    return a;
}

std::vector<Bar> histogramBars(std::span<const long> frequency, const VerticalScale& scale,
                               const HistogramFrame& frame) {
    std::vector<Bar> bars;
    const double K = static_cast<double>(frequency.size());
    const double step = frame.width() / K;
    for (std::size_t k = 0; k < frequency.size(); ++k) {
        double i = static_cast<double>(k + 1);
        Bar b;
        b.left = frame.left + step * (i - 1) + 2;
        b.right = frame.left + step * i - 2;
        b.height = std::max(0.0, static_cast<double>(frequency[k]) * scale.pixelsPerCount - 0.001);
        b.top = frame.bottom - b.height;
        b.centreX = frame.left + step * (i - 0.5);
        bars.push_back(b);
    }
    return bars;
}

namespace {

const char* boundMask(int decimalPlaces) {
    switch (std::clamp(decimalPlaces, 1, 4)) {
    case 1:
        return "########.#";
    case 2:
        return "########.##";
    case 3:
        return "########.###";
    default:
        return "########.####";
    }
}

} // namespace

std::vector<std::string> classLabelTexts(const GraphClasses& c, int decimalPlaces, bool dataHasNegative) {
    std::vector<std::string> labels;
    const char* mask = boundMask(decimalPlaces);
    const double w = c.width();
    for (int i = 1; i <= c.count; ++i) {
        std::string lo = trimBlanks(formatMask(c.lower + (i - 1) * w, mask));
        std::string hi = trimBlanks(formatMask(c.lower + i * w, mask));
        if (c.fold && i == 1 && !(!dataHasNegative && lo == "0.00")) lo = " ";
        if (c.fold && i == c.count) hi = " ";
        labels.push_back(padLeft(lo, 12) + "-" + padRight(hi, 12));
    }
    return labels;
}

int screenLabelShiftK(int k) {
    if (k < 8) return 43;
    if (k < 11) return 35;
    if (k < 21) return 21;
    if (k < 31) return 17;
    if (k < 51) return 14;
    return 0;
}

int screenLabelAdjustK(int k) {
    if (k < 15) return 10;
    if (k < 25) return 5;
    return 0;
}

int screenLabelShiftL(std::size_t len) {
    static constexpr std::pair<std::size_t, int> kSteps[] = {{8, 50},  {9, 45},  {10, 40}, {11, 35},
                                                             {12, 30}, {14, 25}, {18, 15}, {20, 5}};
    for (auto [limit, shift] : kSteps)
        if (len < limit) return shift;
    return 0;
}

// On paper the tests run from the widest condition to the narrowest and the last true one wins.
int paperLabelShiftK(int k) {
    return screenLabelShiftK(k);
}

int paperLabelAdjustK(int k) {
    if (k < 15) return 50;
    if (k < 25) return 40;
    if (k < 35) return 30;
    if (k < 51) return 20;
    return 0;
}

int paperLabelShiftL(std::size_t c) {
    static constexpr std::pair<std::size_t, int> kSteps[] = {
        {20, -5}, {19, -10}, {18, 0},  {17, 5},  {16, 10}, {15, 20}, {14, 30},
        {13, 40}, {12, 50},  {11, 60}, {10, 70}, {9, 80},  {8, 90}};
    int shift = -20;
    for (auto [limit, value] : kSteps)
        if (c < limit) shift = value;
    return shift;
}

std::vector<PlacedText> screenClassLabels(const GraphClasses& c, int decimalPlaces, bool dataHasNegative) {
    std::vector<PlacedText> out;
    auto texts = classLabelTexts(c, decimalPlaces, dataHasNegative);
    if (texts.empty()) return out;
    std::size_t lastLength = trimBlanks(texts.back()).size();
    const int dK = screenLabelShiftK(c.count), aK = screenLabelAdjustK(c.count);
    const int dL = screenLabelShiftL(lastLength);
    for (int i = 1; i <= c.count; ++i) {
        double x = kHistLeft - dK + kHistWidth * i / c.count - aK;
        out.push_back({x, 680.0 - dL, texts[static_cast<std::size_t>(i - 1)]});
    }
    return out;
}

} // namespace kl
