#pragma once
// Whether two subgroups need separate reference intervals: the criteria of Harris & Boyd,
// Lahti and Ichihara side by side (they disagree in real data; the user decides).

#include <array>
#include <optional>
#include <span>
#include <string>

namespace kl::refint {

struct HarrisBoyd {
    std::optional<double> lambda; // common Box-Cox λ of both groups; none: raw values
    double z = 0, zStar = 0, sdRatio = 0;
    bool partition = false;
};

enum class LahtiVerdict { Combine, Marginal, Partition };

struct Lahti {
    double combinedLower = 0, combinedUpper = 0; // type 6 limits of both groups together
    // Percent of group g below the lower [g][0] and above the upper limit [g][1].
    std::array<std::array<double, 2>, 2> percentOutside{};
    LahtiVerdict verdict = LahtiVerdict::Combine;
};

struct Ichihara {
    double sdBetween = 0, sdReference = 0, sdr = 0;
    bool partition = false;
};

struct Partitioning {
    std::size_t n1 = 0, n2 = 0;
    HarrisBoyd harrisBoyd;
    Lahti lahti;
    Ichihara ichihara;
};

// The verdict of one share (percent): > 4.1 or < 0.9 partition, <= 3.2 combine, else marginal.
LahtiVerdict lahtiShareVerdict(double percent);
const char* lahtiName(LahtiVerdict v); // "combine", "marginal", "partition"

// Both groups need at least 2 values each; nothing otherwise.
std::optional<Partitioning> partitionCriteria(std::span<const double> first, std::span<const double> second);

} // namespace kl::refint
