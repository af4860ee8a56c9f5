#pragma once
// The frequency table as a small CSV file for a spreadsheet ("DOSUU.CSV" in the working folder):
// CP932, CR LF line ends, two fixed lines and one line per row of the table list.

#include <string>
#include <string_view>
#include <vector>

namespace kl {

inline constexpr const char* kFrequencyExportName = "DOSUU.CSV";

// The interval and frequency texts of one table row: its CP932 bytes 8 to 37 and 39 to the end
// (counted from 1), each trimmed of blanks.
struct ExportFields {
    std::string interval, frequency; // UTF-8
};
ExportFields exportFields(std::string_view row);

// The whole file as CP932 bytes.
std::string frequencyExportBytes(const std::vector<std::string>& rows);

enum class ExportWrite {
    Written,
    HeldOpen, // a spreadsheet program holds the file open: it is left as it was
    Failed,   // anything else (disk full, I/O error, no permission, a folder): *error says what
};

// Writes the file atomically unless a spreadsheet program holds it open (the lock file
// LibreOffice or Excel keeps beside it, or the system answering that the file is busy).
ExportWrite writeFrequencyExport(const std::string& path, const std::vector<std::string>& rows,
                                 std::string* error = nullptr);

} // namespace kl
