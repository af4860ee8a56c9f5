#include "refrange/ReferenceMaster.h"

#include "TestSupport.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kl {
namespace {

std::string line17(const std::string& name, const std::string& lower, const std::string& upper) {
    std::string line = "\"" + name + "\",\"" + lower + "\",\"" + upper + "\"";
    for (int i = 0; i < 14; ++i)
        line += ",\"\"";
    return line + "\r\n";
}

std::string writeMaster(const std::string& folder, const std::string& utf8Text) {
    std::filesystem::create_directories(folder + "/data_f");
    std::string path = folder + "/data_f/KIJUN.DAT";
    EXPECT_TRUE(writeFileAtomic(path, utf8ToCp932(utf8Text)));
    return path;
}

TEST(ReferenceMaster, ReadsCp932RecordsInFileOrder) {
    std::string folder = test::freshFolder("master-read");
    std::string path = writeMaster(folder, line17("総蛋白", "6.6", "8.1") + line17("γ-GT", "13", "64") +
                                               line17("  ＨＤＬ ", " 40 ", "9999"));
    // The bytes on disk are CP932, not UTF-8.
    std::string bytes = *readFileBytes(path);
    ASSERT_EQ(bytes.substr(1, 6), "\x91\x8d\x92\x60\x94\x92");

    auto records = readReferenceMaster(path);
    ASSERT_TRUE(records.has_value());
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[0], (ReferenceRange{"総蛋白", "6.6", "8.1"}));
    EXPECT_EQ((*records)[1], (ReferenceRange{"γ-GT", "13", "64"}));
    EXPECT_EQ((*records)[2], (ReferenceRange{"  ＨＤＬ ", " 40 ", "9999"})); // texts kept as written

    ItemList items = loadItemList(folder);
    ASSERT_EQ(items.entries.size(), 5u);
    EXPECT_EQ(items.entries[0], std::string(40, ' '));
    EXPECT_EQ(items.entries[1], "OTHER" + std::string(21, ' '));
    EXPECT_EQ(items.entries[2], "総蛋白" + std::string(21, ' '));
    EXPECT_EQ(items.entries[4], "ＨＤＬ" + std::string(21, ' '));
    ASSERT_NE(items.rangeAt(4), nullptr);
    EXPECT_EQ(*items.rangeAt(4), (ReferenceRange{"ＨＤＬ", "40", "9999"}));
    EXPECT_EQ(items.rangeAt(0), nullptr);
    EXPECT_EQ(items.rangeAt(1), nullptr);
    EXPECT_EQ(items.rangeAt(5), nullptr);
    EXPECT_EQ(items.indexOfName(" γ-GT"), 3);
    EXPECT_EQ(items.indexOfName("ALT"), -1);
}

TEST(ReferenceMaster, NoUpperLimitIs9999Or99999) {
    struct Case {
        double upper;
        bool none;
    } cases[] = {{9999, true}, {99999, true}, {999, false}, {99998.9, false}, {999999, false}, {0, false}};
    for (const Case& c : cases)
        EXPECT_EQ(hasNoUpperLimit(c.upper), c.none) << c.upper;
}

TEST(ReferenceMaster, ToleratesHandEditedLines) {
    struct Case {
        const char* label;
        std::string text;
        std::vector<ReferenceRange> expected;
    } cases[] = {
        {"LF ends, no final line end",
         "\"TP\",\"6.6\",\"8.1\"\n\"ALB\",\"4.1\",\"5.1\"",
         {{"TP", "6.6", "8.1"}, {"ALB", "4.1", "5.1"}}},
        {"CR ends and an end-of-file mark",
         "\"TP\",\"6.6\",\"8.1\"\r\"K\",\"3.6\",\"4.8\"\r\n\x1a",
         {{"TP", "6.6", "8.1"}, {"K", "3.6", "4.8"}}},
        {"blank lines skipped", "\r\n\"TP\",\"6.6\",\"8.1\"\r\n   \r\n", {{"TP", "6.6", "8.1"}}},
        {"unquoted and short", "Na,138,145\r\nCl,101\r\n", {{"Na", "138", "145"}, {"Cl", "101", ""}}},
        {"comma inside quotes", "\"A,B\",\"1\",\"2\"\r\n", {{"A,B", "1", "2"}}},
        {"deleted last record", line17("", "", ""), {{"", "", ""}}},
        {"extra fields ignored", "\"X\",\"1\",\"2\",\"q\",\"r\"\r\n", {{"X", "1", "2"}}},
        {"unterminated quote", "\"X\",\"1\",\"2\r\n", {{"X", "1", "2"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseReferenceMaster(c.text), c.expected) << c.label;
}

// Only the three fields used are kept: a 5 MB line of commas once took hundreds of MB.
TEST(ReferenceMaster, ALineOfMillionsOfCommasCostsLittle) {
    const std::string text = "\"TP\",\"6.6\",\"8.1\"" + std::string(5u << 20, ',') + "\r\nNa,138,145\r\n";
    EXPECT_EQ(parseReferenceMaster(text),
              (std::vector<ReferenceRange>{{"TP", "6.6", "8.1"}, {"Na", "138", "145"}}));
    EXPECT_PEAK_MEMORY_BELOW(64 * 1024);
}

TEST(ReferenceMaster, RecordWithoutNameGivesAnEmptyLookingEntry) {
    ItemList items = buildItemList({{"TP", "6.6", "8.1"}, {"", "1", "2"}});
    ASSERT_EQ(items.entries.size(), 4u);
    EXPECT_EQ(items.entries[3], std::string(21, ' '));
    EXPECT_EQ(items.rangeAt(3)->lower, "1");
}

TEST(ReferenceMaster, MissingOrBinaryFile) {
    std::string folder = test::freshFolder("master-missing");
    EXPECT_FALSE(readReferenceMaster(folder + "/data_f/KIJUN.DAT").has_value());
    EXPECT_FALSE(readMasterRecords(folder + "/data_f/KIJUN.DAT").ok);
    EXPECT_EQ(loadItemList(folder).entries.size(), 2u);
    // A FIFO standing as KIJUN.DAT is refused at once: only the two fixed entries.
    ASSERT_TRUE(ensureFolder(folder + "/data_f"));
    ASSERT_EQ(::mkfifo((folder + "/data_f/KIJUN.DAT").c_str(), 0600), 0);
    ::alarm(20);
    EXPECT_FALSE(readMasterRecords(folder + "/data_f/KIJUN.DAT").ok);
    EXPECT_EQ(loadItemList(folder).entries.size(), 2u);
    ::alarm(0);

    std::string path = folder + "/binary.dat";
    ASSERT_TRUE(writeFileAtomic(path, std::string("\"TP\"\0\x01\x02,\"1\"", 12)));
    EXPECT_FALSE(readMasterRecords(path).ok); // an editor must not rewrite it from nothing
    auto records = readReferenceMaster(path);
    ASSERT_TRUE(records.has_value());
    EXPECT_TRUE(records->empty());
}

TEST(ReferenceMaster, ProvisioningTakesTheFirstSeedFound) {
    namespace fs = std::filesystem;
    const std::string seedA = line17("A", "1", "2"), seedB = line17("B", "3", "4"),
                      seedC = line17("C", "5", "6");
    struct Case {
        const char* label;
        bool existing, workdirCopy, workdirSeed, programSeed;
        const char* expectedName; // nullptr: no master afterwards
    } cases[] = {
        {"existing master kept", true, true, true, true, "Z"},
        {"KIJUN.DAT of the working folder first", false, true, true, true, "A"},
        {"then KIJUN_DAT of the working folder", false, false, true, true, "B"},
        {"then KIJUN_DAT beside the program", false, false, false, true, "C"},
        {"no seed at all", false, false, false, false, nullptr},
    };
    for (const Case& c : cases) {
        std::string work = test::freshFolder("provision-work");
        std::string program = test::freshFolder("provision-program");
        if (c.existing) writeMaster(work, line17("Z", "0", "1"));
        if (c.workdirCopy) {
            ASSERT_TRUE(writeFileAtomic(work + "/KIJUN.DAT", seedA));
        }
        if (c.workdirSeed) {
            ASSERT_TRUE(writeFileAtomic(work + "/KIJUN_DAT", seedB));
        }
        if (c.programSeed) {
            ASSERT_TRUE(writeFileAtomic(program + "/KIJUN_DAT", seedC));
        }
        EXPECT_TRUE(provisionReferenceMaster(work, program)) << c.label;
        EXPECT_TRUE(fs::is_directory(work + "/data_f")) << c.label;
        auto records = readReferenceMaster(work + "/data_f/KIJUN.DAT");
        if (c.expectedName == nullptr) {
            EXPECT_FALSE(records.has_value()) << c.label;
        } else {
            ASSERT_TRUE(records.has_value()) << c.label;
            EXPECT_EQ(records->front().name, c.expectedName) << c.label;
        }
    }
}

} // namespace
} // namespace kl
