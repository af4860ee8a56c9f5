#include "refint/Bootstrap.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace kl::refint {

namespace {

// SplitMix64: a small, fast generator whose streams from neighbouring seeds are independent.
struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

// Draws n ranks with replacement, two 32-bit draws per output, each scaled to [0, n) by a
// multiply and shift, and counts each at the index map(rank).
template <class Map> void drawRanks(SplitMix64& rng, std::uint64_t n, Map map, std::uint32_t* counts) {
    std::uint64_t drawn = 0;
    for (; drawn + 2 <= n; drawn += 2) {
        std::uint64_t bits = rng.next();
        ++counts[map(((bits & 0xFFFFFFFFull) * n) >> 32)];
        ++counts[map(((bits >> 32) * n) >> 32)];
    }
    if (drawn < n) ++counts[map(((rng.next() & 0xFFFFFFFFull) * n) >> 32)];
}

// The counts of resample b over the distinct values; distinctOfRank maps a rank to its distinct
// value, and is empty when every value is distinct (rank and value index agree).
void drawCounts(const std::vector<std::uint32_t>& distinctOfRank, std::uint64_t n, std::uint64_t seed,
                std::size_t b, std::vector<std::uint32_t>& counts) {
    std::fill(counts.begin(), counts.end(), 0);
    SplitMix64 rng{seed * 0xD1B54A32D192ED03ull + b};
    rng.next();
    if (distinctOfRank.empty())
        drawRanks(
            rng, n, [](std::uint64_t rank) { return rank; }, counts.data());
    else
        drawRanks(
            rng, n, [&](std::uint64_t rank) { return distinctOfRank[rank]; }, counts.data());
}

} // namespace

std::vector<double> bootstrap(const Sample& s, std::size_t width, const ResampleStatistic& statistic,
                              const BootstrapOptions& options) {
    std::vector<double> rows(options.resamples * width);
    std::vector<std::uint32_t> distinctOfRank;
    if (s.values.size() != s.n) {
        distinctOfRank.reserve(s.n);
        for (std::size_t i = 0; i < s.values.size(); ++i)
            distinctOfRank.insert(distinctOfRank.end(), s.counts[i], static_cast<std::uint32_t>(i));
    }

    auto work = [&](unsigned part, unsigned parts) {
        Sample resample;
        resample.values = s.values;
        resample.counts.resize(s.values.size());
        resample.n = s.n;
        for (std::size_t b = part; b < options.resamples; b += parts) {
            drawCounts(distinctOfRank, s.n, options.seed, b, resample.counts);
            statistic(resample, std::span<double>(rows).subspan(b * width, width));
        }
    };
    unsigned parts =
        std::max(1u, std::min<unsigned>(options.threads, static_cast<unsigned>(options.resamples)));
    std::vector<std::thread> helpers;
    for (unsigned part = 1; part < parts; ++part)
        helpers.emplace_back(work, part, parts);
    work(0, parts);
    for (std::thread& t : helpers)
        t.join();
    return rows;
}

PercentileInterval percentileInterval(std::span<const double> rows, std::size_t width, std::size_t j) {
    std::vector<double> column;
    std::size_t count = width == 0 ? 0 : rows.size() / width;
    for (std::size_t b = 0; b < count; ++b)
        if (std::isfinite(rows[b * width + j])) column.push_back(rows[b * width + j]);
    PercentileInterval r;
    r.used = column.size();
    if (column.empty() || 2 * column.size() < count) return r;
    std::sort(column.begin(), column.end());
    r.valid = true;
    r.interval = {quantileType6(column, 0.05), quantileType6(column, 0.95)};
    return r;
}

} // namespace kl::refint
