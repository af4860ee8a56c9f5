// The entry point of the desktop module (klepsydra-desktop.so), which the `klepsydra`
// executable loads when it opens windows.

#include "app/Main.h"
#include "cli/DesktopModule.h"

#include <string_view>

static_assert(std::string_view(kl::cli::kDesktopEntryName) == "klepsydra_run_windows");

extern "C" __attribute__((visibility("default"))) int klepsydra_run_windows(int argc, char** argv) {
    return kl::runWindows(argc, argv);
}
