#pragma once
// The English translations (translations/en/*.ts), built into the program by CMake as a table,
// so the program needs no file beside it, and no Qt, to speak English.

#include <cstddef>
#include <span>

namespace kl::cli {

struct EmbeddedText {
    const char* context;
    const char* source; // the Japanese text, as the sources pass it to translate()
    const char* english;
};

std::span<const EmbeddedText> embeddedEnglish();

} // namespace kl::cli
