#pragma once
// The classes of the histogram as the graphs see them, and the rule that puts a value in a class.
// The graphs recount the data themselves from the table's parameters, so every picture (screen,
// paper, clipboard) and the graph-sample statistics agree on which values are shown.

#include <cstddef>
#include <span>
#include <vector>

namespace kl {

// The table's parameters as copied for the graphs.
struct GraphClasses {
    double lower = 0;    // L, lower bound of class 1
    double upper = 0;    // U, upper bound of class K
    double interval = 0; // class interval as typed; its absolute value is the class width
    int count = 0;       // K
    bool fold = false;   // values outside [L, U) go into the end classes (option HAZURE)

    double width() const;
};

// The graphs refuse classes they cannot place: K outside 1..100, a width that is zero or not
// finite, or limits that are not finite or not increasing.
bool graphClassesUsable(const GraphClasses& classes);

// The class (1..K) the value is counted in, or 0 when it is not counted. The index is clamped as
// a double before it becomes an integer, so values far outside the range cannot overflow it.
int graphClassIndex(double x, const GraphClasses& classes);

struct ClassCounts {
    std::vector<long> frequency; // f(1..K) at index 0..K-1
    long counted = 0;            // n_c
    long largest = 0;            // fmax
};

// When shown is given, it receives the counted values in data order (one pass for both).
ClassCounts countClasses(std::span<const double> values, const GraphClasses& classes,
                         std::vector<double>* shown = nullptr);

// The values the histogram shows, in data order.
std::vector<double> shownValues(std::span<const double> values, const GraphClasses& classes);

} // namespace kl
