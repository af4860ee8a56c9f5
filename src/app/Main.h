#pragma once

namespace kl {
// The windows: the desktop, or the windows driven by --script. The `klepsydra` executable runs
// the batch commands itself and comes here, through the desktop module, for everything else.
int runWindows(int argc, char** argv);
} // namespace kl
