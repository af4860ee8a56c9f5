// DOSUU.CSV: the bytes a spreadsheet reads.
#include "TestSupport.h"

#include "output/FrequencyExport.h"
#include "stats/FrequencyTable.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

#include <string>
#include <unistd.h>
#include <vector>

namespace kl {
namespace {

std::vector<std::string> splitCrLf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = bytes.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(bytes.substr(from, at - from));
    EXPECT_EQ(from, bytes.size()) << "the file ends after its last CR LF";
    return lines;
}

TEST(FrequencyExport, FixedLinesAndRowsByteForByte) {
    const std::vector<std::string> rows = {frequencyRow(1, "10.0", "12.0", 3),
                                           frequencyRow(2, "12.0", "14.0", 0),
                                           frequencyRow(3, "14.0", "16.0", 12345)};
    const std::string bytes = frequencyExportBytes(rows);
    const std::string expected = "     ,     ,        ,         ,         \r\n"
                                 "     , No  ,INTERVAL,FREQUENCY,         \r\n"
                                 "     , 1 ,10.0 \x81\x7c 12.0,3,         \r\n"
                                 "     , 2 ,12.0 \x81\x7c 14.0,,         \r\n"
                                 "     , 3 ,14.0 \x81\x7c 16.0,12345,         \r\n";
    EXPECT_EQ(bytes, expected);
}

TEST(FrequencyExport, ThirtyClassesGiveThirtyTwoLines) {
    std::vector<int> counts(30, 2);
    counts[4] = 0;
    const auto rows = frequencyRows(counts, 1.0, 0.5, 1, false, "1.0");
    const auto lines = splitCrLf(frequencyExportBytes(rows));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[2].substr(0, 9), "     , 1 ");
    EXPECT_EQ(lines[31].substr(0, 10), "     , 30 ");
    // Class 5 is empty: two commas in a row before the trailing blanks.
    EXPECT_EQ(lines[6], "     , 5 ,3.0 \x81\x7c 3.5,,         ");
}

TEST(FrequencyExport, FoldedEndsShowTheDashAlone) {
    const auto rows = frequencyRows({4, 1, 5}, -1.0, 1.0, 1, true, "-3.2");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(exportFields(rows[0]).interval, "－ 0.0");
    EXPECT_EQ(exportFields(rows[1]).interval, "0.0 － 1.0");
    EXPECT_EQ(exportFields(rows[2]).interval, "1.0 －");
    EXPECT_EQ(exportFields(rows[2]).frequency, "5");
    const auto lines = splitCrLf(frequencyExportBytes(rows));
    EXPECT_EQ(lines[2], "     , 1 ,\x81\x7c 0.0,4,         ");
    EXPECT_EQ(lines[4], "     , 3 ,1.0 \x81\x7c,5,         ");
}

TEST(FrequencyExport, FieldsComeFromBytePositionsNotCharacters) {
    // A full-width character before the interval shifts the bytes: the field is cut by bytes and
    // a character split at the edge becomes a blank.
    EXPECT_EQ(exportFields("    1 | ").interval, "");
    EXPECT_EQ(exportFields("").frequency, "");
    EXPECT_EQ(exportFields("１２３４５６７８９０").interval, "５６７８９０");
    EXPECT_EQ(exportFields("1234567８9").interval, "８9");
    EXPECT_EQ(exportFields("123456７89").interval, "89");
    EXPECT_EQ(exportFields(std::string(37, 'a') + "|").frequency, "");
    EXPECT_EQ(exportFields(std::string(37, 'a') + "|x").frequency, "x");
    EXPECT_EQ(exportFields(std::string(38, 'a') + " 42  ").frequency, "42");
}

TEST(FrequencyExport, WrittenWholeOrNotAtAll) {
    const std::string dir = test::freshFolder("export");
    const std::string path = dir + "/" + kFrequencyExportName;
    const std::string old = frequencyExportBytes({frequencyRow(1, "1.0", "2.0", 7)});
    ASSERT_EQ(writeFrequencyExport(path, {frequencyRow(1, "1.0", "2.0", 7)}), ExportWrite::Written);
    EXPECT_EQ(readFileBytes(path).value(), old);
    std::string error;
    EXPECT_EQ(writeFrequencyExport(dir + "/missing/" + kFrequencyExportName, {}, &error),
              ExportWrite::Failed);
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_EQ(readFileBytes(path).value(), old);
}

// Only a spreadsheet holding the file open counts as "already open": its lock file beside the
// file says so. Every other failure is named by its cause.
TEST(FrequencyExport, HeldOpenOnlyWhenASpreadsheetHoldsIt) {
    const std::string dir = test::freshFolder("export-held");
    const std::string path = dir + "/" + kFrequencyExportName;
    ASSERT_TRUE(writeFileAtomic(path, "old"));
    for (const char* lock : {"/.~lock.DOSUU.CSV#", "/~$DOSUU.CSV"}) {
        ASSERT_TRUE(writeFileAtomic(dir + lock, "user"));
        EXPECT_EQ(writeFrequencyExport(path, {}), ExportWrite::HeldOpen) << lock;
        EXPECT_EQ(readFileBytes(path).value(), "old");
        ASSERT_EQ(::unlink((dir + lock).c_str()), 0);
    }
    std::string error;
    ASSERT_TRUE(ensureFolder(dir + "/sub/DOSUU.CSV"));
    EXPECT_EQ(writeFrequencyExport(dir + "/sub/DOSUU.CSV", {}, &error), ExportWrite::Failed);
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_EQ(writeFrequencyExport(path, {}), ExportWrite::Written);
}

} // namespace
} // namespace kl
