#include "persist/OptionFile.h"

#include "text/Cp932.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kl {

namespace {

// The folder path is kept as the file system spells it (UTF-8), so names that have no CP932 form
// survive; every other option is plain ASCII digits in CP932.
bool storesUtf8(const OptionSpec& optionSpec) {
    return std::strcmp(optionSpec.name, options::rememberedFolder.name) == 0;
}

// Cuts UTF-8 to at most n bytes without splitting a character.
std::string cutUtf8Bytes(std::string_view s, std::size_t n) {
    if (s.size() <= n) return std::string(s);
    std::size_t end = n;
    while (end > 0 && !startsCharacter(s[end]))
        --end;
    return std::string(s.substr(0, end));
}

// Creates an empty file when none exists; never truncates one. Failures are ignored: a folder
// that refuses it simply leaves the option unset.
void createEmpty(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) ::close(fd);
}

std::string decodeField(const OptionSpec& optionSpec, std::string_view field) {
    std::string bytes(field);
    // Another program may have filled its record with NUL bytes instead of blanks.
    std::replace(bytes.begin(), bytes.end(), '\0', ' ');
    if (storesUtf8(optionSpec) && isValidUtf8(bytes)) return bytes;
    return cp932ToUtf8(bytes);
}

std::string encodeField(const OptionSpec& optionSpec, std::string_view text) {
    auto width = static_cast<std::size_t>(optionSpec.width);
    std::string bytes =
        storesUtf8(optionSpec) ? cutUtf8Bytes(text, width) : utf8ToCp932(cutBytes(text, width));
    bytes.resize(std::max<std::size_t>(width, static_cast<std::size_t>(optionSpec.recordLength)), ' ');
    return bytes;
}

} // namespace

OptionStore::OptionStore(std::string workdir) : workdir_(std::move(workdir)) {}

std::string OptionStore::path(const OptionSpec& optionSpec) const {
    if (workdir_.empty()) return optionSpec.name;
    return workdir_.back() == '/' ? workdir_ + optionSpec.name : workdir_ + "/" + optionSpec.name;
}

std::optional<std::string> OptionStore::readRaw(const OptionSpec& optionSpec) {
    const std::string file = path(optionSpec);
    std::optional<std::string> bytes = readFileBytes(file);
    if (!bytes) {
        createEmpty(file);
        return std::nullopt;
    }
    if (bytes->empty()) return std::nullopt;
    return decodeField(optionSpec,
                       std::string_view(*bytes).substr(0, static_cast<std::size_t>(optionSpec.width)));
}

std::optional<std::string> OptionStore::read(const OptionSpec& optionSpec) {
    std::optional<std::string> raw = readRaw(optionSpec);
    if (!raw) return std::nullopt;
    return trimBlanks(*raw);
}

double OptionStore::readNumber(const OptionSpec& optionSpec, double whenUnset) {
    std::optional<std::string> text = read(optionSpec);
    if (!text) return whenUnset;
    double v = leadingNumber(*text);
    return std::isfinite(v) ? v : 0.0;
}

bool OptionStore::write(const OptionSpec& optionSpec, std::string_view text, std::string* error) {
    return writeFileAtomic(path(optionSpec), encodeField(optionSpec, text), error);
}

} // namespace kl
