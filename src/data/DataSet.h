#pragma once
// The one column of measured values. Values are kept as the texts that were read, pasted or
// typed; every computation converts them afresh with the leading-number rule.

#include <string>
#include <string_view>
#include <vector>

namespace kl {

inline constexpr int kMaxDataValues = 40000;
inline constexpr int kMinDataValues = 10;

struct DataSet {
    std::vector<std::string> values; // values[0] holds value 1
    int decimalPlaces = 2;           // 1..4
    std::string sourcePath;          // folder + name + extension; empty for pasted or typed data
    std::string sourceName;          // name without folder and extension
    std::string sourceBase;          // folder + name without extension

    int count() const { return static_cast<int>(values.size()); }
    // Value i (1-based) as text, and its number under the leading-number rule.
    const std::string& value(int i) const { return values.at(static_cast<std::size_t>(i - 1)); }
    double number(int i) const;
    // The numbers of all values, in order.
    std::vector<double> numbers() const;
    // Row i (1-based) of the value list.
    std::string listRow(int i) const { return list1Row(i, value(i)); }

    // " " + row as "#####" + " | " + value text + 28 blanks.
    static std::string list1Row(int row, std::string_view valueText);
};

// The leading-number value of each text, in order.
std::vector<double> leadingNumbers(const std::vector<std::string>& texts);

} // namespace kl
