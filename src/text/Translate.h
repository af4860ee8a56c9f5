#pragma once
// The texts a user reads are written in Japanese, the program's own language, and reach the
// user through translate() with a context: the window, page or report they belong to. With no
// translator set (Japanese, the default) a text comes back unchanged, byte for byte. The Qt
// layer sets a translator for English from the files under translations/, which lupdate fills
// from every translate() call and KL_TRANSLATE_NOOP mark in the sources.

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text in a table of constants for the translation files, leaving it as it is; pass it
// through translate() with the same context where it is shown.
#define KL_TRANSLATE_NOOP(context, text) text

namespace kl {

enum class Language { Japanese, English };

// Looks a text up; returns nullptr (or an empty text) where it has no translation.
using Translator = std::string (*)(const char* context, const char* text);

// Sets the language and its translator (nullptr for Japanese). Every copy of this library in
// the process (the program and its windows module) has its own setting.
void setLanguage(Language language, Translator translator);
Language currentLanguage();
inline bool inEnglish() {
    return currentLanguage() == Language::English;
}

// The text in the current language: the translation where there is one, else the text itself.
std::string translate(const char* context, const char* text);

// Puts arguments in place of %1 … %9 (a translation may change their order); any other '%'
// stays as it is.
std::string withArgs(std::string_view text, std::initializer_list<std::string_view> args);

// The language of the locale, as the C library reads it: the first set of LC_ALL, LC_MESSAGES
// and LANG. Japanese for ja and ja_*, for the plain C/POSIX locale and for none; English for any
// other.
Language languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);

// "ja" or "en" (what --lang takes); false for anything else.
bool parseLanguage(std::string_view name, Language& language);

} // namespace kl
