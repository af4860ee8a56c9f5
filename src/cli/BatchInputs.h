#pragma once
// What every batch command does the same way around its own work: the --format option, the
// input files (several FILEs or a folder), the check that an input is a readable regular file,
// the loop that reports a bad file, skips it and ends with the worst exit status, and the
// warning about items read as 0.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kl::cli {

enum class OutputFormat { Text, Csv, Json };

// "text", "csv" or "json"; nothing for any other word.
std::optional<OutputFormat> outputFormatNamed(std::string_view word);

// Why path cannot be read as an input file, in the reading layer's words ("no such file: PATH",
// "is a folder: PATH", "not a regular file: PATH", "permission denied: PATH", "cannot read
// PATH: REASON"); nothing when it is a readable regular file. Never opens anything that could
// block (a FIFO, a device).
std::optional<std::string> unreadableInputReason(const std::string& path);

// The input files the command line names, in order: a FILE as given, a folder as its data files
// (extension .csv, .txt or .text in either case, sorted by name). A folder that cannot be
// listed or holds no data file is reported on err ("klepsydra COMMAND: cannot list FOLDER:
// REASON", "... no data files ...") and sets *status to kExitFileError.
std::vector<std::string> expandInputs(const std::vector<std::string>& named, const char* command,
                                      std::ostream& err, int* status);

// Runs one input: writes its result on out and its messages on err, returns an exit status.
using InputRun = std::function<int(const std::string& file, std::ostream& out, std::ostream& err)>;

struct InputLoop {
    const char* command = "";
    OutputFormat format = OutputFormat::Text;
    // Written once before the rows with --format csv.
    std::string csvHeader;
};

// Runs every input in order and returns the worst status met (0 when all were done). An input
// that is not a readable regular file is reported as "klepsydra COMMAND: REASON" with status 2
// and skipped; the others still run. With several inputs, text output of each file is preceded
// by "==> FILE <==" (as head(1) does) and JSON objects are gathered in one array. Text output is
// passed on whatever the status (the window shows what it drew before a refusal); CSV rows and
// JSON objects only for a file that was done.
int forEachInput(const std::vector<std::string>& inputs, const InputLoop& loop, std::ostream& out,
                 std::ostream& err, const InputRun& run);

// How many texts hold no number at their start, so that the reading rule takes them as 0.
std::size_t itemsWithoutNumber(const std::vector<std::string>& texts);
// One line on err when count > 0: "klepsydra COMMAND: FILE: N items held no number and were read as 0".
void warnItemsWithoutNumber(std::size_t count, const char* command, const std::string& file,
                            std::ostream& err);

// A CSV field: quoted (with doubled quotes) when it holds a comma, a quote or a line end.
std::string csvField(std::string_view text);

} // namespace kl::cli
