#include "refrange/ReferenceMaster.h"

#include "text/Cp932.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <filesystem>

namespace kl {

namespace {

// Splits one line into its fields. A quoted field runs to the next double quote (the format
// has no escape for a quote inside a text); anything between the closing quote and the next
// comma is dropped. An unquoted field runs to the next comma. Only the first `wanted` fields
// are kept: a hand-edited line of millions of commas costs nothing.
std::vector<std::string> splitFields(std::string_view line, std::size_t wanted) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (fields.size() < wanted) {
        std::size_t start = pos;
        while (start < line.size() && line[start] == ' ')
            ++start;
        std::string field;
        std::size_t comma;
        if (start < line.size() && line[start] == '"') {
            std::size_t close = line.find('"', start + 1);
            if (close == std::string_view::npos) {
                fields.emplace_back(line.substr(start + 1));
                return fields;
            }
            field = std::string(line.substr(start + 1, close - start - 1));
            comma = line.find(',', close + 1);
        } else {
            comma = line.find(',', pos);
            field = std::string(line.substr(pos, comma == std::string_view::npos ? line.npos : comma - pos));
        }
        fields.push_back(std::move(field));
        if (comma == std::string_view::npos) return fields;
        pos = comma + 1;
    }
    return fields;
}

bool isBlankLine(std::string_view line) {
    return trimBlanks(line).empty();
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

} // namespace

bool hasNoUpperLimit(double upper) {
    return upper == 99999.0 || upper == 9999.0;
}

std::vector<ReferenceRange> parseReferenceMaster(std::string_view text) {
    if (!text.empty() && text.back() == '\x1a') text.remove_suffix(1);
    std::vector<ReferenceRange> records;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? text.npos : end - pos);
        if (end == std::string_view::npos)
            pos = text.size();
        else
            pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        if (isBlankLine(line)) continue;
        std::vector<std::string> fields = splitFields(line, 3);
        fields.resize(3);
        records.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2])});
    }
    return records;
}

MasterReadResult readMasterRecords(const std::string& path) {
    MasterReadResult result;
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        result.error = "Cannot read " + path;
        return result;
    }
    bool binary = false;
    std::string text = decodeTextFile(*bytes, &binary);
    if (binary) {
        result.error = path + " does not hold text";
        return result;
    }
    result.records = parseReferenceMaster(text);
    result.ok = true;
    return result;
}

std::optional<std::vector<ReferenceRange>> readReferenceMaster(const std::string& path) {
    if (!fileExists(path)) return std::nullopt;
    return readMasterRecords(path).records; // empty when unreadable or binary
}

const ReferenceRange* ItemList::rangeAt(int index) const {
    if (index < 2 || static_cast<std::size_t>(index - 2) >= ranges.size()) return nullptr;
    return &ranges[static_cast<std::size_t>(index - 2)];
}

int ItemList::indexOfName(std::string_view name) const {
    std::string wanted = trimBlanks(name);
    for (std::size_t r = 0; r < ranges.size(); ++r)
        if (ranges[r].name == wanted) return static_cast<int>(r) + 2;
    return -1;
}

ItemList buildItemList(const std::vector<ReferenceRange>& records) {
    ItemList list;
    list.entries.reserve(records.size() + 2);
    list.ranges.reserve(records.size());
    list.entries.push_back(blanks(40));
    list.entries.push_back("OTHER" + blanks(21));
    for (const ReferenceRange& record : records) {
        ReferenceRange trimmed{trimBlanks(record.name), trimBlanks(record.lower), trimBlanks(record.upper)};
        list.entries.push_back(trimmed.name + blanks(21));
        list.ranges.push_back(std::move(trimmed));
    }
    return list;
}

ItemList loadItemList(const std::string& workdir) {
    auto records = readReferenceMaster(joinPath(workdir, kReferenceMasterRelative));
    return buildItemList(records ? *records : std::vector<ReferenceRange>{});
}

bool provisionReferenceMaster(const std::string& workdir, const std::string& programDir, std::string* error) {
    ensureFolder(joinPath(workdir, "data_f"));
    const std::string master = joinPath(workdir, kReferenceMasterRelative);
    if (fileExists(master)) return true;
    std::vector<std::string> candidates{joinPath(workdir, kReferenceWorkdirCopyName),
                                        joinPath(workdir, kReferenceSeedName)};
    if (!programDir.empty()) candidates.push_back(joinPath(programDir, kReferenceSeedName));
    for (const std::string& seed : candidates)
        if (fileExists(seed)) return copyFile(seed, master, error);
    return true;
}

} // namespace kl
