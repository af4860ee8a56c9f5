#include "cli/DesktopModule.h"

#include "cli/Batch.h"
#include "persist/WorkDir.h"
#include "text/Translate.h"

#include <dlfcn.h>
#include <vector>

namespace kl::cli {

std::string desktopModulePath() {
    return installedFile(kDesktopModuleName, "lib");
}

namespace {

CommandRun reportPrinter = nullptr;

// Runs an entry of the module with the given arguments; a module that is missing or cannot be
// loaded is reported on err after `what` ("the windows cannot be opened"), status kExitFileError.
int runModuleEntry(const char* name, const char* what, int argc, char** argv, std::ostream& err) {
    const std::string path = desktopModulePath();
    if (path.empty()) {
        err << "klepsydra: " << what << ": " << kDesktopModuleName
            << " is neither beside the program nor in ../lib/klepsydra\n";
        return kExitFileError;
    }
    // Kept loaded to the end of the process: Qt's clean-up at exit still runs its code.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        err << "klepsydra: " << what << ": " << dlerror() << '\n';
        return kExitFileError;
    }
    using Entry = int (*)(int, char**);
    const auto entry = reinterpret_cast<Entry>(dlsym(module, name));
    if (!entry) {
        err << "klepsydra: " << what << ": " << path << " has no " << name << '\n';
        return kExitFileError;
    }
    return entry(argc, argv);
}

} // namespace

int runDesktopModule(int argc, char** argv, std::ostream& err) {
    return runModuleEntry(kDesktopEntryName, "the windows cannot be opened", argc, argv, err);
}

void setReportPrinter(CommandRun printer) {
    reportPrinter = printer;
}

int report(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (reportPrinter) return reportPrinter(args, out, err);
    // The module reads its own command line: the language this one chose, then the command.
    std::vector<std::string> line = {"klepsydra", "--lang", inEnglish() ? "en" : "ja", "report"};
    line.insert(line.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : line)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    out.flush();
    err.flush();
    return runModuleEntry(kDesktopBatchEntryName, "the report cannot be printed without the windows module",
                          int(line.size()), argv.data(), err);
}

} // namespace kl::cli
