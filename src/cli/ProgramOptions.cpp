#include "cli/ProgramOptions.h"

#include "app/Version.h"
#include "cli/Batch.h"
#include "cli/BatchCommands.h"

namespace kl::cli {

ProgramRequest readProgramOptions(const std::vector<std::string>& args, ProgramOptions& options,
                                  std::ostream& out, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--workdir" || a == "--script") && i + 1 < args.size()) {
            (a == "--workdir" ? options.workdir : options.script) = args[++i];
            if (a == "--script") options.scripted = true;
        } else if (a == "--help" || a == "-h") {
            out << programUsage();
            return {false, kExitDone};
        } else if (a == "--version") {
            out << "klepsydra " << kVersion << '\n';
            return {false, kExitDone};
        } else if (!a.starts_with("-") && options.dataFile.empty()) {
            options.dataFile = a;
        } else {
            err << "klepsydra: unexpected argument '" << a << "'\n" << programUsage();
            return {false, kExitUsage};
        }
    }
    if (options.scripted && !options.dataFile.empty()) {
        err << "klepsydra: unexpected argument '" << options.dataFile << "'\n" << programUsage();
        return {false, kExitUsage};
    }
    return {true, kExitDone};
}

} // namespace kl::cli
