// Long reads and their progress: the progress window's bar (form6) and the indirect-methods window
// (form16) driven through its handlers, with the seam answering its file dialog and a cancel click
// arriving at a chosen pass of the read's loop.

#include "AppTestMain.h"
#include "QuietServices.h"

#include "app/Form16.h"
#include "app/Form6.h"
#include "cli/Batch.h"
#include "text/FileIO.h"

#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QPushButton>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>

namespace kl {
namespace {

namespace fs = std::filesystem;

TEST(Form6Progress, RepaintsOnlyWhenASegmentIsAdded) {
    QWidget owner;
    Form6 progress(&owner);
    progress.open();
    for (int k : {1, 1, 3, 2, 3, 20, 25})
        progress.fillTo(k);
    EXPECT_EQ(progress.segment(), 20);
    EXPECT_EQ(progress.segmentPaints(), 3);
    progress.clearBar();
    EXPECT_EQ(progress.segment(), 0);
    QImage image = progress.surface();
    // Segment 1 spans x 27..37 inside the frame; the frame starts empty again.
    EXPECT_EQ(image.pixelColor(30, 100), QColor(236, 233, 216));
    progress.fillTo(1);
    EXPECT_NE(progress.surface().pixelColor(30, 100), QColor(236, 233, 216));
    EXPECT_EQ(progress.surface().pixelColor(45, 100), QColor(236, 233, 216));
}

// The indirect-methods window: the seam answers its file dialog and clicks its cancel button at a
// chosen pass of the read's loop, as a person's click would arrive.
class IndirectServices : public QuietServices {
  public:
    std::deque<std::string> files;
    std::function<void()> atPoll;
    int cancelAtPoll = 0, polls = 0;
    std::optional<std::string> openFile(const FileDialogRequest&) override {
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }
    void processEvents() override {
        if (++polls == cancelAtPoll && atPoll) atPoll();
    }
};

TEST(IndirectWindow, ReadsWithABarThatPaintsPerSegmentAndKeepsTheResultOnCancelOrRefusal) {
    const std::string dir = (fs::temp_directory_path() / "klepsydra-form16").string();
    fs::create_directories(dir);
    const std::string path = dir + "/routine.csv", binary = dir + "/binary.csv";
    std::ostringstream out, err;
    ASSERT_EQ(cli::generate({path, "--count", "400000", "--pathological", "0.1", "--below", "25", "--column",
                             "ALT", "--seed", "5"},
                            out, err),
              cli::kExitDone)
        << err.str();
    ASSERT_TRUE(writeFileAtomic(binary, std::string("1\n\0\0", 4)));
    IndirectServices services;
    Form16 form(services, nullptr, dir);
    form.FORM16_START();
    services.atPoll = [&form] { form.BUTTON163_ON(); };
    auto* read = form.findChild<QPushButton*>("BUTTON162");
    auto* combo = form.findChild<QComboBox*>("COMBO161");

    services.files = {path};
    form.BUTTON161_ON();
    ASSERT_EQ(combo->count(), 2);
    EXPECT_FALSE(read->isEnabled()); // two columns: one must be chosen
    combo->setCurrentIndex(1);
    form.COMBO161_CHANGE();
    ASSERT_TRUE(read->isEnabled());
    form.BUTTON162_ON();
    ASSERT_TRUE(form.sheet().has_value());
    const IndirectSheet& shown = *form.sheet();
    EXPECT_EQ(shown.sorted.size() + shown.skipped.censoredBelow, 400000u);
    EXPECT_GT(shown.skipped.censoredBelow, 0u);
    EXPECT_TRUE(std::is_sorted(shown.sorted.begin(), shown.sorted.end()));
    EXPECT_TRUE(shown.analysis.estimate(indirect::Method::InverseModel)->ok);
    // A file of several blocks: the bar was cleared once and painted once per segment at most.
    EXPECT_GE(services.polls, 3);
    EXPECT_GE(form.segmentPaints(), 3);
    EXPECT_LE(form.segmentPaints(), Form16::kSegments + 1);
    const std::string fileLine = shown.fileLine;
    const std::size_t used = shown.sorted.size();

    // Cancelled half-way: the result shown stays.
    services.polls = 0;
    services.cancelAtPoll = 2;
    form.BUTTON162_ON();
    EXPECT_EQ(services.polls, 2);
    EXPECT_EQ(services.captions().back(), "CAUTION");
    ASSERT_TRUE(form.sheet().has_value());
    EXPECT_EQ(form.sheet()->sorted.size(), used);
    EXPECT_EQ(form.sheet()->fileLine, fileLine);
    EXPECT_TRUE(read->isEnabled());

    // A file that is not text is refused and changes nothing; a cancelled dialog neither.
    services.files = {binary};
    form.BUTTON161_ON();
    EXPECT_EQ(services.captions().back(), "BAD DATA");
    EXPECT_EQ(combo->count(), 2);
    form.BUTTON161_ON();
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(form.sheet()->fileLine, fileLine);
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
