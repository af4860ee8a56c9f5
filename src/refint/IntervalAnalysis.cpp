#include "refint/IntervalAnalysis.h"

#include <algorithm>

namespace kl::refint {

std::vector<std::size_t> suspectsOf(const GroupAnalysis& g, Screen screen) {
    switch (screen) {
    case Screen::None:
        return {};
    case Screen::DixonReed:
        return g.dixonReed;
    case Screen::Tukey:
        return g.tukey.suspects;
    }
    return {};
}

namespace {

void judge(GroupAnalysis& g, const TargetInterval& target) {
    auto bands = permissibleBands(target.lower, target.upper);
    if (!bands) {
        g.judgementReason = "the target interval needs 0 < lower < upper for its permissible bands";
        return;
    }
    // The parametric estimate is the steadier; without it the nonparametric one is judged.
    Method m = g.intervals.row(Method::BoxCox).available ? Method::BoxCox : Method::Nonparametric;
    const MethodRow& row = g.intervals.row(m);
    if (!row.available) {
        g.judgementReason = "no limits to judge";
        return;
    }
    TargetJudgement j;
    j.estimate = m;
    j.lower = row.lower.value;
    j.upper = row.upper.value;
    j.target = *bands;
    j.own = permissibleBands(j.lower, j.upper);
    Band ownLower = j.own ? j.own->lower : Band{j.lower, j.lower};
    Band ownUpper = j.own ? j.own->upper : Band{j.upper, j.upper};
    j.lowerVerdict = judgeLimit(j.lower, ownLower, bands->lower);
    j.upperVerdict = judgeLimit(j.upper, ownUpper, bands->upper);
    g.judgement = j;
}

} // namespace

void recompute(GroupAnalysis& g, std::vector<std::size_t> leftOut, const AnalysisOptions& options) {
    std::sort(leftOut.begin(), leftOut.end());
    leftOut.erase(std::unique(leftOut.begin(), leftOut.end()), leftOut.end());
    leftOut.erase(
        std::remove_if(leftOut.begin(), leftOut.end(), [&](std::size_t i) { return i >= g.values.size(); }),
        leftOut.end());
    g.leftOut = std::move(leftOut);
    std::vector<double> kept = g.kept();
    g.intervals = computeIntervals(kept, options.interval);
    g.verification.reset();
    g.judgement.reset();
    g.judgementReason.clear();
    if (!options.target) return;
    if (!kept.empty()) g.verification = verifyInterval(kept, options.target->lower, options.target->upper);
    judge(g, *options.target);
}

GroupAnalysis screenGroup(std::string name, std::vector<double> values) {
    GroupAnalysis g;
    g.name = std::move(name);
    g.values = std::move(values);
    g.dixonReed = dixonReedScreen(g.values);
    g.tukey = tukeyScreen(g.values);
    return g;
}

GroupAnalysis analyseGroup(std::string name, std::vector<double> values, Screen exclude,
                           const AnalysisOptions& options) {
    GroupAnalysis g = screenGroup(std::move(name), std::move(values));
    recompute(g, suspectsOf(g, exclude), options);
    return g;
}

std::vector<PairPartition> partitionPairs(std::span<const GroupAnalysis> groups) {
    std::vector<PairPartition> pairs;
    for (std::size_t a = 0; a < groups.size(); ++a)
        for (std::size_t b = a + 1; b < groups.size(); ++b)
            pairs.push_back({a, b, partitionCriteria(groups[a].kept(), groups[b].kept())});
    return pairs;
}

} // namespace kl::refint
