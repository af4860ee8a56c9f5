#pragma once
// Whole-file access. Every file the program replaces is written to a temporary file in the same
// folder and renamed over the old one, so a failed write leaves the previous file whole.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

// Why a file could not be read.
enum class ReadFailure {
    None,         // read
    Missing,      // no such file (or a folder on its path is missing)
    Folder,       // the name is a folder
    NotRegular,   // a FIFO, a device, a socket: never opened for reading
    NoPermission, // the file or a folder on its path refuses us
    IoError,      // opening or reading failed otherwise; errorNumber says how
};

// A file opened for reading: a regular file, opened without blocking. Closed by its destructor.
class ReadableFile {
  public:
    // Opens path; on failure fd() is -1 and failure() says why.
    explicit ReadableFile(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    explicit operator bool() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    ReadFailure failure() const { return failure_; }
    int errorNumber() const { return errno_; }
    // The size fstat gave when the file was opened.
    std::size_t size() const { return size_; }
    // Up to max bytes into buf; 0 at the end; -1 on an error (failure() becomes IoError).
    long read(char* buf, std::size_t max);

  private:
    int fd_ = -1;
    ReadFailure failure_ = ReadFailure::None;
    int errno_ = 0;
    std::size_t size_ = 0;
};

// The outcome of reading a whole file: the bytes, or why there are none.
struct FileRead {
    std::optional<std::string> bytes;
    ReadFailure failure = ReadFailure::None;
    int errorNumber = 0; // errno of the failure, 0 when none

    explicit operator bool() const { return bytes.has_value(); }
};

// Reads a whole regular file. Anything else (missing, a folder, a FIFO, a device) is refused
// at once without blocking and without reading.
FileRead readFile(const std::string& path);

// The whole content of a file; nullopt when it cannot be read (see readFile for why).
std::optional<std::string> readFileBytes(const std::string& path);

// One line naming the cause, in the batch commands' style:
// "no such file: PATH", "is a folder: PATH", "not a regular file: PATH",
// "permission denied: PATH", "cannot read PATH: <system reason>".
std::string readFailureText(const FileRead& read, const std::string& path);
std::string readFailureText(ReadFailure failure, int errorNumber, const std::string& path);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it over
// path (a symbolic link is followed, the permissions of a replaced file are kept). On failure the
// temporary file is removed, the old file is untouched, false is returned, *error is set to a
// readable reason and errno to the cause. Temporary files a killed save left in the folder
// (older than this program) are removed first.
bool writeFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

struct FileWrite {
    std::string path;
    std::string_view bytes;
};

// Writes files that belong together (a data file and its settings file) as one: each is written
// to a temporary file beside it first and none is replaced unless all were written; when a later
// replacement fails, the files already replaced are put back. On failure *error is set, *failed
// to the index of the file that failed and errno to the cause.
bool writeFilesAtomic(const std::vector<FileWrite>& files, std::string* error = nullptr,
                      std::size_t* failed = nullptr);

// Whether path names something that is not a folder.
bool fileExists(const std::string& path);
// Creates the folder and its parents when missing; true when it exists afterwards.
bool ensureFolder(const std::string& path);
// Copies a file's bytes; the destination is replaced atomically.
bool copyFile(const std::string& from, const std::string& to, std::string* error = nullptr);

} // namespace kl
