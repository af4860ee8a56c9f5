#include "data/DataFileReader.h"

#include "data/DataSet.h"
#include "text/Cp932.h"
#include "text/Text.h"

#include <algorithm>
#include <cmath>

namespace kl {

Message badDataFileMessage() {
    return {"不正なデータ", "このファイルにデータがないか、取り扱い不可能なデータが存在しています。       ",
            Buttons::Ok, Icon::Information};
}

Message severalColumnsMessage(int columns) {
    return {"CAN NOT USE",
            "読み込んだファイルのデータ形式は複数配列のものです。１元配列のデータを読み込んで下さい。       "
            "\r\n"
            " （" +
                std::to_string(columns) + "元配列です） ",
            Buttons::Ok, Icon::Information};
}

Message tooFewValuesMessage() {
    return {"BAD DATA", "データが少なすぎます。          \r\n(データ数が10件未満です)                     ",
            Buttons::Ok, Icon::Information};
}

Message valueCapMessage() {
    return {"caution",
            "本プログラムで扱えるデータは４０,０００件までです。    "
            "\r\n４０,０００件までのデータを取り込みました。",
            Buttons::Ok, Icon::Information};
}

Message readCancelledMessage() {
    return {"CAUTION",
            "ファイルの読み込みがキャセルされました。     \r\n全ての処理を最初から行って下さい。    ",
            Buttons::Ok, Icon::Information};
}

int firstLineColumns(std::string_view firstLine) {
    std::string trimmed = trimBlanks(firstLine);
    auto separators =
        std::count_if(trimmed.begin(), trimmed.end(), [](char ch) { return ch == ',' || ch == ' '; });
    return static_cast<int>(separators) + 1;
}

namespace {

bool isLineEnd(char ch) {
    return ch == '\r' || ch == '\n';
}

// Whether the item holds nothing but ASCII and full-width blanks (U+3000, E3 80 80 in UTF-8).
bool isBlankItem(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == ' ')
            ++i;
        else if (s.substr(i, 3) == "\xE3\x80\x80")
            i += 3;
        else
            return false;
    }
    return true;
}

// Characters (code points) of UTF-8 text.
std::size_t charCount(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

// Saved pasted data are written quoted; without unquoting they would read back as 0.
std::string_view unquote(std::string_view item) {
    std::string_view core = item;
    while (!core.empty() && core.back() == ' ')
        core.remove_suffix(1);
    if (core.size() >= 2 && core.front() == '"' && core.back() == '"') return core.substr(1, core.size() - 2);
    return item;
}

// The segment to fill for an estimate of p percent: 1 + the largest k in 0..19 with 5k <= p.
int segmentFor(double p) {
    int k = 0;
    if (p > 0 && std::isfinite(p)) k = static_cast<int>(std::min(19.0, std::floor(p / 5.0)));
    while (k < 19 && 5.0 * (k + 1) <= p)
        ++k;
    while (k > 0 && 5.0 * k > p)
        --k;
    return 1 + k;
}

class ItemScanner {
  public:
    explicit ItemScanner(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }

    // The next item: blanks before it skipped, ending at a comma or a line end.
    std::string_view next() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
        std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
        std::string_view item = text_.substr(start, pos_ - start);
        if (pos_ < text_.size()) {
            if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
            ++pos_;
        }
        return item;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string_view firstLineOf(std::string_view text) {
    auto end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

// A cancel is a cancel however few values were read by then (the key may be held from the start).
void finish(DataReadResult& r, bool cancelled, std::vector<std::string>& values) {
    r.itemsRead = static_cast<int>(values.size());
    if (cancelled) {
        r.status = ReadStatus::Cancelled;
        r.messages.push_back(readCancelledMessage());
    } else if (r.itemsRead < kMinDataValues) {
        r.status = ReadStatus::Refused;
        r.refusal = ReadRefusal::TooFew;
        r.messages.push_back(tooFewValuesMessage());
    } else {
        r.status = ReadStatus::Ok;
        r.values = std::move(values);
    }
}

} // namespace

DataReadResult readDataText(std::string_view text, std::size_t fileSize, const DataReadHooks& hooks) {
    DataReadResult r;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (text.ends_with('\x1A')) text.remove_suffix(1);

    std::string_view firstLine = firstLineOf(text);
    r.columns = firstLineColumns(firstLine);
    if (r.columns > 1) {
        r.refusal = ReadRefusal::SeveralColumns;
        r.messages.push_back(severalColumnsMessage(r.columns));
        return r;
    }

    const double firstLineChars = static_cast<double>(charCount(firstLine));
    const double size = fileSize > 0 ? static_cast<double>(fileSize) : 1.0;
    std::vector<std::string> values;
    values.reserve(std::min<std::size_t>(kMaxDataValues, text.size() / 2 + 1));
    double itemChars = 0;
    bool cancelled = false;
    ItemScanner scanner(text);
    while (!scanner.atEnd()) {
        if (hooks.cancelRequested && hooks.cancelRequested()) {
            cancelled = true;
            break;
        }
        std::string_view item = unquote(scanner.next());
        if (isBlankItem(item)) continue;
        if (static_cast<int>(values.size()) == kMaxDataValues) {
            r.capped = true;
            r.messages.push_back(valueCapMessage());
            break;
        }
        values.emplace_back(item);
        double chars = static_cast<double>(charCount(item));
        itemChars += chars;
        double allowance = firstLineChars > chars + 1 ? 4.0 : 2.0;
        double p = (static_cast<double>(values.size()) * allowance + itemChars) / size * 100.0;
        int segment = segmentFor(p);
        if (segment > r.segment) {
            r.segment = segment;
            if (hooks.fillSegment) hooks.fillSegment(segment);
        }
    }
    finish(r, cancelled, values);
    return r;
}

DataReadResult readDataFile(std::string_view fileBytes, const DataReadHooks& hooks) {
    bool binary = false;
    std::string text = decodeTextFile(fileBytes, &binary);
    if (binary) {
        DataReadResult r;
        r.refusal = ReadRefusal::BadData;
        r.messages.push_back(badDataFileMessage());
        return r;
    }
    // The estimate counts characters against bytes; a UTF-16 file has two bytes a character.
    bool utf16 = fileBytes.starts_with("\xFF\xFE") || fileBytes.starts_with("\xFE\xFF");
    return readDataText(text, utf16 ? text.size() : fileBytes.size(), hooks);
}

} // namespace kl
