#pragma once
// The reference range master data_f/KIJUN.DAT: one record per line, 17 double-quoted fields
// separated by commas (name, lower limit, upper limit, then 14 empty fields), CP932 text.
// This unit reads it and builds the measurement-item list of the main window from it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

// One measurement item. The three texts are kept as written; numbers are taken from them
// with the leading-number rule when needed.
struct ReferenceRange {
    std::string name;
    std::string lower;
    std::string upper;
    bool operator==(const ReferenceRange&) const = default;
};

// Where the master lives inside a working folder.
inline constexpr const char* kReferenceMasterRelative = "data_f/KIJUN.DAT";
// The name of the seed shipped beside the program and of the optional copy in the working folder.
inline constexpr const char* kReferenceSeedName = "KIJUN_DAT";
inline constexpr const char* kReferenceWorkdirCopyName = "KIJUN.DAT";

// An upper limit of 9999 or 99999 means the item has no upper limit.
bool hasNoUpperLimit(double upper);

// Parses the text of a master (already decoded to UTF-8) into records in file order. Every
// non-blank line is a record; missing fields read as empty, fields after the third are ignored,
// a field need not be quoted. LF, CR LF and CR line ends and a final 0x1A are accepted.
std::vector<ReferenceRange> parseReferenceMaster(std::string_view text);

// Reads a master file (CP932; UTF-8 with or without BOM is accepted too), texts as written.
// Not ok, with a reason, when the file is missing, cannot be read or holds binary data (so an
// editor never rewrites such a file from nothing).
struct MasterReadResult {
    bool ok = false;
    std::string error;
    std::vector<ReferenceRange> records;
};
MasterReadResult readMasterRecords(const std::string& path);

// The records as the item list reads them: nullopt when the file does not exist; a file that
// cannot be read or holds binary data gives no records.
std::optional<std::vector<ReferenceRange>> readReferenceMaster(const std::string& path);

// The measurement-item list COMBO1 is built from: entry 0 is 40 blanks, entry 1 "OTHER" and
// 21 blanks, entry r + 1 the trimmed name of record r and 21 blanks. ranges[r - 1] holds record r
// with its three texts trimmed.
struct ItemList {
    std::vector<std::string> entries;
    std::vector<ReferenceRange> ranges;

    static constexpr int kBlankIndex = 0;
    static constexpr int kOtherIndex = 1;

    // The trimmed record behind an entry; nullptr for the blank entry, "OTHER" or an index
    // outside the list.
    const ReferenceRange* rangeAt(int index) const;
    // Index of the first entry whose trimmed item name equals name (trimmed); -1 when none.
    int indexOfName(std::string_view name) const;
};

ItemList buildItemList(const std::vector<ReferenceRange>& records);
// The list as the main window builds it from the master of a working folder (only the first two
// entries when the master is missing).
ItemList loadItemList(const std::string& workdir);

// Start-up provisioning: creates data_f, then, when data_f/KIJUN.DAT is missing, copies KIJUN.DAT
// of the working folder, else KIJUN_DAT of the working folder, else KIJUN_DAT of programDir (when
// given). A missing seed is skipped. Returns false with a reason only when a copy failed.
bool provisionReferenceMaster(const std::string& workdir, const std::string& programDir,
                              std::string* error = nullptr);

} // namespace kl
