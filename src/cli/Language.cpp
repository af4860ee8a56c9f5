#include "cli/Language.h"

#include "cli/EmbeddedTranslations.h"

#include <QTranslator>

#include <cstdlib>
#include <memory>

namespace kl::cli {
namespace {

std::vector<std::unique_ptr<QTranslator>>& englishTranslators() {
    static std::vector<std::unique_ptr<QTranslator>> translators = [] {
        std::vector<std::unique_ptr<QTranslator>> loaded;
        for (const EmbeddedTranslation& file : embeddedTranslations()) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(file.data, static_cast<int>(file.size)))
                loaded.push_back(std::move(translator));
        }
        return loaded;
    }();
    return translators;
}

std::string englishText(const char* context, const char* text) {
    for (const auto& translator : englishTranslators()) {
        const QString found = translator->translate(context, text);
        if (!found.isEmpty()) return found.toStdString();
    }
    return {};
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
    return static_cast<int>(englishTranslators().size());
}

} // namespace kl::cli
