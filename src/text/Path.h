#pragma once
// Path splitting as the dialogs and the companion files use it.

#include <string>
#include <string_view>

namespace kl {

struct PathParts {
    std::string drive;  // always empty on Linux
    std::string folder; // with its trailing separator, e.g. "/home/u/data/"
    std::string base;   // name without extension
    std::string ext;    // with its dot, e.g. ".csv"; what follows the last dot of the name
};

PathParts splitPath(std::string_view path);

// The path with its extension replaced (ext with its dot).
std::string replaceExtension(std::string_view path, std::string_view ext);

} // namespace kl
