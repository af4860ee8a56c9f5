// The seed master shipped with the program: the JCCLS list in its order, in the file format the
// editor writes, and readable by the master reader.

#include "TestSupport.h"

#include "refrange/MasterEditor.h"
#include "text/FileIO.h"

namespace kl {
namespace {

TEST(SeedMaster, HoldsTheSharedIntervalsInTheEditorsFormat) {
    const std::vector<ReferenceRange> expected = {
        {"WBC", "3.3", "8.6"},      {"RBC(M)", "4.35", "5.55"}, {"RBC(F)", "3.86", "4.92"},
        {"Hb(M)", "13.7", "16.8"},  {"Hb(F)", "11.6", "14.8"},  {"Ht(M)", "40.7", "50.1"},
        {"Ht(F)", "35.1", "44.4"},  {"PLT", "158", "348"},      {"TP", "6.6", "8.1"},
        {"ALB", "4.1", "5.1"},      {"T-Bil", "0.4", "1.5"},    {"AST", "13", "30"},
        {"ALT(M)", "10", "42"},     {"ALT(F)", "7", "23"},      {"LD", "124", "222"},
        {"ALP", "38", "113"},       {"γ-GT(M)", "13", "64"},    {"γ-GT(F)", "9", "32"},
        {"ChE(M)", "240", "486"},   {"ChE(F)", "201", "421"},   {"AMY", "44", "132"},
        {"CK(M)", "59", "248"},     {"CK(F)", "41", "153"},     {"UN", "8", "20"},
        {"CRE(M)", "0.65", "1.07"}, {"CRE(F)", "0.46", "0.79"}, {"UA(M)", "3.7", "7.8"},
        {"UA(F)", "2.6", "5.5"},    {"Na", "138", "145"},       {"K", "3.6", "4.8"},
        {"Cl", "101", "108"},       {"Ca", "8.8", "10.1"},      {"IP", "2.7", "4.6"},
        {"Fe", "40", "188"},        {"TC", "142", "248"},       {"TG(M)", "40", "234"},
        {"TG(F)", "30", "117"},     {"HDL-C(M)", "38", "90"},   {"HDL-C(F)", "48", "103"},
        {"LDL-C", "65", "163"},     {"GLU", "73", "109"},       {"HbA1c", "4.9", "6.0"},
        {"CRP", "0.00", "0.14"},
    };
    const std::string path = test::dataPath("../../resources/KIJUN_DAT");
    auto bytes = readFileBytes(path);
    ASSERT_TRUE(bytes.has_value()) << path;
    std::string written;
    for (const auto& r : expected)
        written += masterLine(r);
    EXPECT_EQ(*bytes, written); // byte for byte: CP932, 17 quoted fields, CR LF after every line

    MasterReadResult read = readMasterRecords(path);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.records, expected);
    EXPECT_EQ(listMaster(read.records).rows.size(), expected.size());
}

} // namespace
} // namespace kl
