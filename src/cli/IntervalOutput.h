#pragma once
// The output of `klepsydra interval`: plain text for people, CSV of the limits table and JSON of
// everything for other programs.

#include "cli/BatchInputs.h"
#include "refint/IntervalAnalysis.h"

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kl::cli {

struct IntervalReport {
    std::vector<refint::GroupAnalysis> groups;
    std::vector<refint::PairPartition> pairs;
    refint::AnalysisOptions options;
    refint::Screen excluded = refint::Screen::None;
};

void writeIntervalText(const IntervalReport& r, std::ostream& out);
// The CSV header line (without its line feed), then one row per group and method.
std::string intervalCsvHeader();
void writeIntervalCsv(const IntervalReport& r, std::ostream& out);
void writeIntervalJson(const IntervalReport& r, std::ostream& out);

// "none", "dixon", "tukey": the screen whose suspects were left out.
const char* screenKey(refint::Screen s);

// A number as the text output shows it: six significant digits.
std::string shortNumber(double v);

} // namespace kl::cli
