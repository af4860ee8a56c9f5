#pragma once
// The program's own command line (the desktop, --script, --help, --version), read the same way
// by the `klepsydra` executable and by the desktop module it loads to open windows.

#include <ostream>
#include <string>
#include <vector>

namespace kl::cli {

struct ProgramOptions {
    std::string workdir;
    std::string script;
    std::string dataFile; // the desktop's FILE argument
    bool scripted = false;
};

// What the command line asks for: windows (the desktop or a script), or an end with status
// `status` after --help, --version (on out) or a bad argument (on err).
struct ProgramRequest {
    bool windows = false;
    int status = 0;
};

// Reads the arguments after the program name into options.
ProgramRequest readProgramOptions(const std::vector<std::string>& args, ProgramOptions& options,
                                  std::ostream& out, std::ostream& err);

} // namespace kl::cli
