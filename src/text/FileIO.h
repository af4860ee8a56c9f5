#pragma once
// Whole-file access. Every file the program replaces is written to a temporary file in the same
// folder and renamed over the old one, so a failed write leaves the previous file whole.

#include <optional>
#include <string>
#include <string_view>

namespace kl {

// The whole content of a file; nullopt when it cannot be read (missing, a folder, refused).
std::optional<std::string> readFileBytes(const std::string& path);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it over
// path (a symbolic link is followed, the permissions of a replaced file are kept). On failure the
// temporary file is removed, the old file is untouched, false is returned and *error is set to a
// readable reason.
bool writeFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Whether path names something that is not a folder.
bool fileExists(const std::string& path);
// Creates the folder and its parents when missing; true when it exists afterwards.
bool ensureFolder(const std::string& path);
// Copies a file's bytes; the destination is replaced atomically.
bool copyFile(const std::string& from, const std::string& to, std::string* error = nullptr);

} // namespace kl
