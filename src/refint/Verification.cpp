#include "refint/Verification.h"

#include "refint/Distributions.h"

#include <cmath>

namespace kl::refint {

std::size_t binomialAllowance(std::size_t n) {
    // k is allowed while P(X >= k) = 1 - P(X <= k - 1) stays >= 0.05; the terms are summed once.
    const double dn = static_cast<double>(n), lgn = std::lgamma(dn + 1);
    double below = 0; // P(X <= k - 1)
    std::size_t k = 0;
    while (k < n && 1 - below >= 0.05) {
        const double dk = static_cast<double>(k);
        below += std::exp(lgn - std::lgamma(dk + 1) - std::lgamma(dn - dk + 1) + dk * std::log(0.05) +
                          (dn - dk) * std::log(0.95));
        ++k;
    }
    // The loop stopped at the first k rejected, or at n with every count still allowed.
    return 1 - below >= 0.05 ? k : k - 1;
}

double acceptanceProbability(VerificationRule rule, std::size_t n, std::size_t allowed, double p) {
    if (rule == VerificationRule::TwoStage) {
        double stage = binomialCdf(static_cast<long>(allowed), 20, p);
        return stage + (1 - stage) * stage;
    }
    return binomialCdf(static_cast<long>(allowed), n, p);
}

Verification verifyInterval(std::span<const double> values, double lower, double upper) {
    Verification v;
    v.n = values.size();
    auto outside = [&](double x) { return x < lower || x > upper; };
    for (std::size_t i = 0; i < v.n; ++i) {
        if (!outside(values[i])) continue;
        ++v.outside;
        (i < 20 ? v.outsideFirst : v.outsideSecond) += 1;
    }
    if (v.n == 20 || v.n == 40) {
        v.rule = v.n == 20 ? VerificationRule::OneStage : VerificationRule::TwoStage;
        v.allowed = 2;
        v.secondStageUsed = v.n == 40 && v.outsideFirst > 2;
        v.accepted = v.outsideFirst <= 2 || (v.secondStageUsed && v.outsideSecond <= 2);
    } else {
        v.rule = VerificationRule::Binomial;
        v.allowed = binomialAllowance(v.n);
        v.accepted = v.outside <= v.allowed;
    }
    if (v.rule != VerificationRule::TwoStage) v.outsideFirst = v.outsideSecond = 0;
    v.passIfRight = acceptanceProbability(v.rule, v.n, v.allowed, 0.05);
    for (std::size_t i = 0; i < kTrulyOutside.size(); ++i)
        v.passIfOutside[i] = acceptanceProbability(v.rule, v.n, v.allowed, kTrulyOutside[i]);
    return v;
}

std::optional<PermissibleBands> permissibleBands(double lower, double upper) {
    if (!(lower > 0) || !(upper > lower) || !std::isfinite(upper)) return std::nullopt;
    double s = (std::log(upper) - std::log(lower)) / 3.92;
    PermissibleBands b;
    b.cv = 100 * std::sqrt(std::expm1(s * s));
    if (b.cv < 0.25) return std::nullopt;
    double f = std::sqrt(b.cv - 0.25), g = std::sqrt(lower * upper);
    auto pu = [&](double limit) { return f * (1.024 * limit + 0.256 * g) / 100; };
    b.lower = {lower - pu(lower), lower + pu(lower)};
    b.upper = {upper - pu(upper), upper + pu(upper)};
    return b;
}

LimitVerdict judgeLimit(double estimate, Band estimateBand, Band targetBand) {
    if (estimate >= targetBand.low && estimate <= targetBand.high) return {Light::Green, "consistent"};
    bool low = estimate < targetBand.low;
    bool overlap = estimateBand.low <= targetBand.high && estimateBand.high >= targetBand.low;
    if (overlap) return {Light::Yellow, low ? "slightly decreased" : "slightly increased"};
    return {Light::Red, low ? "markedly decreased" : "markedly increased"};
}

const char* lightName(Light light) {
    switch (light) {
    case Light::Green:
        return "green";
    case Light::Yellow:
        return "yellow";
    case Light::Red:
        return "red";
    }
    return "";
}

const char* ruleName(VerificationRule rule) {
    switch (rule) {
    case VerificationRule::OneStage:
        return "one stage (20 samples, at most 2 outside)";
    case VerificationRule::TwoStage:
        return "two stages (20 + 20 samples, at most 2 outside each)";
    case VerificationRule::Binomial:
        return "exact binomial (reject when P(X >= k | n, 0.05) < 0.05)";
    }
    return "";
}

} // namespace kl::refint
