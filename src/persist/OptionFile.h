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
    const char* name; // the stored file's name, e.g. "SWIT_SYOU"
    int width;        // field width in bytes
    int recordLength; // 256, or 2000 for F_BASYO
};

namespace options {
// Each record is named for what it holds; the string is the stored file's name.
inline constexpr OptionSpec decimalPlaces{"SWIT_SYOU", 20, 256};       // RADIO1..RADIO4, "1".."4"
inline constexpr OptionSpec foldExtremes{"HAZURE", 50, 256};           // CHECK2: extremes in the end classes
inline constexpr OptionSpec colourScheme{"GRAPH", 50, 256};            // graph colours "1".."3"
inline constexpr OptionSpec showCurves{"RIRON", 50, 256};              // theoretical and smoothed curve
inline constexpr OptionSpec showReferenceRange{"KIJUN", 50, 256};      // reference range on the graph
inline constexpr OptionSpec showCurveInterval{"SINRA", 50, 256};       // 95% interval from the crossings
inline constexpr OptionSpec smoothing{"heikatu", 50, 256};             // smoothing coefficient
inline constexpr OptionSpec printCurves{"P_RIRON", 50, 256};           // print the theoretical curve
inline constexpr OptionSpec printReferenceRange{"P_KIJUN", 50, 256};   // print the reference range
inline constexpr OptionSpec printCurveInterval{"P_KYUU", 50, 256};     // print the 95% interval
inline constexpr OptionSpec printProbabilityPlot{"P_KAKURI", 50, 256}; // print the probability plot
inline constexpr OptionSpec printStatistics{"P_KEISAN", 50, 256};      // print the calculation results
inline constexpr OptionSpec rememberedFolder{"F_BASYO", 2000, 2000};   // folder of the last data file
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
