#pragma once
// Every direct reference-interval method on one data set: the rows a laboratory reads side by
// side, each with its 90 % confidence intervals or the reason it is missing, and the sample-size
// warnings.

#include "refint/BoxCox.h"
#include "refint/Nonparametric.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl::refint {

enum class Method { Nonparametric, BoxCox, Robust, RobustTransformed };
inline constexpr Method kMethods[] = {Method::Nonparametric, Method::BoxCox, Method::Robust,
                                      Method::RobustTransformed};

// "Nonparametric (CLSI EP28-A3c)", ...
const char* methodName(Method m);
// "nonparametric", "boxcox", "robust", "robust_boxcox": keys of the machine-readable output.
const char* methodKey(Method m);
// The fewest values a method computes from.
std::size_t methodMinimum(Method m);

struct Limit {
    double value = 0;
    bool hasCi = false;
    Interval90 ci;
};

struct MethodRow {
    Method method = Method::Nonparametric;
    bool available = false;
    std::string reason; // why the row is missing
    Limit lower, upper;
    std::string ciSource; // how the 90 % intervals were found; why they are missing
};

struct IntervalOptions {
    std::size_t bootstrap = 0; // resamples; 0: no bootstrap intervals
    std::uint64_t seed = 1;
    unsigned threads = 2;
};

struct IntervalResult {
    std::size_t n = 0;
    std::vector<std::string> warnings;
    std::vector<MethodRow> rows; // in kMethods order
    std::optional<double> lambda;
    std::string lambdaReason; // why there is no λ
    std::optional<NormalityTest> normality;
    std::optional<ConfidenceRanks> ranks;
    IntervalOptions options;

    const MethodRow& row(Method m) const { return rows[static_cast<std::size_t>(m)]; }
};

inline constexpr std::size_t kFewForRanks = 120, kFewForAnyMethod = 40;

IntervalResult computeIntervals(std::span<const double> values, const IntervalOptions& options);

// The values with the given indices left out (indices may repeat or be out of range).
std::vector<double> withoutIndices(std::span<const double> values, std::span<const std::size_t> leftOut);

} // namespace kl::refint
