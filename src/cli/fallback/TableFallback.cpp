// Stands in for the 'table' command while its implementation is not part of the build. This
// library is linked after the application library, so the real definition always wins; one file a
// command so that only the missing ones are taken.
#include "cli/Batch.h"

namespace kl::cli {

int table(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "klepsydra: 'table' is not available in this build\n";
    return 1;
}

} // namespace kl::cli
