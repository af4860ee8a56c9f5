#include "cli/ProgramMain.h"

#include "cli/Batch.h"
#include "cli/BatchCommands.h"
#include "cli/DesktopModule.h"
#include "cli/Language.h"
#include "cli/ProgramOptions.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <malloc.h>
#include <sys/mman.h>

namespace kl::cli {

namespace {

// A batch run is short and its large blocks come and go (a file read, columns of values, a
// picture): memory freed stays with the process for the next block rather than going back to the
// system and being faulted in anew, page by page; and the heap is grown at once and given to huge
// pages where the system allows them, a few faults of 2 MiB in place of a thousand of 4 KiB.
// The windows, which live long, keep the allocator's defaults.
void prepareBatchMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    constexpr std::size_t kHeap = std::size_t(24) << 20, kHuge = std::size_t(2) << 20;
    if (void* block = std::malloc(kHeap)) {
        const auto from = reinterpret_cast<std::uintptr_t>(block);
        const std::uintptr_t start = (from + kHuge - 1) & ~(kHuge - 1), end = (from + kHeap) & ~(kHuge - 1);
        if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
        std::free(block);
    }
}

} // namespace

int runMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!takeLanguage(args, std::cerr)) return kExitUsage;
    if (!args.empty())
        if (const BatchCommand* command = findBatchCommand(args[0])) {
            prepareBatchMemory();
            return runBatchCommand(*command, {args.begin() + 1, args.end()}, std::cout, std::cerr);
        }
    ProgramOptions options;
    const ProgramRequest request = readProgramOptions(args, options, std::cout, std::cerr);
    if (!request.windows) return request.status;
    return runDesktopModule(argc, argv, std::cerr);
}

} // namespace kl::cli
