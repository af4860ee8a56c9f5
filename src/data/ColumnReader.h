#pragma once
// Reads the values of one column of a large file: a one-column file (an optional title line), or a
// laboratory export with a header row and several columns, its delimiter (comma, tab or semicolon)
// found from the first line. A group column splits the values by its labels (e.g. F/M).
//
// The file is read in large blocks: memory grows with the values kept, not with the file. Items
// that are not taken as values are counted per kind, never dropped silently. Censored items
// ("<0.5", ">1000") are counted at their bound apart from the values.
//
// Files are CP932 or UTF-8 (with or without BOM); names and labels come back as UTF-8. Numbers are
// ASCII; with a semicolon or tab delimiter a decimal comma ("1,5") is accepted too. A quoted field
// may hold the delimiter but not a line break.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

struct ColumnRequest {
    std::string column;               // exact header name; empty: the file must have one column
    std::string groupColumn;          // exact header name of the labels splitting the values; empty: none
    bool positiveOnly = false;        // values <= 0 are counted, not kept
    std::size_t maxValues = 10000000; // values kept at most (all groups together)
    bool headerOnly = false;          // read the first line only: delimiter, hasHeader and columns
};

struct ColumnReadHooks {
    // Called after each block with the bytes consumed so far and the file's size.
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;
    // Polled once per block; true ends the read with status Cancelled.
    std::function<bool()> cancelRequested;
};

// Items of the column that did not become values, per kind.
struct SkippedItems {
    std::size_t empty = 0;         // empty cell, or a row too short to hold the column
    std::size_t notNumber = 0;     // text that is not a number (and not censored)
    std::size_t nonPositive = 0;   // <= 0 when positive values were asked for
    std::size_t censoredBelow = 0; // "<x": counted in censored at bound x
    std::size_t censoredAbove = 0; // ">x"
    std::size_t overCap = 0;       // numbers after maxValues had been kept

    std::size_t total() const {
        return empty + notNumber + nonPositive + censoredBelow + censoredAbove + overCap;
    }
    SkippedItems& operator+=(const SkippedItems& o);
    bool operator==(const SkippedItems&) const = default;
};

// A censored result: count items read as "<bound" (below) or ">bound" (above).
struct CensoredCount {
    double bound = 0;
    bool below = true;
    std::size_t count = 0;
    bool operator==(const CensoredCount&) const = default;
};

struct ColumnGroup {
    std::string label; // the group column's label (UTF-8); empty without a group column
    std::vector<double> values;
    std::vector<CensoredCount> censored; // sorted: below first, then by bound
    SkippedItems skipped;
};

enum class ColumnReadStatus { Ok, Refused, Cancelled };

struct ColumnReadResult {
    ColumnReadStatus status = ColumnReadStatus::Refused;
    std::string message;              // why the read was refused (English, one line)
    char delimiter = 0;               // ',', '\t', ';' or 0 for a single column
    bool hasHeader = false;           // the first line named the columns
    std::vector<std::string> columns; // header names (UTF-8) when hasHeader
    std::vector<ColumnGroup> groups;  // in order of first appearance; one group without groupColumn
    std::size_t rows = 0;             // data lines read (blank lines not counted)
    bool capped = false;              // maxValues was reached

    std::size_t valueCount() const;
    SkippedItems skipped() const; // all groups together
    // All groups' values in one vector (group order).
    std::vector<double> allValues() const;
};

// Reads the file at path. A file that cannot be opened is refused with a message naming it.
ColumnReadResult readColumnFile(const std::string& path, const ColumnRequest& request,
                                const ColumnReadHooks& hooks = {});

// The same over bytes already in memory (in blocks as from a file, for the same hooks).
ColumnReadResult readColumnBytes(std::string_view bytes, const ColumnRequest& request,
                                 const ColumnReadHooks& hooks = {});

// The delimiter of a first line: the most frequent of tab, semicolon and comma outside quotes
// (ties in that order); 0 when none occurs.
char detectDelimiter(std::string_view firstLine);

// One item as a value: after trimming blanks and quotes, a decimal number (sign, fraction,
// exponent); decimalComma also accepts ',' as the decimal point. Not finite: not a number.
enum class ItemKind { Empty, Number, NotNumber, CensoredBelow, CensoredAbove };
ItemKind parseItem(std::string_view item, bool decimalComma, double* value);

} // namespace kl
