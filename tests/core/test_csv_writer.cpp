#include "TestSupport.h"
#include "data/CsvWriter.h"
#include "data/DataFileReader.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

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
    EXPECT_EQ(detectEncoding("\xFF\xFE\x31\x00"), TextEncoding::Utf16Le);
    EXPECT_EQ(detectEncoding("\xFE\xFF\x00\x31"), TextEncoding::Utf16Be);

    // UTF-16 stays UTF-16 with its BOM and byte order, characters beyond U+FFFF as pairs.
    using namespace std::string_literals;
    EXPECT_EQ(csvBytes({"値", "1"}, TextEncoding::Utf16Le), "\xFF\xFE\x24\x50\r\0\n\0"
                                                            "1\0\r\0\n\0"s);
    EXPECT_EQ(csvBytes({"値", "1"}, TextEncoding::Utf16Be), "\xFE\xFF\x50\x24\0\r\0\n\0"
                                                            "1\0\r\0\n"s);
    EXPECT_EQ(csvBytes({"\xF0\xA0\xAE\xB7"}, TextEncoding::Utf16Le), "\xFF\xFE\x42\xD8\xB7\xDF\r\0\n\0"s);
    for (bool bigEndian : {false, true})
        EXPECT_EQ(decodeTextFile((bigEndian ? "\xFE\xFF" : "\xFF\xFE") +
                                 utf8ToUtf16("測定値 \xF0\xA0\xAE\xB7 1.5", bigEndian)),
                  "測定値 \xF0\xA0\xAE\xB7 1.5");
}

TEST(CsvWriter, RewritingAUtf16FileGivesItsOwnBytesBack) {
    const std::optional<std::string> original = readFileBytes(test::dataPath("values_utf16le.txt"));
    ASSERT_TRUE(original);
    const DataReadResult read = readDataFile(*original);
    EXPECT_EQ(csvBytes(read.values, detectEncoding(*original)), *original);
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
