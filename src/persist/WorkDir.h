#pragma once
// The working folder: option files, data_f/ and the exported table live there.

#include <string>

namespace kl {

// The per-user data folder ($XDG_DATA_HOME/klepsydra, else ~/.local/share/klepsydra), created
// when missing. Falls back to the current folder when no home folder is known.
std::string defaultWorkdir();

// relative placed inside workdir; an absolute path is returned as it is. Backslashes in the
// relative part (as in "data_f\KIJUN.DAT") are taken as folder separators.
std::string resolveInWorkdir(const std::string& workdir, const std::string& relative);

// The path of the file `name` beside the running program (a build tree) or in
// ../INSTALLED_FOLDER/klepsydra from it (installed); empty when neither has it.
std::string installedFile(const char* name, const char* installedFolder);

// The folder holding the seed master shipped with the program, found from where the running
// program is: beside it (a build tree), else ../share/klepsydra (installed). Empty when neither
// holds it.
std::string seedFolder();

} // namespace kl
