#pragma once
// Shared helpers for the core tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

namespace kl::test {

// Relative comparison for floating-point results.
inline ::testing::AssertionResult nearRel(double expected, double actual, double rel = 1e-9) {
    double scale = std::max(std::fabs(expected), 1e-300);
    if (std::fabs(expected - actual) <= rel * scale || expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << expected << " got " << actual << " (relative error "
           << std::fabs(expected - actual) / scale << ")";
}

// A parameterised case's name for GoogleTest and CTest: its index, then its text with every run of
// characters other than letters and digits as one '_' (stable from run to run, usable in -R filters).
inline std::string caseName(std::size_t index, std::string_view text) {
    std::string name = std::to_string(index);
    bool gap = true;
    for (unsigned char c : text) {
        const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (keep) {
            if (gap) name += '_';
            name += static_cast<char>(c);
        }
        gap = !keep;
    }
    return name;
}

// Name generator for INSTANTIATE_TEST_SUITE_P: a case's label when it has one, else its printed value
// (give the case type a PrintTo for that).
struct CaseName {
    template <class P> std::string operator()(const ::testing::TestParamInfo<P>& info) const {
        if constexpr (requires { info.param.label; })
            return caseName(info.index, info.param.label);
        else
            return caseName(info.index, ::testing::PrintToString(info.param));
    }
};

// The process's peak resident memory (VmHWM) in KiB; -1 when it cannot be read.
long peakMemoryKiB();

// AddressSanitizer keeps shadow memory and a quarantine of freed blocks, so a peak-memory bound
// says nothing about the code under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryInstrumented = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryInstrumented = true;
#else
constexpr bool kMemoryInstrumented = false;
#endif
#else
constexpr bool kMemoryInstrumented = false;
#endif

// Expects the peak resident memory below limitKiB. Under AddressSanitizer the test is reported
// skipped, with the reason, after the checks before it have run.
#define EXPECT_PEAK_MEMORY_BELOW(limitKiB)                                                                   \
    do {                                                                                                     \
        if (::kl::test::kMemoryInstrumented)                                                                 \
            GTEST_SKIP() << "peak memory not checked: AddressSanitizer's shadow memory and quarantine";      \
        const long peak_ = ::kl::test::peakMemoryKiB();                                                      \
        ASSERT_GT(peak_, 0);                                                                                 \
        EXPECT_LT(peak_, (limitKiB)) << "peak " << peak_ << " KiB";                                          \
    } while (false)

// Path of a fixture under tests/data.
std::string dataPath(const std::string& name);

// A fresh empty folder under the system's temporary folder, removed at exit.
std::string freshFolder(const std::string& tag);

} // namespace kl::test
