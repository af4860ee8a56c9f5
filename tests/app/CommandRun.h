#pragma once
// A batch command run in the test's own process: its exit status and what it printed.

#include "cli/Batch.h"
#include "cli/Language.h"

#include <sstream>
#include <string>
#include <vector>

namespace kl::test {

struct CommandRun {
    int status;
    std::string out, err;
};

using BatchEntry = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

inline CommandRun runCommand(BatchEntry command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = command(args, out, err);
    return {status, out.str(), err.str()};
}

// Takes --lang out of args as the program does before it runs a command; the language it chose
// holds until the end of the scope, then Japanese (the tests' locale) comes back.
class LanguageOfArgs {
  public:
    explicit LanguageOfArgs(std::vector<std::string>& args) {
        std::ostringstream err;
        taken_ = cli::takeLanguage(args, err);
    }
    ~LanguageOfArgs() { cli::useLanguage(Language::Japanese); }
    LanguageOfArgs(const LanguageOfArgs&) = delete;
    LanguageOfArgs& operator=(const LanguageOfArgs&) = delete;
    bool taken() const { return taken_; }

  private:
    bool taken_ = false;
};

// True when text holds a Japanese character (kana, kanji, full-width forms or CJK punctuation).
inline bool holdsJapanese(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xE3 && c <= 0xE9) return true; // U+3000 .. U+9FFF
        if (c == 0xEF && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0xBC)
            return true; // U+FF00 .. U+FFFF
    }
    return false;
}

// A fixture under tests/data.
inline std::string fixture(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

} // namespace kl::test
