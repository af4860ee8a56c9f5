#pragma once
// The batch commands the program knows, their usage texts and the common part of their command
// lines: `klepsydra --help` lists every command, `klepsydra COMMAND --help` prints the command's
// usage and options, and every command reads FILE... (or folders), --format and --out-dir the
// same way.

#include "cli/BatchInputs.h"

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace kl::cli {

using BatchRun = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct BatchCommand {
    const char* name;
    const char* summary; // one line of `klepsydra --help`
    const char* usage;   // "usage: klepsydra NAME ..." lines, each ending in a line feed
    const char* options; // what each option does, for `klepsydra NAME --help`
    BatchRun run;
    bool format = false; // takes --format text|csv|json
    bool outDir = false; // takes --out-dir DIR (with several inputs, outputs are named after them)
};

std::span<const BatchCommand> batchCommands();
const BatchCommand* findBatchCommand(std::string_view name);

// The program's own usage: the desktop, --script, --version and every batch command.
std::string programUsage();

// Runs the command; "--help" or "-h" anywhere prints its usage and options on out, status 0.
int runBatchCommand(const BatchCommand& command, const std::vector<std::string>& args, std::ostream& out,
                    std::ostream& err);

// The command-line part every batch command shares.
struct CommonOptions {
    std::vector<std::string> inputs; // FILEs and folders as named
    OutputFormat format = OutputFormat::Text;
    std::string outDir;
};

enum class OptionRead { Taken, Unknown, Bad };
// The word after the option being read; nothing at the end of the arguments.
using NextWord = std::function<std::optional<std::string>()>;
// A command's own options: told the option word and how to read its value.
using ExtraOptions = std::function<OptionRead(const std::string& option, const NextWord& next)>;

// Reads --format and --out-dir (when the command takes them), then the command's own options
// through extra, and any other word not starting with "-" as an input. A bad or unknown argument
// prints "klepsydra COMMAND: bad argument '..'" and the usage; no input prints the usage. False
// on either (exit status kExitUsage).
bool parseCommandLine(const std::vector<std::string>& args, const BatchCommand& command, CommonOptions& o,
                      const ExtraOptions& extra, std::ostream& err);

// An option value of one digit from low to high.
bool digitOption(const std::optional<std::string>& word, char low, char high, int* into);
// Taken with its value stored in into, Bad when the arguments ended.
OptionRead valueOption(const NextWord& next, std::optional<std::string>& into);
// Taken with a path of at least one character stored in into; Bad otherwise.
OptionRead pathOption(const NextWord& next, std::string& into);

// Where a command writes its output file for input with --out-dir: DIR / the input's name
// without its extension + suffix (".png", ".pdf").
std::string outputPathFor(const std::string& input, const std::string& outDir, const char* suffix);

} // namespace kl::cli
