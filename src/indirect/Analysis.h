#pragma once
// The indirect methods run together over one set of values: sorted once (in place), the rounding
// resolution found once, then each chosen method.

#include "indirect/Bhattacharya.h"
#include "indirect/InverseModel.h"
#include "indirect/TruncatedQQ.h"

#include <optional>
#include <string_view>
#include <vector>

namespace kl::indirect {

enum class Method { TruncatedQQ, InverseModel, Bhattacharya };
inline constexpr Method kMethods[] = {Method::TruncatedQQ, Method::InverseModel, Method::Bhattacharya};

// "tqq", "inverse", "bhattacharya"; and the names shown beside the limits.
std::string_view methodKey(Method m);
std::string_view methodTitle(Method m);

struct Analysis {
    double resolution = 0;
    std::optional<TqqResult> tqq;
    std::optional<InverseModelResult> inverse;
    std::optional<Estimate> bhattacharya;
    // The estimate of a method that was run; nullptr otherwise.
    const Estimate* estimate(Method m) const;
};

// values are sorted in place; no copy of them is made.
Analysis analyse(std::vector<double>& values, std::span<const Method> methods);

} // namespace kl::indirect
