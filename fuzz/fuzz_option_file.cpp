// Option files: whatever bytes an option file holds read as a field or as not set.
#include "FuzzInput.h"

#include "persist/OptionFile.h"
#include "text/FileIO.h"

#include <cstdlib>
#include <iterator>
#include <unistd.h>

namespace {

const std::string& folder() {
    static const std::string dir = [] {
        char name[] = "/tmp/klepsydra-fuzz-options-XXXXXX";
        const char* made = ::mkdtemp(name);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kl::fuzz::Input in(data, size);
    const std::size_t which = in.byte();
    using namespace kl::options;
    static const kl::OptionSpec all[] = {
        decimalPlaces,        foldExtremes,    colourScheme,    showCurves,          showReferenceRange,
        showCurveInterval,    smoothing,       printCurves,     printReferenceRange, printCurveInterval,
        printProbabilityPlot, printStatistics, rememberedFolder};
    const kl::OptionSpec& option = all[which % std::size(all)];
    kl::writeFileAtomic(folder() + "/" + option.name, in.rest());
    kl::OptionStore store(folder());
    store.read(option);
    store.readNumber(option, 0);
    return 0;
}
