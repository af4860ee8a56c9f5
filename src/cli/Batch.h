#pragma once
// Batch commands: the program's rules without a display, plain UTF-8 text out.

#include <ostream>
#include <string>
#include <vector>

namespace kl::cli {

// Each takes the arguments after the command name; returns the exit status
// (0 success, 1 refused input with the program's message on err, 64 bad usage).
int stats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int table(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The graph window's picture as PNG (--png PATH); the 95 % interval lines with --interval95.
int graph(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The histogram page as the graph window prints it, into a PDF (--pdf PATH).
int report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kl::cli
