#include "TestSupport.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "text/FileIO.h"

#include <string>
#include <vector>

namespace kl {
namespace {

std::string lines(int from, int to, const char* end = "\r\n") {
    std::string s;
    for (int i = from; i <= to; ++i)
        s += std::to_string(i) + end;
    return s;
}

std::string fixture(const char* name) {
    auto bytes = readFileBytes(test::dataPath(name));
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or("");
}

using Values = std::vector<std::string>;

TEST(DataFileReader, ItemsAcceptedAsValues) {
    struct Case {
        const char* name;
        std::string bytes;
        Values first; // the first values read
        int count;
    };
    const Case cases[] = {
        {"only the first line is checked", "12.5\r\n13,14\r\n" + lines(1, 8), {"12.5", "13", "14", "1"}, 11},
        {"column title", "Value\r\n" + lines(1, 10), {"Value", "1"}, 11},
        {"blank lines and lines of blanks",
         "\r\n1\r\n\r\n   \r\n2\r\n\xE3\x80\x80\r\n" + lines(3, 10) + "\r\n\r\n",
         {"1", "2", "3"},
         10},
        {"empty fields", "1\r\n2,,3\r\n,\r\n" + lines(4, 10), {"1", "2", "3", "4"}, 10},
        {"blanks before an item skipped, after it kept",
         "  1\r\n 2 ,  3\r\n" + lines(4, 10),
         {"1", "2 ", "3"},
         10},
        {"LF line ends", lines(1, 10, "\n"), {"1", "2"}, 10},
        {"CR line ends", lines(1, 10, "\r"), {"1", "2"}, 10},
        {"no final line end", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10", {"1"}, 10},
        {"final 0x1A", lines(1, 10) + "\x1A", {"1"}, 10},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + lines(1, 10), {"1", "2"}, 10},
        {"quoted items", "\"1.5\"\r\n\"2.5\"  ,\"\"\r\n" + lines(3, 10), {"1.5", "2.5", "3"}, 10},
        {"ten values", lines(1, 10), {"1"}, 10},
        {"CP932 title, cut lines, final 0x1A",
         fixture("title_cp932.csv"),
         {"測定値", "12.5", "13", "14", "15"},
         12},
        {"UTF-16 with BOM", fixture("values_utf16le.txt"), {"測定値", "1", "2"}, 11},
        {"saved pasted data", fixture("quoted_values.csv"), {"1.5", "2.5"}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataReadResult r = readDataFile(c.bytes);
        ASSERT_EQ(r.status, ReadStatus::Ok);
        EXPECT_TRUE(r.messages.empty());
        ASSERT_EQ(static_cast<int>(r.values.size()), c.count);
        EXPECT_EQ(Values(r.values.begin(), r.values.begin() + static_cast<long>(c.first.size())), c.first);
    }
}

TEST(DataFileReader, QuotedValuesReadAsTheirNumbers) {
    DataSet d;
    d.values = readDataFile(fixture("quoted_values.csv")).values;
    ASSERT_EQ(d.count(), 10);
    EXPECT_EQ(d.number(1), 1.5);
    EXPECT_EQ(d.number(10), 10.5);
}

TEST(DataFileReader, Refusals) {
    struct Case {
        const char* name;
        std::string bytes;
        ReadRefusal refusal;
        Message message;
    };
    const Message tooFew{"BAD DATA",
                         "データが少なすぎます。          \r\n(データ数が10件未満です)                     ",
                         Buttons::Ok, Icon::Information};
    auto columns = [](const char* n) {
        return Message{
            "CAN NOT USE",
            std::string(
                "読み込んだファイルのデータ形式は複数配列のものです。１元配列のデータを読み込んで下さい。"
                "       \r\n （") +
                n + "元配列です） ",
            Buttons::Ok, Icon::Information};
    };
    const Message badData{"不正なデータ",
                          "このファイルにデータがないか、取り扱い不可能なデータが存在しています。       ",
                          Buttons::Ok, Icon::Information};
    const Case cases[] = {
        {"two words", "a b\r\n" + lines(1, 20), ReadRefusal::SeveralColumns, columns("2")},
        {"three numbers", "1,2,3\r\n" + lines(1, 20), ReadRefusal::SeveralColumns, columns("3")},
        {"comma and blank both count", "1, 2\r\n" + lines(1, 20), ReadRefusal::SeveralColumns, columns("3")},
        {"two column fixture", fixture("two_columns.csv"), ReadRefusal::SeveralColumns, columns("2")},
        {"nine values", lines(1, 9), ReadRefusal::TooFew, tooFew},
        {"nine values and blank items", lines(1, 9) + "\r\n , ,\r\n", ReadRefusal::TooFew, tooFew},
        {"empty file", "", ReadRefusal::TooFew, tooFew},
        {"binary", fixture("binary_values.dat"), ReadRefusal::BadData, badData},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataReadResult r = readDataFile(c.bytes);
        EXPECT_EQ(r.status, ReadStatus::Refused);
        EXPECT_EQ(r.refusal, c.refusal);
        EXPECT_TRUE(r.values.empty());
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0], c.message);
    }
}

TEST(DataFileReader, FirstLineColumns) {
    struct Case {
        const char* line;
        int columns;
    };
    const Case cases[] = {{"12.5", 1},
                          {"  12.5  ", 1},
                          {"\xE3\x80\x80"
                           "12.5\xE3\x80\x80",
                           1},
                          {"Value", 1},
                          {"a b", 2},
                          {"1,2,3", 3},
                          {"1 ,2", 3},
                          {"", 1},
                          {"1\t2", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(firstLineColumns(c.line), c.columns) << c.line;
}

TEST(DataFileReader, CapAtFortyThousand) {
    struct Case {
        const char* name;
        std::string bytes;
        bool capped;
    };
    const Case cases[] = {
        {"exactly 40,000", lines(1, 40000), false},
        {"40,000 then blank lines", lines(1, 40000) + "\r\n  \r\n,\r\n", false},
        {"40,001", lines(1, 40001), true},
        {"40,002 on one line after the first",
         "1\r\n" +
             [] {
                 std::string s;
                 for (int i = 2; i <= 40002; ++i)
                     s += std::to_string(i) + ",";
                 return s;
             }(),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataReadResult r = readDataFile(c.bytes);
        ASSERT_EQ(r.status, ReadStatus::Ok);
        ASSERT_EQ(r.values.size(), 40000u);
        EXPECT_EQ(r.values.back(), "40000");
        EXPECT_EQ(r.capped, c.capped);
        if (c.capped) {
            ASSERT_EQ(r.messages.size(), 1u);
            EXPECT_EQ(r.messages[0], valueCapMessage());
            EXPECT_EQ(r.messages[0].caption, "caution");
            EXPECT_EQ(r.messages[0].text, "本プログラムで扱えるデータは４０,０００件までです。    "
                                          "\r\n４０,０００件までのデータを取り込みました。");
        } else {
            EXPECT_TRUE(r.messages.empty());
        }
    }
}

TEST(DataFileReader, CancelPoll) {
    struct Case {
        int cancelAtPoll; // 1-based poll that answers true
        ReadStatus status;
        ReadRefusal refusal;
        Message message;
    };
    const Case cases[] = {
        // Held from the start, or released before ten values: still a cancel, never "too few".
        {1, ReadStatus::Cancelled, ReadRefusal::None, readCancelledMessage()},
        {6, ReadStatus::Cancelled, ReadRefusal::None, readCancelledMessage()},
        {11, ReadStatus::Cancelled, ReadRefusal::None, readCancelledMessage()},
        {15, ReadStatus::Cancelled, ReadRefusal::None, readCancelledMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cancelAtPoll);
        int polls = 0;
        DataReadHooks hooks;
        hooks.cancelRequested = [&] { return ++polls == c.cancelAtPoll; };
        DataReadResult r = readDataFile(lines(1, 30), hooks);
        EXPECT_EQ(polls, c.cancelAtPoll);
        EXPECT_EQ(r.itemsRead, c.cancelAtPoll - 1);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.refusal, c.refusal);
        EXPECT_TRUE(r.values.empty());
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0], c.message);
    }
    EXPECT_EQ(readCancelledMessage().text,
              "ファイルの読み込みがキャセルされました。     \r\n全ての処理を最初から行って下さい。    ");
}

TEST(DataFileReader, ProgressSegments) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> firstSegments;
        std::size_t calls;
    };
    std::vector<int> oneToTwenty;
    for (int k = 1; k <= 20; ++k)
        oneToTwenty.push_back(k);
    auto repeated = [](const char* head, const char* item, int times) {
        std::string s = head;
        for (int i = 0; i < times; ++i)
            s += item;
        return s;
    };
    const Case cases[] = {
        // Each "1\r\n" is 3 bytes and counts 1 character + 2 for the line end: 2.5 % per item.
        {"forty single digits", repeated("", "1\r\n", 40), oneToTwenty, 20},
        // A first line two characters longer than the items raises the line-end allowance to 4.
        {"long first line", repeated("Values\r\n", "1\r\n", 19), {3, 5}, 0},
        // UTF-16 counts against the decoded size, so the bar still ends full.
        {"UTF-16",
         "\xFF\xFE" +
             [&] {
                 std::string s;
                 for (char ch : repeated("", "1\r\n", 40))
                     s += std::string{ch, '\0'};
                 return s;
             }(),
         oneToTwenty, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> seen;
        DataReadHooks hooks;
        hooks.fillSegment = [&](int k) { seen.push_back(k); };
        DataReadResult r = readDataFile(c.bytes, hooks);
        ASSERT_EQ(r.status, ReadStatus::Ok);
        ASSERT_GE(seen.size(), c.firstSegments.size());
        EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + static_cast<long>(c.firstSegments.size())),
                  c.firstSegments);
        if (c.calls) {
            EXPECT_EQ(seen.size(), c.calls);
        }
        for (std::size_t i = 1; i < seen.size(); ++i)
            EXPECT_GT(seen[i], seen[i - 1]);
        EXPECT_EQ(seen.back(), 20);
        EXPECT_EQ(r.segment, 20);
    }
}

TEST(DataSet, ListRows) {
    struct Case {
        int row;
        const char* value;
        std::string text;
    };
    const Case cases[] = {
        {7, "4.25", "     7 | 4.25" + std::string(28, ' ')},
        {40000, "-0.5", " 40000 | -0.5" + std::string(28, ' ')},
        {1, "測定値", "     1 | 測定値" + std::string(28, ' ')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DataSet::list1Row(c.row, c.value), c.text);
    DataSet d;
    d.values = {"4.25", "abc", " -3.5e2", ".5x"};
    EXPECT_EQ(d.numbers(), (std::vector<double>{4.25, 0, -3.5, 0.5}));
    EXPECT_EQ(d.listRow(2), "     2 | abc" + std::string(28, ' '));
}

} // namespace
} // namespace kl
