#include "refint/ReferenceInterval.h"

#include "refint/Bootstrap.h"
#include "refint/Distributions.h"
#include "refint/Robust.h"
#include "refint/RobustCounted.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace kl::refint {

const char* methodName(Method m) {
    switch (m) {
    case Method::Nonparametric:
        return "Nonparametric (CLSI EP28-A3c)";
    case Method::BoxCox:
        return "Parametric (Box-Cox, λ by maximum likelihood)";
    case Method::Robust:
        return "Robust (Horn & Pesce)";
    case Method::RobustTransformed:
        return "Robust, Box-Cox scale (Horn & Pesce)";
    }
    return "";
}

const char* methodKey(Method m) {
    switch (m) {
    case Method::Nonparametric:
        return "nonparametric";
    case Method::BoxCox:
        return "boxcox";
    case Method::Robust:
        return "robust";
    case Method::RobustTransformed:
        return "robust_boxcox";
    }
    return "";
}

std::size_t methodMinimum(Method m) {
    return m == Method::Nonparametric ? 2 : 8;
}

namespace {

MethodRow rowOf(Method m) {
    MethodRow r;
    r.method = m;
    return r;
}

std::string bootstrapSource(const IntervalOptions& o) {
    std::ostringstream s;
    s << "percentile bootstrap, " << o.bootstrap << " resamples, seed " << o.seed;
    return s.str();
}

MethodRow nonparametricRow(const Sample& s, const std::optional<ConfidenceRanks>& ranks) {
    MethodRow r = rowOf(Method::Nonparametric);
    r.available = true;
    r.lower.value = quantileType6(s, 0.025);
    r.upper.value = quantileType6(s, 0.975);
    if (ranks) {
        r.lower = {r.lower.value, true, {s.ordered(ranks->lower.low), s.ordered(ranks->lower.high)}};
        r.upper = {r.upper.value, true, {s.ordered(ranks->upper.low), s.ordered(ranks->upper.high)}};
        std::ostringstream o;
        o << "exact ranks " << ranks->lower.low << "-" << ranks->lower.high << " and " << ranks->upper.low
          << "-" << ranks->upper.high;
        r.ciSource = o.str();
    } else {
        r.ciSource = "no exact interval below 119 values";
    }
    return r;
}

MethodRow boxCoxRow(const Sample& s, const std::optional<double>& lambda, const std::string& why,
                    std::optional<NormalityTest>& normality) {
    MethodRow r = rowOf(Method::BoxCox);
    if (!lambda) {
        r.reason = why;
        return r;
    }
    ParametricLimits p = parametricLimits(s, *lambda);
    normality = p.normality;
    r.available = std::isfinite(p.upper);
    if (!r.available) {
        r.reason = "the upper limit lies beyond the range of the back-transformation";
        return r;
    }
    r.lower = {p.lower, true, p.lowerCi};
    r.upper = {p.upper, true, p.upperCi};
    r.ciSource = "limit ± 1.645·s·√(1/n + 1.96²/(2n)) on the transformed scale";
    return r;
}

Sample transformed(const Sample& s, double lambda) {
    Sample t = s;
    for (double& v : t.values)
        v = boxCox(v, lambda);
    return t;
}

MethodRow robustRow(Method m, const Sample& s, double t, const std::optional<double>& lambda,
                    const std::string& lambdaWhy) {
    MethodRow r = rowOf(m);
    if (m == Method::RobustTransformed && !lambda) {
        r.reason = lambdaWhy;
        return r;
    }
    std::string why;
    auto limits =
        m == Method::Robust ? robustLimits(s, t, &why) : robustLimits(transformed(s, *lambda), t, &why);
    if (!limits) {
        r.reason = why;
        return r;
    }
    r.available = true;
    bool raw = m == Method::Robust;
    r.lower.value = raw ? limits->lower : inverseBoxCox(limits->lower, *lambda);
    r.upper.value = raw ? limits->upper : inverseBoxCox(limits->upper, *lambda);
    if (!std::isfinite(r.upper.value)) {
        r.available = false;
        r.reason = "the upper limit lies beyond the range of the back-transformation";
    }
    return r;
}

// Columns of the bootstrap rows: lower and upper of the nonparametric, robust and transformed
// robust limits.
constexpr std::size_t kWidth = 6;

void bootstrapStatistics(const Sample& resample, std::span<double> out, bool nonparametric, double t,
                         const std::optional<double>& lambda, const Sample& transformedTemplate) {
    std::fill(out.begin(), out.end(), std::nan(""));
    if (nonparametric) {
        out[0] = quantileType6(resample, 0.025);
        out[1] = quantileType6(resample, 0.975);
    }
    // One running total of the counts serves both scales (the transformation keeps the order).
    thread_local std::vector<std::size_t> prefix;
    prefixCounts(resample.counts, prefix);
    if (auto r = robustLimitsCounted(resample.values, resample.counts, prefix, t))
        out[2] = r->lower, out[3] = r->upper;
    if (lambda) {
        if (auto r = robustLimitsCounted(transformedTemplate.values, resample.counts, prefix, t))
            out[4] = r->lower, out[5] = r->upper;
    }
}

void applyBootstrap(IntervalResult& result, const Sample& s, double t) {
    const IntervalOptions& o = result.options;
    bool nonparametric = !result.ranks;
    Sample y = result.lambda ? transformed(s, *result.lambda) : Sample{};
    auto rows = bootstrap(s, kWidth,
                          [&](const Sample& resample, std::span<double> out) {
                              bootstrapStatistics(resample, out, nonparametric, t, result.lambda, y);
                          },
                          {o.bootstrap, o.seed, o.threads});
    auto fill = [&](MethodRow& row, std::size_t column, bool transformedScale) {
        if (!row.available) return;
        PercentileInterval lo = percentileInterval(rows, kWidth, column);
        PercentileInterval hi = percentileInterval(rows, kWidth, column + 1);
        if (!lo.valid || !hi.valid) {
            row.ciSource = "the bootstrap failed on most resamples";
            return;
        }
        auto back = [&](double v) { return transformedScale ? inverseBoxCox(v, *result.lambda) : v; };
        row.lower.hasCi = row.upper.hasCi = true;
        row.lower.ci = {back(lo.interval.low), back(lo.interval.high)};
        row.upper.ci = {back(hi.interval.low), back(hi.interval.high)};
        row.ciSource = bootstrapSource(o);
    };
    if (nonparametric) fill(result.rows[0], 0, false);
    fill(result.rows[2], 2, false);
    fill(result.rows[3], 4, true);
}

void addWarnings(IntervalResult& r) {
    if (r.n < kFewForAnyMethod) r.warnings.push_back("fewer than 40 values: no method gives reliable limits");
    if (r.n < kFewForRanks)
        r.warnings.push_back("fewer than 120 values: the nonparametric limits have no exact 90 % confidence "
                             "interval" +
                             std::string(r.options.bootstrap ? " (bootstrap interval shown)" : ""));
    if (r.normality && r.normality->rejects)
        r.warnings.push_back("the Box-Cox-transformed values are not normal (Anderson-Darling p < 0.05): "
                             "prefer the nonparametric limits");
}

} // namespace

namespace {

void computeRows(IntervalResult& result, std::span<const double> values) {
    if (result.n < methodMinimum(Method::Nonparametric)) return;
    Sample s = Sample::of(values);
    result.ranks = confidenceRanks(s.n);
    result.rows[0] = nonparametricRow(s, result.ranks);
    if (result.n < methodMinimum(Method::BoxCox)) return;
    result.lambda = maximumLikelihoodLambda(s, &result.lambdaReason);
    result.rows[1] = boxCoxRow(s, result.lambda, result.lambdaReason, result.normality);
    double t = studentQuantile(0.975, static_cast<double>(s.n - 1));
    result.rows[2] = robustRow(Method::Robust, s, t, result.lambda, result.lambdaReason);
    result.rows[3] = robustRow(Method::RobustTransformed, s, t, result.lambda, result.lambdaReason);
    for (std::size_t i = 2; i < 4; ++i)
        if (result.rows[i].available) result.rows[i].ciSource = "90 % interval needs the bootstrap";
    if (result.options.bootstrap) applyBootstrap(result, s, t);
}

} // namespace

IntervalResult computeIntervals(std::span<const double> values, const IntervalOptions& options) {
    IntervalResult result;
    result.options = options;
    result.n = values.size();
    for (Method m : kMethods) {
        MethodRow row = rowOf(m);
        std::ostringstream why;
        why << "fewer than " << methodMinimum(m) << " values";
        row.reason = why.str();
        result.rows.push_back(row);
    }
    computeRows(result, values);
    addWarnings(result);
    return result;
}

std::vector<double> withoutIndices(std::span<const double> values, std::span<const std::size_t> leftOut) {
    std::vector<char> drop(values.size(), 0);
    for (std::size_t i : leftOut)
        if (i < values.size()) drop[i] = 1;
    std::vector<double> kept;
    kept.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!drop[i]) kept.push_back(values[i]);
    return kept;
}

} // namespace kl::refint
