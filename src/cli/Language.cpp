#include "cli/Language.h"

#include "cli/EmbeddedTranslations.h"

#include <cstdlib>
#include <string>
#include <unordered_map>

namespace kl::cli {
namespace {

// The built-in English texts by context and Japanese source, gathered at the first look-up.
const std::unordered_map<std::string, const char*>& englishTexts() {
    static const std::unordered_map<std::string, const char*> texts = [] {
        std::unordered_map<std::string, const char*> all;
        for (const EmbeddedText& t : embeddedEnglish())
            all.emplace(std::string(t.context) + '\x04' + t.source, t.english);
        return all;
    }();
    return texts;
}

std::string englishText(const char* context, const char* text) {
    const auto& texts = englishTexts();
    const auto found = texts.find(std::string(context) + '\x04' + text);
    return found == texts.end() ? std::string() : std::string(found->second);
}

} // namespace

void useLanguage(Language language) {
    setLanguage(language, language == Language::English ? &englishText : nullptr);
}

bool takeLanguage(std::vector<std::string>& args, std::ostream& err) {
    Language language =
        languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    for (std::size_t i = 0; i < args.size();) {
        std::string value;
        std::size_t taken = 0;
        if (args[i] == "--lang") {
            if (i + 1 >= args.size()) {
                err << "klepsydra: --lang needs a language: ja or en\n";
                return false;
            }
            value = args[i + 1];
            taken = 2;
        } else if (args[i].starts_with("--lang=")) {
            value = args[i].substr(7);
            taken = 1;
        } else {
            ++i;
            continue;
        }
        if (!parseLanguage(value, language)) {
            err << "klepsydra: unknown language '" << value << "' for --lang: ja or en\n";
            return false;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + taken));
    }
    useLanguage(language);
    return true;
}

int builtInTranslationCount() {
    return static_cast<int>(englishTexts().size());
}

} // namespace kl::cli
