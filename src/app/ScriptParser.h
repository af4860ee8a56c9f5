#pragma once
// Script lines: words separated by blanks, "#" at the start of a word begins a comment, words with
// blanks in double quotes where \r \n \t \" and \\ are escapes.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

struct ScriptLine {
    int number = 0;                 // 1-based line number in the file
    std::string text;               // the line as written (without its line end)
    std::vector<std::string> words; // empty for blank and comment lines
    std::string error;              // set when the line cannot be split (bad quote or escape)
};

// Splits one line; nullopt with *error set for an unterminated quote or an unknown escape.
std::optional<std::vector<std::string>> splitScriptLine(std::string_view line, std::string* error = nullptr);

// Every line of a script, with LF or CR LF line ends.
std::vector<ScriptLine> readScript(std::istream& in);

} // namespace kl
