#include "text/Path.h"

namespace kl {

PathParts splitPath(std::string_view path) {
    PathParts parts;
    auto slash = path.rfind('/');
    std::string_view name = path;
    if (slash != std::string_view::npos) {
        parts.folder = std::string(path.substr(0, slash + 1));
        name = path.substr(slash + 1);
    }
    // A leading dot names a hidden file, not an extension; a name of dots only has none either.
    auto dot = name.rfind('.');
    bool onlyDots = name.find_first_not_of('.') == std::string_view::npos;
    if (dot == std::string_view::npos || dot == 0 || onlyDots) {
        parts.base = std::string(name);
    } else {
        parts.base = std::string(name.substr(0, dot));
        parts.ext = std::string(name.substr(dot));
    }
    return parts;
}

std::string replaceExtension(std::string_view path, std::string_view ext) {
    PathParts parts = splitPath(path);
    return parts.drive + parts.folder + parts.base + std::string(ext);
}

} // namespace kl
