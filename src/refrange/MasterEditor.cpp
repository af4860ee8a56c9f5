#include "refrange/MasterEditor.h"

#include "text/Cp932.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <optional>

namespace kl {

namespace {

constexpr int kEmptyFields = 14;
constexpr const char* kCrLf = "\r\n";

std::string quoted(const std::string& cp932) {
    return "\"" + cp932 + "\"";
}

// Right-aligned in n CP932 bytes; a longer text is cut to its first n bytes.
std::string rightInBytes(const std::string& s, std::size_t n) {
    std::size_t w = sjisWidth(s);
    if (w >= n) return cutBytes(s, n);
    return blanks(n - w) + s;
}

bool representable(const std::string& s) {
    return cp932ToUtf8(utf8ToCp932(s)) == s;
}

bool holdsQuoteOrBreak(const std::string& s) {
    return s.find_first_of("\"\r\n") != std::string::npos;
}

// The records of an existing file; status NoFile or ReadFailed otherwise.
std::optional<std::vector<ReferenceRange>> readExisting(const std::string& path, MasterEditResult& result) {
    if (!fileExists(path)) {
        result.status = MasterEditStatus::NoFile;
        return std::nullopt;
    }
    MasterReadResult read = readMasterRecords(path);
    if (!read.ok) {
        result.status = MasterEditStatus::ReadFailed;
        result.message = read.error;
        return std::nullopt;
    }
    return std::move(read.records);
}

// The bytes an append continues: the file as it is, or re-encoded to CP932 when it was written in
// UTF-8 or UTF-16 by hand (CP932 lines after it would make the reader take it all for CP932).
bool readForAppend(const std::string& path, std::string& bytes, MasterEditResult& result) {
    auto old = readFileBytes(path);
    bool binary = false;
    std::string text = old ? decodeTextFile(*old, &binary) : std::string();
    if (!old || binary) {
        result.status = MasterEditStatus::ReadFailed;
        result.message = old ? path + " does not hold text" : "Cannot read " + path;
        return false;
    }
    bytes = cp932ToUtf8(*old) == text ? std::move(*old) : utf8ToCp932(text);
    return true;
}

// A hand-edited unquoted field may hold a double quote, which a quoted field cannot: it is written
// as the full-width quote so the rewrite stays one record per line with its 17 fields.
std::string withoutQuotes(const std::string& s) {
    std::string out;
    for (char ch : s)
        out += ch == '"' ? std::string("＂") : std::string(1, ch);
    return out;
}

MasterEditResult writeAll(const std::string& path, const std::vector<ReferenceRange>& records) {
    std::string bytes;
    for (const auto& r : records)
        bytes += masterLine({withoutQuotes(r.name), withoutQuotes(r.lower), withoutQuotes(r.upper)});
    MasterEditResult result;
    std::string error;
    if (!writeFileAtomic(path, bytes, &error)) {
        result.status = MasterEditStatus::WriteFailed;
        result.message = error;
    }
    return result;
}

MasterEditResult refusal(const ReferenceRange& record) {
    MasterEditResult result;
    result.message = masterTextProblem(record);
    if (!result.message.empty()) result.status = MasterEditStatus::Refused;
    return result;
}

} // namespace

std::string masterLine(const ReferenceRange& record) {
    std::string line = quoted(utf8ToCp932(record.name)) + "," + quoted(utf8ToCp932(record.lower)) + "," +
                       quoted(utf8ToCp932(record.upper));
    for (int i = 0; i < kEmptyFields; ++i)
        line += ",\"\"";
    return line + kCrLf;
}

std::string masterListRow(int n, const ReferenceRange& record) {
    return padLeft(std::to_string(n), 4) + "|" + fitBytes(trimBlanks(record.name), 21) + " | " +
           rightInBytes(trimBlanks(record.lower), 14) + " | " + rightInBytes(trimBlanks(record.upper), 14) +
           blanks(22);
}

int MasterListing::rowOfRecord(int record) const {
    for (std::size_t i = 0; i < recordOfRow.size(); ++i)
        if (recordOfRow[i] == record) return static_cast<int>(i);
    return -1;
}

MasterListing listMaster(const std::vector<ReferenceRange>& records) {
    MasterListing listing;
    listing.recordCount = static_cast<int>(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (trimBlanks(records[i].name).empty()) continue;
        listing.rows.push_back(masterListRow(static_cast<int>(listing.rows.size()) + 1, records[i]));
        listing.recordOfRow.push_back(static_cast<int>(i) + 1);
    }
    return listing;
}

std::string masterTextProblem(const ReferenceRange& record) {
    for (const std::string* s : {&record.name, &record.lower, &record.upper})
        if (holdsQuoteOrBreak(*s)) return translate("MasterEditor", kMasterQuoteOrBreakText);
    for (const std::string* s : {&record.name, &record.lower, &record.upper})
        if (!representable(*s)) return translate("MasterEditor", kMasterNotCp932Text);
    return {};
}

MasterEditResult appendMasterRecord(const std::string& path, const ReferenceRange& record) {
    MasterEditResult result = refusal(record);
    if (!result.ok()) return result;
    std::string bytes;
    if (fileExists(path) && !readForAppend(path, bytes, result)) return result;
    if (!bytes.empty() && bytes.back() == '\x1a') bytes.pop_back();
    if (!bytes.empty() && bytes.back() == '\r')
        bytes += '\n';
    else if (!bytes.empty() && bytes.back() != '\n')
        bytes += kCrLf;
    bytes += masterLine(record);
    std::string error;
    if (!writeFileAtomic(path, bytes, &error)) {
        result.status = MasterEditStatus::WriteFailed;
        result.message = error;
    }
    return result;
}

MasterEditResult modifyMasterRecord(const std::string& path, int record, const ReferenceRange& texts) {
    MasterEditResult result = refusal(texts);
    if (!result.ok()) return result;
    auto records = readExisting(path, result);
    if (!records) return result;
    if (record < 1 || record > static_cast<int>(records->size())) {
        result.status = MasterEditStatus::NoRecord;
        return result;
    }
    (*records)[static_cast<std::size_t>(record) - 1] = texts;
    return writeAll(path, *records);
}

MasterEditResult deleteMasterRecord(const std::string& path, int record) {
    MasterEditResult result;
    auto records = readExisting(path, result);
    if (!records) return result;
    if (record < 1 || record > static_cast<int>(records->size())) {
        result.status = MasterEditStatus::NoRecord;
        return result;
    }
    if (records->size() == 1) return writeAll(path, {ReferenceRange{}});
    std::vector<ReferenceRange> kept;
    kept.reserve(records->size() - 1);
    for (std::size_t i = 0; i < records->size(); ++i) {
        if (static_cast<int>(i) + 1 == record) continue;
        const ReferenceRange& r = (*records)[i];
        kept.push_back(ReferenceRange{trimBlanks(r.name), trimBlanks(r.lower), trimBlanks(r.upper)});
    }
    return writeAll(path, kept);
}

} // namespace kl
