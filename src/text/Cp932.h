#pragma once
// CP932 (the Windows form of Shift-JIS) conversion and byte-counted widths.

#include <cstddef>
#include <string>
#include <string_view>

namespace kl {

// UTF-8 -> CP932 bytes. Characters without a CP932 form become '?'.
std::string utf8ToCp932(std::string_view utf8);
// CP932 bytes -> UTF-8. Invalid bytes become U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);

// Width in CP932 bytes: full-width 2, ASCII and half-width katakana 1.
std::size_t sjisWidth(std::string_view utf8);

// The longest prefix of at most n CP932 bytes, never splitting a double-byte character.
std::string cutBytes(std::string_view utf8, std::size_t n);
// Cut to n bytes, then padded with blanks to exactly n bytes (a split character becomes a blank).
std::string fitBytes(std::string_view utf8, std::size_t n);

// UTF-8 -> UTF-16 code units (little- or big-endian), without a BOM; a broken UTF-8 sequence
// becomes U+FFFD.
std::string utf8ToUtf16(std::string_view utf8, bool bigEndian);

// Whether s is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view s);

// Decodes the bytes of a text file to UTF-8: a UTF-8 BOM is dropped, UTF-16 LE/BE with BOM is
// converted, valid UTF-8 is taken as it is, anything else is read as CP932. Bytes holding NUL
// without a UTF-16 BOM are not text: the result is empty and *binary is set to true (otherwise
// *binary is set to false).
std::string decodeTextFile(std::string_view bytes, bool* binary = nullptr);

// The encodings decodeTextFile tells apart when reading (the BOM already taken off the bytes).
enum class FileEncoding { Utf8, Utf16Le, Utf16Be, Cp932 };

// Decodes a text file piece by piece exactly as decodeTextFile decodes it whole, for an encoding
// judged beforehand: a sequence cut at the end of a piece waits for the next one. UTF-8 has its
// broken sequences replaced by U+FFFD.
class TextStreamDecoder {
  public:
    explicit TextStreamDecoder(FileEncoding encoding) : encoding_(encoding) {}
    // Appends the text of the next bytes to out.
    void feed(std::string_view bytes, std::string& out);
    // The end of the file: the bytes still waiting are decoded as the last ones.
    void finish(std::string& out);

  private:
    FileEncoding encoding_;
    std::string carry_;
};

// The code point at the start of non-empty s and the bytes it takes: a well-formed UTF-8
// sequence, else one byte standing for U+FFFD.
struct Utf8Character {
    char32_t code;
    std::size_t length;
};
Utf8Character firstCharacter(std::string_view s);

// Bytes at the end of s that may begin a UTF-8 sequence the next bytes complete.
std::size_t utf8IncompleteTail(std::string_view s);

} // namespace kl
