#include "TestSupport.h"
#include "text/FileIO.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kl {
namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileIO, WritesAndReadsBytesExactly) {
    std::string dir = test::freshFolder("fileio-rw");
    std::string path = dir + "/data.csv";
    std::string bytes("1.5\r\n\0\xFF\x81\x40\r\n", 10);
    ASSERT_TRUE(writeFileAtomic(path, bytes));
    EXPECT_EQ(readFileBytes(path), bytes);
    ASSERT_TRUE(writeFileAtomic(path, "short"));
    EXPECT_EQ(readFileBytes(path), "short");
    ASSERT_TRUE(writeFileAtomic(path, ""));
    EXPECT_EQ(readFileBytes(path), "");
    EXPECT_EQ(entriesIn(dir), 1u); // no temporary file stays behind
}

TEST(FileIO, WritesFilesWithTheLongestNamesTheFolderAllows) {
    std::string dir = test::freshFolder("fileio-longname");
    std::string path = dir + "/" + std::string(251, 'a') + ".csv"; // 255 bytes: the limit
    std::string error;
    ASSERT_TRUE(writeFileAtomic(path, "x", &error)) << error;
    EXPECT_EQ(readFileBytes(path), "x");
    EXPECT_EQ(entriesIn(dir), 1u);
}

TEST(FileIO, ReadingWhatIsNotAReadableFileGivesNothing) {
    std::string dir = test::freshFolder("fileio-missing");
    EXPECT_EQ(readFileBytes(dir + "/none"), std::nullopt);
    EXPECT_EQ(readFileBytes(dir), std::nullopt); // a folder
    EXPECT_FALSE(fileExists(dir + "/none"));
    EXPECT_FALSE(fileExists(dir));
}

// Every special file is refused at once: a FIFO without a writer would block open and read for
// good, /dev/zero would never end. The alarm turns a hang into a failure.
TEST(FileIO, ReadersSayWhyAFileCannotBeRead) {
    std::string dir = test::freshFolder("fileio-why");
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomic(dir + "/plain", "x"));
    struct Case {
        std::string path;
        ReadFailure failure;
        std::string text;
    };
    const std::vector<Case> cases = {
        {dir + "/none", ReadFailure::Missing, "no such file: " + dir + "/none"},
        {dir + "/plain/below", ReadFailure::Missing, "no such file: " + dir + "/plain/below"},
        {"", ReadFailure::Missing, "no such file: "},
        {dir, ReadFailure::Folder, "is a folder: " + dir},
        {dir + "/fifo", ReadFailure::NotRegular, "not a regular file: " + dir + "/fifo"},
        {"/dev/zero", ReadFailure::NotRegular, "not a regular file: /dev/zero"},
        {"/dev/null", ReadFailure::NotRegular, "not a regular file: /dev/null"},
    };
    ::alarm(20);
    for (const Case& c : cases) {
        FileRead read = readFile(c.path);
        EXPECT_FALSE(read) << c.path;
        EXPECT_EQ(read.failure, c.failure) << c.path;
        EXPECT_EQ(readFailureText(read, c.path), c.text);
        ReadableFile file(c.path);
        EXPECT_FALSE(file);
        EXPECT_EQ(file.failure(), c.failure) << c.path;
    }
    ::alarm(0);
    FileRead plain = readFile(dir + "/plain");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain.failure, ReadFailure::None);
    EXPECT_EQ(*plain.bytes, "x");
    EXPECT_EQ(readFailureText(ReadFailure::IoError, EIO, "f"), "cannot read f: Input/output error");
}

TEST(FileIO, AFileWithoutReadPermissionIsNamedSo) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
    std::string dir = test::freshFolder("fileio-perm");
    ASSERT_TRUE(writeFileAtomic(dir + "/secret", "x"));
    ::chmod((dir + "/secret").c_str(), 0200);
    FileRead read = readFile(dir + "/secret");
    EXPECT_EQ(read.failure, ReadFailure::NoPermission);
    EXPECT_EQ(readFailureText(read, "s"), "permission denied: s");
}

TEST(FileIO, RefusesToReplaceAFolder) {
    std::string dir = test::freshFolder("fileio-folder");
    fs::create_directory(dir + "/sub");
    std::string error;
    EXPECT_FALSE(writeFileAtomic(dir + "/sub", "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(dir + "/sub"));
}

TEST(FileIO, MissingFolderIsReportedNotCreated) {
    std::string dir = test::freshFolder("fileio-nofolder");
    std::string error;
    EXPECT_FALSE(writeFileAtomic(dir + "/no/such/file", "x", &error));
    EXPECT_NE(error.find(dir + "/no/such/file"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dir + "/no"));
}

TEST(FileIO, UnwritableFolderLeavesTheOldFileWhole) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    std::string dir = test::freshFolder("fileio-readonly");
    std::string path = dir + "/KIJUN.DAT";
    ASSERT_TRUE(writeFileAtomic(path, "old contents\r\n"));
    ::chmod(dir.c_str(), 0555);
    std::string error;
    bool written = writeFileAtomic(path, "new contents\r\n", &error);
    ::chmod(dir.c_str(), 0755);
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFileBytes(path), "old contents\r\n");
    EXPECT_EQ(entriesIn(dir), 1u);
}

TEST(FileIO, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    // A file size limit makes the write itself fail halfway, for any user (a full disk alike).
    std::string dir = test::freshFolder("fileio-limit");
    std::string path = dir + "/data.csv";
    ASSERT_TRUE(writeFileAtomic(path, "old\r\n"));

    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    bool written = writeFileAtomic(path, std::string(100000, 'x'), &error);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("data.csv"), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(path), "old\r\n");
    EXPECT_EQ(entriesIn(dir), 1u);
}

// A save killed between creating its temporary file and the rename leaves the temporary file;
// the next write to the folder removes those older than the running program, and nothing else.
TEST(FileIO, StaleTemporaryFilesOfAKilledSaveAreRemovedOnTheNextWrite) {
    std::string dir = test::freshFolder("fileio-stale");
    auto make = [&](const std::string& name, bool old) {
        std::ofstream(dir + "/" + name) << "left"; // as a killed save leaves it
        ASSERT_TRUE(fs::exists(dir + "/" + name));
        if (!old) return;
        timespec times[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (dir + "/" + name).c_str(), times, 0), 0);
    };
    make(".data.csv.tmp-a1B2c3", true);  // a killed save's: removed
    make(".KIJUN.DAT.tmp-ZZZZZZ", true); // removed too, whatever file it was for
    make(".data.csv.tmp-x1y2z3", false); // newer than this program: another copy may be saving
    make(".data.csv.tmp-a1B2", true);    // not our pattern
    make("data.csv.tmp-a1B2c3", true);   // not our pattern
    make(".data.csv.tmp-a1B2c!", true);  // not our pattern
    fs::create_directory(dir + "/.sub.tmp-abcdef");
    ASSERT_TRUE(writeFileAtomic(dir + "/data.csv", "new"));
    EXPECT_FALSE(fs::exists(dir + "/.data.csv.tmp-a1B2c3"));
    EXPECT_FALSE(fs::exists(dir + "/.KIJUN.DAT.tmp-ZZZZZZ"));
    for (const char* kept : {".data.csv.tmp-x1y2z3", ".data.csv.tmp-a1B2", "data.csv.tmp-a1B2c3",
                             ".data.csv.tmp-a1B2c!", ".sub.tmp-abcdef", "data.csv"})
        EXPECT_TRUE(fs::exists(dir + "/" + kept)) << kept;
    EXPECT_EQ(readFileBytes(dir + "/data.csv"), "new");
}

// Files that belong together are replaced together: a second file that cannot be written
// leaves the first as it was, with no temporary file behind.
TEST(FileIO, FilesWrittenAsOneAreAllReplacedOrNone) {
    std::string dir = test::freshFolder("fileio-pair");
    const std::string data = dir + "/data.csv", vsc = dir + "/data.VSC";
    ASSERT_TRUE(writeFileAtomic(data, "old data"));
    ASSERT_TRUE(writeFileAtomic(vsc, "old settings"));
    std::string error;
    std::size_t failed = 99;
    EXPECT_FALSE(writeFilesAtomic({{data, "new data"}, {dir + "/none/data.VSC", "x"}}, &error, &failed));
    EXPECT_EQ(failed, 1u);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_NE(error.find(dir + "/none/data.VSC"), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(data), "old data");
    EXPECT_EQ(entriesIn(dir), 2u);

    ASSERT_TRUE(writeFilesAtomic({{data, "new data"}, {vsc, "new settings"}}, &error));
    EXPECT_EQ(readFileBytes(data), "new data");
    EXPECT_EQ(readFileBytes(vsc), "new settings");
    ASSERT_TRUE(writeFilesAtomic({{dir + "/fresh.csv", "a"}, {dir + "/fresh.VSC", "b"}}, &error));
    EXPECT_EQ(readFileBytes(dir + "/fresh.VSC"), "b");
    EXPECT_EQ(entriesIn(dir), 4u);
}

TEST(FileIO, KeepsPermissionsAndFollowsSymbolicLinks) {
    std::string dir = test::freshFolder("fileio-link");
    std::string real = dir + "/real.csv";
    ASSERT_TRUE(writeFileAtomic(real, "a"));
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, dir + "/link.csv");
    ASSERT_TRUE(writeFileAtomic(dir + "/link.csv", "b"));
    EXPECT_TRUE(fs::is_symlink(dir + "/link.csv"));
    EXPECT_EQ(readFileBytes(real), "b");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileIO, EnsureFolderAndCopyFile) {
    std::string dir = test::freshFolder("fileio-copy");
    EXPECT_TRUE(ensureFolder(dir + "/data_f/deeper"));
    EXPECT_TRUE(ensureFolder(dir + "/data_f")); // already there
    ASSERT_TRUE(writeFileAtomic(dir + "/file", "x"));
    EXPECT_FALSE(ensureFolder(dir + "/file/sub"));

    ASSERT_TRUE(writeFileAtomic(dir + "/seed", std::string("A\0B", 3)));
    EXPECT_TRUE(copyFile(dir + "/seed", dir + "/data_f/KIJUN.DAT"));
    EXPECT_EQ(readFileBytes(dir + "/data_f/KIJUN.DAT"), std::string("A\0B", 3));
    std::string error;
    EXPECT_FALSE(copyFile(dir + "/none", dir + "/copy", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fileExists(dir + "/copy"));
}

} // namespace
} // namespace kl
