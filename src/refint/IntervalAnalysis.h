#pragma once
// One analysis as the window and the batch command show it: for each group of values the outlier
// screens, what the user left out, every method's limits, and the verification against a target
// interval; the partitioning criteria for every pair of groups.

#include "refint/Outliers.h"
#include "refint/Partitioning.h"
#include "refint/ReferenceInterval.h"
#include "refint/Verification.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kl::refint {

enum class Screen { None, DixonReed, Tukey };

struct TargetInterval {
    double lower = 0, upper = 0;
};

struct AnalysisOptions {
    IntervalOptions interval;
    std::optional<TargetInterval> target;
};

// The local estimate judged against the target's permissible-uncertainty bands.
struct TargetJudgement {
    Method estimate = Method::BoxCox; // the method whose limits were judged
    double lower = 0, upper = 0;      // its limits
    PermissibleBands target;
    std::optional<PermissibleBands> own; // the estimate's own bands
    LimitVerdict lowerVerdict, upperVerdict;
};

struct GroupAnalysis {
    std::string name;
    std::vector<double> values;         // as given
    std::vector<std::size_t> dixonReed; // suspects, indices into values
    TukeyScreen tukey;
    std::vector<std::size_t> leftOut; // indices left out of the computation, ascending
    IntervalResult intervals;
    std::optional<Verification> verification;
    std::optional<TargetJudgement> judgement;
    std::string judgementReason; // why there is no judgement when a target was given

    std::vector<double> kept() const { return withoutIndices(values, leftOut); }
};

// The suspects of a screen (none for Screen::None).
std::vector<std::size_t> suspectsOf(const GroupAnalysis& g, Screen screen);

// The values screened; nothing computed yet (recompute does that).
GroupAnalysis screenGroup(std::string name, std::vector<double> values);
// Screens the values and computes with the suspects of the chosen screen left out.
GroupAnalysis analyseGroup(std::string name, std::vector<double> values, Screen exclude,
                           const AnalysisOptions& options);
// Computes with leftOut (indices into g.values) left out; the screens stay as they were.
void recompute(GroupAnalysis& g, std::vector<std::size_t> leftOut, const AnalysisOptions& options);

struct PairPartition {
    std::size_t first = 0, second = 0; // group indices
    std::optional<Partitioning> criteria;
};

// The criteria for every pair of groups, on the values each kept.
std::vector<PairPartition> partitionPairs(std::span<const GroupAnalysis> groups);

} // namespace kl::refint
