// Text conversion: CP932, UTF-8, UTF-16 and the piecewise decoder against the whole one.
#include "FuzzInput.h"

#include "text/Cp932.h"
#include "text/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    bool binary = false;
    const std::string whole = kl::decodeTextFile(bytes, &binary);
    kl::fuzz::require(kl::isValidUtf8(whole));
    kl::fuzz::require(kl::isValidUtf8(kl::cp932ToUtf8(bytes)));
    kl::utf8ToCp932(whole);
    kl::sjisWidth(whole);
    const std::size_t n = size > 0 ? data[0] % 40 : 0;
    kl::fitBytes(whole, n);
    kl::cutBytes(whole, n);
    kl::trimBlanks(whole);
    kl::leadingNumber(whole);

    if (binary) return 0;
    kl::FileEncoding encoding = kl::FileEncoding::Utf8;
    std::string_view body = bytes;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        body.remove_prefix(3);
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        encoding = bytes[0] == '\xFF' ? kl::FileEncoding::Utf16Le : kl::FileEncoding::Utf16Be;
        body.remove_prefix(2);
    } else if (!kl::isValidUtf8(bytes)) {
        encoding = kl::FileEncoding::Cp932;
    }
    const std::size_t piece = size > 1 ? 1 + data[1] % 7 : 1;
    kl::TextStreamDecoder decoder(encoding);
    std::string cut;
    for (std::size_t at = 0; at < body.size(); at += piece)
        decoder.feed(body.substr(at, piece), cut);
    decoder.finish(cut);
    kl::fuzz::require(cut == whole);
    return 0;
}
