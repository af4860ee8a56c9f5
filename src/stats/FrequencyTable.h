#pragma once
// TABLE: checks the four class-parameter fields in their order (each check shows its message
// and writes its correction back), then counts the values into classes and lays out the rows of
// the frequency table list. One pass over the values; memory for the classes only.

#include "stats/ClassParameters.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

// State TABLE keeps between runs: how often the interval was found below one unit. The message
// is shown on the first time only; the counter is reset at start-up and by the calculation of
// typed data.
struct TableState {
    int tooSmallCount = 0;
};

// What the graph window and printing take from a built table.
struct TableCopies {
    int classCount = 0;
    std::string lowerText;
    std::string intervalText;
    std::string upperText;
    bool operator==(const TableCopies&) const = default;

    // The numbers the texts hold, read as the parameter fields are: a text left by a too-wide
    // mask ("%1000000.00") is the number after the "%". Every consumer of the copies reads them
    // through these.
    double lower() const;
    double interval() const;
    double upper() const;
};

enum class TableResult {
    Built,    // rows replaced
    Unset,    // a field was blank: the list is emptied, no table
    Rejected, // message R: the list keeps what it held
};

struct TableOutcome {
    TableResult result = TableResult::Rejected;
    ParameterFields fields;        // the fields as TABLE leaves them
    std::vector<Message> messages; // in the order shown
    bool beep = false;
    bool clearList = false;            // LIST2 emptied (and BUTTON3 disabled) before any new rows
    std::vector<std::string> rows;     // Built: the new rows of LIST2
    std::optional<TableCopies> copies; // Built only: the old copies stay otherwise
    bool focusInterval = false;        // Rejected for a class position above 3999: EDIT3 gets the focus
};

// The rejection shown when the parameters cannot give a table.
Message rejectMessage();

TableOutcome runTable(const ParameterFields& fields, std::span<const double> values,
                      const ParameterContext& ctx, bool fold, TableState& state);

// ---- the pieces TABLE is made of ------------------------------------------------------------

enum class CountStatus {
    Ok,
    TooFarAbove,  // (x - L) / w above 3999
    ClassTooHigh, // floor(p + 0.0001) + 1 above 3999
};

struct TableCounts {
    CountStatus status = CountStatus::Ok;
    std::vector<int> counts; // counts[k - 1] for class k
};

// Class of x: floor((x - L) / w + 0.0001) + 1. Without folding, values outside 1..K are not
// counted; with folding they go to class 1 or K. Positions far below L are handled like any
// other value below class 1.
TableCounts countIntoClasses(std::span<const double> values, double lower, double width, int classes,
                             bool fold);

// One row of LIST2 (bounds already formatted and trimmed; an empty bound is shown blank,
// a frequency of 0 as blanks).
std::string frequencyRow(int k, std::string_view lowerBound, std::string_view upperBound, int frequency);

// All rows: class k spans L + w(k - 1) .. L + wk through the wide mask. With folding, class 1's
// lower bound and class K's upper bound are blank, except a lower bound "0.00" when the data
// minimum text holds no "-".
std::vector<std::string> frequencyRows(const std::vector<int>& counts, double lower, double width,
                                       int decimals, bool fold, std::string_view minText);

} // namespace kl
