#include "persist/SettingsFile.h"

#include "TestSupport.h"
#include "text/FileIO.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kl {
namespace {

SettingsRecord astExample() {
    return {"60.0", "30", "0.0", "2.0", defaultGraphTitle("AST                     "), "5", "1"};
}

TEST(SettingsFile, WorkedExampleByteForByte) {
    EXPECT_EQ(
        settingsBytes(astExample()),
        "\"60.0\",\"30\",\"0.0\",\"2.0\",\"HISTOGRAM OF AST\",\"5\",\"1\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    EXPECT_EQ(companionPath("/lab/ast"), "/lab/ast.VSC");
}

TEST(SettingsFile, TrimsAndKeepsTitlesWhole) {
    SettingsRecord r = {" 60.0\u3000", "30 ", "0.0", "2.0", "  \"Liver\" 肝機能 ", "5", "1"};
    EXPECT_EQ(
        settingsBytes(r),
        "\"60.0\",\"30\",\"0.0\",\"2.0\",\"\xFA\x57Liver\xFA\x57 \x8a\xcc\x8b\x40\x94\x5c\",\"5\",\"1\","
        "\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    std::optional<SettingsRecord> back = parseSettings(settingsBytes(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, "＂Liver＂ 肝機能");
    EXPECT_EQ(back->upper, "60.0");
}

// Found by fuzzing: a UTF-8 settings file may hold NUL and quotes in its fields; written back as
// they were, the file read as binary and the settings were lost. Whatever was read is written
// so that it reads back.
TEST(SettingsFile, FieldsReadFromADamagedFileAreWrittenSoThatTheyReadBack) {
    const std::string found(
        "\xEF\xBB\xBFP\x82\"0\",6\0\r,,\"\",\",\"\"\r,,\"\",\"\",\"\",\"\"\r\"\"\r,,\",\"\"\",\"\",\"\"\r,",
        54);
    std::optional<SettingsRecord> read = parseSettings(found);
    ASSERT_TRUE(read);
    std::optional<SettingsRecord> again = parseSettings(settingsBytes(*read));
    ASSERT_TRUE(again);
    SettingsRecord r = astExample();
    r.upper = std::string("6\0", 2) + "0";
    r.classes = "3\"0";
    again = parseSettings(settingsBytes(r));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->upper, "60");
    EXPECT_EQ(again->classes, "3＂0");
    EXPECT_EQ(again->lower, r.lower);
}

TEST(SettingsFile, RoundTripThroughTheFile) {
    const std::string dir = test::freshFolder("settings");
    const std::string path = companionPath(dir + "/ast");
    ASSERT_TRUE(writeFileAtomic(path, settingsBytes(astExample())));
    EXPECT_EQ(readSettingsFile(path), astExample());
    EXPECT_FALSE(readSettingsFile(dir + "/missing.VSC"));
    // A FIFO as the companion file reads as none, at once.
    ASSERT_EQ(::mkfifo((dir + "/fifo.VSC").c_str(), 0600), 0);
    ::alarm(20);
    EXPECT_FALSE(readSettingsFile(dir + "/fifo.VSC"));
    ::alarm(0);
}

TEST(SettingsFile, ReadsTheLastCompleteRecord) {
    SettingsRecord second = astExample();
    second.classes = "25";
    EXPECT_EQ(parseSettings(settingsBytes(astExample()) + settingsBytes(second)), second);
    // A cut second record: the first complete one stands.
    EXPECT_EQ(parseSettings(settingsBytes(astExample()) + "\"1\",\"2\"\r\n"), astExample());
    EXPECT_FALSE(parseSettings("\"1\",\"2\",\"3\"\r\n"));
    EXPECT_FALSE(parseSettings(""));
    // Unquoted fields are read too.
    std::optional<SettingsRecord> plain = parseSettings("9,8,7,6,T,2,3,,,,,,\r\n");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->upper, "9");
    EXPECT_EQ(plain->title, "T");
    EXPECT_EQ(plain->decimals, "3");
}

TEST(SettingsFile, CompletenessAndRestoreRules) {
    EXPECT_TRUE(settingsComplete(astExample()));
    for (int field = 0; field < 6; ++field) {
        SettingsRecord r = astExample();
        std::string* f[6] = {&r.upper, &r.classes, &r.lower, &r.interval, &r.title, &r.itemIndex};
        *f[field] = " \u3000";
        EXPECT_FALSE(settingsComplete(r)) << field;
    }
    SettingsRecord noDecimals = astExample();
    noDecimals.decimals.clear();
    EXPECT_TRUE(settingsComplete(noDecimals));

    struct Places {
        const char* field;
        int expected;
    } places[] = {{"", 2}, {" ", 2}, {"1", 1}, {"4", 4}, {"0", 2}, {"5", 2}, {"-1", 2}, {"x", 2}, {"2.5", 2}};
    for (const Places& p : places)
        EXPECT_EQ(restoredDecimalPlaces(p.field), p.expected) << p.field;

    struct Index {
        const char* field;
        int entries;
        int expected;
    } indexes[] = {{"5", 32, 5},  {"0", 32, 0},   {"31", 32, 31}, {"32", 32, 1},
                   {"-1", 32, 1}, {"abc", 32, 1}, {"5", 2, 1}};
    for (const Index& i : indexes)
        EXPECT_EQ(restoredItemIndex(i.field, i.entries), i.expected) << i.field;
}

} // namespace
} // namespace kl
