#pragma once
// Descriptive statistics and the skewness/kurtosis normality tests on the data as measured,
// log-transformed and cube-transformed, and the text block the main window draws from them.

#include "data/Message.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl {

struct DataSet;

// The factor of the mean ± 1.96 S.D. limits is the single-precision 1.96.
inline constexpr double kFactor196 = static_cast<double>(1.96f);
// A sample whose S.D.(N-1) is below the single-precision 1e-6 is refused.
inline constexpr double kMinSd = static_cast<double>(0.000001f);
// Significance thresholds of the z statistics (single precision; a z equal to one takes the lower label).
inline constexpr double kZ05 = static_cast<double>(1.96059f);
inline constexpr double kZ01 = static_cast<double>(2.57525f);
inline constexpr double kZ001 = static_cast<double>(3.28897f);
// Values of a form outside ±1e10 stay out of its shape sums (but are counted in c and the mean).
inline constexpr double kShapeWindow = 10000000000.0;

enum class DataForm { Measured = 0, Log = 1, Cube = 2 };

struct ShapeStatistics {
    bool calculated = false; // false when no value lay inside the window, S2 was 0 or a figure was not finite
    double skewness = 0;     // √b1, signed
    double kurtosis = 0;     // b2, not reduced by 3
    double zSkewness = 0;
    double zKurtosis = 0;
    std::string skewnessLabel; // " ( N.S )", " (P<0.05)", " (P<0.01)", " (P<0.001)"
    std::string kurtosisLabel;
};

// The location and spread figures of a sample, as every statistics block shows them.
struct SampleSpread {
    double mean = 0;
    double minimum = 0; // the true minimum and maximum of the values
    double maximum = 0;
    double range = 0;
    double sdSample = 0;     // S.D.(N-1)
    double sdPopulation = 0; // S.D.(N)
    double meanMinus196Sd = 0;
    double meanPlus196Sd = 0;
};

// Mean, minimum, maximum and range of x (one value or more); from two values on also the S.D.s
// and the mean ∓ 1.96 S.D.(N-1) limits (left 0 for one value).
SampleSpread sampleSpread(std::span<const double> x);

using FormShapes = std::array<ShapeStatistics, 3>; // indexed by DataForm

struct BasicStatistics : SampleSpread {
    int sampleSize = 0;
    FormShapes shape;
};

// One text of the results block: its left edge and top in window pixels.
struct StatisticsLine {
    int x = 0;
    int y = 0;
    std::string text;

    bool operator==(const StatisticsLine&) const = default;
};

struct StatisticsOutcome {
    bool suitable = false;
    BasicStatistics statistics;
    // The block in drawing order. On an unsuitable sample, the lines drawn before the refusal.
    std::vector<StatisticsLine> lines;
    std::optional<Message> message; // the "Not calculate" refusal
};

StatisticsOutcome computeBasicStatistics(std::span<const double> x);
StatisticsOutcome computeBasicStatistics(const DataSet& data);

// Shape of one form of the data (c = y.size()).
ShapeStatistics shapeStatistics(std::span<const double> y);
// The numbers of form 1 or 2 (form 0 is x itself), from the minimum and maximum of x.
std::vector<double> transformedForm(std::span<const double> x, DataForm form, double minimum, double maximum);
// The shape of x as measured, log-transformed and cube-transformed (minimum and maximum of x).
FormShapes formShapes(std::span<const double> x, double minimum, double maximum);
// " ( N.S )" .. " (P<0.001)" for a z statistic.
std::string significanceLabel(double z);

// The whole block (header, nine figures, three shape groups) as drawn for a suitable sample.
std::vector<StatisticsLine> statisticsBlockLines(const BasicStatistics& s);

Message unsuitableSampleMessage();

// The kept minimum and maximum as plain fixed-notation texts (never an exponent).
std::string keptNumberText(double v);

} // namespace kl
