// The entry point of the desktop module (klepsydra-desktop.so), which the `klepsydra`
// executable loads when it opens windows.

#include "app/Main.h"
#include "cli/Batch.h"
#include "cli/DesktopModule.h"
#include "cli/ProgramMain.h"

#include <string_view>

static_assert(std::string_view(kl::cli::kDesktopEntryName) == "klepsydra_run_windows");
static_assert(std::string_view(kl::cli::kDesktopBatchEntryName) == "klepsydra_run_batch");

extern "C" __attribute__((visibility("default"))) int klepsydra_run_windows(int argc, char** argv) {
    kl::cli::setReportPrinter(&kl::cli::printReport);
    return kl::runWindows(argc, argv);
}

// A batch command the program hands over: those that print through Qt (the report).
extern "C" __attribute__((visibility("default"))) int klepsydra_run_batch(int argc, char** argv) {
    kl::cli::setReportPrinter(&kl::cli::printReport);
    return kl::cli::runMain(argc, argv);
}
