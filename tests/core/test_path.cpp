#include "TestSupport.h"
#include "persist/WorkDir.h"
#include "text/Path.h"

#include <cstdlib>
#include <filesystem>

namespace kl {
namespace {

struct SplitCase {
    const char* path;
    const char* folder;
    const char* base;
    const char* ext;
};

TEST(SplitPath, SeparatesFolderBaseAndExtension) {
    const SplitCase cases[] = {
        {"/a/b/c.d.csv", "/a/b/", "c.d", ".csv"},
        {"/a/b/data", "/a/b/", "data", ""},
        {"/a/b/.hidden", "/a/b/", ".hidden", ""},
        {"/a/b/.hidden.csv", "/a/b/", ".hidden", ".csv"},
        {"/a/b.dir/data", "/a/b.dir/", "data", ""}, // a dot in a folder is no extension
        {"data.CSV", "", "data", ".CSV"},
        {"/a/b/", "/a/b/", "", ""},
        {"/x.", "/", "x", "."},
        {"/a/..", "/a/", "..", ""},
        {"/データ/検査 値.csv", "/データ/", "検査 値", ".csv"},
        {"", "", "", ""},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.path);
        PathParts p = splitPath(c.path);
        EXPECT_EQ(p.drive, "");
        EXPECT_EQ(p.folder, c.folder);
        EXPECT_EQ(p.base, c.base);
        EXPECT_EQ(p.ext, c.ext);
        EXPECT_EQ(p.drive + p.folder + p.base + p.ext, c.path);
    }
}

TEST(ReplaceExtension, SwapsOnlyTheLastExtension) {
    EXPECT_EQ(replaceExtension("/a/b/c.d.csv", ".VSC"), "/a/b/c.d.VSC");
    EXPECT_EQ(replaceExtension("/a/b/data", ".VSC"), "/a/b/data.VSC");
    EXPECT_EQ(replaceExtension("/a/b.x/data", ".VSC"), "/a/b.x/data.VSC");
    EXPECT_EQ(replaceExtension("/a/.cfg", ".VSC"), "/a/.cfg.VSC");
}

TEST(ResolveInWorkdir, PlacesRelativePathsInTheWorkingFolder) {
    EXPECT_EQ(resolveInWorkdir("/w", "HAZURE"), "/w/HAZURE");
    EXPECT_EQ(resolveInWorkdir("/w/", "HAZURE"), "/w/HAZURE");
    EXPECT_EQ(resolveInWorkdir("/w", "data_f\\KIJUN.DAT"), "/w/data_f/KIJUN.DAT");
    EXPECT_EQ(resolveInWorkdir("/w", "/abs/file"), "/abs/file");
    EXPECT_EQ(resolveInWorkdir("", "file"), "file");
}

class DefaultWorkdirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"XDG_DATA_HOME", "HOME"}) {
            const char* v = std::getenv(name);
            saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(DefaultWorkdirTest, UsesXdgDataHomeAndCreatesTheFolder) {
    std::string root = test::freshFolder("workdir-xdg");
    setenv("XDG_DATA_HOME", (root + "/share").c_str(), 1);
    std::string dir = defaultWorkdir();
    EXPECT_EQ(dir, root + "/share/klepsydra");
    EXPECT_TRUE(std::filesystem::is_directory(dir));
}

TEST_F(DefaultWorkdirTest, FallsBackToTheHomeFolder) {
    std::string home = test::freshFolder("workdir-home");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(defaultWorkdir(), home + "/.local/share/klepsydra");
    EXPECT_TRUE(std::filesystem::is_directory(home + "/.local/share/klepsydra"));

    setenv("XDG_DATA_HOME", "relative/path", 1); // ignored: not absolute
    EXPECT_EQ(defaultWorkdir(), home + "/.local/share/klepsydra");
}

} // namespace
} // namespace kl
