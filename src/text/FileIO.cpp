#include "text/FileIO.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kl {

namespace {

std::string reason(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

void setError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a write really replaces: a symbolic link is followed so the link itself survives.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved(real);
            std::free(real);
            return resolved;
        }
    }
    return path;
}

// Permissions for the new file: those of the file it replaces, else the usual 0666 less umask.
mode_t targetMode(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// When this process started, from the boot time and the process's start in clock ticks; the
// moment of the first call when /proc cannot tell.
std::time_t programStart() {
    static const std::time_t start = [] {
        std::time_t now = std::time(nullptr);
        std::ifstream statFile("/proc/self/stat");
        std::string line;
        std::getline(statFile, line);
        auto close = line.rfind(')');
        if (close == std::string::npos) return now;
        std::istringstream fields(line.substr(close + 2));
        std::string field;
        // Field 22 is the start time; fields.str() starts at field 3.
        for (int i = 3; i <= 22 && fields >> field; ++i) {
        }
        std::ifstream procStat("/proc/stat");
        long long bootTime = 0;
        for (std::string key; procStat >> key;) {
            if (key == "btime") {
                procStat >> bootTime;
                break;
            }
        }
        long ticks = ::sysconf(_SC_CLK_TCK);
        if (bootTime <= 0 || ticks <= 0 || field.empty()) return now;
        return static_cast<std::time_t>(bootTime + std::stoll(field) / ticks);
    }();
    return start;
}

// Whether name is one of our temporary names: "." + file name + ".tmp-" + six letters or digits.
bool isTemporaryName(std::string_view name) {
    constexpr std::string_view mark = ".tmp-";
    if (name.size() < 1 + 1 + mark.size() + 6 || name[0] != '.') return false;
    std::string_view tail = name.substr(name.size() - 6);
    if (name.substr(name.size() - 6 - mark.size(), mark.size()) != mark) return false;
    return std::all_of(tail.begin(), tail.end(),
                       [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)); });
}

// Removes temporary files a killed save left in folder: only regular files of our naming pattern
// last changed before this program started, so a save another running copy makes is left alone.
void removeStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    const std::time_t start = programStart();
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name)) continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(st.st_mode) && st.st_mtime < start) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

ReadFailure failureOf(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ReadFailure::Missing;
    case EISDIR:
        return ReadFailure::Folder;
    case EACCES:
    case EPERM:
        return ReadFailure::NoPermission;
    default:
        return ReadFailure::IoError;
    }
}

ReadFailure failureOfMode(mode_t mode) {
    if (S_ISDIR(mode)) return ReadFailure::Folder;
    if (!S_ISREG(mode)) return ReadFailure::NotRegular;
    return ReadFailure::None;
}

} // namespace

ReadableFile::ReadableFile(const std::string& path) {
    // Looked at before opening: a FIFO would block in open, a device may act on being opened.
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        errno_ = path.empty() ? ENOENT : errno;
        failure_ = failureOf(errno_);
        return;
    }
    failure_ = failureOfMode(st.st_mode);
    if (failure_ != ReadFailure::None) return;
    // Without blocking, in case the name was replaced by a FIFO since; checked again below.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        errno_ = errno;
        failure_ = failureOf(errno_);
        return;
    }
    if (::fstat(fd, &st) != 0) {
        errno_ = errno;
        failure_ = ReadFailure::IoError;
    } else {
        failure_ = failureOfMode(st.st_mode);
    }
    if (failure_ != ReadFailure::None) {
        ::close(fd);
        return;
    }
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    fd_ = fd;
    size_ = static_cast<std::size_t>(st.st_size);
}

ReadableFile::~ReadableFile() {
    if (fd_ >= 0) ::close(fd_);
}

long ReadableFile::read(char* buf, std::size_t max) {
    if (fd_ < 0) return -1;
    for (;;) {
        ssize_t n = ::read(fd_, buf, max);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        errno_ = errno;
        failure_ = ReadFailure::IoError;
        return -1;
    }
}

FileRead readFile(const std::string& path) {
    FileRead result;
    ReadableFile file(path);
    if (!file) {
        result.failure = file.failure();
        result.errorNumber = file.errorNumber();
        return result;
    }
    std::string bytes;
    bytes.reserve(file.size());
    char buf[65536];
    for (;;) {
        long n = file.read(buf, sizeof buf);
        if (n < 0) {
            result.failure = file.failure();
            result.errorNumber = file.errorNumber();
            return result;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    result.bytes = std::move(bytes);
    return result;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    return readFile(path).bytes;
}

std::string readFailureText(ReadFailure failure, int errorNumber, const std::string& path) {
    switch (failure) {
    case ReadFailure::None:
        return {};
    case ReadFailure::Missing:
        return "no such file: " + path;
    case ReadFailure::Folder:
        return "is a folder: " + path;
    case ReadFailure::NotRegular:
        return "not a regular file: " + path;
    case ReadFailure::NoPermission:
        return "permission denied: " + path;
    case ReadFailure::IoError:
        break;
    }
    return "cannot read " + path + ": " + std::strerror(errorNumber ? errorNumber : EIO);
}

std::string readFailureText(const FileRead& read, const std::string& path) {
    return readFailureText(read.failure, read.errorNumber, path);
}

namespace {

// A file written beside its target, waiting to be renamed over it.
struct Staged {
    std::string path;   // as the caller named it
    std::string target; // the file really replaced (a symbolic link followed)
    std::string folder; // the target's folder, "" or ending in '/'
    std::string temp;   // the temporary file; "" once renamed or removed
    std::string backup; // a copy of the replaced file kept to put back; "" when none
    bool existed = false;
};

bool fail(std::string* error, std::string text, int err) {
    setError(error, std::move(text));
    errno = err;
    return false;
}

// A fresh temporary file in target's folder; its name, or "" with errno set.
std::string makeTemporary(const std::string& folder, const std::string& target, int* fd) {
    const std::string name = target.substr(folder.size());
    // The temporary name stays within the file system's name limit however long the target's is.
    std::string temp = folder + "." + name.substr(0, 200) + ".tmp-XXXXXX";
    *fd = ::mkstemp(temp.data());
    return *fd < 0 ? std::string() : temp;
}

// Writes bytes, with the permissions of the file they will replace, to a temporary file beside
// it and flushes it to disk.
bool stage(const std::string& path, std::string_view bytes, Staged& s, std::string* error) {
    s.path = path;
    if (path.empty()) return fail(error, "Cannot write a file without a name", ENOENT);
    s.target = resolveTarget(path);
    struct stat st {};
    s.existed = ::stat(s.target.c_str(), &st) == 0;
    if (s.existed && S_ISDIR(st.st_mode))
        return fail(error, "Cannot write " + path + ": it is a folder", EISDIR);
    auto slash = s.target.rfind('/');
    s.folder = slash == std::string::npos ? std::string() : s.target.substr(0, slash + 1);
    removeStaleTemporaries(s.folder);
    int fd = -1;
    s.temp = makeTemporary(s.folder, s.target, &fd);
    if (fd < 0) {
        const int err = errno;
        return fail(error, reason("Cannot create a file in the folder of", path, err), err);
    }
    int err = 0;
    if (!writeAll(fd, bytes))
        err = errno;
    else if (::fchmod(fd, targetMode(s.target)) != 0)
        err = errno;
    else if (::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0) return true;
    ::unlink(s.temp.c_str());
    s.temp.clear();
    return fail(error, reason("Cannot write", path, err), err);
}

// Keeps the file s replaces under a temporary name (a second link to it, else a copy) so that
// it can be put back.
bool keepOld(Staged& s, std::string* error) {
    if (!s.existed) return true;
    int fd = -1;
    std::string backup = makeTemporary(s.folder, s.target, &fd);
    if (fd >= 0) ::close(fd);
    int err = fd < 0 ? errno : 0;
    if (err == 0 && ::unlink(backup.c_str()) == 0 && ::link(s.target.c_str(), backup.c_str()) != 0) {
        FileRead old = readFile(s.target);
        if (!old || !writeFileAtomic(backup, *old.bytes)) err = old ? errno : old.errorNumber;
    }
    if (err != 0) return fail(error, reason("Cannot keep a copy of", s.path, err), err);
    s.backup = backup;
    return true;
}

void syncFolder(const std::string& folder) {
    int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

void removeLeftovers(std::vector<Staged>& staged) {
    for (Staged& s : staged) {
        if (!s.temp.empty()) ::unlink(s.temp.c_str());
        if (!s.backup.empty()) ::unlink(s.backup.c_str());
    }
}

} // namespace

bool writeFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    return writeFilesAtomic({{path, bytes}}, error);
}

bool writeFilesAtomic(const std::vector<FileWrite>& files, std::string* error, std::size_t* failed) {
    std::vector<Staged> staged(files.size());
    auto give_up = [&](std::size_t i) {
        const int err = errno;
        removeLeftovers(staged);
        if (failed) *failed = i;
        errno = err;
        return false;
    };
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!stage(files[i].path, files[i].bytes, staged[i], error)) return give_up(i);
    // All but the last replaced file are kept until the last rename, to be put back.
    for (std::size_t i = 0; i + 1 < files.size(); ++i)
        if (!keepOld(staged[i], error)) return give_up(i);
    for (std::size_t i = 0; i < staged.size(); ++i) {
        Staged& s = staged[i];
        if (::rename(s.temp.c_str(), s.target.c_str()) == 0) {
            s.temp.clear();
            continue;
        }
        const int err = errno;
        setError(error, reason("Cannot write", s.path, err));
        for (std::size_t j = i; j-- > 0;) {
            Staged& done = staged[j];
            // Put back; a copy that cannot be put back is left where it is, not removed.
            if (done.existed)
                ::rename(done.backup.c_str(), done.target.c_str());
            else
                ::unlink(done.target.c_str());
            done.backup.clear();
        }
        errno = err;
        return give_up(i);
    }
    removeLeftovers(staged);
    for (const Staged& s : staged)
        syncFolder(s.folder);
    return true;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool ensureFolder(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return std::filesystem::is_directory(path, ec);
}

bool copyFile(const std::string& from, const std::string& to, std::string* error) {
    FileRead read = readFile(from);
    if (!read) {
        setError(error, readFailureText(read, from));
        return false;
    }
    return writeFileAtomic(to, *read.bytes, error);
}

} // namespace kl
