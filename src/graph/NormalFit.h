#pragma once
// The normal distribution fitted to the values the histogram shows, its class probabilities
// and expected frequencies, and the control points of the theoretical curve.

#include "graph/HistogramGeometry.h"
#include "graph/Point.h"
#include "stats/GraphClasses.h"

#include <optional>
#include <span>
#include <vector>

namespace kl {

struct NormalFit {
    long n = 0;
    double mean = 0;
    double sd = 0; // divisor n - 1
};

// Nothing when fewer than 2 values are shown or a sum is not finite. The variance is summed in
// two passes and clamped at 0, so nearly constant data never give a negative variance.
std::optional<NormalFit> fitNormal(std::span<const double> values, const GraphClasses& classes);

// The same fit over values already chosen by the class rule.
std::optional<NormalFit> fitNormalToShown(std::span<const double> shown);

// Normal probability below z by Abramowitz-Stegun 26.2.19 with its single-precision coefficients.
double normalCdfAS(double z);

// p(1..K): the first class takes the whole lower tail and the last class the whole upper tail.
std::vector<double> classProbabilities(const NormalFit& fit, const GraphClasses& classes);

// e(i) = p(i) n.
std::vector<double> expectedFrequencies(const NormalFit& fit, const GraphClasses& classes);

// Control points of the theoretical curve: classes 2..K-1 whose expected bar is at least 0.1 px.
std::vector<Point> theoreticalControlPoints(std::span<const double> expected, const VerticalScale& scale);

} // namespace kl
