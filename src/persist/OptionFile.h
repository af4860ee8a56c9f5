#pragma once
// Option files: one fixed-length record per option in the working folder. The value is stored
// left-aligned in the record's first `width` bytes and padded with blanks up to the record length;
// an empty file means the option has not been set. Values are CP932 on disk, except the folder
// path F_BASYO, which keeps the file system's UTF-8 (a CP932 path written by another program is
// still read). Every write replaces the file atomically.

#include <optional>
#include <string>
#include <string_view>

namespace kl {

struct OptionSpec {
    const char* name; // file name, e.g. "SWIT_SYOU"
    int width;        // field width in bytes
    int recordLength; // 256, or 2000 for F_BASYO
};

namespace options {
inline constexpr OptionSpec SWIT_SYOU{"SWIT_SYOU", 20, 256};
inline constexpr OptionSpec HAZURE{"HAZURE", 50, 256};
inline constexpr OptionSpec GRAPH{"GRAPH", 50, 256};
inline constexpr OptionSpec RIRON{"RIRON", 50, 256};
inline constexpr OptionSpec KIJUN{"KIJUN", 50, 256};
inline constexpr OptionSpec SINRA{"SINRA", 50, 256};
inline constexpr OptionSpec heikatu{"heikatu", 50, 256};
inline constexpr OptionSpec P_RIRON{"P_RIRON", 50, 256};
inline constexpr OptionSpec P_KIJUN{"P_KIJUN", 50, 256};
inline constexpr OptionSpec P_KYUU{"P_KYUU", 50, 256};
inline constexpr OptionSpec P_KAKURI{"P_KAKURI", 50, 256};
inline constexpr OptionSpec P_KEISAN{"P_KEISAN", 50, 256};
inline constexpr OptionSpec F_BASYO{"F_BASYO", 2000, 2000};
} // namespace options

class OptionStore {
  public:
    explicit OptionStore(std::string workdir);

    // The raw field (its first w bytes decoded, untrimmed; NUL bytes read as blanks), or nullopt
    // when the option is not set. A missing file is created empty; when the folder refuses that,
    // the option simply reads as not set.
    std::optional<std::string> readRaw(const OptionSpec& optionSpec);
    // The field trimmed of blanks (ASCII and full-width); nullopt when not set.
    std::optional<std::string> read(const OptionSpec& optionSpec);
    // Numeric reading as the check boxes use it: the leading number of the trimmed field, 0 when it
    // is not a (finite) number, whenUnset when the option is not set.
    double readNumber(const OptionSpec& optionSpec, double whenUnset = 0);

    // Writes the record atomically: text cut to w bytes (a double-byte character that would be
    // split becomes a blank), blank-padded to the record length. False (with a reason) when the
    // folder refuses it; the previous file then stays as it was.
    bool write(const OptionSpec& optionSpec, std::string_view text, std::string* error = nullptr);

    const std::string& workdir() const { return workdir_; }

  private:
    std::string path(const OptionSpec& optionSpec) const;
    std::string workdir_;
};

} // namespace kl
