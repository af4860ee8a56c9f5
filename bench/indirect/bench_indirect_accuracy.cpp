// Accuracy of the indirect methods over generated sets with a known truth: λ ∈ {0, 0.2, 0.5, 1},
// pathological share 0 to 50 %, values rounded to 1 or 0.1 (healthy median 50). The error of each
// limit is taken relative to the width of the true interval; per method and N the mean and 90th
// percentile are reported, for shares up to 30 % and for 40-50 %. A method that gives no limits
// counts as an error of 1 (the whole width).
//
// Run: build/bench/indirect/klepsydra_bench_indirect_accuracy [--benchmark_filter=...]
// The table goes to indirect_accuracy.txt in the current folder (KLEPSYDRA_ACCURACY_OUT overrides).

#include "indirect/Analysis.h"
#include "indirect/Distribution.h"
#include "indirect/Generator.h"
#include "text/FileIO.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace kl::indirect;

struct Errors {
    std::vector<double> lower, upper;
    int failed = 0;
};

double mean(const std::vector<double>& v) {
    double s = 0;
    for (double x : v)
        s += x;
    return v.empty() ? NAN : s / static_cast<double>(v.size());
}

double p90(std::vector<double> v) {
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    return quantile7(v, 0.9);
}

std::string& table() {
    static std::string t =
        "method        N          shares   sets  lower mean  lower p90  upper mean  upper p90  "
        "no limits\n";
    return t;
}

void writeTable() {
    const char* path = std::getenv("KLEPSYDRA_ACCURACY_OUT");
    kl::writeFileAtomic(path ? path : "indirect_accuracy.txt", table());
}

void BM_Accuracy(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const int seeds = n <= 1000 ? 10 : n <= 10000 ? 6 : n <= 100000 ? 3 : 1;
    // [method][band]: band 0 for shares 0-30 %, 1 for 40-50 %.
    std::map<std::pair<Method, int>, Errors> errors;
    for (auto _ : state) {
        for (double lambda : {0.0, 0.2, 0.5, 1.0}) {
            for (double share : {0.0, 0.1, 0.2, 0.3, 0.4, 0.5}) {
                for (int seed = 1; seed <= seeds; ++seed) {
                    MixtureParameters mixture;
                    mixture.lambda = lambda;
                    mixture.pathologicalShare = share;
                    mixture.count = n;
                    mixture.resolution = seed % 2 ? 1 : 0.1;
                    mixture.seed = static_cast<std::uint64_t>(seed * 1000 + lambda * 100 + share * 10);
                    GeneratedSet set = generateMixture(mixture);
                    Analysis a = analyse(set.values, kMethods);
                    const double width = set.upper - set.lower;
                    for (Method m : kMethods) {
                        Errors& e = errors[{m, share <= 0.3 ? 0 : 1}];
                        const Estimate* est = a.estimate(m);
                        if (!est->ok) ++e.failed;
                        e.lower.push_back(est->ok ? std::fabs(est->lower - set.lower) / width : 1.0);
                        e.upper.push_back(est->ok ? std::fabs(est->upper - set.upper) / width : 1.0);
                    }
                }
            }
        }
    }
    char line[200];
    for (const auto& [key, e] : errors) {
        std::snprintf(line, sizeof line, "%-13s %-10zu %-8s %5zu  %10.4f %10.4f  %10.4f %10.4f  %9d\n",
                      std::string(methodKey(key.first)).c_str(), n, key.second ? "40-50%" : "0-30%",
                      e.lower.size(), mean(e.lower), p90(e.lower), mean(e.upper), p90(e.upper), e.failed);
        table() += line;
        if (key.second == 0) {
            std::string k(methodKey(key.first));
            state.counters[k + "_lower_mean"] = mean(e.lower);
            state.counters[k + "_upper_mean"] = mean(e.upper);
        }
    }
    writeTable();
}
BENCHMARK(BM_Accuracy)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
