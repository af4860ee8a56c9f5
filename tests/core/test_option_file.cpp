#include "TestSupport.h"
#include "persist/OptionFile.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kl {
namespace {

namespace fs = std::filesystem;

const OptionSpec kAllOptions[] = {
    options::decimalPlaces,      options::foldExtremes,         options::colourScheme,
    options::showCurves,         options::showReferenceRange,   options::showCurveInterval,
    options::smoothing,          options::printCurves,          options::printReferenceRange,
    options::printCurveInterval, options::printProbabilityPlot, options::printStatistics,
    options::rememberedFolder,
};

TEST(OptionStore, FirstStartCreatesEveryFileEmptyAndReadsNotSet) {
    std::string dir = test::freshFolder("opt-first");
    OptionStore store(dir);
    for (const OptionSpec& optionSpec : kAllOptions) {
        SCOPED_TRACE(optionSpec.name);
        EXPECT_EQ(store.read(optionSpec), std::nullopt);
        EXPECT_EQ(readFileBytes(dir + "/" + optionSpec.name), "");
    }
    EXPECT_EQ(store.readNumber(options::decimalPlaces, 1), 1.0);
    EXPECT_EQ(store.readNumber(options::smoothing, 5000), 5000.0);
    EXPECT_EQ(store.readNumber(options::printStatistics), 0.0);
}

TEST(OptionStore, TickedThenUntickedLeavesZeroPaddedInItsField) {
    std::string dir = test::freshFolder("opt-riron");
    OptionStore store(dir);
    ASSERT_TRUE(store.write(options::showCurves, "1"));
    ASSERT_TRUE(store.write(options::showCurves, "0"));
    auto bytes = readFileBytes(dir + "/RIRON");
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 256u);
    EXPECT_EQ(bytes->substr(0, 50), "0" + std::string(49, ' '));
    EXPECT_EQ(bytes->substr(50), std::string(206, ' '));
    EXPECT_EQ(store.readRaw(options::showCurves), "0" + std::string(49, ' '));
    EXPECT_EQ(store.read(options::showCurves), "0");
    EXPECT_EQ(store.readNumber(options::showCurves), 0.0);
}

TEST(OptionStore, FieldWidthsAndRecordLengths) {
    std::string dir = test::freshFolder("opt-widths");
    OptionStore store(dir);
    ASSERT_TRUE(store.write(options::decimalPlaces, "3"));
    auto bytes = readFileBytes(dir + "/SWIT_SYOU");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 256u);
    EXPECT_EQ(store.readRaw(options::decimalPlaces), "3" + std::string(19, ' '));
    EXPECT_EQ(store.readNumber(options::decimalPlaces, 1), 3.0);

    ASSERT_TRUE(store.write(options::rememberedFolder, "/home/u/"));
    bytes = readFileBytes(dir + "/F_BASYO");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 2000u);
    EXPECT_EQ(store.read(options::rememberedFolder), "/home/u/");
}

TEST(OptionStore, LongTextsKeepTheirFirstFieldBytes) {
    std::string dir = test::freshFolder("opt-long");
    OptionStore store(dir);
    std::string text = "1234567890"
                       "1234567890"
                       "1234567890"
                       "1234567890"
                       "1234567890"
                       "X";
    ASSERT_EQ(text.size(), 51u);
    ASSERT_TRUE(store.write(options::smoothing, text));
    EXPECT_EQ(store.readRaw(options::smoothing), text.substr(0, 50));
    EXPECT_EQ(readFileBytes(dir + "/heikatu")->size(), 256u);

    // A double-byte character that would straddle the field's end is replaced by a blank.
    ASSERT_TRUE(store.write(options::decimalPlaces, std::string(19, '1') + "全"));
    auto bytes = readFileBytes(dir + "/SWIT_SYOU");
    EXPECT_EQ(bytes->substr(0, 20), std::string(19, '1') + " ");
}

TEST(OptionStore, JapaneseFolderPathRoundTrips) {
    std::string dir = test::freshFolder("opt-basyo");
    OptionStore store(dir);
    const std::string folder = "/home/利用者/検査データ/２０２４年/";
    ASSERT_TRUE(store.write(options::rememberedFolder, folder));
    EXPECT_EQ(store.read(options::rememberedFolder), folder);
    EXPECT_EQ(OptionStore(dir).read(options::rememberedFolder), folder); // as a later run sees it

    // A folder name with no CP932 form survives too.
    const std::string accented = "/home/r\xC3\xA9sum\xC3\xA9/";
    ASSERT_TRUE(store.write(options::rememberedFolder, accented));
    EXPECT_EQ(store.read(options::rememberedFolder), accented);
}

TEST(OptionStore, FolderPathTooLongIsCutAtACharacterBoundary) {
    std::string dir = test::freshFolder("opt-basyo-long");
    OptionStore store(dir);
    std::string folder = "/";
    while (folder.size() < 2100)
        folder += "検";
    ASSERT_TRUE(store.write(options::rememberedFolder, folder));
    auto read = store.read(options::rememberedFolder);
    ASSERT_TRUE(read);
    EXPECT_LE(read->size(), 2000u);
    EXPECT_GE(read->size(), 1998u);
    EXPECT_TRUE(isValidUtf8(*read));
    EXPECT_EQ(folder.substr(0, read->size()), *read);
}

TEST(OptionStore, ReadsRecordsWrittenByAnotherProgram) {
    std::string dir = test::freshFolder("opt-foreign");
    OptionStore store(dir);
    // Field at the start, the rest of the record holding anything (here NULs and junk).
    std::string record = "  2" + std::string(47, ' ') + std::string(100, '\0') + std::string(106, 'Z');
    ASSERT_TRUE(writeFileAtomic(dir + "/GRAPH", record));
    EXPECT_EQ(store.read(options::colourScheme), "2");
    EXPECT_EQ(store.readNumber(options::colourScheme, 1), 2.0);

    std::string heikatu = "250.5" + std::string(45, '\0') + std::string(206, '\0');
    ASSERT_TRUE(writeFileAtomic(dir + "/heikatu", heikatu));
    EXPECT_EQ(store.read(options::smoothing), "250.5");

    // A folder stored in Shift-JIS by the other program.
    std::string folder = utf8ToCp932("C:\\検査\\");
    ASSERT_TRUE(writeFileAtomic(dir + "/F_BASYO", folder + std::string(2000 - folder.size(), ' ')));
    EXPECT_EQ(store.read(options::rememberedFolder), "C:\\検査\\");

    // A record shorter than the field is read as far as it goes.
    ASSERT_TRUE(writeFileAtomic(dir + "/SINRA", "1"));
    EXPECT_EQ(store.read(options::showCurveInterval), "1");
}

TEST(OptionStore, TrimsFullWidthBlanksAndReadsNonNumbersAsZero) {
    std::string dir = test::freshFolder("opt-trim");
    OptionStore store(dir);
    ASSERT_TRUE(store.write(options::smoothing, "\xE3\x80\x80"
                                                "300\xE3\x80\x80"));
    EXPECT_EQ(store.read(options::smoothing), "300");
    EXPECT_EQ(readFileBytes(dir + "/heikatu")->substr(0, 7), "\x81\x40"
                                                             "300\x81\x40");
    ASSERT_TRUE(store.write(options::showCurves, "abc"));
    EXPECT_EQ(store.readNumber(options::showCurves, 1), 0.0);
    ASSERT_TRUE(store.write(options::showCurves, std::string(50, '9')));
    EXPECT_EQ(store.readNumber(options::showCurves), 1e50);
    ASSERT_TRUE(store.write(options::showCurves, ""));
    EXPECT_EQ(store.read(options::showCurves), ""); // set, but blank: not the same as unset
    EXPECT_EQ(store.readNumber(options::showCurves, 1), 0.0);
}

TEST(OptionStore, AnExistingFileIsNeverEmptiedByReading) {
    std::string dir = test::freshFolder("opt-keep");
    OptionStore store(dir);
    ASSERT_TRUE(store.write(options::foldExtremes, "1"));
    EXPECT_EQ(OptionStore(dir).read(options::foldExtremes), "1");
    EXPECT_EQ(readFileBytes(dir + "/HAZURE")->size(), 256u);
}

// A FIFO or a device standing as an option file reads as not set at once and is left as it is.
TEST(OptionStore, SpecialFilesReadAsNotSetWithoutBlocking) {
    std::string dir = test::freshFolder("opt-special");
    ASSERT_EQ(::mkfifo((dir + "/HAZURE").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir + "/GRAPH");
    ::alarm(20);
    OptionStore store(dir);
    EXPECT_EQ(store.read(options::foldExtremes), std::nullopt);
    EXPECT_EQ(store.read(options::colourScheme), std::nullopt);
    EXPECT_EQ(store.readNumber(options::foldExtremes, 7), 7.0);
    ::alarm(0);
    EXPECT_TRUE(fs::is_fifo(dir + "/HAZURE"));
    EXPECT_TRUE(fs::is_symlink(dir + "/GRAPH"));
}

TEST(OptionStore, AnUnusableFolderReadsNotSetAndRefusesWrites) {
    std::string dir = test::freshFolder("opt-nofolder") + "/missing";
    OptionStore store(dir);
    EXPECT_EQ(store.read(options::foldExtremes), std::nullopt);
    EXPECT_EQ(store.readNumber(options::decimalPlaces, 1), 1.0);
    std::string error;
    EXPECT_FALSE(store.write(options::foldExtremes, "1", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(dir));
}

TEST(OptionStore, ReadOnlyFolderReadsNotSetAndKeepsItsFiles) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    std::string dir = test::freshFolder("opt-readonly");
    OptionStore store(dir);
    ASSERT_TRUE(store.write(options::colourScheme, "3"));
    ::chmod(dir.c_str(), 0555);
    EXPECT_EQ(store.read(options::showCurves), std::nullopt);
    EXPECT_EQ(store.read(options::colourScheme), "3");
    std::string error;
    EXPECT_FALSE(store.write(options::colourScheme, "1", &error));
    ::chmod(dir.c_str(), 0755);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(store.read(options::colourScheme), "3");
    EXPECT_FALSE(fs::exists(dir + "/RIRON"));
}

} // namespace
} // namespace kl
