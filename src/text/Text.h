#pragma once
// Small text rules shared by every part of the program. Texts are UTF-8 in memory.

#include <optional>
#include <string>
#include <string_view>

namespace kl {

// Removes the ASCII blank and the full-width blank U+3000 at both ends.
std::string trimBlanks(std::string_view s);

// The decimal number at the start of s (leading blanks skipped, optional sign, digits,
// optional point and digits). A text that does not start with a number gives 0.
double leadingNumber(std::string_view s);

// Whether s starts with a number under the same rule (after leading blanks).
bool startsWithNumber(std::string_view s);

// The length in characters of the leading number of s, 0 when there is none
// (leading blanks are counted too).
std::size_t leadingNumberLength(std::string_view s);

// std::string of n blanks.
inline std::string blanks(std::size_t n) { return std::string(n, ' '); }

// Right- and left-aligns in n characters (counted as half-width cells); longer texts are kept.
std::string padLeft(std::string_view s, std::size_t width);
std::string padRight(std::string_view s, std::size_t width);

// Escapes \r \n \t " and \\ for transcripts.
std::string escapeForTranscript(std::string_view s);

} // namespace kl
