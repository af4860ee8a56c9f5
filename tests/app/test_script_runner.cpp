// The scenario runner against a small window of its own: queued answers, script errors, the
// transcript's escaping, and the control verbs acting as a person would.

#include "AppTestMain.h"

#include "app/ScriptRunner.h"
#include "platform/qt/SurfaceWidget.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace kl {
namespace {

// A window with one control of each kind, recording what its handlers saw.
class TestForm : public SurfaceWidget {
  public:
    explicit TestForm(Services& services) : SurfaceWidget(QStringLiteral("TestForm"), QSize(400, 300)) {
        auto* ask = make<QPushButton>("BUTTON1", 10, 10);
        ask->setText(QStringLiteral("質問"));
        answer = make<QLineEdit>("EDIT1", 10, 40);
        connect(ask, &QPushButton::clicked, this, [this, &services] {
            const Answer a =
                services.message("確認", "続けますか？\r\n\"はい\" \\ ", Buttons::YesNo, Icon::Question);
            answer->setText(a == Answer::Yes ? QStringLiteral("yes") : QStringLiteral("no"));
        });
        auto* off = make<QPushButton>("BUTTON9", 10, 70);
        off->setEnabled(false);
        connect(off, &QPushButton::clicked, this, [this] { ++disabledClicks; });
        entry = make<QLineEdit>("EDIT3", 120, 10);
        connect(entry, &QLineEdit::textEdited, this, [this] { ++edits; });
        connect(entry, &QLineEdit::returnPressed, this, [this] {
            entered = entry->text();
            canvas().text(5, 250, entered.toStdString(), Font{kMincho, 16}, Black);
        });
        entry->installEventFilter(this);
        notes = make<QPlainTextEdit>("EDIT13", 120, 40);
        list = make<QListWidget>("LIST2", 250, 10);
        list->resize(140, 120);
        for (int i = 0; i < 40; ++i)
            list->addItem(QStringLiteral("row %1").arg(i));
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { clickedRow = list->row(item); });
        connect(list, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) { delete item; });
        combo = make<QComboBox>("COMBO1", 120, 180);
        combo->addItems({QString(), QStringLiteral("ALB"), QStringLiteral("OTHER  ")});
        connect(combo, &QComboBox::activated, this, [this](int i) { activated = i; });
        check = make<QCheckBox>("CHECK2", 10, 100);
        connect(check, &QCheckBox::clicked, this, [this] { ++checkClicks; });
        make<QRadioButton>("RADIO1", 10, 130)->setChecked(true);
        make<QRadioButton>("RADIO2", 10, 150);
        // A long loop that lets events through five times unless BUTTON6 stops it.
        connect(make<QPushButton>("BUTTON6", 10, 220), &QPushButton::clicked, this, [this] { stop = true; });
        connect(make<QPushButton>("BUTTON5", 10, 190), &QPushButton::clicked, this, [this, &services] {
            stop = false;
            for (loopPolls = 0; loopPolls < 5 && !stop;) {
                ++loopPolls;
                services.processEvents();
            }
        });
    }

    bool refuseClose = false, stop = false;
    int loopPolls = 0;
    int disabledClicks = 0, edits = 0, clickedRow = -1, activated = -1, checkClicks = 0, focusIns = 0,
        focusOuts = 0;
    QString entered;
    QLineEdit* answer = nullptr;
    QLineEdit* entry = nullptr;
    QPlainTextEdit* notes = nullptr;
    QListWidget* list = nullptr;
    QComboBox* combo = nullptr;
    QCheckBox* check = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuseClose)
            event->ignore();
        else
            event->accept();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) ++focusIns;
        if (event->type() == QEvent::FocusOut) ++focusOuts;
        return SurfaceWidget::eventFilter(watched, event);
    }

  private:
    template <class W> W* make(const char* name, int x, int y) {
        auto* w = new W(this);
        w->setObjectName(QString::fromLatin1(name));
        w->move(x, y);
        return w;
    }
};

class TestHost : public ProgramHost {
  public:
    explicit TestHost(Services& services) : services_(services) {}
    void start() override {
        form = std::make_unique<TestForm>(services_);
        form->show();
    }
    std::string state() const override { return "counter=" + std::to_string(form ? form->edits : -1); }
    std::unique_ptr<TestForm> form;

  private:
    Services& services_;
};

// One scripted program: services, the test window's host and a runner over them.
struct Rig {
    QTemporaryDir dir;
    std::ostringstream out;
    Transcript transcript{out};
    ScriptedServices services{transcript, dir.path().toStdString()};
    TestHost host{services};
    ScriptRunner runner{host, services, transcript};

    int run(const std::string& script) {
        std::istringstream in(script);
        return runner.run(readScript(in));
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> all;
        std::istringstream in(out.str());
        for (std::string l; std::getline(in, l);)
            all.push_back(l);
        return all;
    }
};

class RunnerTest : public ::testing::Test {
  protected:
    int run(const std::string& script) { return rig->run(script); }
    std::vector<std::string> lines() const { return rig->lines(); }
    TestForm& form() { return *rig->host.form; }
    std::string folder() const { return rig->dir.path().toStdString(); }

    std::unique_ptr<Rig> rig = std::make_unique<Rig>();
};

TEST_F(RunnerTest, QueuedAnswersReachTheHandlersAndTheTranscriptEscapesTexts) {
    EXPECT_EQ(run("answer No\nclick BUTTON1\nshow EDIT1\nanswer yes\nclick BUTTON1\nshow EDIT1\n"), 0);
    const std::string box =
        R"(MSG caption="確認" buttons=YesNo icon=question text="続けますか？\r\n\"はい\" \\ ")";
    const std::vector<std::string> expected = {
        "WINDOW TestForm shown",
        box + " -> No",
        R"(CONTROL EDIT1 enabled=1 visible=1 text="no")",
        box + " -> Yes",
        R"(CONTROL EDIT1 enabled=1 visible=1 text="yes")",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(RunnerTest, BadLinesEndTheRunWithStatusTwoNamingTheLine) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"start\nclick NOSUCH1\nclick BUTTON1\n",
         "SCRIPT ERROR: line 2: unknown control NOSUCH1 (click NOSUCH1)"},
        {"# comment\n\nfrobnicate\n", "SCRIPT ERROR: line 3: unknown command \"frobnicate\" (frobnicate)"},
        {"answer Maybe\n", "SCRIPT ERROR: line 1: unknown answer \"Maybe\" (answer Maybe)"},
        {"hold Z AFTER x\n", "SCRIPT ERROR: line 1: N must be a whole number, not \"x\" (hold Z AFTER x)"},
        {"type EDIT3 \"open\n", "SCRIPT ERROR: line 1: unterminated quote (type EDIT3 \"open)"},
        {"select LIST2 40\n",
         "SCRIPT ERROR: line 1: select LIST2: no row 40 (rows are 0..39) (select LIST2 40)"},
        {"select CHECK2 0\n",
         "SCRIPT ERROR: line 1: select CHECK2: not a list or a drop-down list (select CHECK2 0)"},
        {"start\nstart\n", "SCRIPT ERROR: line 2: the program has already started (start)"},
        {"click BUTTON6 AFTER 0\n", "SCRIPT ERROR: line 1: N must be 1 or more (click BUTTON6 AFTER 0)"},
        {"click BUTTON6 LATER 2\n",
         "SCRIPT ERROR: line 1: expected: click CONTROL AFTER N (click BUTTON6 LATER 2)"},
        {"click BUTTON6 AFTER 2\nclick CHECK2\n",
         "SCRIPT ERROR: line 2: the click of line 1 never happened: no long loop let events through often "
         "enough (click CHECK2)"},
        {"batch nosuch\n", "SCRIPT ERROR: line 1: unknown batch command \"nosuch\" (batch nosuch)"},
    };
    for (const Case& c : cases) {
        rig = std::make_unique<Rig>();
        EXPECT_EQ(run(c.script), 2) << c.script;
        ASSERT_FALSE(lines().empty()) << c.script;
        EXPECT_EQ(lines().back(), c.error);
    }
}

TEST_F(RunnerTest, AClickAfterNPollsArrivesWhileTheLoopRuns) {
    EXPECT_EQ(run("click BUTTON6 AFTER 3\nclick BUTTON5\n"), 0);
    EXPECT_EQ(form().loopPolls, 3);
    // Whether the control can be used is seen when the click is made.
    EXPECT_EQ(run("click BUTTON9 AFTER 1\nclick BUTTON5\n"), 0);
    EXPECT_EQ(form().loopPolls, 5);
    EXPECT_EQ(form().disabledClicks, 0);
    EXPECT_EQ(lines().back(), "IGNORED click BUTTON9: disabled");
}

TEST_F(RunnerTest, BatchLinesRunACommandAndGoOnWhateverItsStatus) {
    const std::string file = folder() + "/set.csv";
    EXPECT_EQ(run("batch generate " + file + " --count 20 --format csv\nbatch generate\nshow EDIT1\n"), 0);
    const std::vector<std::string> all = lines();
    ASSERT_GE(all.size(), 6u);
    EXPECT_EQ(all[0], R"(BATCH-OUT "file,values,healthy,lower,upper,mu,sigma")");
    EXPECT_EQ(all[1].rfind("BATCH-OUT \"" + file + ",20,20,", 0), 0u) << all[1];
    EXPECT_EQ(all[2], "BATCH generate -> 0");
    EXPECT_EQ(all[3].rfind("BATCH-ERR \"usage: klepsydra generate FILE", 0), 0u) << all[3];
    EXPECT_NE(std::find(all.begin(), all.end(), "BATCH generate -> 64"), all.end());
    std::ifstream written(file);
    std::string header;
    std::getline(written, header);
    EXPECT_EQ(header, "No,VALUE\r");
}

TEST_F(RunnerTest, AQuestionWithNoQueuedAnswerEndsTheRunWithStatusTwo) {
    // The child runs the test afresh: a forked copy of a running Qt application can hang.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    rig.reset();
    // Parent and child meet at a fixed file: the child cannot see the parent's temporary folder.
    const std::string path =
        QDir::tempPath().toStdString() + "/klepsydra-runner-unanswered-" + std::to_string(getuid()) + ".txt";
    std::remove(path.c_str());
    EXPECT_EXIT(
        {
            std::ofstream file(path);
            Transcript toFile(file);
            ScriptedServices seam(toFile, QDir::tempPath().toStdString());
            TestHost own(seam);
            std::istringstream in("start\nclick BUTTON1\nshow EDIT1\n");
            ScriptRunner runner(own, seam, toFile);
            runner.run(readScript(in));
            std::exit(0);
        },
        ::testing::ExitedWithCode(2), "");
    std::ifstream file(path);
    std::string first, second, rest;
    std::getline(file, first);
    std::getline(file, second);
    EXPECT_EQ(first, "WINDOW TestForm shown");
    EXPECT_EQ(second.rfind("SCRIPT ERROR: line 2: no answer queued for the question box caption=\"確認\"", 0),
              0u)
        << second;
    EXPECT_FALSE(std::getline(file, rest));
    std::remove(path.c_str());
}

TEST_F(RunnerTest, ExpectNoMessageLooksAtThePreviousLine) {
    EXPECT_EQ(
        run("click CHECK2\nexpect-no-message\nanswer Yes\nclick BUTTON1\nshow EDIT1\nexpect-no-message\n"),
        0);
    rig = std::make_unique<Rig>();
    EXPECT_EQ(run("answer Yes\nclick BUTTON1\nexpect-no-message\n"), 2);
    EXPECT_EQ(lines().back(), "SCRIPT ERROR: line 3: a message box was shown (expect-no-message)");
}

TEST_F(RunnerTest, TypingReplacesTheTextKeyByKeyAndEnterConfirms) {
    ASSERT_EQ(run("type EDIT3 \"12.5\\r\\n\"\nshow EDIT3\n"), 0);
    EXPECT_EQ(form().entry->text(), QStringLiteral("12.5"));
    EXPECT_EQ(form().edits, 4); // one change a key, as typing fires them
    EXPECT_EQ(form().entered, QStringLiteral("12.5"));
    EXPECT_EQ(lines().back(), R"(CONTROL EDIT3 enabled=1 visible=1 text="12.5")");
    ASSERT_EQ(run("type EDIT3 ７\ntype EDIT13 \"a\\r\\nb\"\n"), 0);
    EXPECT_EQ(form().entry->text(), QStringLiteral("７"));
    EXPECT_EQ(form().notes->toPlainText(), QStringLiteral("a\nb"));
    const int before = form().edits;
    ASSERT_EQ(run("type EDIT3 \"\"\n"), 0);
    EXPECT_TRUE(form().entry->text().isEmpty());
    EXPECT_EQ(form().edits, before + 1);
}

TEST_F(RunnerTest, SelectingAListRowClicksItEvenBelowTheVisibleRows) {
    ASSERT_EQ(run("select LIST2 35\nshow LIST2\n"), 0);
    EXPECT_EQ(form().clickedRow, 35);
    const std::vector<std::string> all = lines();
    ASSERT_EQ(all.size(), 1u + 1u + 40u);
    EXPECT_EQ(all[1], "CONTROL LIST2 enabled=1 visible=1 rows=40 selected=35");
    EXPECT_EQ(all[2], R"(ROW LIST2 0 "row 0")");
    EXPECT_EQ(all.back(), R"(ROW LIST2 39 "row 39")");
}

TEST_F(RunnerTest, DoubleClickFiresTheRowHandler) {
    ASSERT_EQ(run("dblclick LIST2 2\n"), 0);
    EXPECT_EQ(form().list->count(), 39);
    EXPECT_EQ(form().list->item(2)->text(), QStringLiteral("row 3"));
}

TEST_F(RunnerTest, DropDownSelectionFiresTheUsersSignalAndShowsEveryEntry) {
    ASSERT_EQ(run("select COMBO1 2\nshow COMBO1\n"), 0);
    EXPECT_EQ(form().activated, 2);
    const std::vector<std::string> expected = {
        "WINDOW TestForm shown",     R"(CONTROL COMBO1 enabled=1 visible=1 index=2 count=3 text="OTHER  ")",
        R"(ROW COMBO1 0 "")",        R"(ROW COMBO1 1 "ALB")",
        R"(ROW COMBO1 2 "OTHER  ")",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(RunnerTest, ClicksToggleCheckBoxesSetOptionButtonsAndSkipDisabledControls) {
    ASSERT_EQ(
        run("click CHECK2\nshow CHECK2\nclick CHECK2\nshow CHECK2\nclick RADIO2\nshow RADIO1\nshow RADIO2\n"
            "click BUTTON9\nshow BUTTON9\n"),
        0);
    EXPECT_EQ(form().checkClicks, 2);
    EXPECT_EQ(form().disabledClicks, 0);
    const std::vector<std::string> expected = {
        "WINDOW TestForm shown",
        "CONTROL CHECK2 enabled=1 visible=1 checked=1",
        "CONTROL CHECK2 enabled=1 visible=1 checked=0",
        "CONTROL RADIO1 enabled=1 visible=1 checked=0",
        "CONTROL RADIO2 enabled=1 visible=1 checked=1",
        "IGNORED click BUTTON9: disabled",
        R"(CONTROL BUTTON9 enabled=0 visible=1 text="")",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(RunnerTest, FocusAndBlurReachTheControl) {
    ASSERT_EQ(run("focus EDIT3\nblur EDIT3\n"), 0);
    EXPECT_EQ(form().focusIns, 1);
    EXPECT_EQ(form().focusOuts, 1);
}

TEST_F(RunnerTest, SurfaceStateAndScreenshot) {
    const std::string shot = folder() + "/shot.png";
    ASSERT_EQ(run("type EDIT3 \"3.5\\r\\n\"\nsurface TestForm\nstate\nscreenshot TestForm " + shot + "\n"),
              0);
    const std::vector<std::string> expected = {
        "WINDOW TestForm shown",
        R"(TEXT TestForm x=5 y=250 size=16 colour=0 "3.5")",
        "STATE counter=3",
    };
    EXPECT_EQ(lines(), expected);
    const QImage image(QString::fromStdString(shot));
    EXPECT_EQ(image.size(), QSize(400, 300));
}

TEST_F(RunnerTest, AWindowWithPictureAreasListsTheTextsOfEachByName) {
    ASSERT_EQ(run("start\n"), 0);
    QWidget plain;
    plain.setObjectName(QStringLiteral("PlainForm"));
    auto* first = new SurfaceWidget(QStringLiteral("PICTURE1"), QSize(50, 50), &plain);
    auto* second = new SurfaceWidget(QStringLiteral("PICTURE2"), QSize(50, 50), &plain);
    first->canvas().textVertical(10, 40, "frequency", Font{kGothic, 12}, Blue);
    second->canvas().text(2.5, 3, "x\"y", Font{kMincho, 13}, Black);
    plain.show();
    ASSERT_EQ(run("surface PlainForm\nsurface PICTURE2\n"), 0);
    const std::vector<std::string> expected = {
        "WINDOW TestForm shown",
        "WINDOW PlainForm shown",
        R"(TEXT PICTURE1 x=10 y=40 size=12 colour=1 vertical=1 "frequency")",
        R"(TEXT PICTURE2 x=2.5 y=3 size=13 colour=0 "x\"y")",
        R"(TEXT PICTURE2 x=2.5 y=3 size=13 colour=0 "x\"y")",
    };
    EXPECT_EQ(lines(), expected);
}

TEST_F(RunnerTest, ClosingTheLastWindowEndsTheProgram) {
    ASSERT_EQ(run("start\n"), 0);
    form().refuseClose = true;
    ASSERT_EQ(run("close TestForm\nshow TestForm\n"), 0);
    form().refuseClose = false;
    EXPECT_EQ(run("close TestForm\nshow TestForm\n"), 2);
    const std::vector<std::string> expected = {
        "WINDOW TestForm shown",
        R"(CONTROL TestForm enabled=1 visible=1 text="")",
        "WINDOW TestForm closed",
        "EXIT",
        "SCRIPT ERROR: line 2: the program has ended (show TestForm)",
    };
    EXPECT_EQ(lines(), expected);
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
