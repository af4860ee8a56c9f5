#pragma once
// Whole-file access. Every file the program replaces is written to a temporary file in the same
// folder and renamed over the old one, so a failed write leaves the previous file whole.

#include <optional>
#include <string>
#include <string_view>

namespace kl {

std::optional<std::string> readFileBytes(const std::string& path);

// Writes bytes atomically; on failure returns false and sets *error to a readable reason.
bool writeFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

bool fileExists(const std::string& path);
bool ensureFolder(const std::string& path);
bool copyFile(const std::string& from, const std::string& to, std::string* error = nullptr);

} // namespace kl
