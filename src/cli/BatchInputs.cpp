#include "cli/BatchInputs.h"

#include "cli/Batch.h"
#include "text/FileIO.h"
#include "text/Text.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace kl::cli {

std::optional<OutputFormat> outputFormatNamed(std::string_view word) {
    if (word == "text") return OutputFormat::Text;
    if (word == "csv") return OutputFormat::Csv;
    if (word == "json") return OutputFormat::Json;
    return std::nullopt;
}

std::optional<std::string> unreadableInputReason(const std::string& path) {
    const ReadableFile file(path); // a regular file only, opened without blocking
    if (file) return std::nullopt;
    return readFailureText(file.failure(), file.errorNumber(), path);
}

namespace {

bool isDataFileName(const std::filesystem::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".csv" || ext == ".txt" || ext == ".text";
}

void appendFolder(const std::string& folder, std::vector<std::string>& files, const char* command,
                  std::ostream& err, int* status) {
    std::error_code ec;
    std::vector<std::string> found;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (isDataFileName(it->path()) && !it->is_directory(typeError)) found.push_back(it->path().string());
    }
    if (ec) {
        err << "klepsydra " << command << ": cannot list " << folder << ": " << ec.message() << '\n';
        *status = std::max(*status, int(kExitFileError));
        return;
    }
    if (found.empty()) {
        err << "klepsydra " << command << ": no data files (.csv, .txt, .text) in " << folder << '\n';
        *status = std::max(*status, int(kExitFileError));
        return;
    }
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
}

} // namespace

std::vector<std::string> expandInputs(const std::vector<std::string>& named, const char* command,
                                      std::ostream& err, int* status) {
    std::vector<std::string> files;
    for (const std::string& path : named) {
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            appendFolder(path, files, command, err, status);
        else
            files.push_back(path);
    }
    return files;
}

int forEachInput(const std::vector<std::string>& inputs, const InputLoop& loop, std::ostream& out,
                 std::ostream& err, const InputRun& run) {
    const bool several = inputs.size() > 1;
    const bool array = loop.format == OutputFormat::Json && several;
    if (loop.format == OutputFormat::Csv) out << loop.csvHeader << '\n';
    if (array) out << '[';
    int worst = kExitDone;
    bool firstObject = true;
    for (const std::string& file : inputs) {
        int status = kExitDone;
        std::ostringstream one;
        if (const std::optional<std::string> reason = unreadableInputReason(file)) {
            err << "klepsydra " << loop.command << ": " << *reason << '\n';
            status = kExitFileError;
        } else {
            status = run(file, one, err);
        }
        worst = std::max(worst, status);
        if (loop.format == OutputFormat::Text) {
            if (several && status != kExitFileError) out << "==> " << file << " <==\n";
            out << one.str();
        } else if (status == kExitDone) {
            if (array && !firstObject) out << ',';
            out << one.str();
            firstObject = false;
        }
        out.flush();
    }
    if (array) out << "]\n";
    return worst;
}

std::size_t itemsWithoutNumber(const std::vector<std::string>& texts) {
    return std::size_t(
        std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return !startsWithNumber(t); }));
}

void warnItemsWithoutNumber(std::size_t count, const char* command, const std::string& file,
                            std::ostream& err) {
    if (count == 0) return;
    err << "klepsydra " << command << ": " << file << ": " << count << (count == 1 ? " item" : " items")
        << " held no number and " << (count == 1 ? "was" : "were") << " read as 0\n";
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace kl::cli
