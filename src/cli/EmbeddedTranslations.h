#pragma once
// The compiled English translations (translations/en/*.ts, through lrelease), built into the
// program by CMake as byte arrays, so the program needs no file beside it to speak English.

#include <cstddef>
#include <span>

namespace kl::cli {

struct EmbeddedTranslation {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

std::span<const EmbeddedTranslation> embeddedTranslations();

} // namespace kl::cli
