#pragma once

namespace kl {
// Program entry: batch commands, --script, or the desktop.
int runMain(int argc, char** argv);
} // namespace kl
