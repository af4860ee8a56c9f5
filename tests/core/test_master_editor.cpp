// Editing the reference range master: the file bytes after append, modify and delete, the editor
// rows, record numbers when unnamed records exist, refusals and failed writes.

#include "TestSupport.h"

#include "refrange/MasterEditor.h"
#include "text/FileIO.h"

#include <fstream>

namespace kl {
namespace {

const std::string kEmpty14 = ",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"";

// The file line of three CP932 texts.
std::string line(const std::string& a, const std::string& b, const std::string& c) {
    return "\"" + a + "\",\"" + b + "\",\"" + c + "\"" + kEmpty14 + "\r\n";
}

std::string allEmptyLine() {
    return line("", "", "");
}

class MasterEditorTest : public ::testing::Test {
  protected:
    void SetUp() override { path_ = test::freshFolder("master") + "/KIJUN.DAT"; }

    void put(const std::string& bytes) {
        std::ofstream out(path_, std::ios::binary);
        out << bytes;
    }
    std::string bytes() const { return readFileBytes(path_).value_or("<missing>"); }
    std::vector<ReferenceRange> records() const {
        MasterReadResult r = readMasterRecords(path_);
        EXPECT_TRUE(r.ok) << r.error;
        return r.records;
    }
    void putFive() {
        put(line("A", "1", "2") + line("B", "3", "4") + line(" C", " 5", "6 ") + line("D", "7", "8") +
            line("E", "9", "10"));
    }

    std::string path_;
};

TEST_F(MasterEditorTest, AppendToMissingMasterCreatesOneLineAndItsRow) {
    ASSERT_TRUE(appendMasterRecord(path_, {"TP", "6.5", "8.2"}).ok());
    EXPECT_EQ(bytes(), line("TP", "6.5", "8.2"));
    MasterListing listing = listMaster(records());
    ASSERT_EQ(listing.rows.size(), 1u);
    EXPECT_EQ(listing.rows[0], "   1|TP" + std::string(19, ' ') + " | " + std::string(11, ' ') + "6.5 | " +
                                   std::string(11, ' ') + "8.2" + std::string(22, ' '));
    EXPECT_EQ(listing.recordCount, 1);
}

TEST_F(MasterEditorTest, AppendKeepsOldBytesAndStoresTextsAsTyped) {
    const std::string old = "\"WBC\",\"3.3\",\"8.6\"\r\n"; // a short hand-made line stays as it is
    put(old);
    ASSERT_TRUE(appendMasterRecord(path_, {" Na ", " 138", "145 "}).ok());
    EXPECT_EQ(bytes(), old + line(" Na ", " 138", "145 "));
}

TEST_F(MasterEditorTest, AppendCompletesAMissingFinalLineEnd) {
    const std::string rec = "\"A\",\"1\",\"2\"";
    struct Case {
        const char* what;
        std::string before, kept;
    } cases[] = {
        {"no line end", rec, rec + "\r\n"},
        {"lone CR", rec + "\r", rec + "\r\n"},
        {"LF line end", rec + "\n", rec + "\n"},
        {"CR LF", rec + "\r\n", rec + "\r\n"},
        {"end-of-file mark", rec + "\r\n\x1a", rec + "\r\n"},
        {"mark without line end", rec + "\x1a", rec + "\r\n"},
        {"empty file", "", ""},
    };
    for (const Case& c : cases) {
        put(c.before);
        ASSERT_TRUE(appendMasterRecord(path_, {"B", "3", "4"}).ok()) << c.what;
        EXPECT_EQ(bytes(), c.kept + line("B", "3", "4")) << c.what;
        auto rs = records();
        ASSERT_FALSE(rs.empty()) << c.what;
        EXPECT_EQ(rs.back(), (ReferenceRange{"B", "3", "4"})) << c.what;
    }
}

TEST_F(MasterEditorTest, AppendToAUtf8MasterKeepsOneEncoding) {
    put("\xef\xbb\xbf\"γ-GT\",\"13\",\"64\"\r\n"); // hand-edited, UTF-8 with BOM
    ASSERT_TRUE(appendMasterRecord(path_, {"Ｃａ", "8.8", "10.1"}).ok());
    EXPECT_EQ(bytes(), "\"\x83\xc1-GT\",\"13\",\"64\"\r\n" + line("\x82\x62\x82\x81", "8.8", "10.1"));
    EXPECT_EQ(records(), (std::vector<ReferenceRange>{{"γ-GT", "13", "64"}, {"Ｃａ", "8.8", "10.1"}}));
}

TEST_F(MasterEditorTest, AppendRefusesABinaryFile) {
    const std::string binary("\x00\x01PK\x03\x04", 6);
    put(binary);
    EXPECT_EQ(appendMasterRecord(path_, {"A", "1", "2"}).status, MasterEditStatus::ReadFailed);
    EXPECT_EQ(modifyMasterRecord(path_, 1, {"A", "1", "2"}).status, MasterEditStatus::ReadFailed);
    EXPECT_EQ(deleteMasterRecord(path_, 1).status, MasterEditStatus::ReadFailed);
    EXPECT_EQ(bytes(), binary);
}

TEST_F(MasterEditorTest, ModifyRewritesEveryLineInPlace) {
    putFive();
    ASSERT_TRUE(modifyMasterRecord(path_, 2, {"BB", " 3.5", "4.5"}).ok());
    // The others keep their texts as read, leading and trailing blanks included.
    EXPECT_EQ(bytes(), line("A", "1", "2") + line("BB", " 3.5", "4.5") + line(" C", " 5", "6 ") +
                           line("D", "7", "8") + line("E", "9", "10"));
    EXPECT_EQ(listMaster(records()).rowOfRecord(2), 1);
}

TEST_F(MasterEditorTest, ModifyToAnEmptyNameKeepsTheRecordUnlisted) {
    putFive();
    ASSERT_TRUE(modifyMasterRecord(path_, 2, {"", "", ""}).ok());
    MasterListing listing = listMaster(records());
    EXPECT_EQ(listing.recordCount, 5);
    EXPECT_EQ(listing.recordOfRow, (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(listing.rowOfRecord(2), -1);
    EXPECT_EQ(listing.rows[1].substr(0, 8), "   2|C  ");
}

TEST_F(MasterEditorTest, RewriteKeepsHandEditedLinesWellFormed) {
    // Unquoted fields, a quote inside one, a comma inside a quoted one, too few fields.
    put("Hb A\"1c,4.9,6.0\r\n\"Na, K\",138\r\nCl\r\n");
    ASSERT_TRUE(modifyMasterRecord(path_, 3, {"Cl", "101", "108"}).ok());
    const std::vector<ReferenceRange> after{
        {"Hb A＂1c", "4.9", "6.0"}, {"Na, K", "138", ""}, {"Cl", "101", "108"}};
    EXPECT_EQ(bytes(), masterLine(after[0]) + line("Na, K", "138", "") + line("Cl", "101", "108"));
    EXPECT_EQ(records(), after);
}

TEST_F(MasterEditorTest, RowsAndRecordNumbersDifferAroundUnnamedRecords) {
    put(line("A", "1", "2") + allEmptyLine() + line("\x81\x40", "", "") + line("B", "3", "4"));
    MasterListing listing = listMaster(records());
    ASSERT_EQ(listing.rows.size(), 2u);
    EXPECT_EQ(listing.recordOfRow, (std::vector<int>{1, 4}));
    EXPECT_EQ(listing.rows[1].substr(0, 6), "   2|B");
    // Modifying and deleting use the record number, not the row.
    ASSERT_TRUE(modifyMasterRecord(path_, listing.recordOfRow[1], {"B2", "3", "4"}).ok());
    EXPECT_EQ(records()[3].name, "B2");
    ASSERT_TRUE(deleteMasterRecord(path_, listing.recordOfRow[0]).ok());
    EXPECT_EQ(bytes(), allEmptyLine() + allEmptyLine() + line("B2", "3", "4"));
}

TEST_F(MasterEditorTest, DeleteClosesTheGapAndTrimsTheRest) {
    putFive();
    ASSERT_TRUE(deleteMasterRecord(path_, 2).ok());
    EXPECT_EQ(bytes(),
              line("A", "1", "2") + line("C", "5", "6") + line("D", "7", "8") + line("E", "9", "10"));
    ASSERT_TRUE(deleteMasterRecord(path_, 4).ok());
    EXPECT_EQ(bytes(), line("A", "1", "2") + line("C", "5", "6") + line("D", "7", "8"));
}

TEST_F(MasterEditorTest, DeletingTheOnlyRecordLeavesOneEmptyRecord) {
    put(line(" TP", "6.5", "8.2"));
    ASSERT_TRUE(deleteMasterRecord(path_, 1).ok());
    EXPECT_EQ(bytes(), allEmptyLine());
    MasterListing listing = listMaster(records());
    EXPECT_TRUE(listing.rows.empty());
    EXPECT_EQ(listing.recordCount, 1);
    // Adding after that keeps the empty record first.
    ASSERT_TRUE(appendMasterRecord(path_, {"TP", "6.5", "8.2"}).ok());
    EXPECT_EQ(listMaster(records()).recordOfRow, (std::vector<int>{2}));
}

TEST_F(MasterEditorTest, MissingFileOrRecordChangesNothing) {
    EXPECT_EQ(modifyMasterRecord(path_, 1, {"A", "1", "2"}).status, MasterEditStatus::NoFile);
    EXPECT_EQ(deleteMasterRecord(path_, 1).status, MasterEditStatus::NoFile);
    EXPECT_FALSE(fileExists(path_));
    putFive();
    const std::string before = bytes();
    for (int record : {0, -1, 6, 40000}) {
        EXPECT_EQ(modifyMasterRecord(path_, record, {"X", "1", "2"}).status, MasterEditStatus::NoRecord);
        EXPECT_EQ(deleteMasterRecord(path_, record).status, MasterEditStatus::NoRecord);
    }
    EXPECT_EQ(bytes(), before);
}

TEST_F(MasterEditorTest, TextsTheFileCannotHoldAreRefused) {
    putFive();
    const std::string before = bytes();
    struct Case {
        ReferenceRange texts;
        const char* message;
    } cases[] = {
        {{"Hb\"A\"", "1", "2"}, kMasterQuoteOrBreakText}, {{"Hb", "1\r\n", "2"}, kMasterQuoteOrBreakText},
        {{"Hb", "1", "2\n3"}, kMasterQuoteOrBreakText},   {{"Hb\r", "1", "2"}, kMasterQuoteOrBreakText},
        {{"Hb😀", "1", "2"}, kMasterNotCp932Text},         {{"Hb", "1", "\xff"}, kMasterNotCp932Text},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(masterTextProblem(c.texts), c.message) << c.texts.name;
        MasterEditResult a = appendMasterRecord(path_, c.texts);
        EXPECT_EQ(a.status, MasterEditStatus::Refused);
        EXPECT_EQ(a.message, c.message);
        EXPECT_EQ(modifyMasterRecord(path_, 1, c.texts).status, MasterEditStatus::Refused);
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(masterTextProblem({"γ-GT(M)", "１３", "64"}), "");
}

TEST_F(MasterEditorTest, FailedWriteIsReportedAndLeavesTheFile) {
    const std::string folder = test::freshFolder("master-ro");
    const std::string blocked = folder + "/not-a-folder";
    std::ofstream(blocked) << "x";
    MasterEditResult r = appendMasterRecord(blocked + "/KIJUN.DAT", {"A", "1", "2"});
    EXPECT_EQ(r.status, MasterEditStatus::WriteFailed);
    EXPECT_FALSE(r.message.empty());
    // A master that is a folder cannot be read: nothing is rewritten from nothing.
    EXPECT_EQ(deleteMasterRecord(folder, 1).status, MasterEditStatus::NoFile);
}

TEST_F(MasterEditorTest, ShiftJisNamesArePaddedAndCutByBytes) {
    struct Case {
        ReferenceRange record;
        std::string nameColumn; // the 21 bytes after "|"
    } cases[] = {
        {{"γ-GT(M)", "13", "64"}, "γ-GT(M)" + std::string(13, ' ')},
        {{"ＡＬＢ", "4.1", "5.1"}, "ＡＬＢ" + std::string(15, ' ')},
        // 11 full-width characters are 22 bytes: 10 fit, the split one becomes a blank.
        {{"ああああああああああい", "1", "2"}, "ああああああああああ "},
        {{"  TP  ", "6.6", "8.1"}, "TP" + std::string(19, ' ')},
    };
    for (const Case& c : cases) {
        std::string row = masterListRow(7, c.record);
        EXPECT_EQ(row.substr(0, 5), "   7|");
        EXPECT_EQ(row.substr(5, c.nameColumn.size()), c.nameColumn);
        EXPECT_EQ(row.substr(5 + c.nameColumn.size(), 3), " | ");
    }
    // Limits right-aligned in 14 bytes; a longer text keeps its first 14.
    EXPECT_EQ(masterListRow(12, {"X", " 0.00 ", "123456789012345678"}),
              "  12|X" + std::string(20, ' ') + " | " + std::string(10, ' ') + "0.00 | 12345678901234" +
                  std::string(22, ' '));
    // The seed's gamma is written as CP932 0x83 0xC1.
    EXPECT_EQ(masterLine({"γ-GT(M)", "13", "64"}), line("\x83\xc1-GT(M)", "13", "64"));
}

TEST_F(MasterEditorTest, MoreThanThreeHundredRecords) {
    std::string first300;
    for (int i = 1; i <= 300; ++i)
        first300 += masterLine({"item" + std::to_string(i), std::to_string(i), "9999"});
    put(first300);
    for (int i = 301; i <= 305; ++i)
        ASSERT_TRUE(appendMasterRecord(path_, {"item" + std::to_string(i), std::to_string(i), "9999"}).ok());
    MasterListing listing = listMaster(records());
    ASSERT_EQ(listing.rows.size(), 305u);
    EXPECT_EQ(listing.rows[304].substr(0, 13), " 305|item305 ");
    ASSERT_TRUE(modifyMasterRecord(path_, 303, {"changed", "1", "2"}).ok());
    ASSERT_TRUE(deleteMasterRecord(path_, 1).ok());
    auto rs = records();
    ASSERT_EQ(rs.size(), 304u);
    EXPECT_EQ(rs[301], (ReferenceRange{"changed", "1", "2"}));
    EXPECT_EQ(rs[303].name, "item305");
    EXPECT_EQ(listMaster(rs).rows[0].substr(0, 10), "   1|item2");
}

} // namespace
} // namespace kl
