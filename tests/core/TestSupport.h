#pragma once
// Shared helpers for the core tests.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kl::test {

// Relative comparison for floating-point results.
inline ::testing::AssertionResult nearRel(double expected, double actual, double rel = 1e-9) {
    double scale = std::max(std::fabs(expected), 1e-300);
    if (std::fabs(expected - actual) <= rel * scale || expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << expected << " got " << actual
                                         << " (relative error " << std::fabs(expected - actual) / scale << ")";
}

// Path of a fixture under tests/data.
std::string dataPath(const std::string& name);

// A fresh empty folder under the system's temporary folder, removed at exit.
std::string freshFolder(const std::string& tag);

} // namespace kl::test
