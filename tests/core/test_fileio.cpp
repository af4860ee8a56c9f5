#include "TestSupport.h"
#include "text/FileIO.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
