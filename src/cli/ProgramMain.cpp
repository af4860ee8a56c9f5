#include "cli/ProgramMain.h"

#include "app/Version.h"
#include "cli/BatchCommands.h"
#include "cli/DesktopModule.h"
#include "cli/ProgramOptions.h"

#include <QCoreApplication>

#include <iostream>

namespace kl::cli {

int runMain(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
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
