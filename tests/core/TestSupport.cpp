#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace kl::test {

std::string dataPath(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

long peakMemoryKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    return -1;
}

std::string freshFolder(const std::string& tag) {
    namespace fs = std::filesystem;
    std::random_device rd;
    fs::path p = fs::temp_directory_path() / ("klepsydra-" + tag + "-" + std::to_string(rd()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
}

} // namespace kl::test
