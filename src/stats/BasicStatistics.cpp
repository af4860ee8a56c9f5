#include "stats/BasicStatistics.h"

#include "data/DataSet.h"
#include "text/Mask.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <charconv>
#include <cmath>

namespace kl {

namespace {

constexpr int kLeft = 220;
constexpr const char* kFigureMask = "######.######";
constexpr const char* kShapeMask = "#####.####";

bool allFinite(std::span<const double> v) {
    for (double d : v)
        if (!std::isfinite(d)) return false;
    return true;
}

// Line k (0-based) below the header: y = 100 + 20k.
StatisticsLine at(int k, std::string text) {
    return {kLeft, 100 + 20 * k, std::move(text)};
}

std::string figure(const char* label, double v) {
    return std::string(label) + formatMask(v, kFigureMask);
}

std::string shapeFigure(const char* label, bool calculated, double v, const std::string& sig) {
    std::string out = label;
    if (!calculated) return out + padLeft("Not calc", std::string_view(kShapeMask).size());
    return out + formatMask(v, kShapeMask) + sig;
}

void appendHeadLines(std::vector<StatisticsLine>& lines, const BasicStatistics& s, bool withFigures) {
    lines.push_back({240, 70, translate("BasicStatistics", "( 基礎計算結果 )")});
    lines.push_back(at(0, "  Sample size   =  " + formatMask(s.sampleSize, "#############")));
    if (!withFigures) return;
    lines.push_back(at(1, figure("  Mean          =  ", s.mean)));
    lines.push_back(at(2, figure("  Minimum       =  ", s.minimum)));
    lines.push_back(at(3, figure("  Maximum       =  ", s.maximum)));
    lines.push_back(at(4, figure("  RNG           =  ", s.range)));
    lines.push_back(at(5, figure("  S.D.(N-1)     =  ", s.sdSample)));
    lines.push_back(at(6, figure("  S.D.(N)       =  ", s.sdPopulation)));
    lines.push_back(at(7, figure("  Mean-1.96SD   =  ", s.meanMinus196Sd)));
    lines.push_back(at(8, figure("  Mean+1.96SD   =  ", s.meanPlus196Sd)));
}

void appendShapeLines(std::vector<StatisticsLine>& lines, const BasicStatistics& s) {
    static const char* const titles[3] = {"  ( normal data )", "  ( log-transformed data )",
                                          "  ( cube-transformed data )"};
    for (int f = 0; f < 3; ++f) {
        const ShapeStatistics& sh = s.shape[static_cast<std::size_t>(f)];
        int k = 9 + 3 * f;
        lines.push_back(at(k, titles[f]));
        lines.push_back(
            at(k + 1, shapeFigure("  Skewness      =  ", sh.calculated, sh.skewness, sh.skewnessLabel)));
        lines.push_back(
            at(k + 2, shapeFigure("  Kurtosis      =  ", sh.calculated, sh.kurtosis, sh.kurtosisLabel)));
    }
}

StatisticsOutcome refuse(StatisticsOutcome out, bool withFigures) {
    out.suitable = false;
    appendHeadLines(out.lines, out.statistics, withFigures);
    out.message = unsuitableSampleMessage();
    return out;
}

} // namespace

Message unsuitableSampleMessage() {
    return {"Not calculate", translate("BasicStatistics", "標本が適当なデータではありません。      "),
            Buttons::Ok, Icon::Information};
}

std::string significanceLabel(double z) {
    if (z > kZ001) return " (P<0.001)";
    if (z > kZ01) return " (P<0.01)";
    if (z > kZ05) return " (P<0.05)";
    return " ( N.S )";
}

ShapeStatistics shapeStatistics(std::span<const double> y) {
    ShapeStatistics sh;
    const double c = static_cast<double>(y.size());
    if (y.empty()) return sh;
    double sum = 0;
    for (double v : y)
        sum += v;
    const double a = sum / c;
    double s2 = 0, s3 = 0, s4 = 0;
    std::size_t inWindow = 0;
    for (double v : y) {
        if (!(v >= -kShapeWindow && v <= kShapeWindow)) continue;
        double d = v - a;
        double d2 = d * d;
        s2 += d2;
        s3 += d2 * d;
        s4 += d2 * d2;
        ++inWindow;
    }
    if (inWindow == 0 || s2 == 0) return sh;
    sh.skewness = std::sqrt(c) * s3 / std::pow(s2, 1.5);
    sh.kurtosis = c * s4 / (s2 * s2);
    sh.zSkewness = std::fabs(sh.skewness * std::sqrt((c + 1) * (c + 3) / 6 / (c - 2)));
    sh.zKurtosis = std::fabs(sh.kurtosis - 3 * (c - 1) / (c + 1)) * (c + 1) *
                   std::sqrt((c + 3) * (c + 5) / 24 / c / (c - 2) / (c - 3));
    double figures[] = {sh.skewness, sh.kurtosis, sh.zSkewness, sh.zKurtosis};
    if (!allFinite(figures)) return ShapeStatistics{};
    sh.calculated = true;
    sh.skewnessLabel = significanceLabel(sh.zSkewness);
    sh.kurtosisLabel = significanceLabel(sh.zKurtosis);
    return sh;
}

std::vector<double> transformedForm(std::span<const double> x, DataForm form, double minimum,
                                    double maximum) {
    std::vector<double> y(x.begin(), x.end());
    const double shift = std::fabs(minimum) + 1;
    if (form == DataForm::Log) {
        for (double& v : y)
            v = minimum <= 0 ? std::log(v + shift) : std::log(v);
    } else if (form == DataForm::Cube) {
        // The divisions accumulate, one after the other, as the maximum passes each step.
        for (double& v : y) {
            if (maximum > 1000) v /= 10;
            if (maximum > 10000) v /= 100;
            if (maximum > 100000) v /= 1000;
            if (maximum > 1000000) v /= 10000;
            double base = minimum <= 0 ? v + shift : v;
            v = base * base * base;
        }
    }
    return y;
}

SampleSpread sampleSpread(std::span<const double> x) {
    SampleSpread s;
    if (x.empty()) return s;
    const double n = static_cast<double>(x.size());
    double sum = 0;
    s.minimum = s.maximum = x[0];
    for (double v : x) {
        sum += v;
        s.minimum = std::min(s.minimum, v);
        s.maximum = std::max(s.maximum, v);
    }
    s.mean = sum / n;
    s.range = s.maximum - s.minimum;
    if (x.size() < 2) return s;
    double squares = 0;
    for (double v : x)
        squares += (v - s.mean) * (v - s.mean);
    s.sdSample = std::sqrt(squares / (n - 1));
    s.sdPopulation = std::sqrt(squares / n);
    s.meanMinus196Sd = s.mean - kFactor196 * s.sdSample;
    s.meanPlus196Sd = s.mean + kFactor196 * s.sdSample;
    return s;
}

FormShapes formShapes(std::span<const double> x, double minimum, double maximum) {
    return {shapeStatistics(x), shapeStatistics(transformedForm(x, DataForm::Log, minimum, maximum)),
            shapeStatistics(transformedForm(x, DataForm::Cube, minimum, maximum))};
}

StatisticsOutcome computeBasicStatistics(std::span<const double> x) {
    StatisticsOutcome out;
    BasicStatistics& s = out.statistics;
    s.sampleSize = static_cast<int>(x.size());
    if (x.size() < 2 || !allFinite(x)) return refuse(std::move(out), false);

    static_cast<SampleSpread&>(s) = sampleSpread(x);
    double head[] = {s.mean, s.range, s.sdSample, s.sdPopulation, s.meanMinus196Sd, s.meanPlus196Sd};
    if (!allFinite(head)) return refuse(std::move(out), false);
    if (s.sdSample < kMinSd) return refuse(std::move(out), true);

    s.shape = formShapes(x, s.minimum, s.maximum);
    out.suitable = true;
    out.lines = statisticsBlockLines(s);
    return out;
}

StatisticsOutcome computeBasicStatistics(const DataSet& data) {
    std::vector<double> x = data.numbers();
    return computeBasicStatistics(std::span<const double>(x));
}

std::vector<StatisticsLine> statisticsBlockLines(const BasicStatistics& s) {
    std::vector<StatisticsLine> lines;
    appendHeadLines(lines, s, true);
    appendShapeLines(lines, s);
    return lines;
}

std::string keptNumberText(double v) {
    if (v == 0 || !std::isfinite(v)) return "0";
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (res.ec != std::errc{}) return "0";
    return std::string(buf, res.ptr);
}

} // namespace kl
