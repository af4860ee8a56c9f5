#include "cli/ProgramMain.h"

#include "app/Version.h"
#include "cli/Batch.h"
#include "cli/BatchCommands.h"
#include "cli/DesktopModule.h"
#include "cli/Language.h"
#include "cli/ProgramOptions.h"

#include <QCoreApplication>

#include <iostream>

namespace kl::cli {

int runMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!takeLanguage(args, std::cerr)) return kExitUsage;
    QCoreApplication::setApplicationName("klepsydra");
    QCoreApplication::setApplicationVersion(kVersion);
    if (!args.empty())
        if (const BatchCommand* command = findBatchCommand(args[0]))
            return runBatchCommand(*command, {args.begin() + 1, args.end()}, std::cout, std::cerr);
    ProgramOptions options;
    const ProgramRequest request = readProgramOptions(args, options, std::cout, std::cerr);
    if (!request.windows) return request.status;
    return runDesktopModule(argc, argv, std::cerr);
}

} // namespace kl::cli
