// Reading a data file from its path as a stream: the encoding is judged on the part of the file
// the rules read, then that part is decoded and read piece by piece.
#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "data/DataTextReader.h"
#include "text/Cp932.h"

#include <unistd.h>

namespace kl {

namespace {

constexpr std::size_t kPiece = 1 << 16;

// Fills buf from the file unless it ends first; the bytes read, or -1 on an error.
long readPiece(ReadableFile& file, char* buf, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        long n = file.read(buf + got, size - got);
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<long>(got);
}

// Judges a file without a BOM on the bytes the rules can reach: through the whole first line and
// then up to the end of the 40,001st item that holds something besides blanks and quotes in
// either encoding (the rules never read further). NUL there makes the file binary; otherwise it
// is UTF-8 when those bytes are valid UTF-8, else CP932.
class PrefixJudge {
  public:
    // False once the judged part has ended.
    bool feed(std::string_view bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            if (b == 0) {
                binary = true;
                return false;
            }
            if (b == ',' || b == '\r' || b == '\n') {
                if (b != ',') firstLineDone_ = true;
                if (filled_) ++items_;
                filled_ = false;
                if (firstLineDone_ && items_ > kMaxDataValues) {
                    check(bytes.substr(0, i + 1), true);
                    return false;
                }
            } else if (!mayBeBlank(b)) {
                filled_ = true;
            }
        }
        check(bytes, false);
        return true;
    }
    void finish() { check({}, true); }

    bool binary = false;
    bool utf8 = true;

  private:
    static bool mayBeBlank(unsigned char b) {
        return b == ' ' || b == '\t' || b == '"' || b == 0xE3 || b == 0x80 || b == 0x81 || b == 0x40;
    }
    void check(std::string_view bytes, bool last) {
        if (!utf8) return;
        carry_.append(bytes);
        const std::size_t keep = last ? 0 : utf8IncompleteTail(carry_);
        utf8 = isValidUtf8(std::string_view(carry_).substr(0, carry_.size() - keep));
        carry_.erase(0, carry_.size() - keep);
    }

    bool firstLineDone_ = false;
    bool filled_ = false;
    int items_ = 0;
    std::string carry_;
};

DataReadResult unreadable(const ReadableFile& file) {
    DataReadResult r;
    r.refusal = ReadRefusal::Unreadable;
    r.fileFailure = file.failure();
    r.fileError = file.errorNumber();
    r.messages.push_back(tooFewValuesMessage());
    return r;
}

DataReadResult binaryData() {
    DataReadResult r;
    r.refusal = ReadRefusal::BadData;
    r.messages.push_back(badDataFileMessage());
    return r;
}

// The encoding of a file without a BOM; nullopt when it is binary or *failed when reading failed.
std::optional<FileEncoding> judge(ReadableFile& file, std::string_view first, char* buf, bool* failed) {
    PrefixJudge judge;
    bool more = judge.feed(first) && first.size() == kPiece;
    while (more) {
        long n = readPiece(file, buf, kPiece);
        if (n < 0) {
            *failed = true;
            return std::nullopt;
        }
        more =
            judge.feed(std::string_view(buf, static_cast<std::size_t>(n))) && n == static_cast<long>(kPiece);
    }
    judge.finish();
    if (judge.binary) return std::nullopt;
    return judge.utf8 ? FileEncoding::Utf8 : FileEncoding::Cp932;
}

} // namespace

DataReadResult readDataFileAt(const std::string& path, const DataReadHooks& hooks) {
    ReadableFile file(path);
    if (!file) return unreadable(file);
    std::string buffer(kPiece, '\0');
    char* buf = buffer.data();
    long n = readPiece(file, buf, kPiece);
    if (n < 0) return unreadable(file);
    std::string_view piece(buf, static_cast<std::size_t>(n));

    FileEncoding encoding = FileEncoding::Utf8;
    std::size_t skip = 0;
    std::size_t estimate = file.size();
    if (piece.starts_with("\xEF\xBB\xBF")) {
        skip = 3;
    } else if (piece.starts_with("\xFF\xFE") || piece.starts_with("\xFE\xFF")) {
        encoding = piece[0] == '\xFF' ? FileEncoding::Utf16Le : FileEncoding::Utf16Be;
        skip = 2;
        // The estimate counts characters against bytes; UTF-16 has two bytes a character.
        estimate = (file.size() - 2) / 2;
    } else {
        bool failed = false;
        std::optional<FileEncoding> judged = judge(file, piece, buf, &failed);
        if (failed) return unreadable(file);
        if (!judged) return binaryData();
        encoding = *judged;
        if (::lseek(file.fd(), 0, SEEK_SET) != 0 || (n = readPiece(file, buf, kPiece)) < 0)
            return unreadable(file);
        piece = std::string_view(buf, static_cast<std::size_t>(n));
    }

    TextStreamDecoder decoder(encoding);
    DataTextReader reader(estimate, hooks);
    std::string text;
    piece.remove_prefix(skip);
    for (;;) {
        text.clear();
        decoder.feed(piece, text);
        if (!reader.feed(text) || piece.size() + skip < kPiece) break;
        skip = 0;
        if ((n = readPiece(file, buf, kPiece)) < 0) return unreadable(file);
        piece = std::string_view(buf, static_cast<std::size_t>(n));
    }
    text.clear();
    decoder.finish(text);
    reader.feed(text);
    return reader.finish();
}

} // namespace kl
