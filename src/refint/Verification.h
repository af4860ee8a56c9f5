#pragma once
// Verification of a transferred reference interval on local samples (CLSI EP28-A3c), and the
// permissible uncertainty of a limit (Hoffmann et al.) with its colour verdict.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace kl::refint {

enum class VerificationRule {
    OneStage, // 20 samples, at most 2 outside
    TwoStage, // 40 samples: the first 20, and when 3 or more of them fall outside the next 20
    Binomial, // any other n: at most the largest k with P(X >= k | n, 0.05) >= 0.05 outside
};

// The proportions truly outside for which the operating figures are shown.
inline constexpr std::array<double, 4> kTrulyOutside = {0.10, 0.15, 0.20, 0.30};

struct Verification {
    VerificationRule rule = VerificationRule::Binomial;
    std::size_t n = 0;
    std::size_t outside = 0;       // below L or above U, all samples
    std::size_t outsideFirst = 0;  // of the first 20 (two stages)
    std::size_t outsideSecond = 0; // of the next 20 (two stages)
    bool secondStageUsed = false;
    std::size_t allowed = 0; // the most outside (per stage) still accepted
    bool accepted = false;
    double passIfRight = 0;                // P(accept | 5 % truly outside)
    std::array<double, 4> passIfOutside{}; // P(accept) for kTrulyOutside
};

// The most outside the binomial rule accepts for n samples.
std::size_t binomialAllowance(std::size_t n);
// P(accept) when a share p truly falls outside, for the rule with n samples and its allowance.
double acceptanceProbability(VerificationRule rule, std::size_t n, std::size_t allowed, double p);

// Values equal to a limit count as inside. n = 20 and n = 40 follow the stages (in the order
// given); other n the binomial rule. n must be at least 1.
Verification verifyInterval(std::span<const double> values, double lower, double upper);

struct Band {
    double low = 0, high = 0;
};
struct PermissibleBands {
    double cv = 0; // % of the interval's log-normal scatter
    Band lower, upper;
};
// Bands limit ± pU(limit) of an interval 0 < L < U; nothing otherwise.
std::optional<PermissibleBands> permissibleBands(double lower, double upper);

enum class Light { Green, Yellow, Red };

struct LimitVerdict {
    Light light = Light::Green;
    std::string words; // "consistent", "slightly decreased", "markedly increased" ...
};

// An estimate inside the target's band is green; its own band overlapping the target's is yellow
// ("slightly"); otherwise red ("markedly"); decreased or increased by the side of the estimate.
LimitVerdict judgeLimit(double estimate, Band estimateBand, Band targetBand);

const char* lightName(Light light); // "green", "yellow", "red"
const char* ruleName(VerificationRule rule);

} // namespace kl::refint
