#include "data/CsvWriter.h"

#include <gtest/gtest.h>

namespace kl {
namespace {

TEST(CsvWriter, WritesTextsAsStored) {
    EXPECT_EQ(csvBytes({"1", "2.5", "0"}), "1\r\n2.5\r\n0\r\n");
    EXPECT_EQ(csvBytes({"+1.50", "", "-"}), "+1.50\r\n\r\n-\r\n");
    EXPECT_EQ(csvBytes({}), "");
    EXPECT_EQ(csvBytes({"1", "2"}, TextEncoding::Cp932, true), "\"1\"\r\n\"2\"\r\n");
    const std::string bytes = csvBytes({"1", "2"});
    EXPECT_NE(bytes.back(), '\x1A');
}

TEST(CsvWriter, KeepsTheEncodingItWasReadIn) {
    const std::vector<std::string> rows = {"測定値", "1.5"};
    EXPECT_EQ(csvBytes(rows, TextEncoding::Cp932), "\x91\xaa\x92\xe8\x92\x6c\r\n1.5\r\n");
    EXPECT_EQ(csvBytes(rows, TextEncoding::Utf8), "測定値\r\n1.5\r\n");
    EXPECT_EQ(csvBytes(rows, TextEncoding::Utf8Bom), "\xEF\xBB\xBF測定値\r\n1.5\r\n");

    EXPECT_EQ(detectEncoding("1\r\n2\r\n"), TextEncoding::Cp932);
    EXPECT_EQ(detectEncoding("\x91\xaa\x92\xe8\x92\x6c\r\n1\r\n"), TextEncoding::Cp932);
    EXPECT_EQ(detectEncoding("測定値\r\n1\r\n"), TextEncoding::Utf8);
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBF"
                             "1\r\n"),
              TextEncoding::Utf8Bom);
}

TEST(CsvWriter, AppendsCsvUnlessExactlyCsv) {
    EXPECT_EQ(withCsvExtension("/d/data"), "/d/data.CSV");
    EXPECT_EQ(withCsvExtension("/d/data.csv"), "/d/data.csv");
    EXPECT_EQ(withCsvExtension("/d/data.CSV"), "/d/data.CSV");
    EXPECT_EQ(withCsvExtension("/d/data.Csv"), "/d/data.Csv.CSV");
    EXPECT_EQ(withCsvExtension("/d/data.txt"), "/d/data.txt.CSV");
}

} // namespace
} // namespace kl
