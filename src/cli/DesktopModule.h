#pragma once
// The windows (the desktop and --script) live in a module of their own, loaded only when the
// program opens windows: the batch commands never load Qt Widgets and Qt PrintSupport.

#include <ostream>
#include <string>

namespace kl::cli {

// The module's file name and the name of its entry point, int (int argc, char** argv).
inline constexpr const char* kDesktopModuleName = "klepsydra-desktop.so";
inline constexpr const char* kDesktopEntryName = "klepsydra_run_windows";
// The module's batch entry, of the same type: runs a batch command line (the program's own
// arguments) with the module's printing set up.
inline constexpr const char* kDesktopBatchEntryName = "klepsydra_run_batch";

// Where the module is, found from where the running program is: beside it (a build tree), else
// ../lib/klepsydra (installed). Empty when neither holds it.
std::string desktopModulePath();

// Loads the module and runs the windows with the program's arguments; a module that is missing
// or cannot be loaded is reported on err, status kExitFileError.
int runDesktopModule(int argc, char** argv, std::ostream& err);

} // namespace kl::cli
