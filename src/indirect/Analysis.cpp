#include "indirect/Analysis.h"

#include "indirect/Resolution.h"

#include <algorithm>

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

Analysis analyse(std::vector<double>& values, std::span<const Method> methods) {
    std::sort(values.begin(), values.end());
    Analysis a;
    auto positive = std::upper_bound(values.begin(), values.end(), 0.0);
    a.resolution = roundingResolution(std::span<const double>(positive, values.end()));
    for (Method m : methods) {
        if (m == Method::TruncatedQQ) a.tqq = truncatedQQ(values);
        if (m == Method::InverseModel) a.inverse = inverseModel(values, a.resolution);
        if (m == Method::Bhattacharya) a.bhattacharya = bhattacharya(values, a.resolution);
    }
    return a;
}

} // namespace kl::indirect
