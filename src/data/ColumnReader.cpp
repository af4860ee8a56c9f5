#include "data/ColumnReader.h"

#include "text/Cp932.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace kl {

SkippedItems& SkippedItems::operator+=(const SkippedItems& o) {
    empty += o.empty;
    notNumber += o.notNumber;
    nonPositive += o.nonPositive;
    censoredBelow += o.censoredBelow;
    censoredAbove += o.censoredAbove;
    overCap += o.overCap;
    return *this;
}

std::size_t ColumnReadResult::valueCount() const {
    std::size_t n = 0;
    for (const auto& g : groups)
        n += g.values.size();
    return n;
}

SkippedItems ColumnReadResult::skipped() const {
    SkippedItems s;
    for (const auto& g : groups)
        s += g.skipped;
    return s;
}

std::vector<double> ColumnReadResult::allValues() const {
    std::vector<double> all;
    all.reserve(valueCount());
    for (const auto& g : groups)
        all.insert(all.end(), g.values.begin(), g.values.end());
    return all;
}

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;
constexpr std::size_t kMaxGroups = 1000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Blanks, then one pair of surrounding quotes, then blanks inside them.
std::string_view trimItem(std::string_view s) {
    s = trimBlanks(s);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = trimBlanks(s.substr(1, s.size() - 2));
    return s;
}

// A header name or group label: trimmed, unquoted ("" inside quotes is one quote), as UTF-8.
std::string cellText(std::string_view raw) {
    std::string_view s = trimBlanks(raw);
    std::string out;
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') {
        s = s.substr(1, s.size() - 2);
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            if (s[i] == '"' && i + 1 < s.size() && s[i + 1] == '"') ++i;
        }
    } else {
        out = s;
    }
    if (out == "\xE3\x80\x80") out.clear(); // a lone full-width blank
    return isValidUtf8(out) ? out : cp932ToUtf8(out);
}

// Splits a line at delimiters outside quotes; fills at most n fields, returns the count found
// (up to n).
std::size_t splitFields(std::string_view line, char delimiter, std::string_view* fields, std::size_t n) {
    if (delimiter == 0) {
        if (n > 0) fields[0] = line;
        return 1;
    }
    std::size_t count = 0, start = 0;
    if (line.find('"') == std::string_view::npos) { // the common case: memchr from delimiter to delimiter
        for (;;) {
            std::size_t next = line.find(delimiter, start);
            std::size_t end = next == std::string_view::npos ? line.size() : next;
            if (count < n) fields[count] = line.substr(start, end - start);
            if (++count >= n || next == std::string_view::npos) return count;
            start = next + 1;
        }
    }
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size()) {
            char c = line[i];
            if (c == '"') quoted = !quoted;
            if (quoted || c != delimiter) continue;
        }
        if (count < n) fields[count] = line.substr(start, i - start);
        ++count;
        if (count >= n) return count;
        start = i + 1;
    }
    return count;
}

std::string joinNames(const std::vector<std::string>& names) {
    std::string s;
    for (std::size_t i = 0; i < names.size(); ++i)
        s += (i ? ", " : "") + names[i];
    return s;
}

std::string delimiterName(char d) {
    return d == '\t' ? "tab" : d == ';' ? "semicolon" : "comma";
}

class Parser {
  public:
    Parser(const ColumnRequest& request, ColumnReadResult& result) : req_(request), res_(result) {}

    // Processes the complete lines of data (all of it when last); returns the bytes consumed.
    std::size_t consume(std::string_view data, bool last) {
        if (!endKnown_ && !data.empty()) {
            // Lines end in LF or CR LF; a file with CR alone (old Macintosh) is read at CR.
            bool lf = data.find('\n') != std::string_view::npos;
            lineEnd_ = lf || data.find('\r') == std::string_view::npos ? '\n' : '\r';
            endKnown_ = lf || last || data.find('\r') != std::string_view::npos;
        }
        std::size_t pos = 0;
        while (pos < data.size() && !stopped()) {
            const void* hit = std::memchr(data.data() + pos, lineEnd_, data.size() - pos);
            std::size_t end =
                hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data.data()) : data.size();
            if (!hit && !last) break;
            std::string_view text = data.substr(pos, end - pos);
            if (lineEnd_ == '\n' && !text.empty() && text.back() == '\r') text.remove_suffix(1);
            line(text);
            pos = hit ? end + 1 : end;
        }
        return stopped() ? data.size() : pos;
    }

    bool stopped() const { return refused_ || (req_.headerOnly && headerDone_); }

    // Reserves each group's values from the share of the file read so far, so that growth does
    // not double the memory of large reads.
    void reserve(std::uint64_t consumed, std::uint64_t total) {
        if (consumed == 0 || consumed >= total || res_.rows == 0) return;
        double scale = 1.05 * static_cast<double>(total) / static_cast<double>(consumed);
        for (auto& g : res_.groups) {
            double want = std::min(static_cast<double>(req_.maxValues), g.values.size() * scale + 1024);
            g.values.reserve(static_cast<std::size_t>(want));
        }
    }

    void finish() {
        if (!refused_ && !headerDone_) refuse("the file holds no values");
        for (std::size_t i = 0; i < res_.groups.size(); ++i)
            for (const auto& [key, count] : censored_[i])
                res_.groups[i].censored.push_back({key.second, key.first == 0, count});
        res_.status = refused_ ? ColumnReadStatus::Refused : ColumnReadStatus::Ok;
    }

    void refuse(std::string message) {
        refused_ = true;
        res_.message = std::move(message);
        res_.groups.clear();
    }

  private:
    void line(std::string_view text) {
        if (!headerDone_ && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        std::string_view t = trimBlanks(text);
        if (t.empty() || t == "\x1A" || t == "\xE3\x80\x80") return;
        if (!headerDone_) {
            header(text);
            if (refused_ || res_.hasHeader || req_.headerOnly) return;
        }
        ++res_.rows;
        data(text);
    }

    void header(std::string_view text) {
        headerDone_ = true;
        res_.delimiter = detectDelimiter(text);
        decimalComma_ = res_.delimiter == ';' || res_.delimiter == '\t';
        std::vector<std::string_view> fields(1);
        if (res_.delimiter != 0) {
            fields.resize(std::count(text.begin(), text.end(), res_.delimiter) + 1);
            fields.resize(splitFields(text, res_.delimiter, fields.data(), fields.size()));
        } else {
            fields[0] = text;
            double v;
            ItemKind kind = parseItem(text, false, &v);
            res_.hasHeader = kind == ItemKind::NotNumber;
        }
        if (res_.delimiter != 0) res_.hasHeader = true;
        if (res_.hasHeader)
            for (auto f : fields)
                res_.columns.push_back(cellText(f));
        if (!req_.headerOnly) resolveColumns();
    }

    void resolveColumns() {
        const auto& names = res_.columns;
        if (req_.column.empty()) {
            if (names.size() > 1) {
                refuse("the file has " + std::to_string(names.size()) + " columns (" +
                       delimiterName(res_.delimiter) + " separated): choose one of " + joinNames(names));
                return;
            }
            column_ = 0;
        } else if (!findColumn(req_.column, &column_)) {
            return;
        }
        if (!req_.groupColumn.empty()) {
            if (!findColumn(req_.groupColumn, &group_)) return;
            grouped_ = true;
        } else {
            addGroup("", "");
        }
    }

    bool findColumn(const std::string& name, std::size_t* index) {
        if (!res_.hasHeader) {
            refuse("the file has no header row naming its columns, so it has no column '" + name + "'");
            return false;
        }
        auto it = std::find(res_.columns.begin(), res_.columns.end(), name);
        if (it == res_.columns.end()) {
            refuse("the file has no column '" + name + "'; its columns are: " + joinNames(res_.columns));
            return false;
        }
        *index = static_cast<std::size_t>(it - res_.columns.begin());
        return true;
    }

    std::size_t addGroup(std::string_view raw, std::string label) {
        res_.groups.push_back({std::move(label), {}, {}, {}});
        censored_.emplace_back();
        rawLabels_.emplace_back(raw);
        return res_.groups.size() - 1;
    }

    std::size_t groupOf(std::string_view raw) {
        if (last_ < rawLabels_.size() && rawLabels_[last_] == raw) return last_;
        for (std::size_t i = 0; i < rawLabels_.size(); ++i)
            if (rawLabels_[i] == raw) return last_ = i;
        if (res_.groups.size() >= kMaxGroups) {
            refuse("the group column '" + req_.groupColumn + "' has more than " + std::to_string(kMaxGroups) +
                   " different labels");
            return 0;
        }
        return last_ = addGroup(raw, cellText(raw));
    }

    void data(std::string_view text) {
        const std::size_t want = std::max(column_, grouped_ ? group_ : 0) + 1;
        if (cells_.size() < want) cells_.resize(want);
        std::string_view* cells = cells_.data();
        std::size_t found = splitFields(text, res_.delimiter, cells, want);
        std::size_t gi = 0;
        if (grouped_) {
            gi = groupOf(group_ < found ? trimBlanks(cells[group_]) : std::string_view());
            if (refused_) return;
        }
        item(column_ < found ? cells[column_] : std::string_view(), gi);
    }

    void item(std::string_view cell, std::size_t gi) {
        ColumnGroup& g = res_.groups[gi];
        double v = 0;
        switch (parseItem(cell, decimalComma_, &v)) {
        case ItemKind::Empty:
            ++g.skipped.empty;
            return;
        case ItemKind::NotNumber:
            ++g.skipped.notNumber;
            return;
        case ItemKind::CensoredBelow:
            ++g.skipped.censoredBelow;
            ++censored_[gi][{0, v}];
            return;
        case ItemKind::CensoredAbove:
            ++g.skipped.censoredAbove;
            ++censored_[gi][{1, v}];
            return;
        case ItemKind::Number:
            break;
        }
        if (req_.positiveOnly && !(v > 0)) {
            ++g.skipped.nonPositive;
        } else if (kept_ >= req_.maxValues) {
            ++g.skipped.overCap;
            res_.capped = true;
        } else {
            g.values.push_back(v);
            ++kept_;
        }
    }

    const ColumnRequest& req_;
    ColumnReadResult& res_;
    bool headerDone_ = false, refused_ = false, grouped_ = false, decimalComma_ = false, endKnown_ = false;
    char lineEnd_ = '\n';
    std::size_t column_ = 0, group_ = 0, kept_ = 0, last_ = 0;
    std::vector<std::string> rawLabels_;
    std::vector<std::string_view> cells_; // the fields of the current line up to the ones used
    std::vector<std::map<std::pair<int, double>, std::size_t>> censored_;
};

bool startsUtf16(std::string_view head) {
    return head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF");
}

// Drives the parser over blocks from next(buffer, room) -> bytes read (0 at the end).
template <class Next>
ColumnReadResult run(std::uint64_t total, const ColumnRequest& request, const ColumnReadHooks& hooks,
                     Next next) {
    ColumnReadResult result;
    Parser parser(request, result);
    std::vector<char> buf(kBlockBytes);
    std::size_t kept = 0;
    std::uint64_t done = 0;
    bool first = true;
    for (;;) {
        if (kept == buf.size()) buf.resize(buf.size() * 2); // a line longer than a block
        std::size_t n = next(buf.data() + kept, buf.size() - kept);
        if (first && std::memchr(buf.data(), 0, n) != nullptr) {
            result.message = "the file is not a text file";
            return result;
        }
        std::string_view data(buf.data(), kept + n);
        std::size_t used = parser.consume(data, n == 0);
        std::memmove(buf.data(), buf.data() + used, data.size() - used);
        kept = data.size() - used;
        done += n;
        if (parser.stopped() || n == 0) break;
        if (first) parser.reserve(done - kept, total);
        first = false;
        if (hooks.progress) hooks.progress(done, total);
        if (hooks.cancelRequested && hooks.cancelRequested()) {
            result.status = ColumnReadStatus::Cancelled;
            result.groups.clear();
            result.message = "the read was cancelled";
            return result;
        }
    }
    parser.finish();
    if (hooks.progress && result.status == ColumnReadStatus::Ok) hooks.progress(total, total);
    return result;
}

ColumnReadResult readInMemory(std::string_view bytes, const ColumnRequest& request,
                              const ColumnReadHooks& hooks) {
    std::size_t pos = 0;
    return run(bytes.size(), request, hooks, [&](char* to, std::size_t room) {
        std::size_t n = std::min(room, bytes.size() - pos);
        std::memcpy(to, bytes.data() + pos, n);
        pos += n;
        return n;
    });
}

} // namespace

char detectDelimiter(std::string_view firstLine) {
    std::size_t tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (char c : firstLine) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        tabs += c == '\t';
        semicolons += c == ';';
        commas += c == ',';
    }
    if (tabs == 0 && semicolons == 0 && commas == 0) return 0;
    if (tabs >= semicolons && tabs >= commas) return '\t';
    return semicolons >= commas ? ';' : ',';
}

ItemKind parseItem(std::string_view item, bool decimalComma, double* value) {
    std::string_view s = trimItem(item);
    if (s.empty()) return ItemKind::Empty;
    ItemKind kind = ItemKind::Number;
    if (s.front() == '<' || s.front() == '>') {
        kind = s.front() == '<' ? ItemKind::CensoredBelow : ItemKind::CensoredAbove;
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '=') s.remove_prefix(1);
        s = trimBlanks(s);
    }
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty() || s.size() > 64) return ItemKind::NotNumber;
    // from_chars would read "inf" and "nan"; a result must start as a number does.
    char c0 = s.front() == '-' && s.size() > 1 ? s[1] : s.front();
    if (!(c0 >= '0' && c0 <= '9') && c0 != '.' && !(decimalComma && c0 == ',')) return ItemKind::NotNumber;
    char copy[64];
    if (decimalComma && s.find(',') != std::string_view::npos) {
        if (s.find('.') != std::string_view::npos) return ItemKind::NotNumber;
        std::memcpy(copy, s.data(), s.size());
        std::replace(copy, copy + s.size(), ',', '.');
        s = std::string_view(copy, s.size());
    }
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return ItemKind::NotNumber;
    *value = v;
    return kind;
}

ColumnReadResult readColumnBytes(std::string_view bytes, const ColumnRequest& request,
                                 const ColumnReadHooks& hooks) {
    if (startsUtf16(bytes)) {
        std::string text = decodeTextFile(bytes);
        return readInMemory(text, request, hooks);
    }
    return readInMemory(bytes, request, hooks);
}

ColumnReadResult readColumnFile(const std::string& path, const ColumnRequest& request,
                                const ColumnReadHooks& hooks) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    ColumnReadResult refused;
    refused.message = "cannot read " + path;
    if (!file) return refused;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return refused;
    long size = std::ftell(file.get());
    if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return refused;
    char head[2] = {0, 0};
    std::size_t got = std::fread(head, 1, 2, file.get());
    std::rewind(file.get());
    if (startsUtf16(std::string_view(head, got))) {
        // UTF-16 exports are small; they are decoded whole.
        std::string bytes(static_cast<std::size_t>(size), '\0');
        if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return refused;
        return readColumnBytes(bytes, request, hooks);
    }
    std::FILE* f = file.get();
    bool failed = false;
    ColumnReadResult result =
        run(static_cast<std::uint64_t>(size), request, hooks, [&](char* to, std::size_t room) {
            std::size_t n = std::fread(to, 1, room, f);
            if (n == 0 && std::ferror(f)) failed = true;
            return n;
        });
    if (failed) return refused;
    return result;
}

} // namespace kl
