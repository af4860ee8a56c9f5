#include "persist/SettingsFile.h"

#include "text/Cp932.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <cmath>
#include <vector>

namespace kl {

namespace {

// A field as written: a double quote would end it early and NUL would make the whole file read as
// binary, so a field read from a damaged file (a UTF-8 one may hold NUL) is written so that it
// reads back: quotes become full-width, NUL is dropped.
std::string writableField(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '"')
            out += "＂";
        else if (c != '\0')
            out += c;
    }
    return out;
}

// Splits text into items the way a sequential read does: a quoted item runs to its closing
// quote; an unquoted one to the next comma or line end. Blanks before an item are skipped.
std::vector<std::string> items(std::string_view text) {
    std::vector<std::string> out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool afterComma = false; // a comma promises one more item, empty at a line end
    while (i < n) {
        while (i < n && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= n) break;
        if (text[i] == '\r' || text[i] == '\n') {
            if (afterComma) out.emplace_back();
            afterComma = false;
            ++i;
            continue;
        }
        std::string item;
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close;
            item = std::string(text.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? n : close + 1;
            while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
                ++i;
        } else {
            const std::size_t end = text.find_first_of(",\r\n", i);
            const std::size_t stop = end == std::string_view::npos ? n : end;
            item = std::string(text.substr(i, stop - i));
            i = stop;
        }
        afterComma = i < n && text[i] == ',';
        if (afterComma) ++i;
        out.push_back(std::move(item));
    }
    if (afterComma) out.emplace_back();
    return out;
}

} // namespace

std::string companionPath(std::string_view base) {
    return std::string(base) + ".VSC";
}

std::string settingsBytes(const SettingsRecord& r) {
    const std::string fields[7] = {r.upper, r.classes, r.lower, r.interval, r.title, r.itemIndex, r.decimals};
    std::string line;
    for (int i = 0; i < kSettingsFields; ++i) {
        if (i > 0) line += ',';
        line += '"';
        if (i < 7) line += writableField(trimBlanks(fields[i]));
        line += '"';
    }
    line += "\r\n";
    return utf8ToCp932(line);
}

std::optional<SettingsRecord> parseSettings(std::string_view fileBytes) {
    bool binary = false;
    const std::string text = decodeTextFile(fileBytes, &binary);
    if (binary) return std::nullopt;
    const std::vector<std::string> all = items(text);
    const std::size_t records = all.size() / kSettingsFields;
    if (records == 0) return std::nullopt;
    const std::size_t at = (records - 1) * kSettingsFields;
    SettingsRecord r;
    r.upper = all[at];
    r.classes = all[at + 1];
    r.lower = all[at + 2];
    r.interval = all[at + 3];
    r.title = all[at + 4];
    r.itemIndex = all[at + 5];
    r.decimals = all[at + 6];
    return r;
}

std::optional<SettingsRecord> readSettingsFile(const std::string& path) {
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    return parseSettings(*bytes);
}

bool settingsComplete(const SettingsRecord& r) {
    for (const std::string* f : {&r.upper, &r.classes, &r.lower, &r.interval, &r.title, &r.itemIndex})
        if (trimBlanks(*f).empty()) return false;
    return true;
}

int restoredDecimalPlaces(std::string_view field) {
    const std::string t = trimBlanks(field);
    if (t.empty()) return 2;
    const double d = leadingNumber(t);
    if (!std::isfinite(d) || d != std::floor(d) || d < 1 || d > 4) return 2;
    return static_cast<int>(d);
}

int restoredItemIndex(std::string_view field, int entries) {
    const std::string t = trimBlanks(field);
    if (!startsWithNumber(t)) return 1;
    const double d = leadingNumber(t);
    if (!std::isfinite(d) || d != std::floor(d) || d < 0 || d >= entries) return 1;
    return static_cast<int>(d);
}

std::string defaultGraphTitle(std::string_view entryText) {
    return "HISTOGRAM OF " + trimBlanks(entryText);
}

} // namespace kl
