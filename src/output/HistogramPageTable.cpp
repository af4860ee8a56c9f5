// The statistics table of the histogram page: the figures of the values the histogram counts,
// then the normality tests of the three forms when the sample is large enough and spread.

#include "output/HistogramPage.h"

#include "stats/BasicStatistics.h"
#include "text/Mask.h"

#include <string>

namespace kl {

namespace {

constexpr const char* kFigure = "   ";
constexpr const char* kFigureMask = "######.######";
constexpr const char* kShapeMask = "######.####";
// Fewer values than this give no normality rows.
constexpr long kMinShapeSample = 25;

std::string figure(double v) {
    return kFigure + formatMask(v, kFigureMask);
}

std::string shapeValue(const ShapeStatistics& s, bool skewness) {
    if (!s.calculated) return "  Not calc";
    return formatMask(skewness ? s.skewness : s.kurtosis, kShapeMask) +
           (skewness ? s.skewnessLabel : s.kurtosisLabel);
}

void drawGrid(Canvas& c, double d) {
    static constexpr double kWhite[][4] = {
        {182, 1547, 478, 1998},  {182, 2052, 478, 2148},  {182, 2202, 478, 2298},  {182, 2352, 478, 2453},
        {182, 2002, 1078, 2048}, {182, 2152, 1078, 2198}, {182, 2302, 1078, 2348},
    };
    for (const auto& r : kWhite)
        c.fillBox(r[0], r[1] - d, r[2], r[3] - d, White);
    c.box(180, 1545 - d, 1080, 2455 - d, Black);
    static constexpr double kColumn[][2] = {{1545, 2000}, {2050, 2150}, {2200, 2300}, {2350, 2455}};
    for (const auto& s : kColumn)
        c.line(480, s[0] - d, 480, s[1] - d, Black);
    for (double y : {2000.0, 2050.0, 2150.0, 2200.0, 2300.0, 2350.0})
        c.line(180, y - d, 1080, y - d, Black);
}

} // namespace

void drawStatisticsTable(Canvas& c, const SampleFigures& f, double d) {
    drawGrid(c, d);
    const Font font{kMincho, 14, false, false};
    auto row = [&](double y, const std::string& text) { c.text(200, y - d, text, font, Black); };
    c.text(180, 1490 - d, "=== Statistic === ", font, Black);
    row(1550,
        std::string("Samplesize   ") + "       " + formatMask(static_cast<double>(f.size), "#########"));
    if (f.size < 1) return;
    row(1600, "Mean         " + figure(f.mean));
    row(1650, "Minimum      " + figure(f.minimum));
    row(1700, "Maximum      " + figure(f.maximum));
    row(1750, "RNG          " + figure(f.maximum - f.minimum));
    const bool spread = f.size > 1;
    row(1800, "SD(n-1)      " + (spread ? figure(f.sdSample) : std::string("       Not calc")));
    row(1850, "SD(n)        " + (spread ? figure(f.sdPopulation) : std::string("       Not calc")));
    row(1900, "M-1.96SD     " + (spread ? figure(f.meanMinus196Sd) : std::string("       Not calc ")));
    row(1950, "M+1.96SD     " + (spread ? figure(f.meanPlus196Sd) : std::string("       Not calc ")));
    // A small or flat sample says nothing about its shape: the table ends here, without a message.
    if (f.size < kMinShapeSample || !spread || f.sdSample < kMinSd) return;
    static constexpr const char* kForms[3] = {"Normal data    ", "Log-transformed data   ",
                                              "Cube-transformed data"};
    for (int k = 0; k < 3; ++k) {
        const double y = 2000 + 150 * k;
        row(y, kForms[k]);
        row(y + 50, "Skewness     " + shapeValue(f.shape[static_cast<std::size_t>(k)], true));
        row(y + 100, "Kurtosis     " + shapeValue(f.shape[static_cast<std::size_t>(k)], false));
    }
}

} // namespace kl
