// The paste scanner over clipboard text, as CP932 bytes and as UTF-8.
#include "FuzzInput.h"

#include "data/PasteScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    int polls = 0;
    kl::PasteHooks hooks;
    hooks.showBlocks = [](int blocks) { kl::fuzz::require(blocks >= 1 && blocks <= 20); };
    hooks.cancelRequested = [&] { return ++polls > 1000; };
    kl::PasteResult r = kl::scanPasteBytes(bytes, hooks);
    kl::fuzz::require(r.values.size() <= 10000 && polls <= 22);
    kl::scanPasteText(bytes);
    return 0;
}
