#include "data/CsvWriter.h"

#include "text/Cp932.h"

namespace kl {

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return TextEncoding::Utf8Bom;
    if (bytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16Be;
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii && isValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::Cp932;
}

std::string csvBytes(const std::vector<std::string>& rows, TextEncoding encoding, bool quoted) {
    std::string text;
    for (const std::string& row : rows) {
        if (quoted) text += '"';
        text += row;
        if (quoted) text += '"';
        text += "\r\n";
    }
    switch (encoding) {
    case TextEncoding::Cp932:
        return utf8ToCp932(text);
    case TextEncoding::Utf8:
        return text;
    case TextEncoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case TextEncoding::Utf16Le:
        return "\xFF\xFE" + utf8ToUtf16(text, false);
    case TextEncoding::Utf16Be:
        return "\xFE\xFF" + utf8ToUtf16(text, true);
    }
    return text;
}

std::string withCsvExtension(std::string_view path) {
    if (path.ends_with(".csv") || path.ends_with(".CSV")) return std::string(path);
    return std::string(path) + ".CSV";
}

} // namespace kl
