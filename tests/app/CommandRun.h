#pragma once
// A batch command run in the test's own process: its exit status and what it printed.

#include "cli/Batch.h"

#include <sstream>
#include <string>
#include <vector>

namespace kl::test {

struct CommandRun {
    int status;
    std::string out, err;
};

using BatchEntry = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

inline CommandRun runCommand(BatchEntry command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

// A fixture under tests/data.
inline std::string fixture(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

} // namespace kl::test
