#include "cli/DesktopModule.h"

#include "cli/Batch.h"
#include "persist/WorkDir.h"

#include <dlfcn.h>

namespace kl::cli {

std::string desktopModulePath() {
    return installedFile(kDesktopModuleName, "lib");
}

int runDesktopModule(int argc, char** argv, std::ostream& err) {
    const std::string path = desktopModulePath();
    if (path.empty()) {
        err << "klepsydra: the windows cannot be opened: " << kDesktopModuleName
            << " is neither beside the program nor in ../lib/klepsydra\n";
        return kExitFileError;
    }
    // Kept loaded to the end of the process: Qt's clean-up at exit still runs its code.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        err << "klepsydra: the windows cannot be opened: " << dlerror() << '\n';
        return kExitFileError;
    }
    using Entry = int (*)(int, char**);
    const auto entry = reinterpret_cast<Entry>(dlsym(module, kDesktopEntryName));
    if (!entry) {
        err << "klepsydra: the windows cannot be opened: " << path << " has no " << kDesktopEntryName << '\n';
        return kExitFileError;
    }
    return entry(argc, argv);
}

} // namespace kl::cli
