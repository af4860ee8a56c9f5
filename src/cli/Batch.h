#pragma once
// Batch commands: the program's rules without a display, plain UTF-8 text out.

#include <ostream>
#include <string>
#include <vector>

namespace kl::cli {

// Exit statuses of every batch command. With several input files a command goes on past a bad
// one and ends with the worst status met.
enum ExitStatus : int {
    kExitDone = 0,      // done
    kExitRefused = 1,   // the data were refused, with the window's message on standard error
    kExitFileError = 2, // a file could not be read or written
    kExitUsage = 64,    // bad command line
};

// Each takes the arguments after the command name; returns an ExitStatus.
int stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int table(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The graph window's picture as PNG (--png PATH); the 95 % interval lines with --interval95.
int graph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The histogram page as the graph window prints it, into a PDF (--pdf PATH). It prints through
// Qt's PDF writer, which lives with the windows: `printReport` is the command itself, in the
// windows module; `report` runs the printer that module sets, and in the program, which does
// not load Qt Gui for its other commands, runs the command in the module.
int report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int printReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
using CommandRun = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
void setReportPrinter(CommandRun printer);

// Every direct reference-interval method on a data file, as text, CSV or JSON.
int interval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reference limits estimated from routine data by the indirect methods (--method, --column).
int indirect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Routine data with a known truth written to FILE (a two-column export); the truth is printed.
int generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kl::cli
