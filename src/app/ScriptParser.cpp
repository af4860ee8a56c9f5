#include "app/ScriptParser.h"

namespace kl {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<char> escaped(char c) {
    switch (c) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case '"':
        return '"';
    case '\\':
        return '\\';
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<std::vector<std::string>> splitScriptLine(std::string_view line, std::string* error) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const auto failWith = [&](std::string why) -> std::optional<std::vector<std::string>> {
        if (error) *error = std::move(why);
        return std::nullopt;
    };
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i >= line.size() || line[i] == '#') break;
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || !isBlank(line[i]))) {
            const char c = line[i++];
            if (c == '"') {
                quoted = !quoted;
            } else if (quoted && c == '\\') {
                if (i >= line.size()) return failWith("unterminated quote");
                const auto e = escaped(line[i]);
                if (!e) return failWith(std::string("unknown escape \\") + line[i]);
                word += *e;
                ++i;
            } else {
                word += c;
            }
        }
        if (quoted) return failWith("unterminated quote");
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<ScriptLine> readScript(std::istream& in) {
    std::vector<ScriptLine> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        ScriptLine line;
        line.number = number;
        line.text = text;
        if (auto words = splitScriptLine(text, &line.error)) line.words = std::move(*words);
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace kl
