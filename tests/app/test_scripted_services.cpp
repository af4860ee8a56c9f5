// The scripted services: queued answers, dialogs, print jobs as numbered PDFs, clipboard bitmaps,
// the Z key held after N polls, and the transcript lines each event writes.

#include "AppTestMain.h"

#include "platform/script/ScriptedServices.h"
#include "text/FileIO.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <sstream>
#include <stdexcept>

namespace kl {
namespace {

struct Unanswered : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ScriptedServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        services.setFatal([](const std::string& reason) { throw Unanswered(reason); });
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> all;
        std::istringstream in(out.str());
        for (std::string l; std::getline(in, l);)
            all.push_back(l);
        return all;
    }
    std::string folder() const { return dir.path().toStdString(); }

    QTemporaryDir dir;
    std::ostringstream out;
    Transcript transcript{out};
    ScriptedServices services{transcript, dir.path().toStdString()};
};

TEST_F(ScriptedServicesTest, QuestionsTakeTheQueuedAnswersInOrder) {
    services.queueAnswer(Answer::No);
    services.queueAnswer(Answer::Cancel);
    EXPECT_EQ(services.message("終了", "よろしいですか？", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(services.message("保存", "a\r\nb ", Buttons::YesNoCancel, Icon::Question), Answer::Cancel);
    EXPECT_EQ(services.messageCount(), 2);
    const std::vector<std::string> expected = {
        R"(MSG caption="終了" buttons=YesNo icon=question text="よろしいですか？" -> No)",
        R"(MSG caption="保存" buttons=YesNoCancel icon=question text="a\r\nb " -> Cancel)",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(ScriptedServicesTest, OkBoxesAnswerOkAndLeaveAnswersMeantForQuestions) {
    services.queueAnswer(Answer::Yes);
    EXPECT_EQ(services.message("BAD DATA", "x\t\"q\"\\", Buttons::Ok, Icon::Information), Answer::Ok);
    EXPECT_EQ(services.message("Q", "?", Buttons::YesNo, Icon::Question), Answer::Yes);
    services.queueAnswer(Answer::Ok);
    EXPECT_EQ(services.message("CAUTION", "c", Buttons::Ok, Icon::Exclamation), Answer::Ok);
    services.queueAnswer(Answer::No);
    EXPECT_EQ(services.message("Q", "?", Buttons::YesNo, Icon::Stop), Answer::No); // the OK was used up
    EXPECT_EQ(lines()[0], R"(MSG caption="BAD DATA" buttons=OK icon=information text="x\t\"q\"\\" -> OK)");
    EXPECT_EQ(lines()[3], R"(MSG caption="Q" buttons=YesNo icon=stop text="?" -> No)");
}

TEST_F(ScriptedServicesTest, AQuestionWithoutAFittingAnswerIsAScriptError) {
    struct Case {
        std::vector<Answer> queued;
        Buttons buttons;
    };
    const Case cases[] = {
        {{}, Buttons::YesNo},
        {{}, Buttons::YesNoCancel},
        {{Answer::Cancel}, Buttons::YesNo}, // Yes/No boxes have no Cancel
        {{Answer::Ok}, Buttons::YesNoCancel},
        {{Answer::Ok}, Buttons::YesNo},
    };
    for (const Case& c : cases) {
        std::ostringstream text;
        Transcript own(text);
        ScriptedServices seam(own, folder());
        seam.setFatal([](const std::string& reason) { throw Unanswered(reason); });
        for (Answer a : c.queued)
            seam.queueAnswer(a);
        EXPECT_THROW(seam.message("終了", "?", c.buttons, Icon::Question), Unanswered) << int(c.buttons);
        EXPECT_TRUE(text.str().empty());
    }
}

TEST_F(ScriptedServicesTest, FileDialogsTakeQueuedPathsOrCancel) {
    FileDialogRequest open{"ファイルのオープン",
                           "data_f/",
                           {{"CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)", {"*.CSV", "*.TXT", "*.TEXT"}},
                            {"すべてのファイル(*.*)", {"*.*"}}}};
    services.queueFile("/d/a.csv");
    services.queueFile(std::nullopt);
    EXPECT_EQ(services.openFile(open), std::optional<std::string>("/d/a.csv"));
    FileDialogRequest save{"保存", "/d/b.CSV", {{"CSV(*.CSV)", {"*.CSV"}}}};
    EXPECT_EQ(services.saveFile(save), std::nullopt);
    EXPECT_THROW(services.openFile(open), Unanswered);
    const std::vector<std::string> expected = {
        R"x(OPEN-DIALOG title="ファイルのオープン" dir="data_f/" filter="CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT);すべてのファイル(*.*)" -> /d/a.csv)x",
        R"x(SAVE-DIALOG title="保存" path="/d/b.CSV" filter="CSV(*.CSV)" -> cancel)x",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(ScriptedServicesTest, RelativePathsReadFromTheCurrentFolderAndWriteToTheWorkingFolder) {
    const std::string here = QDir::currentPath().toStdString();
    services.queueFile("in/a.csv");
    services.queueFile("out/b.CSV");
    services.queueFile("/abs/c.csv");
    EXPECT_EQ(services.openFile({"open", "", {}}), std::optional<std::string>(here + "/in/a.csv"));
    EXPECT_EQ(services.saveFile({"save", "", {}}), std::optional<std::string>(folder() + "/out/b.CSV"));
    EXPECT_EQ(services.saveFile({"save", "", {}}), std::optional<std::string>("/abs/c.csv"));
    services.setPrintDir("prints");
    EXPECT_EQ(services.printDir(), folder() + "/prints");
}

TEST_F(ScriptedServicesTest, PrintJobsBecomeNumberedPdfFilesInThePrintFolder) {
    services.queuePrint(true);
    services.queuePrint(false);
    const std::string printdir = folder() + "/prints";
    services.setPrintDir(printdir);
    ASSERT_TRUE(services.printDialog());
    {
        auto job = services.startPrint("PRINTER");
        EXPECT_NEAR(job->pageWidth(), 2000, 1); // A4 less two margins of 5 mm
        EXPECT_NEAR(job->pageHeight(), 2870, 1);
        job->page().text(100, 100, "ページ 1", Font{kMincho, 12}, Black);
        job->newPage();
        job->page().box(0, 0, 1999, 2869, Black);
        EXPECT_TRUE(job->finish());
    }
    EXPECT_FALSE(services.printDialog());
    { auto unfinished = services.startPrint("DATA"); } // dropped: still written, one page
    EXPECT_THROW(services.printDialog(), Unanswered);
    const std::vector<std::string> expected = {
        "PRINT-DIALOG -> ok",
        "PRINT doc=\"PRINTER\" pages=2 -> " + printdir + "/print-001.pdf",
        "PRINT-DIALOG -> cancel",
        "PRINT doc=\"DATA\" pages=1 -> " + printdir + "/print-002.pdf",
    };
    EXPECT_EQ(lines(), expected);
    const auto pdf = readFileBytes(printdir + "/print-001.pdf");
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->substr(0, 5), "%PDF-");
}

TEST_F(ScriptedServicesTest, ClipboardBitmapsAreSavedAsNumberedPngs) {
    Bitmap bitmap{7, 3, std::vector<Rgb>(21, Rgb{255, 0, 0})};
    bitmap.pixels[0] = Rgb{0, 0, 255};
    services.clipboardSetBitmap(bitmap);
    services.clipboardSetBitmap(Bitmap{2, 2, std::vector<Rgb>(4)});
    EXPECT_EQ(lines()[0], "CLIPBOARD-BITMAP 7x3 -> " + folder() + "/clip-001.png");
    EXPECT_EQ(lines()[1], "CLIPBOARD-BITMAP 2x2 -> " + folder() + "/clip-002.png");
    const QImage saved(QString::fromStdString(folder() + "/clip-001.png"));
    ASSERT_EQ(saved.size(), QSize(7, 3));
    EXPECT_EQ(saved.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(saved.pixel(6, 2) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ScriptedServicesTest, ZReadsDownFromTheNthPollOn) {
    struct Case {
        int after;
        std::vector<bool> polls;
    };
    const Case cases[] = {
        {0, {true, true, true}},
        {1, {false, true, true}},
        {3, {false, false, false, true, true}},
    };
    EXPECT_FALSE(services.zKeyDown()); // nothing held
    for (const Case& c : cases) {
        services.holdZAfter(c.after);
        for (std::size_t i = 0; i < c.polls.size(); ++i)
            EXPECT_EQ(services.zKeyDown(), c.polls[i]) << c.after << "/" << i;
    }
    services.releaseZ();
    EXPECT_FALSE(services.zKeyDown());
}

TEST_F(ScriptedServicesTest, SystemValuesDefaultsAndScriptedOnes) {
    EXPECT_EQ(services.screenSize().width, 1024);
    EXPECT_EQ(services.screenSize().height, 768);
    EXPECT_EQ(services.osVersion().text(), "10.0");
    EXPECT_EQ(services.currentFolder(), folder());
    EXPECT_FALSE(services.clipboardText());
    services.setScreen({1000, 768});
    services.setOs({5, 1});
    services.setCurrentFolder("C:\\PROGRAM FILES\\OTHER");
    services.setClipboardText("1.5\r\n2.5");
    EXPECT_EQ(services.screenSize().width, 1000);
    EXPECT_EQ(services.osVersion().text(), "5.1");
    EXPECT_EQ(services.currentFolder(), "C:\\PROGRAM FILES\\OTHER");
    EXPECT_EQ(services.clipboardText(), std::optional<std::string>("1.5\r\n2.5"));
}

TEST_F(ScriptedServicesTest, BeepLaunchAndExitAreWrittenOnce) {
    services.beep();
    EXPECT_TRUE(services.launch("/w/DOSUU.CSV"));
    services.pause(100000); // returns at once
    EXPECT_FALSE(services.ended());
    services.exitProgram(1);
    services.exitProgram(0);
    EXPECT_TRUE(services.ended());
    EXPECT_EQ(services.exitStatus(), 1);
    const std::vector<std::string> expected = {"BEEP", "LAUNCH maximised /w/DOSUU.CSV", "EXIT"};
    EXPECT_EQ(lines(), expected);
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
