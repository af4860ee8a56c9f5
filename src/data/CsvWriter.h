#pragma once
// The bytes of a saved data file: one value text a line, exactly as stored, each line ended by
// CR LF, no end-of-file mark.

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// The encoding a data file was read in, so that a rewrite keeps every character of it.
enum class TextEncoding { Cp932, Utf8, Utf8Bom, Utf16Le, Utf16Be };

// What the bytes of a data file are written in: a BOM gives its own encoding (UTF-8, UTF-16 LE
// or BE, each written with its BOM), well-formed UTF-8 holding a non-ASCII character gives UTF-8,
// anything else CP932.
TextEncoding detectEncoding(std::string_view fileBytes);

// One line per row; an empty row gives an empty line. quoted puts each text in double quotes.
std::string csvBytes(const std::vector<std::string>& rows, TextEncoding encoding = TextEncoding::Cp932,
                     bool quoted = false);

// A save dialog's path with ".CSV" appended unless it ends in exactly ".csv" or ".CSV".
std::string withCsvExtension(std::string_view trimmedPath);

} // namespace kl
