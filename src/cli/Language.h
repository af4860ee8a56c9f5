#pragma once
// The language of the windows and of the batch commands' text: --lang ja|en where it is given,
// else the locale's (see languageOfLocale). English comes from the translations built into the
// program; Japanese needs none.

#include "text/Translate.h"

#include <ostream>
#include <string>
#include <vector>

namespace kl::cli {

// Takes --lang LANG / --lang=LANG out of args (anywhere), chooses the language and sets it for
// this copy of the core. False, with a message on err, for a language other than ja or en or a
// --lang without one.
bool takeLanguage(std::vector<std::string>& args, std::ostream& err);

// Sets the language and, for English, the translator over the built-in translations.
void useLanguage(Language language);

// The number of built-in English texts.
int builtInTranslationCount();

} // namespace kl::cli
