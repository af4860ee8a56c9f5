#include "text/Translate.h"

namespace kl {
namespace {

Language gLanguage = Language::Japanese;
Translator gTranslator = nullptr;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

void setLanguage(Language language, Translator translator) {
    gLanguage = language;
    gTranslator = language == Language::Japanese ? nullptr : translator;
}

Language currentLanguage() {
    return gLanguage;
}

std::string translate(const char* context, const char* text) {
    if (gTranslator) {
        std::string translated = gTranslator(context, text);
        if (!translated.empty()) return translated;
    }
    return text;
}

std::string withArgs(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < args.size()) {
                out += *(args.begin() + (next - '1'));
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    std::string_view locale;
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) {
            locale = value;
            break;
        }
    if (locale.empty() || locale == "C" || locale == "POSIX" || startsWith(locale, "C."))
        return Language::Japanese;
    if (locale == "ja" || startsWith(locale, "ja_") || startsWith(locale, "ja.") || startsWith(locale, "ja@"))
        return Language::Japanese;
    return Language::English;
}

bool parseLanguage(std::string_view name, Language& language) {
    if (name == "ja") {
        language = Language::Japanese;
        return true;
    }
    if (name == "en") {
        language = Language::English;
        return true;
    }
    return false;
}

} // namespace kl
