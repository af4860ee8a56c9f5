#pragma once
// The companion settings file beside a data file (its path without extension + ".VSC"): one line
// of 13 double-quoted fields, CP932, ended by CR LF. Fields 1..7 hold the class parameters, the
// graph title, the item index and the decimal places; 8..13 are empty.

#include <optional>
#include <string>
#include <string_view>

namespace kl {

struct SettingsRecord {
    std::string upper;     // field 1: upper limit (EDIT6)
    std::string classes;   // field 2: number of classes (EDIT5)
    std::string lower;     // field 3: lower limit (EDIT4)
    std::string interval;  // field 4: class interval (EDIT3)
    std::string title;     // field 5: graph title
    std::string itemIndex; // field 6: COMBO1 index
    std::string decimals;  // field 7: decimal places

    bool operator==(const SettingsRecord&) const = default;
};

inline constexpr int kSettingsFields = 13;

// The companion file of a data file's base (drive, folder and name without extension).
std::string companionPath(std::string_view base);

// The file's bytes: every text trimmed, a double quote of the title written as "＂" (it would end
// the field), CP932.
std::string settingsBytes(const SettingsRecord& record);

// Reads records of 13 fields (quoted or not, separated by commas and line ends) until the end;
// the last complete record wins. nullopt when there is none. CP932 or UTF-8.
std::optional<SettingsRecord> parseSettings(std::string_view fileBytes);
std::optional<SettingsRecord> readSettingsFile(const std::string& path);

// Fields 1..6 all non-empty after trimming: the record can restore a histogram.
bool settingsComplete(const SettingsRecord& record);

// The decimal places a record gives: an empty field gives 2, and so does one outside 1..4.
int restoredDecimalPlaces(std::string_view field);

// The COMBO1 entry a record selects; an index outside 0..entries-1 selects "OTHER" (1).
int restoredItemIndex(std::string_view field, int entries);

// The default graph title for a COMBO1 entry's text.
std::string defaultGraphTitle(std::string_view entryText);

} // namespace kl
