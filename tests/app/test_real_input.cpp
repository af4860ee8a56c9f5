// The main window and the graph window under real mouse and key events (QTest through the window
// system, so the focus moves with its real reasons): fields that select what they show when
// clicked into, Enter on a focused button, Escape on the secondary windows, the Tab order, check
// box captions, tooltips, the item drop-down, a Z key held from the start of a load, and an export
// whose spreadsheet cannot be started.

#include "AppTestMain.h"
#include "QuietServices.h"

#include "app/Form2.h"
#include "app/StartUp.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/TablePanel.h"
#include "persist/OptionFile.h"
#include "platform/qt/QtServices.h"
#include "text/Text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <set>

namespace kl {
namespace {

namespace fs = std::filesystem;

// Questions take the queued answers (No when none is queued); the Z key is the one the real key
// events press and release.
class InputServices : public QuietServices {
  public:
    std::deque<Answer> answers;
    std::deque<std::string> files;
    ZKeyTracker keys;
    bool launches = false;

    InputServices() { QCoreApplication::instance()->installEventFilter(&keys); }
    ~InputServices() override { QCoreApplication::instance()->removeEventFilter(&keys); }

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) override {
        QuietServices::message(caption, text, buttons, icon);
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override {
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }
    bool zKeyDown() override {
        QCoreApplication::processEvents();
        return keys.down();
    }
    bool launch(const std::string&) override { return launches; }
};

std::string data(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

struct Desk {
    InputServices services;
    std::string work;
    std::unique_ptr<MainForm> form;

    explicit Desk(const std::string& tag) {
        work = (fs::temp_directory_path() / ("kl-input-" + tag + "-" + std::to_string(::getpid()))).string();
        fs::remove_all(work);
        fs::create_directories(work);
        provisionMaster(work, std::string(KLEPSYDRA_TEST_DATA) + "/../../resources");
        form = std::make_unique<MainForm>(services, work);
        EXPECT_TRUE(form->MAINFORM_START());
        form->move(0, 0);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    ~Desk() {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fs::remove_all(work);
    }
    void open(const std::string& path) {
        services.files.push_back(path);
        form->guarded([this] { form->files().BUTTON1_ON(); }); // a save question after a load: No
        // The progress window took the activation; a window manager would give it back.
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    template <class W = QWidget> W* control(const char* name) { return form->findChild<W*>(name); }
    QWidget* focus() const { return QApplication::focusWidget(); }
};

void clickAt(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}
void clickRightPart(QWidget* w) {
    clickAt(w, QPoint(w->width() - 5, w->height() / 2));
}

QWidget* visibleWindow(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
}

TEST(RealInput, ClickingIntoAParameterFieldSelectsWhatItShows) {
    Desk d("select");
    d.open(data("main_200.csv"));
    for (const char* name : {"EDIT3", "EDIT4", "EDIT5"}) {
        SCOPED_TRACE(name);
        auto* field = d.control<QLineEdit>(name);
        d.control("LIST1")->setFocus(Qt::OtherFocusReason);
        const QString shown = field->text();
        ASSERT_FALSE(shown.isEmpty());
        clickRightPart(field);
        EXPECT_EQ(d.focus(), field);
        EXPECT_EQ(field->selectedText(), shown);
        QTest::keyClicks(field, "12");
        EXPECT_EQ(field->text(), "12"); // typing replaces the number
        field->setText(shown);
        // A second click into the focused field places the cursor as usual.
        clickAt(field, QPoint(3, field->height() / 2));
        EXPECT_FALSE(field->hasSelectedText());
    }
    // The interval example: "0.10"-like text, click, "0.3", Enter: the table is built with 0.3.
    auto* interval = d.control<QLineEdit>("EDIT3");
    d.control("LIST1")->setFocus(Qt::OtherFocusReason);
    clickRightPart(interval);
    QTest::keyClicks(interval, "0.3");
    QTest::keyClick(interval, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(leadingNumber(interval->text().toStdString()), 0.3);
    EXPECT_GT(d.control<QListWidget>("LIST2")->count(), 0);
}

TEST(RealInput, GraphWindowSmoothingFieldCheckBoxCaptionsAndEscape) {
    Desk d("graph");
    d.open(data("main_200.csv"));
    d.form->guarded([&] { d.form->table().BUTTON3_ON(); });
    Form2* graph = d.form->table().graphWindow();
    ASSERT_NE(graph, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(graph));
    QPointer<Form2> alive(graph);

    // "理論的正規分布曲線を表示する" is painted at (791, 7) beside CHECK1: clicking it is clicking the
    // box. The curves come on, and with them the smoothing field.
    auto* curves = graph->findChild<QCheckBox*>("CHECK1");
    ASSERT_FALSE(curves->isChecked());
    clickAt(graph, QPoint(850, 14));
    ASSERT_TRUE(curves->isChecked());
    EXPECT_EQ(OptionStore(d.work).readNumber(options::showCurves), 1); // its handler ran
    clickAt(graph, QPoint(1010, 14));                                  // past the end of the caption
    EXPECT_TRUE(curves->isChecked());

    auto* smoothing = graph->findChild<QLineEdit*>("EDIT11");
    ASSERT_TRUE(smoothing->isVisible());
    const QString shown = smoothing->text();
    clickRightPart(smoothing);
    EXPECT_EQ(smoothing->selectedText(), shown);
    QTest::keyClicks(smoothing, "50");
    EXPECT_EQ(smoothing->text(), "50");
    QTest::keyClick(smoothing, Qt::Key_Return);
    EXPECT_EQ(OptionStore(d.work).read(options::smoothing).value_or(""), "50");

    // Escape closes the graph window as its frame does: back to the main window.
    const int beeps = d.services.beeps;
    QTest::keyClick(graph->windowHandle(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(d.services.beeps, beeps + 1); // FORM2_QUERYCLOSE
    EXPECT_TRUE(d.form->isVisible());
    EXPECT_TRUE(d.form->isEnabled());
}

TEST(RealInput, EnterPressesTheFocusedButtonAndEscapeClosesTheHelp) {
    Desk d("enter");
    struct Case {
        const char* button;
        int mode;
    } cases[] = {{"BUTTON18", 1}, {"BUTTON14", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        d.control(c.button)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(d.form->windowHandle(), Qt::Key_Return);
        QPointer<QWidget> help = visibleWindow("form4");
        ASSERT_FALSE(help.isNull());
        EXPECT_EQ(d.form->reports().helpMode(), c.mode);
        EXPECT_FALSE(d.form->isEnabled());
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(help.isNull());
        EXPECT_TRUE(d.form->isEnabled()); // FORM4_QUERYCLOSE ran
        ASSERT_TRUE(QTest::qWaitForWindowActive(d.form.get()));
    }
}

TEST(RealInput, TabReachesWhatCanBeEditedOnly) {
    Desk d("tab");
    d.open(data("main_200.csv"));
    d.control("BUTTON1")->setFocus(Qt::TabFocusReason);
    std::set<QString> reached;
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(d.focus(), Qt::Key_Tab);
        reached.insert(d.focus()->objectName());
    }
    for (const char* shown : {"EDIT1", "EDIT2", "EDIT14", "EDIT15"})
        EXPECT_EQ(reached.count(QLatin1String(shown)), 0u) << shown;
    for (const char* editable : {"EDIT13", "EDIT3", "LIST1", "COMBO1", "BUTTON35"})
        EXPECT_EQ(reached.count(QLatin1String(editable)), 1u) << editable;
    // Still there for the mouse: the path can be selected and copied.
    clickRightPart(d.control("EDIT1"));
    EXPECT_EQ(d.focus()->objectName(), "EDIT1");
}

TEST(RealInput, CheckBoxCaptionAndTooltips) {
    Desk d("caption");
    d.open(data("main_200.csv"));
    // "極端値を階級の両端に取り込む" is painted at (837, 66) in 12-pixel characters, up to x = 1005.
    auto* fold = d.control<QCheckBox>("CHECK2");
    const bool before = fold->isChecked();
    clickAt(d.form.get(), QPoint(900, 72));
    EXPECT_NE(fold->isChecked(), before);
    EXPECT_EQ(OptionStore(d.work).readNumber(options::foldExtremes) > 0, fold->isChecked());
    clickAt(d.form.get(), QPoint(1012, 72));
    clickAt(d.form.get(), QPoint(900, 90));
    EXPECT_NE(fold->isChecked(), before);

    for (const char* name : {"BUTTON10", "BUTTON18", "BUTTON14", "BUTTON6", "BUTTON7", "BUTTON8"})
        EXPECT_FALSE(d.control(name)->toolTip().isEmpty()) << name;
}

TEST(RealInput, TheItemListDropsDownInTheRoomTheWindowGivesIt) {
    Desk d("dropdown");
    d.open(data("main_200.csv"));
    auto* items = d.control<QComboBox>("COMBO1");
    ASSERT_GT(items->count(), items->maxVisibleItems());
    clickRightPart(items);
    QWidget* list = items->view()->window();
    ASSERT_TRUE(list->isVisible());
    const QFontMetrics metrics(items->view()->font());
    int longest = 0;
    for (int i = 0; i < items->count(); ++i)
        longest = std::max(longest, metrics.horizontalAdvance(items->itemText(i).trimmed()));
    EXPECT_LE(list->height(), 532);
    EXPECT_TRUE(items->view()->verticalScrollBar()->isVisible()); // the rest can be seen coming
    EXPECT_GE(list->width(), items->width());
    EXPECT_LE(list->width(), std::max(items->width(), longest + 80));
    QTest::keyClick(items->view(), Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
}

TEST(RealInput, ZHeldFromTheStartCancelsTheLoadAndKeepsTheData) {
    Desk d("zkey");
    d.open(data("main_ten.csv"));
    d.services.shown.clear();
    d.control("BUTTON1")->setFocus(Qt::TabFocusReason); // Z typed into no field
    QTest::keyPress(d.form->windowHandle(), Qt::Key_Z);
    d.open(data("main_200.csv"));
    QTest::keyRelease(d.focus() ? d.focus()->window()->windowHandle() : d.form->windowHandle(), Qt::Key_Z);
    ASSERT_FALSE(d.services.shown.empty());
    EXPECT_EQ(d.services.captions().back(), "CAUTION"); // after the question whether to save first
    EXPECT_NE(d.services.captions().front(), "BAD DATA");
    EXPECT_EQ(d.services.shown.back().text,
              "ファイルの読み込みがキャセルされました。     \r\n全ての処理を最初から行って下さい。    ");
    EXPECT_EQ(d.form->appState().count(), 10);
    EXPECT_EQ(d.form->appState().data.sourceName, "main_ten");
    EXPECT_EQ(d.control<QListWidget>("LIST1")->count(), 10);
    EXPECT_TRUE(d.form->isEnabled());
}

TEST(RealInput, AnExportNoProgramOpensNamesTheFileAndKeepsTheWindow) {
    Desk d("export");
    d.open(data("main_200.csv"));
    d.services.shown.clear();
    d.services.answers = {Answer::Yes};
    d.form->guarded([&] { d.form->reports().BUTTON34_ON(); });
    ASSERT_EQ(d.services.captions(), (std::vector<std::string>{"EXPORT TO EXCEL", "EXPORT TO EXCEL"}));
    const std::string path = fs::absolute(d.work + "/DOSUU.CSV").lexically_normal().string();
    EXPECT_NE(d.services.shown[1].text.find(path), std::string::npos) << d.services.shown[1].text;
    EXPECT_TRUE(fs::exists(path));
    EXPECT_FALSE(d.form->isMinimized());
    EXPECT_TRUE(d.form->isVisible());
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
