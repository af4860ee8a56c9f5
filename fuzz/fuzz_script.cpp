// The --script parser: lines split into words, whole scripts read.
#include "FuzzInput.h"

#include "app/ScriptParser.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    kl::splitScriptLine(text, &error);
    std::istringstream in(text);
    for (const kl::ScriptLine& line : kl::readScript(in))
        kl::fuzz::require(line.number >= 1 && (line.error.empty() || line.words.empty()));
    return 0;
}
