#include "TestSupport.h"

#include "data/ColumnReader.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

#include <string>
#include <vector>

namespace kl {
namespace {

using Values = std::vector<double>;

SkippedItems skips(std::size_t empty, std::size_t notNumber, std::size_t nonPositive = 0,
                   std::size_t below = 0, std::size_t above = 0) {
    SkippedItems s;
    s.empty = empty;
    s.notNumber = notNumber;
    s.nonPositive = nonPositive;
    s.censoredBelow = below;
    s.censoredAbove = above;
    return s;
}

TEST(ColumnReader, ReadsTheChosenColumn) {
    struct Case {
        const char* name;
        std::string bytes;
        ColumnRequest request;
        char delimiter;
        std::vector<std::string> columns;
        Values values;
        SkippedItems skipped;
    };
    const Case cases[] = {
        {"one column, no title", "1\n2.5\n-3\n", {}, 0, {}, {1, 2.5, -3}, {}},
        {"one column with title, CR LF, BOM",
         "\xEF\xBB\xBFValue\r\n1\r\n\r\n2\r\n",
         {},
         0,
         {"Value"},
         {1, 2},
         {}},
        {"CR line ends, final 0x1A", "7\r8\r9\r\x1A", {}, 0, {}, {7, 8, 9}, {}},
        {"comma export, column by name",
         "id,ALT,sex\n1,20,F\n2,35.5,M\n3,,F\n4\n",
         {"ALT", "", false},
         ',',
         {"id", "ALT", "sex"},
         {20, 35.5},
         skips(2, 0)},
        {"tab export with decimal commas",
         "Pat\tHb\n1\t13,5\n2\t 14.1 \n3\t1,2,3\n",
         {"Hb", "", false},
         '\t',
         {"Pat", "Hb"},
         {13.5, 14.1},
         skips(0, 1)},
        {"semicolon export, quoted fields holding the delimiter",
         "\"Name; full\";\"TSH\"\n\"a;b\";\"2,5\"\n\"c\";3\n",
         {"TSH", "", false},
         ';',
         {"Name; full", "TSH"},
         {2.5, 3},
         {}},
        {"not numbers are counted",
         "x\n1\nabc\ninf\nnan\n1.2.3\n12H\n-\n+4\n1e2\n.5\n",
         {},
         0,
         {"x"},
         {1, 4, 100, 0.5},
         skips(0, 6)},
        {"censored and non-positive with positive values asked for",
         "v\n<0.5\n< 0.5\n>1000\n>=1000\n0\n-2\n3\n",
         {"", "", true},
         0,
         {"v"},
         {3},
         skips(0, 0, 2, 2, 2)},
        {"non-positive kept when not asked", "0\n-2\n3\n", {}, 0, {}, {0, -2, 3}, {}},
        {"CP932 header name",
         utf8ToCp932("番号,測定値\n1,5\n2,6\n"),
         {"測定値", "", false},
         ',',
         {"番号", "測定値"},
         {5, 6},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = readColumnBytes(c.bytes, c.request);
        ASSERT_EQ(r.status, ColumnReadStatus::Ok) << r.message;
        EXPECT_EQ(r.delimiter, c.delimiter);
        EXPECT_EQ(r.columns, c.columns);
        EXPECT_EQ(r.hasHeader, !c.columns.empty());
        ASSERT_EQ(r.groups.size(), 1u);
        EXPECT_EQ(r.groups[0].values, c.values);
        EXPECT_EQ(r.skipped(), c.skipped);
    }
}

TEST(ColumnReader, CensoredItemsAreCountedAtTheirBound) {
    auto r = readColumnBytes("v\n<0.5\n<0.5\n>1000\n<0.2\n1\n", {"v", "", true});
    ASSERT_EQ(r.status, ColumnReadStatus::Ok);
    std::vector<CensoredCount> expected = {{0.2, true, 1}, {0.5, true, 2}, {1000, false, 1}};
    EXPECT_EQ(r.groups[0].censored, expected);
    EXPECT_EQ(r.groups[0].values, Values{1});
}

TEST(ColumnReader, RefusesWithAReason) {
    struct Case {
        const char* name;
        std::string bytes;
        ColumnRequest request;
        std::string message;
    };
    const Case cases[] = {
        {"unknown column lists the columns",
         "id,ALT,AST\n1,2,3\n",
         {"GGT", "", false},
         "the file has no column 'GGT'; its columns are: id, ALT, AST"},
        {"names match exactly",
         "id,ALT\n1,2\n",
         {"alt", "", false},
         "the file has no column 'alt'; its columns are: id, ALT"},
        {"several columns and none chosen",
         "a;b\n1;2\n",
         {},
         "the file has 2 columns (semicolon separated): choose one of a, b"},
        {"a column asked of a file without header",
         "1\n2\n",
         {"ALT", "", false},
         "the file has no header row naming its columns, so it has no column 'ALT'"},
        {"unknown group column",
         "v,sex\n1,F\n",
         {"v", "Sex", false},
         "the file has no column 'Sex'; its columns are: v, sex"},
        {"empty file", "", {}, "the file holds no values"},
        {"only blank lines", "\r\n  \r\n", {}, "the file holds no values"},
        {"binary", std::string("1\n\0\x01\x02", 5), {}, "the file is not a text file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = readColumnBytes(c.bytes, c.request);
        EXPECT_EQ(r.status, ColumnReadStatus::Refused);
        EXPECT_EQ(r.message, c.message);
        EXPECT_TRUE(r.groups.empty());
    }
    std::string many = "v,id\n";
    for (int i = 0; i < 1001; ++i)
        many += "1," + std::to_string(i) + "\n";
    auto r = readColumnBytes(many, {"v", "id", false});
    EXPECT_EQ(r.status, ColumnReadStatus::Refused);
    EXPECT_EQ(r.message, "the group column 'id' has more than 1000 different labels");
}

TEST(ColumnReader, HeaderOnlyNamesTheColumnsWithoutReadingValues) {
    struct Case {
        const char* name;
        std::string bytes;
        bool hasHeader;
        std::vector<std::string> columns;
        char delimiter;
    };
    const Case cases[] = {
        {"several columns", "id;\"ALT\";AST\n1;2;3\n", true, {"id", "ALT", "AST"}, ';'},
        {"one named column", "\xEF\xBB\xBFTP\r\n6.5\r\n", true, {"TP"}, 0},
        {"numbers without a header", "6.5\n7.1\n", false, {}, 0},
        {"header after blank lines", "\n\nv,w\n1,2\n", true, {"v", "w"}, ','},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ColumnRequest request;
        request.headerOnly = true;
        auto r = readColumnBytes(c.bytes, request);
        EXPECT_EQ(r.status, ColumnReadStatus::Ok);
        EXPECT_EQ(r.hasHeader, c.hasHeader);
        EXPECT_EQ(r.columns, c.columns);
        EXPECT_EQ(r.delimiter, c.delimiter);
        EXPECT_EQ(r.rows, 0u);
        EXPECT_EQ(r.valueCount(), 0u);
    }
    ColumnRequest request;
    request.headerOnly = true;
    EXPECT_EQ(readColumnBytes("", request).status, ColumnReadStatus::Refused);
    EXPECT_EQ(readColumnBytes(std::string("\0\1", 2), request).message, "the file is not a text file");
}

TEST(ColumnReader, GroupColumnSplitsTheValues) {
    std::string bytes = utf8ToCp932("sex,Cre\nM,0.9\nF,0.7\n女,0.6\nF,abc\nM,<0.1\n,1.1\nF,0.8\n");
    auto r = readColumnBytes(bytes, {"Cre", "sex", true});
    ASSERT_EQ(r.status, ColumnReadStatus::Ok);
    ASSERT_EQ(r.groups.size(), 4u);
    EXPECT_EQ(r.groups[0].label, "M");
    EXPECT_EQ(r.groups[0].values, (Values{0.9}));
    EXPECT_EQ(r.groups[0].skipped, skips(0, 0, 0, 1));
    EXPECT_EQ(r.groups[1].label, "F");
    EXPECT_EQ(r.groups[1].values, (Values{0.7, 0.8}));
    EXPECT_EQ(r.groups[1].skipped, skips(0, 1));
    EXPECT_EQ(r.groups[2].label, "女");
    EXPECT_EQ(r.groups[3].label, "");
    EXPECT_EQ(r.groups[3].values, (Values{1.1}));
    EXPECT_EQ(r.valueCount(), 5u);
    EXPECT_EQ(r.allValues(), (Values{0.9, 0.7, 0.8, 0.6, 1.1}));
    EXPECT_EQ(r.rows, 7u);
}

TEST(ColumnReader, StreamsBlocksWithProgressAndCancel) {
    // About 3.9 MB: several blocks, lines cut at block edges.
    std::string bytes = "sex;value\n";
    double sum = 0;
    for (int i = 0; i < 400000; ++i) {
        int v = 1000 + static_cast<int>(i * 7919LL % 9000);
        sum += v / 100.0;
        bytes += (i % 2 ? "F;" : "M;") + std::to_string(v / 100) + "," + std::to_string(v % 100 / 10) +
                 std::to_string(v % 10) + "\n";
    }
    std::vector<std::uint64_t> seen;
    ColumnReadHooks hooks;
    hooks.progress = [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, bytes.size());
        seen.push_back(done);
    };
    auto r = readColumnBytes(bytes, {"value", "", false}, hooks);
    ASSERT_EQ(r.status, ColumnReadStatus::Ok);
    ASSERT_EQ(r.valueCount(), 400000u);
    double got = 0;
    for (double v : r.groups[0].values)
        got += v;
    EXPECT_TRUE(test::nearRel(sum, got, 1e-12));
    ASSERT_GE(seen.size(), 4u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), bytes.size());
    EXPECT_LE(r.groups[0].values.capacity(), 420000u + 1024u); // reserved from the first block

    int polls = 0;
    hooks.progress = nullptr;
    hooks.cancelRequested = [&] { return ++polls == 2; };
    auto cancelled = readColumnBytes(bytes, {"value", "sex", false}, hooks);
    EXPECT_EQ(cancelled.status, ColumnReadStatus::Cancelled);
    EXPECT_EQ(polls, 2);
    EXPECT_TRUE(cancelled.groups.empty());
}

TEST(ColumnReader, KeepsAtMostMaxValuesAndCountsTheRest) {
    ColumnRequest request;
    request.maxValues = 5;
    auto r = readColumnBytes("1\n2\n3\nx\n4\n5\n6\n7\n8\n", request);
    ASSERT_EQ(r.status, ColumnReadStatus::Ok);
    EXPECT_TRUE(r.capped);
    EXPECT_EQ(r.groups[0].values, (Values{1, 2, 3, 4, 5}));
    EXPECT_EQ(r.skipped().overCap, 3u);
    EXPECT_EQ(r.skipped().notNumber, 1u);
}

TEST(ColumnReader, ReadsFilesAndUtf16) {
    std::string dir = test::freshFolder("column-reader");
    std::string path = dir + "/export.csv";
    ASSERT_TRUE(writeFileAtomic(path, "id,TP\n1,6.8\n2,7.1\n"));
    auto r = readColumnFile(path, {"TP", "", true});
    ASSERT_EQ(r.status, ColumnReadStatus::Ok);
    EXPECT_EQ(r.groups[0].values, (Values{6.8, 7.1}));

    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("a\tb\r\n1\t2\r\n"))
        utf16 += std::string{c, '\0'};
    ASSERT_TRUE(writeFileAtomic(path, utf16));
    r = readColumnFile(path, {"b", "", false});
    ASSERT_EQ(r.status, ColumnReadStatus::Ok) << r.message;
    EXPECT_EQ(r.groups[0].values, Values{2});

    auto missing = readColumnFile(dir + "/none.csv", {});
    EXPECT_EQ(missing.status, ColumnReadStatus::Refused);
    EXPECT_EQ(missing.message, "cannot read " + dir + "/none.csv");
}

TEST(ColumnReader, DelimiterOfTheFirstLine) {
    EXPECT_EQ(detectDelimiter("a,b,c"), ',');
    EXPECT_EQ(detectDelimiter("a;b;c,d"), ';');
    EXPECT_EQ(detectDelimiter("a\tb,c"), '\t');
    EXPECT_EQ(detectDelimiter("\"a,b\";c"), ';');
    EXPECT_EQ(detectDelimiter("value"), 0);
}

} // namespace
} // namespace kl
