#include "TestSupport.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "data/DataTextReader.h"
#include "text/FileIO.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
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

// From a path: regular files only, each other kind refused at once with its cause, as holding no
// values (the too-few message) so that a caller without its own wording keeps that refusal.
TEST(DataFileReader, ReadsFromAPathAndSaysWhyNot) {
    std::string dir = test::freshFolder("reader-path");
    ASSERT_TRUE(writeFileAtomic(dir + "/ten.csv", lines(1, 10)));
    ASSERT_EQ(::mkfifo((dir + "/fifo.csv").c_str(), 0600), 0);
    DataReadResult ok = readDataFileAt(dir + "/ten.csv");
    EXPECT_EQ(ok.status, ReadStatus::Ok);
    EXPECT_EQ(ok.values, Values({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(ok.fileFailure, ReadFailure::None);
    struct Case {
        std::string path;
        ReadFailure failure;
    };
    const Case cases[] = {
        {dir + "/none.csv", ReadFailure::Missing},
        {dir, ReadFailure::Folder},
        {dir + "/fifo.csv", ReadFailure::NotRegular},
        {"/dev/zero", ReadFailure::NotRegular},
    };
    ::alarm(20);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        int begun = 0;
        DataReadHooks hooks;
        hooks.itemsBegin = [&] { ++begun; };
        DataReadResult r = readDataFileAt(c.path, hooks);
        EXPECT_EQ(r.status, ReadStatus::Refused);
        EXPECT_EQ(r.refusal, ReadRefusal::Unreadable);
        EXPECT_EQ(r.fileFailure, c.failure);
        EXPECT_EQ(r.messages, std::vector<Message>{tooFewValuesMessage()});
        EXPECT_EQ(begun, 0);
    }
    ::alarm(0);
    Message m = unreadableFileMessage(ReadFailure::NotRegular, 0, "/dev/zero");
    EXPECT_EQ(m.caption, "CAN NOT READ");
    EXPECT_EQ(
        m.text,
        "このファイルは読み込めません。通常のファイルではありません（FIFO、デバイスなど）。\r\n/dev/zero");
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

// What the rules saw: everything a caller can observe of a read.
struct Observed {
    DataReadResult result;
    std::vector<int> segments;
    int polls = 0;
    int begun = 0;
};

DataReadHooks observing(Observed& o) {
    DataReadHooks hooks;
    hooks.fillSegment = [&o](int k) { o.segments.push_back(k); };
    hooks.cancelRequested = [&o] { return ++o.polls < 0; };
    hooks.itemsBegin = [&o] { ++o.begun; };
    return hooks;
}

void expectSameRead(const Observed& a, const Observed& b) {
    EXPECT_EQ(a.result.status, b.result.status);
    EXPECT_EQ(a.result.refusal, b.result.refusal);
    EXPECT_EQ(a.result.values, b.result.values);
    EXPECT_EQ(a.result.messages, b.result.messages);
    EXPECT_EQ(a.result.columns, b.result.columns);
    EXPECT_EQ(a.result.itemsRead, b.result.itemsRead);
    EXPECT_EQ(a.result.capped, b.result.capped);
    EXPECT_EQ(a.segments, b.segments);
    EXPECT_EQ(a.polls, b.polls);
    EXPECT_EQ(a.begun, b.begun);
}

std::string utf16(std::string_view ascii, bool bigEndian) {
    std::string s = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char ch : ascii)
        s += bigEndian ? std::string{'\0', ch} : std::string{ch, '\0'};
    return s;
}

// Texts whose tricky bytes (multi-byte characters, CR LF, the end-of-file mark, blanks) are read
// whole and given to the rules in pieces of every small size: the pieces change nothing.
TEST(DataFileReader, TextInPiecesReadsAsTheWholeText) {
    const std::string cases[] = {
        lines(1, 12),
        "\xEF\xBB\xBF"
        "Title\r\n" +
            lines(1, 11) + "\x1A",
        "1 \xE3\x80\x80 \r\n" + lines(2, 12, "\r"),
        "1 2 \x1A",
        "  \xE3\x80\x80  1  \xE3\x80\x80\n\"3\", \"\" ,\xE3\x80\x80,\t5\r\n\r\n" + lines(6, 16, "\n") + "  ",
        "1,\r\n" + lines(2, 12) + "\x1A",
        "値\r\n" + lines(1, 11, ",") + "\r",
        lines(1, 40002, ","),
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        Observed whole;
        whole.result = readDataText(text, text.size(), observing(whole));
        for (std::size_t piece : {1u, 2u, 3u, 5u, 7u}) {
            if (text.size() > 1000 && piece < 7) continue;
            Observed cut;
            DataTextReader reader(text.size(), observing(cut));
            for (std::size_t at = 0; at < text.size(); at += piece)
                reader.feed(std::string_view(text).substr(at, piece));
            cut.result = reader.finish();
            SCOPED_TRACE(piece);
            expectSameRead(whole, cut);
        }
    }
}

// From a path the file is read in pieces of 64 KiB: characters of every encoding cut at a piece's
// end read as in the whole file.
TEST(DataFileReader, FileReadFromItsPathReadsAsItsBytes) {
    const std::string dir = test::freshFolder("reader-stream");
    const std::size_t piece = 1 << 16;
    auto padded = [&](const std::string& head, std::size_t bytesBefore, const std::string& tail) {
        std::string s = head;
        while (s.size() + 2 <= bytesBefore)
            s += "\r\n";
        if (s.size() < bytesBefore) s += " ";
        return s + tail;
    };
    std::vector<std::string> cases = {
        lines(1, 12),
        "\xEF\xBB\xBF" + lines(1, 12),
        utf16(lines(1, 12), false),
        utf16(lines(1, 12), true),
        fixture("binary_values.dat"),
        "1,2\r\n" + lines(1, 12),
        lines(1, 40001),
        lines(1, 9) + std::string(1, '\0') + lines(1, 40001), // NUL among the values read: binary
    };
    for (std::size_t shift = 0; shift < 4; ++shift) {
        const std::size_t at = piece - shift;
        cases.push_back(padded("Values\r\n", at - 1,
                               "\xE3\x80\x80"
                               "1\r\n値2\r\n" +
                                   lines(3, 12)));
        cases.push_back(padded("Values\r\n", at - 1, "\x82\xA0\r\n\x81\x40\r\n" + lines(1, 12))); // CP932
        cases.push_back(padded("Values\r\n", at - 1, "\r\n1\r\n" + lines(2, 12) + "\x1A"));
        cases.push_back(utf16(padded("V\r\n", at / 2, lines(1, 12)), shift % 2 == 1) + "\x3D\xD8\x00\xDE");
    }
    int n = 0;
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(n);
        const std::string path = dir + "/case" + std::to_string(n++) + ".csv";
        ASSERT_TRUE(writeFileAtomic(path, bytes));
        Observed whole, streamed;
        whole.result = readDataFile(bytes, observing(whole));
        streamed.result = readDataFileAt(path, observing(streamed));
        expectSameRead(whole, streamed);
        EXPECT_EQ(streamed.result.fileFailure, ReadFailure::None);
    }
}

// Memory holds the values kept, not the file: a 200 MB file whose values lie far apart is read
// through, and one of 20 MB of values stops after the 40,001st, both in well under 64 MiB.
TEST(DataFileReader, LargeFilesAreReadInBoundedMemory) {
    const std::string dir = test::freshFolder("reader-large");
    const std::size_t size = 200u << 20;
    {
        std::ofstream sparse(dir + "/sparse.csv", std::ios::binary);
        const std::string gap(1 << 20, '\n');
        for (int i = 1; i <= 200; ++i)
            sparse << gap << i << ",\r\n";
    }
    {
        std::ofstream dense(dir + "/dense.csv", std::ios::binary);
        std::string block;
        for (int i = 0; i < 100000; ++i)
            block += "12.5\r\n";
        for (std::size_t written = 0; written < size / 10; written += block.size())
            dense << block;
    }
    ASSERT_GE(std::filesystem::file_size(dir + "/sparse.csv"), size);
    DataReadResult sparse = readDataFileAt(dir + "/sparse.csv");
    ASSERT_EQ(sparse.status, ReadStatus::Ok);
    ASSERT_EQ(sparse.values.size(), 200u);
    EXPECT_EQ(sparse.values.back(), "200");
    DataReadResult dense = readDataFileAt(dir + "/dense.csv");
    ASSERT_EQ(dense.status, ReadStatus::Ok);
    EXPECT_EQ(dense.values.size(), 40000u);
    EXPECT_TRUE(dense.capped);
    EXPECT_PEAK_MEMORY_BELOW(64 * 1024);
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
