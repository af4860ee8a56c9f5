#include "cli/ProgramMain.h"

#include "cli/Batch.h"
#include "cli/BatchCommands.h"
#include "cli/DesktopModule.h"
#include "cli/Language.h"
#include "cli/ProgramOptions.h"

#include <iostream>
#include <malloc.h>

namespace kl::cli {

int runMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!takeLanguage(args, std::cerr)) return kExitUsage;
    if (!args.empty())
        if (const BatchCommand* command = findBatchCommand(args[0])) {
            // A batch run is short and its large blocks come and go (a file read, columns of
            // values, a picture): memory freed stays with the process for the next block rather
            // than going back to the system and being faulted in anew, page by page.
            mallopt(M_MMAP_THRESHOLD, 32 << 20);
            mallopt(M_TRIM_THRESHOLD, 256 << 20);
            return runBatchCommand(*command, {args.begin() + 1, args.end()}, std::cout, std::cerr);
        }
    ProgramOptions options;
    const ProgramRequest request = readProgramOptions(args, options, std::cout, std::cerr);
    if (!request.windows) return request.status;
    return runDesktopModule(argc, argv, std::cerr);
}

} // namespace kl::cli
