// The batch command `klepsydra table`: the window's road from a file to its frequency table.

#include "cli/Batch.h"
#include "cli/Language.h"

#include "text/Cp932.h"
#include "text/FileIO.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

namespace kl {
namespace {

std::string freshFolder(const std::string& tag) {
    namespace fs = std::filesystem;
    fs::path p =
        fs::temp_directory_path() / ("klepsydra-" + tag + "-" + std::to_string(std::random_device{}()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
}

std::string masterLine(const std::string& name, const std::string& lower, const std::string& upper) {
    std::string line = "\"" + name + "\",\"" + lower + "\",\"" + upper + "\"";
    for (int i = 0; i < 14; ++i)
        line += ",\"\"";
    return line + "\r\n";
}

struct CommandRun {
    int status;
    std::string out;
    std::string err;
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }
};

class TableCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = freshFolder("table-command");
        workdir_ = folder_ + "/work";
        std::filesystem::create_directories(workdir_ + "/data_f");
        ASSERT_TRUE(writeFileAtomic(
            workdir_ + "/data_f/KIJUN.DAT",
            utf8ToCp932(masterLine("総蛋白", "6.6", "8.1") + masterLine("HDL", "4", "99999"))));
        // 3.1, 3.2, ..., 8.0
        std::string values;
        for (int i = 31; i <= 80; ++i)
            values += std::to_string(i / 10) + "." + std::to_string(i % 10) + "\r\n";
        data_ = writeData("fifty.csv", values);
    }

    std::string writeData(const std::string& name, const std::string& text) {
        std::string path = folder_ + "/" + name;
        EXPECT_TRUE(writeFileAtomic(path, text));
        return path;
    }

    CommandRun run(std::vector<std::string> args, bool withWorkdir = true) {
        if (withWorkdir) {
            args.push_back("--workdir");
            args.push_back(workdir_);
        }
        std::ostringstream out, err;
        int status = cli::table(args, out, err);
        return {status, out.str(), err.str()};
    }

    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder_, workdir_, data_;
};

const std::string kTail(52, ' ');

TEST_F(TableCommand, OtherAfterTheLoad) {
    CommandRun r = run({data_});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    ASSERT_EQ(lines.size(), 34u);
    // (8.0 - 3.1) / 30 = 0.163 -> 0.2; L = 3.1 - 0.2.
    EXPECT_EQ(lines[0], "EDIT3=0.20");
    EXPECT_EQ(lines[1], "EDIT4=2.90");
    EXPECT_EQ(lines[2], "EDIT5=30");
    EXPECT_EQ(lines[3], "EDIT6=8.90");
    // 3.1 lies exactly on the bound 3.10 and belongs to class 2.
    EXPECT_EQ(lines[4], "    1 |         2.90 － 3.10         |       " + kTail);
    EXPECT_EQ(lines[5], "    2 |         3.10 － 3.30         | 2     " + kTail);
    EXPECT_EQ(lines[33], "   30 |         8.70 － 8.90         |       " + kTail);
}

TEST_F(TableCommand, ItemWithTypedParametersAndMessages) {
    CommandRun r = run({data_, "--item", "総蛋白", "--interval", "0.04", "--lower", "99", "--classes", "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    ASSERT_EQ(lines.size(), 4u + 2u + 15u + 4u);
    EXPECT_EQ(lines[0], "EDIT3=0.04");
    EXPECT_EQ(lines[1], "EDIT4=3.10"); // the lower limit above the maximum became the minimum
    EXPECT_EQ(lines[2], "EDIT5=15");
    EXPECT_EQ(lines[3], "EDIT6=3.70");
    EXPECT_EQ(lines[4], "MSG caption=\"BAD DATA\" text=\"下限値の値が大き過ぎます。      \"");
    EXPECT_EQ(lines[5], "MSG caption=\"BAD DATA\" text=\"階級数は10以上にして下さい。        \"");
    EXPECT_EQ(lines[6], "    1 |         3.10 － 3.14         | 1     " + kTail);
    // 3.1 .. 6.5 lie below 6.6; nothing above 8.1.
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"異常率(%)：", "Lower：70.0", "Upper：0.0", "Total：70.0"}));
}

TEST_F(TableCommand, ItemWithoutUpperLimitAndFolding) {
    CommandRun r = run({data_, "--item", "HDL", "--fold", "--decimals", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    // w = 4 / 30 = 0.133 -> 0.2; L = 4 - 2.
    EXPECT_EQ(lines[0], "EDIT3=0.2");
    EXPECT_EQ(lines[1], "EDIT4=2.0");
    EXPECT_EQ(lines[3], "EDIT6=8.0");
    EXPECT_EQ(lines[4], "    1 |              － 2.2          |       " + kTail);
    EXPECT_EQ(lines[33], "   30 |          7.8 －              | 3     " + kTail); // 7.8, 7.9 and U = 8.0
    EXPECT_EQ(lines[35], "Lower：18.0");
}

// In English (as --lang en sets it) the messages, the rows' bound mark and the out-of-range lines
// follow; the fields, the figures, the item name and the JSON names stay as they are. A refused
// file's message too comes translated from the core.
TEST_F(TableCommand, EnglishTextOutput) {
    cli::useLanguage(Language::English);
    CommandRun r = run({data_, "--item", "総蛋白", "--interval", "0.04", "--lower", "99", "--classes", "9"});
    CommandRun json = run({data_, "--lower", "-9999", "--format", "json"});
    CommandRun refused = run({writeData("nine.csv", "1\n2\n3\n4\n5\n6\n7\n8\n9\n")});
    cli::useLanguage(Language::Japanese);
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    ASSERT_EQ(lines.size(), 4u + 2u + 15u + 4u);
    EXPECT_EQ(lines[1], "EDIT4=3.10");
    EXPECT_EQ(lines[4], "MSG caption=\"BAD DATA\" text=\"The lower limit is too large.\"");
    EXPECT_EQ(lines[5], "MSG caption=\"BAD DATA\" text=\"Please use 10 or more classes.\"");
    EXPECT_EQ(lines[6], "    1 |         3.10 to 3.14         | 1     " + kTail);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"Outside (%):", "Lower: 70.0", "Upper: 0.0", "Total: 70.0"}));

    const QJsonObject p = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    ASSERT_EQ(p["messages"].toArray().size(), 1);
    EXPECT_EQ(
        p["messages"].toArray()[0].toObject()["text"].toString().toStdString(),
        "The parameters are not suitable.\r\nSet the class interval etc. again, then press this button.");
    EXPECT_FALSE(p["built"].toBool());

    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Too few data."), std::string::npos) << refused.err;
}

TEST_F(TableCommand, TooSmallIntervalMessageOnlyOnceOverBothLoadTables) {
    std::string data = writeData("small.csv", "0\n0.05\n0.1\n0.15\n0.2\n0.25\n0.3\n0.35\n0.4\n0.45\n");
    CommandRun r = run({data, "--other", "--decimals", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    EXPECT_EQ(lines[0], "EDIT3=0.1");
    EXPECT_EQ(lines[4], "MSG caption=\"BAD DATA\" text=\"階級幅が小さ過ぎます。       \"");
    EXPECT_EQ(lines[5].substr(0, 8), "    1 | ");
}

TEST_F(TableCommand, RejectionKeepsTheRowsOfTheLastTable) {
    CommandRun r = run({data_, "--lower", "-9999"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    EXPECT_EQ(lines[1], "EDIT4=-9999.00");
    EXPECT_EQ(lines[4], "MSG caption=\"bad data(n)\" text=\"パラメーターの設定が適当ではありません。  \\r\\n"
                        "階級幅など再度設定の後このボタンをどうぞ。            \"");
    EXPECT_EQ(lines.size(), 5u); // Enter emptied the list before TABLE refused
}

TEST_F(TableCommand, RefusedFileAndBadUsage) {
    std::string nine = writeData("nine.csv", "1\n2\n3\n4\n5\n6\n7\n8\n9\n");
    CommandRun refused = run({nine});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("データが少なすぎます。"), std::string::npos);

    std::string flat = writeData("flat.csv", "5\n5\n5\n5\n5\n5\n5\n5\n5\n5\n");
    CommandRun unsuitable = run({flat});
    EXPECT_EQ(unsuitable.status, 1);
    EXPECT_NE(unsuitable.err.find("標本が適当なデータではありません。"), std::string::npos);

    EXPECT_EQ(run({data_, "--item", "ALT"}).status, 64);
    EXPECT_EQ(run({data_, "--item", "HDL", "--other"}).status, 64);
    EXPECT_EQ(run({data_, "--decimals", "5"}).status, 64);
    EXPECT_EQ(run({data_, "--interval"}, false).status, 64);
    EXPECT_EQ(run({"--fold"}).status, 64);
    EXPECT_EQ(run({data_, "--format", "tsv"}).status, 64);

    // A missing file among good ones: reported, skipped, status 2.
    CommandRun missing = run({data_, folder_ + "/none.csv", data_});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "klepsydra table: no such file: " + folder_ + "/none.csv\n");
    EXPECT_EQ(missing.lines().size(), 2u * (1u + 34u));
}

// The JSON holds the item, the fields, each class's bounds and count at full precision and the
// out-of-range rates; read back with a real parser.
TEST_F(TableCommand, JsonHoldsTheTableAtFullPrecision) {
    CommandRun r = run({data_, "--item", "総蛋白", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    EXPECT_EQ(o["file"].toString().toStdString(), data_);
    EXPECT_EQ(o["item"].toString().toStdString(), "総蛋白");
    EXPECT_EQ(o["sampleSize"].toInt(), 50);
    EXPECT_TRUE(o["built"].toBool());
    // TP 6.6 - 8.1: w = 0.2 and L = 4.60, as the fields say.
    const QJsonObject fields = o["fields"].toObject();
    EXPECT_EQ(fields["interval"].toString().toStdString(), "0.20");
    EXPECT_EQ(fields["lower"].toString().toStdString(), "4.60");
    const double lower = 4.6;
    EXPECT_EQ(o["interval"].toDouble(), 0.2);
    EXPECT_EQ(o["lower"].toDouble(), lower);
    const QJsonArray classes = o["classes"].toArray();
    ASSERT_EQ(classes.size(), std::stoi(fields["classes"].toString().toStdString()));
    int total = 0;
    for (int k = 0; k < classes.size(); ++k) {
        const QJsonObject c = classes[k].toObject();
        EXPECT_EQ(c["class"].toInt(), k + 1);
        EXPECT_DOUBLE_EQ(c["lower"].toDouble(), lower + 0.2 * k);
        EXPECT_DOUBLE_EQ(c["upper"].toDouble(), lower + 0.2 * (k + 1));
        total += c["count"].toInt();
    }
    EXPECT_EQ(total, 35); // the classes start at 4.60: 4.6 .. 8.0 are counted
    const QJsonObject rates = o["outOfRange"].toObject();
    EXPECT_EQ(rates["below"].toInt(), 35); // 3.1 .. 6.5
    EXPECT_EQ(rates["above"].toInt(), 0);
    EXPECT_DOUBLE_EQ(rates["belowRate"].toDouble(), 70.0);
    EXPECT_EQ(rates["referenceLower"].toString().toStdString(), "6.6");

    // Without an item there is no out-of-range panel; messages are carried.
    CommandRun other = run({data_, "--lower", "-9999", "--format", "json"});
    const QJsonObject p = QJsonDocument::fromJson(QByteArray::fromStdString(other.out)).object();
    EXPECT_TRUE(p["outOfRange"].isNull());
    EXPECT_FALSE(p["built"].toBool());
    EXPECT_TRUE(p["classes"].toArray().isEmpty());
    ASSERT_EQ(p["messages"].toArray().size(), 1);
    EXPECT_EQ(p["messages"].toArray()[0].toObject()["caption"].toString().toStdString(), "bad data(n)");
}

TEST_F(TableCommand, CsvOneRowPerClassOfEachFile) {
    const std::string second = writeData("second.csv", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
    CommandRun r = run({data_, second, "--format", "csv", "--item", "HDL"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = r.lines();
    ASSERT_EQ(lines.size(), 1u + 30u + 30u);
    EXPECT_EQ(lines[0].substr(0, 37), "file,item,items_without_number,sample");
    // HDL 4 - 99999: w = 0.2, L = 2.00; class 1 is 2 .. 2.2, empty; 18 % of 3.1 .. 8.0 below 4.
    EXPECT_EQ(lines[1], data_ + ",HDL,0,50,0.2,2,30,8,1,2,2.2,0,4,99999,9,0,18,0,18");
    EXPECT_EQ(lines[31].substr(0, second.size() + 9), second + ",HDL,0,10");
    auto fields = [](const std::string& l) { return std::count(l.begin(), l.end(), ','); };
    for (const std::string& line : lines)
        EXPECT_EQ(fields(line), fields(lines[0])) << line;
}

TEST_F(TableCommand, MissingMasterIsProvisionedFromTheSeed) {
    std::string fresh = folder_ + "/fresh";
    std::filesystem::create_directories(fresh);
    CommandRun r = run({data_, "--item", "TP", "--workdir", fresh}, false);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fileExists(fresh + "/data_f/KIJUN.DAT"));
    EXPECT_EQ(r.lines()[0], "EDIT3=0.20"); // TP 6.6 - 8.1 of the seed: 0.15 -> 0.2
    EXPECT_EQ(r.lines()[1], "EDIT4=4.60");
}

} // namespace
} // namespace kl

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
