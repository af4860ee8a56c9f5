#include "indirect/Analysis.h"

#include "indirect/Resolution.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kl::indirect {

std::string_view methodKey(Method m) {
    switch (m) {
    case Method::TruncatedQQ:
        return "tqq";
    case Method::InverseModel:
        return "inverse";
    case Method::Bhattacharya:
        return "bhattacharya";
    }
    return "";
}

std::string_view methodTitle(Method m) {
    switch (m) {
    case Method::TruncatedQQ:
        return "Truncated probability plot";
    case Method::InverseModel:
        return "Inverse modelling (Box-Cox)";
    case Method::Bhattacharya:
        return "Bhattacharya";
    }
    return "";
}

const Estimate* Analysis::estimate(Method m) const {
    switch (m) {
    case Method::TruncatedQQ:
        return tqq ? &tqq->estimate : nullptr;
    case Method::InverseModel:
        return inverse ? &inverse->estimate : nullptr;
    case Method::Bhattacharya:
        return bhattacharya ? &*bhattacharya : nullptr;
    }
    return nullptr;
}

namespace {

// Values on a grid of step r sorted by counting, in linear time: rounded laboratory values take
// few distinct steps. False (values untouched) when a value is off the grid as the decimal it
// was read from, or the grid would need more than max(65,536, n/2) counters.
bool sortOnGrid(std::vector<double>& values, double r) {
    if (!(r > 0) || values.empty()) return false;
    const double inverse = std::round(1 / r);
    const bool fraction = r < 1 && std::fabs(inverse * r - 1) < 1e-12;
    auto at = [&](long long k) {
        return fraction ? static_cast<double>(k) / inverse : static_cast<double>(k) * r;
    };
    auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    if (!(std::fabs(*lo / r) < 1e15 && std::fabs(*hi / r) < 1e15)) return false;
    const long long k0 = std::llround(*lo / r), k1 = std::llround(*hi / r);
    const auto bins = static_cast<std::size_t>(k1 - k0 + 1);
    if (bins > std::max<std::size_t>(65536, values.size() / 2)) return false;
    std::vector<std::uint32_t> counts(bins);
    for (double x : values) {
        long long k = std::llround(x / r);
        if (at(k) != x) return false;
        ++counts[static_cast<std::size_t>(k - k0)];
    }
    std::size_t i = 0;
    for (std::size_t b = 0; b < bins; ++b)
        for (std::uint32_t c = 0; c < counts[b]; ++c)
            values[i++] = at(k0 + static_cast<long long>(b));
    return true;
}

} // namespace

Analysis analyse(std::vector<double>& values, std::span<const Method> methods) {
    Analysis a;
    a.resolution = roundingResolution(values);
    if (!sortOnGrid(values, a.resolution)) std::sort(values.begin(), values.end());
    for (Method m : methods) {
        if (m == Method::TruncatedQQ) a.tqq = truncatedQQ(values);
        if (m == Method::InverseModel) a.inverse = inverseModel(values, a.resolution);
        if (m == Method::Bhattacharya) a.bhattacharya = bhattacharya(values, a.resolution);
    }
    return a;
}

} // namespace kl::indirect
