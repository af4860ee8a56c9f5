#pragma once

namespace kl::cli {
// Program entry: a batch command, --help, --version, or the windows (the desktop or --script)
// through the desktop module.
int runMain(int argc, char** argv);
} // namespace kl::cli
