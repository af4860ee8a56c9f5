// The companion settings file (.VSC) and the fields restored from it.
#include "FuzzInput.h"

#include "persist/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<kl::SettingsRecord> r = kl::parseSettings(bytes);
    if (!r) return 0;
    kl::settingsComplete(*r);
    kl::restoredDecimalPlaces(r->decimals);
    kl::restoredItemIndex(r->itemIndex, 1 + static_cast<int>(size % 50));
    kl::defaultGraphTitle(r->title);
    // What is written back reads back the same.
    std::optional<kl::SettingsRecord> again = kl::parseSettings(kl::settingsBytes(*r));
    kl::fuzz::require(again.has_value());
    return 0;
}
