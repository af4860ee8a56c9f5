// Batch commands whose implementation is not part of this build. This library is linked after the
// application library, so a command's real definition there always wins and these are not used.
#include "cli/Batch.h"

namespace kl::cli {

namespace {
int unavailable(const char* command, std::ostream& err) {
    err << "klepsydra: '" << command << "' is not available in this build\n";
    return 1;
}
} // namespace

int stats(const std::vector<std::string>&, std::ostream&, std::ostream& err) { return unavailable("stats", err); }
int table(const std::vector<std::string>&, std::ostream&, std::ostream& err) { return unavailable("table", err); }

} // namespace kl::cli
