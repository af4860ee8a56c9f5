#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <random>

namespace kl::test {

std::string dataPath(const std::string& name) { return std::string(KLEPSYDRA_TEST_DATA) + "/" + name; }

std::string freshFolder(const std::string& tag) {
    namespace fs = std::filesystem;
    std::random_device rd;
    fs::path p = fs::temp_directory_path() / ("klepsydra-" + tag + "-" + std::to_string(rd()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
}

} // namespace kl::test
