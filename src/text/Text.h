#pragma once
// Small text rules shared by every part of the program. Texts are UTF-8 in memory.

#include <optional>
#include <string>
#include <string_view>

namespace kl {

// Removes the ASCII blank and the full-width blank U+3000 at both ends.
std::string trimBlanks(std::string_view s);

// The decimal number at the start of s: leading blanks (ASCII and U+3000) skipped, then an optional
// sign, digits, an optional point and digits; at least one digit is needed (".5" and "-.5" count,
// "-" and "." do not). The number ends at the first character that cannot continue it, so "1.2.3"
// is 1.2, "12-3" is 12 and "1e5" is 1. A text that does not start with a number gives 0. Independent
// of the locale; a digit string too long for a double gives an infinity (callers refuse
// non-finite values).
double leadingNumber(std::string_view s);

// Whether s starts with a number under the same rule.
bool startsWithNumber(std::string_view s);

// The length in characters of the leading number of s, 0 when there is none
// (leading blanks are counted too).
std::size_t leadingNumberLength(std::string_view s);

// Whether byte c starts a UTF-8 character: every byte but a continuation byte (10xxxxxx) does,
// so an invalid lead byte counts as a character of its own and a stray continuation byte as none.
inline bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// Characters of UTF-8 text under startsCharacter (length limits count characters, not bytes).
std::size_t characterCount(std::string_view s);

// The first n characters of s, with the continuation bytes that follow the last of them.
std::string firstCharacters(std::string_view s, std::size_t n);

// Marks a text that was cut to fit.
inline constexpr std::string_view kCutMark = "～";

// s cut to its first n characters, kCutMark appended when the cut text is longer than n - 1
// characters (so a text of exactly n characters is marked too).
std::string cutWithMark(std::string_view s, std::size_t n);

// s cut to n half-width cells (cutBytes), kCutMark appended when the cut text is longer than n - 1
// cells and something was cut off.
std::string cutCellsWithMark(std::string_view s, std::size_t n);

// std::string of n blanks.
inline std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

// Right- and left-aligns in n characters (counted as half-width cells); longer texts are kept.
std::string padLeft(std::string_view s, std::size_t width);
std::string padRight(std::string_view s, std::size_t width);

// Escapes \r \n \t " and \\ for transcripts.
std::string escapeForTranscript(std::string_view s);

} // namespace kl
