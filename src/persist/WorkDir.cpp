#include "persist/WorkDir.h"

#include "refrange/ReferenceMaster.h"
#include "text/FileIO.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace kl {

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

} // namespace

std::string defaultWorkdir() {
    std::string base;
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        base = xdg;
    else if (std::string home = homeFolder(); !home.empty())
        base = home + "/.local/share";
    if (base.empty()) return ".";
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    std::string dir = (base == "/" ? std::string() : base) + "/klepsydra";
    ensureFolder(dir);
    return dir;
}

std::string resolveInWorkdir(const std::string& workdir, const std::string& relative) {
    std::string rel = relative;
    for (char& c : rel)
        if (c == '\\') c = '/';
    if (!rel.empty() && rel.front() == '/') return rel;
    if (workdir.empty()) return rel;
    return workdir.back() == '/' ? workdir + rel : workdir + "/" + rel;
}

std::string installedFile(const char* name, const char* installedFolder) {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const std::filesystem::path here = program.parent_path();
    for (const std::filesystem::path& folder : {here, here.parent_path() / installedFolder / "klepsydra"})
        if (std::filesystem::is_regular_file(folder / name, ec)) return (folder / name).string();
    return {};
}

std::string seedFolder() {
    const std::string seed = installedFile(kReferenceSeedName, "share");
    return seed.empty() ? seed : std::filesystem::path(seed).parent_path().string();
}

} // namespace kl
