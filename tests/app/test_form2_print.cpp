// The graph window's printing and copying work: the print-option couplings, the print job through
// the scripted seam (dialog, pages, "BAD DATA" abandoning the job), the COPY questions and the
// sizes of the single-graph pictures.

#include "AppTestMain.h"

#include "app/Form2Print.h"
#include "platform/script/ScriptedServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

namespace kl {
namespace {

namespace fs = std::filesystem;

std::string freshFolder() {
    fs::path p =
        fs::temp_directory_path() / ("klepsydra-form2print-" + std::to_string(std::random_device{}()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p.string();
}

std::vector<std::string> writes(const PrintOptionOutcome& o) {
    std::vector<std::string> out;
    for (const OptionWrite& w : o.writes)
        out.push_back(std::string(w.optionSpec->name) + "=" + w.text);
    return out;
}

TEST(Form2Print, PrintOptionCouplings) {
    struct Case {
        int check;
        PrintBoxes after; // as the click left them
        std::vector<std::string> writes;
        PrintBoxes boxes;
        bool runCheck7;
        int counter;
    } cases[] = {
        {8, {.check8 = true}, {"P_RIRON=1"}, {.check8 = true}, false, 0},
        {8, {}, {"P_RIRON=0"}, {}, false, 0},
        {9, {.check9 = true}, {"P_KIJUN=1"}, {.check9 = true}, false, 0},
        {12, {.check12 = false}, {"P_KEISAN=0"}, {}, false, 0},
        {11, {.check11 = true}, {"P_KAKURI=1"}, {.check11 = true}, false, 0},
        // Unticking the plot unticks the 95 % texts.
        {11, {.check10 = true}, {"P_KAKURI=0", "P_KYUU=0"}, {}, false, 0},
        // Ticking the 95 % texts ticks the plot and the crossings.
        {10,
         {.check10 = true},
         {"P_KYUU=1", "P_KAKURI=1"},
         {.check7 = true, .check10 = true, .check11 = true},
         true,
         -1},
        {10, {.check7 = true, .check11 = true}, {"P_KYUU=0"}, {.check7 = true, .check11 = true}, false, -1},
    };
    for (const Case& c : cases) {
        PrintOptionOutcome o = printOptionClicked(c.check, c.after);
        EXPECT_EQ(writes(o), c.writes) << c.check;
        EXPECT_EQ(o.boxes, c.boxes) << c.check;
        EXPECT_EQ(o.runCheck7, c.runCheck7) << c.check;
        EXPECT_EQ(o.counterChange, c.counter) << c.check;
    }
}

struct Data {
    std::vector<double> values;
    std::vector<std::string> texts;
};

Data sample() {
    std::mt19937 gen(3);
    std::normal_distribution<double> dist(50, 8);
    Data d;
    for (int i = 0; i < 200; ++i) {
        d.values.push_back(std::round(dist(gen) * 10) / 10);
        d.texts.push_back(std::to_string(d.values.back()));
    }
    return d;
}

class PrintJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = freshFolder();
        services_ = std::make_unique<ScriptedServices>(transcript_, dir_);
        services_->setFatal([](const std::string& reason) { FAIL() << reason; });
        services_->setPrintDir(dir_);
        page_.values = data_.values;
        page_.texts = data_.texts;
        page_.classes = {20, 80, 2, 30, false};
        page_.count = 200;
        page_.sourcePath = "/data/a.csv";
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string dir_;
    std::ostringstream out_;
    Transcript transcript_{out_};
    std::unique_ptr<ScriptedServices> services_;
    Data data_ = sample();
    HistogramPageInput page_;
};

TEST_F(PrintJobTest, CancelPrintsNothing) {
    services_->queuePrint(false);
    EXPECT_FALSE(runHistogramPrint(*services_, page_, 768));
    EXPECT_EQ(out_.str(), "PRINT-DIALOG -> cancel\n");
}

TEST_F(PrintJobTest, OneOrTwoPages) {
    page_.print.statistics = true;
    services_->queuePrint(true);
    EXPECT_TRUE(runHistogramPrint(*services_, page_, 768));
    page_.print.plot = true;
    services_->queuePrint(true);
    EXPECT_TRUE(runHistogramPrint(*services_, page_, 768));
    const std::string t = out_.str();
    EXPECT_NE(t.find("PRINT doc=\"PRINTER\" pages=1"), std::string::npos) << t;
    EXPECT_NE(t.find("PRINT doc=\"PRINTER\" pages=2"), std::string::npos) << t;
}

TEST_F(PrintJobTest, ArithmeticFailureAbandonsTheJob) {
    page_.classes = {80, 20, 2, 30, false};
    services_->queuePrint(true);
    EXPECT_FALSE(runHistogramPrint(*services_, page_, 768));
    const std::string t = out_.str();
    EXPECT_NE(t.find("MSG caption=\"BAD DATA\" buttons=OK icon=information"), std::string::npos) << t;
    EXPECT_EQ(t.find("PRINT doc"), std::string::npos) << t;
    for (const auto& e : fs::directory_iterator(dir_))
        EXPECT_NE(e.path().extension(), ".pdf") << e.path();
}

TEST_F(PrintJobTest, CopyQuestions) {
    services_->queueAnswer(Answer::Yes);
    services_->queueAnswer(Answer::No);
    services_->queueAnswer(Answer::Yes);
    EXPECT_TRUE(askCopy(*services_, CopyKind::WholeWindow));
    EXPECT_FALSE(askCopy(*services_, CopyKind::Histogram));
    EXPECT_TRUE(askCopy(*services_, CopyKind::Plot));
    const std::string t = out_.str();
    EXPECT_NE(t.find("caption=\"COPY\" buttons=YesNo icon=question "
                     "text=\"全画面をクリップ・ボードにコピーします。      \\r\\n"
                     "よろしいですか？\""),
              std::string::npos)
        << t;
    EXPECT_NE(
        t.find("text=\"正規確率紙のグラフをクリップ・ボードにコピーします。      \\r\\nよろしいですか？\""),
        std::string::npos);
}

TEST(Form2Clipboard, PictureSizes) {
    Bitmap window{1024, 768, std::vector<Rgb>(1024 * 768, Rgb{10, 20, 30})};
    Bitmap h = histogramPicture(window, GraphScheme::TwoD, "T");
    Bitmap p = plotPicture(window, GraphScheme::Blue, false);
    EXPECT_EQ(h.width, 700);
    EXPECT_EQ(h.height, 644);
    EXPECT_EQ(p.width, 400);
    EXPECT_EQ(p.height, 634);
    EXPECT_EQ(h.pixels[static_cast<std::size_t>(300 * 700 + 300)], (Rgb{10, 20, 30}));
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
