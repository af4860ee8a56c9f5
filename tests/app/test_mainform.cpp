// The main window driven through its handlers: loading at the limits, refused and cancelled loads,
// the statistics block on the surface, the start-up options, the progress bar, the error handler
// and the start-up checks.
//
// Golden pictures: tests/data/golden/mainform_200.png (and mainform_200_en.png, in English) are
// regenerated with
//     KLEPSYDRA_UPDATE_GOLDEN=1 build-main/tests/app_test_mainform --gtest_filter='*Golden*'

#include "AppTestMain.h"
#include "GoldenPicture.h"
#include "QuietServices.h"

#include "app/ErrorHandler.h"
#include "app/StartUp.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/TablePanel.h"
#include "cli/Batch.h"
#include "cli/Language.h"
#include "data/DataFileReader.h"
#include "text/FileIO.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kl {
namespace {

namespace fs = std::filesystem;

struct Shown {
    std::string caption, text;
};

class FakeServices : public Services {
  public:
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files;
    std::vector<Shown> shown;
    int beeps = 0;
    int zDownFromPoll = -1; // -1: never
    int polls = 0;
    int exits = 0;
    ScreenSize screen;
    OsVersion os;
    std::string folder = "/home/user";

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon) override {
        shown.push_back({caption, text});
        if (buttons == Buttons::Ok || answers.empty()) return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    bool printDialog() override { return false; }
    std::unique_ptr<PrintJob> startPrint(const std::string&) override { return nullptr; }
    std::optional<std::string> clipboard;
    std::optional<std::string> clipboardText() override { return clipboard; }
    void clipboardSetBitmap(const Bitmap&) override {}
    bool zKeyDown() override { return zDownFromPoll >= 0 && polls++ >= zDownFromPoll; }
    void processEvents() override {}
    void beep() override { ++beeps; }
    void pause(int) override {}
    ScreenSize screenSize() override { return screen; }
    OsVersion osVersion() override { return os; }
    std::string currentFolder() override { return folder; }
    bool launch(const std::string&) override { return false; }
    void setBusy(bool) override {}
    void exitProgram(int) override { ++exits; }

    // Captions shown, without the save prompt that open() answers.
    std::vector<std::string> captions() const {
        std::vector<std::string> c;
        for (const Shown& s : shown)
            if (s.caption != "保存") c.push_back(s.caption);
        return c;
    }
};

std::string freshDir(const std::string& tag) {
    fs::path dir = fs::temp_directory_path() / ("kl-mainform-" + tag + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::string writeValues(const std::string& dir, const std::string& name, int n) {
    std::string path = dir + "/" + name;
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < n; ++i)
        out << (10 + (i * 37) % 200) / 10.0 << "\r\n";
    return path;
}

std::string data(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

struct Fixture {
    FakeServices services;
    std::string work;
    std::unique_ptr<MainForm> form;

    explicit Fixture(const std::string& tag) : work(freshDir(tag)) {
        provisionMaster(work, std::string(KLEPSYDRA_TEST_DATA) + "/../../resources");
        form = std::make_unique<MainForm>(services, work);
        EXPECT_TRUE(form->MAINFORM_START());
    }
    void open(const std::string& path) {
        // After a load the open command first offers to save the settings: answered No here.
        const AppState& s = form->appState();
        if (s.count() > 0 && (s.counter >= 3 || s.manual > 0)) services.answers.push_back(Answer::No);
        services.files.push_back(path);
        form->guarded([this] { form->files().BUTTON1_ON(); });
    }
    template <class W> W* control(const char* name) { return form->findChild<W*>(name); }
};

TEST(MainFormLoad, ValueLimits) {
    const std::string dir = freshDir("limits");
    struct Case {
        int values;
        int loaded;
        std::vector<std::string> captions;
    } cases[] = {
        {9, 0, {"BAD DATA"}},
        {10, 10, {}},
        {40000, 40000, {}},
        {40001, 40000, {"caution"}},
    };
    for (const Case& c : cases) {
        Fixture f("limits-case");
        f.open(writeValues(dir, "v" + std::to_string(c.values) + ".csv", c.values));
        EXPECT_EQ(f.form->appState().count(), c.loaded) << c.values;
        EXPECT_EQ(f.control<QListWidget>("LIST1")->count(), c.loaded) << c.values;
        EXPECT_EQ(f.services.captions(), c.captions) << c.values;
        // Scrolled to the end, but no row is selected.
        EXPECT_EQ(f.control<QListWidget>("LIST1")->currentRow(), -1);
        EXPECT_TRUE(f.form->isEnabled());
        EXPECT_EQ(f.form->progressWindow(), nullptr);
    }
}

TEST(MainFormLoad, RefusedFilesLeaveThePreviousDataSet) {
    const std::string dir = freshDir("refused");
    fs::create_directories(dir + "/folder.csv"); // exists, but cannot be read as a file
    // Special files are refused at once, never opened for reading: the alarm catches a hang.
    ASSERT_EQ(::mkfifo((dir + "/fifo.csv").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir + "/zero.csv");
    struct Case {
        std::string path;
        std::string caption; // "" = no message
        int beeps;
        std::string cause = {}; // in the message text
    } cases[] = {
        {data("main_two_columns.csv"), "CAN NOT USE", 0},
        {data("main_nine.csv"), "BAD DATA", 0},
        {data("main_binary.csv"), "不正なデータ", 0},
        {dir + "/vanished.csv", "BAD DATA", 0},
        {dir + "/folder.csv", "CAN NOT READ", 0, "フォルダです。"},
        {dir + "/fifo.csv", "CAN NOT READ", 0, "通常のファイルではありません"},
        {dir + "/zero.csv", "CAN NOT READ", 0, "通常のファイルではありません"},
        {data("main_sound.WAV"), "", 1},
        {data("main_noext"), "", 0},
    };
    for (const Case& c : cases) {
        Fixture f("refused-case");
        f.open(data("main_ten.csv"));
        ASSERT_EQ(f.form->appState().count(), 10);
        f.services.shown.clear();
        ::alarm(20);
        f.open(c.path);
        ::alarm(0);
        const AppState& s = f.form->appState();
        EXPECT_EQ(s.count(), 10) << c.path;
        EXPECT_EQ(s.data.sourcePath, data("main_ten.csv")) << c.path;
        EXPECT_EQ(s.data.sourceName, "main_ten") << c.path;
        EXPECT_EQ(s.data.values.front(), "1") << c.path;
        EXPECT_EQ(f.control<QListWidget>("LIST1")->count(), 10) << c.path;
        EXPECT_EQ(f.services.beeps, c.beeps) << c.path;
        EXPECT_EQ(f.services.captions(),
                  c.caption.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.caption})
            << c.path;
        if (!c.cause.empty() && !f.services.shown.empty()) {
            EXPECT_NE(f.services.shown.back().text.find(c.cause), std::string::npos) << c.path;
            EXPECT_NE(f.services.shown.back().text.find(c.path), std::string::npos) << c.path;
        }
        EXPECT_TRUE(f.form->isEnabled());
    }
}

TEST(MainFormLoad, CancelWhileReadingOrListingKeepsThePreviousDataSet) {
    // The reader polls once per item, then the list polls once per row: 0 polls stop the read at
    // once, 3 before ten values, 50 in the middle of 200 values; 12 polls stop the listing of ten.
    struct Case {
        const char* file;
        int pollsBeforeZ;
    } cases[] = {{"main_200.csv", 0}, {"main_200.csv", 3}, {"main_200.csv", 50}, {"main_ten.csv", 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " " << c.pollsBeforeZ);
        Fixture f("cancel");
        f.open(data("main_first_line_comma.csv"));
        const AppState& s = f.form->appState();
        const int count = s.count();
        const std::string source = s.data.sourcePath;
        const int tableRows = f.control<QListWidget>("LIST2")->count();
        ASSERT_GT(tableRows, 0);
        f.services.zDownFromPoll = c.pollsBeforeZ;
        f.services.shown.clear();
        f.open(data(c.file));
        ASSERT_EQ(f.services.captions(), std::vector<std::string>{"CAUTION"});
        EXPECT_EQ(f.services.shown.back().text, readCancelledMessage().text);
        EXPECT_EQ(s.count(), count);
        EXPECT_EQ(s.data.sourcePath, source);
        EXPECT_EQ(f.control<QListWidget>("LIST1")->count(), count);
        EXPECT_EQ(f.control<QListWidget>("LIST2")->count(), tableRows);
        EXPECT_TRUE(f.control<QComboBox>("COMBO1")->isEnabled());
        EXPECT_TRUE(f.form->findChild<QWidget*>("BUTTON6")->isEnabled());
        EXPECT_TRUE(f.form->isEnabled());
        EXPECT_EQ(f.form->progressWindow(), nullptr);
    }
}

TEST(MainFormInterval, ButtonUsableExactlyWhenThePrintButtonsAre) {
    Fixture f("interval-button");
    auto* interval = f.control<QPushButton>("BUTTON150");
    auto* print = f.control<QPushButton>("BUTTON6");
    EXPECT_FALSE(interval->isEnabled()); // no data yet
    f.open(data("main_ten.csv"));
    EXPECT_TRUE(interval->isEnabled());
    f.open(data("main_constant.csv")); // an unsuitable sample: loaded, not analysed
    EXPECT_FALSE(print->isEnabled());
    EXPECT_FALSE(interval->isEnabled());
    f.open(data("main_ten.csv"));
    ASSERT_TRUE(interval->isEnabled());
    // Disabled while the whole window is (as a cancelled paste does): still disabled afterwards.
    f.form->setEnabled(false);
    print->setEnabled(false);
    f.form->setEnabled(true);
    EXPECT_FALSE(interval->isEnabled());
    f.form->setEnabled(false);
    print->setEnabled(true);
    f.form->setEnabled(true);
    EXPECT_TRUE(interval->isEnabled());
}

// Texts of the surface log drawn in black at (x, y).
std::vector<std::string> blackTextsAt(const Canvas& c, double x, double y) {
    std::vector<std::string> out;
    for (const TextDraw& t : c.textLog())
        if (t.x == x && t.y == y && t.colour == Black) out.push_back(t.text);
    return out;
}

TEST(MainFormLoad, StatisticsBlockIsDrawnWithRelief) {
    Fixture f("block");
    f.open(data("main_ten.csv"));
    const Canvas& c = f.form->canvas();
    const std::vector<std::string> mean = blackTextsAt(c, 220, 120);
    ASSERT_FALSE(mean.empty());
    EXPECT_EQ(mean.back(), "  Mean          =       5.500000");
    EXPECT_EQ(blackTextsAt(c, 220, 200).back(), "  S.D.(N-1)     =       3.027650");
    // Every black block line has its white copy one pixel right and down, drawn just before it.
    const auto& log = c.textLog();
    for (std::size_t i = 1; i < log.size(); ++i) {
        if (log[i].colour != Black || log[i].y < 70 || log[i].y > 440 || log[i].x < 220 || log[i].x > 240)
            continue;
        EXPECT_EQ(log[i - 1].colour, White) << log[i].text;
        EXPECT_EQ(log[i - 1].x, log[i].x + 1);
        EXPECT_EQ(log[i - 1].y, log[i].y + 1);
        EXPECT_EQ(log[i - 1].text, log[i].text);
    }
    // "OTHER" is chosen and the first table is built.
    EXPECT_EQ(f.control<QComboBox>("COMBO1")->currentIndex(), 1);
    EXPECT_EQ(f.control<QListWidget>("LIST2")->count(), 30);
    EXPECT_EQ(f.form->appState().counter, 3);
    EXPECT_EQ(f.form->appState().data.decimalPlaces, 2);
    EXPECT_TRUE(f.control<QRadioButton>("RADIO2")->isChecked());
}

TEST(MainFormItem, ReferenceLineAndOutOfRangeRates) {
    Fixture f("item");
    ASSERT_TRUE(writeFileAtomic(
        f.work + "/data_f/KIJUN.DAT",
        "\"AB\",\"3\",\"8\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
        "\"OPEN\",\"4\",\"99999\"\r\n"));
    f.open(data("main_ten.csv"));
    auto* combo = f.control<QComboBox>("COMBO1");
    ASSERT_EQ(combo->count(), 4);
    struct Case {
        int index;
        std::string line;
        std::vector<std::string> rates; // at (464, 584), (464, 604), (464, 624)
    } cases[] = {
        // Values 1..10: 1 and 2 below 3, 9 and 10 above 8.
        {2, "* R.I.： 3 - 8", {"Lower：20.0", "Upper：20.0", "Total：40.0"}},
        {3, "* R.I.：  - 4", {"Lower：30.0", "Upper：0.0", "Total：30.0"}},
    };
    for (const Case& c : cases) {
        combo->setCurrentIndex(c.index);
        f.form->guarded([&] { f.form->table().COMBO1_CHANGE(); });
        const Canvas& canvas = f.form->canvas();
        EXPECT_EQ(blackTextsAt(canvas, 235, 462).back(), c.line);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(blackTextsAt(canvas, 464, 584 + 20 * i).back(), c.rates[i]);
        EXPECT_EQ(f.form->appState().refLower, c.index == 2 ? "3" : "4");
        EXPECT_GT(f.control<QListWidget>("LIST2")->count(), 0);
    }
}

TEST(MainFormEntry, NewEntryOffersPastedDataForSavingFirst) {
    // Pasted values exist in no file: a mouse click on "Data入力・新規" confirmed with Yes offers
    // them for saving before anything is erased; Cancel keeps them, No lets them go.
    Fixture f("new-entry");
    f.form->show();
    std::string text;
    for (int i = 1; i <= 12; ++i)
        text += std::to_string(i) + "\r\n";
    f.services.clipboard = text;
    f.services.answers = {Answer::Yes};
    QTest::mouseClick(f.control<QPushButton>("BUTTON13"), Qt::LeftButton);
    ASSERT_EQ(f.form->appState().count(), 12);
    auto* list = f.control<QListWidget>("LIST1");
    // The table's rows are held in the state; LIST2 shows exactly those.
    auto* table = f.control<QListWidget>("LIST2");
    auto shownRows = [table] {
        std::vector<std::string> rows;
        for (int i = 0; i < table->count(); ++i)
            rows.push_back(table->item(i)->text().toStdString());
        return rows;
    };
    ASSERT_FALSE(f.form->appState().tableRows.empty());
    EXPECT_EQ(f.form->appState().tableRows, shownRows());
    for (Answer atPrompt : {Answer::Cancel, Answer::No}) {
        f.services.shown.clear();
        f.services.answers = {Answer::Yes, atPrompt};
        QTest::mouseClick(f.control<QPushButton>("BUTTON36"), Qt::LeftButton);
        ASSERT_EQ(f.services.shown.size(), 2u);
        EXPECT_EQ(f.services.shown[0].caption, "新規・入力");
        EXPECT_EQ(f.services.shown[1].caption, "貼り付けデータの保存");
        EXPECT_EQ(list->count(), atPrompt == Answer::Cancel ? 12 : 0);
        EXPECT_EQ(f.form->appState().tableRows, shownRows());
    }
    // No table left: the export finds none, whatever a list control might still hold.
    EXPECT_TRUE(f.form->appState().tableRows.empty());
    f.services.shown.clear();
    QTest::mouseClick(f.control<QPushButton>("BUTTON34"), Qt::LeftButton);
    ASSERT_EQ(f.services.shown.size(), 1u);
    EXPECT_EQ(f.services.shown[0].caption, "NOT EXIST DATA");
}

TEST(MainFormItem, FoldCheckBoxIsStoredAndRebuildsTheTable) {
    Fixture f("fold");
    f.open(data("main_ten.csv"));
    auto* check = f.control<QCheckBox>("CHECK2");
    auto* list = f.control<QListWidget>("LIST2");
    const int before = f.form->appState().counter;
    check->click();
    EXPECT_EQ(OptionStore(f.work).read(options::foldExtremes).value_or(""), "1");
    EXPECT_EQ(f.form->appState().counter, before + 1);
    // Values at or above the upper limit are folded into the last class.
    auto lastRow = [list] { return list->item(list->count() - 1)->text().toStdString(); };
    EXPECT_EQ(lastRow().rfind("   30 |         8.00 －              | 3 ", 0), 0u) << lastRow();
    EXPECT_EQ(f.form->appState().tableRows.back(), lastRow()); // the rebuilt rows reach the state
    check->click();
    EXPECT_EQ(OptionStore(f.work).read(options::foldExtremes).value_or(""), "0");
    EXPECT_EQ(lastRow().rfind("   30 |         8.00 － 8.25         | 1 ", 0), 0u) << lastRow();
}

TEST(MainFormStart, OptionsSelectDecimalsAndFold) {
    struct Case {
        std::string places, fold;
        int decimals;
        bool folded;
    } cases[] = {{"", "", 1, false}, {"3", "1", 3, true}, {"4", "0", 4, false}, {"9", "2", 1, true}};
    for (const Case& c : cases) {
        FakeServices services;
        const std::string work = freshDir("options");
        OptionStore options(work);
        if (!c.places.empty()) options.write(options::decimalPlaces, c.places);
        if (!c.fold.empty()) options.write(options::foldExtremes, c.fold);
        MainForm form(services, work);
        ASSERT_TRUE(form.MAINFORM_START());
        EXPECT_EQ(form.appState().data.decimalPlaces, c.decimals) << c.places;
        const std::string radio = "RADIO" + std::to_string(c.decimals);
        EXPECT_TRUE(form.findChild<QRadioButton*>(radio.c_str())->isChecked()) << c.places;
        EXPECT_EQ(form.findChild<QCheckBox*>("CHECK2")->isChecked(), c.folded) << c.fold;
        EXPECT_FALSE(form.findChild<QWidget*>("COMBO1")->isEnabled());
        EXPECT_FALSE(form.findChild<QWidget*>("BUTTON3")->isEnabled());
        EXPECT_EQ(form.width(), 1024);
        EXPECT_EQ(form.height(), 768);
    }
}

TEST(MainFormExit, AnswerDecidesAndNoOneIsAskedWhileBusy) {
    Fixture f("exit");
    f.services.answers = {Answer::No};
    EXPECT_FALSE(f.form->MAINFORM_QUERYCLOSE());
    f.services.answers = {Answer::Yes};
    EXPECT_TRUE(f.form->MAINFORM_QUERYCLOSE());
    EXPECT_EQ(f.services.captions(), (std::vector<std::string>{"終了", "終了"}));
}

TEST(MainFormExit, AFailedHandlerLeavesTheWindowUsable) {
    Fixture f("failed");
    f.form->setEnabled(false); // as during a long loop
    f.form->guarded([] { throw BadDataError("bad item"); });
    EXPECT_EQ(f.services.captions(), std::vector<std::string>{"不正なデータ"});
    EXPECT_TRUE(f.form->isEnabled());
    EXPECT_FALSE(f.form->busy());
    EXPECT_EQ(f.services.exits, 0);
    f.form->guarded([] { throw std::runtime_error("unexpected"); });
    EXPECT_EQ(f.services.exits, 1);
}

TEST(MainFormState, CounterSaturates) {
    AppState s;
    s.raise(3);
    EXPECT_EQ(s.counter, 3);
    s.counter = 32766;
    s.raise(3);
    EXPECT_EQ(s.counter, 32767);
    s.raise(2);
    EXPECT_EQ(s.counter, 32767);
}

TEST(ErrorHandlerClasses, EachFailureHasItsReaction) {
    struct Case {
        std::function<void()> fail;
        std::string caption;
        bool ends;
    } cases[] = {
        {[] { throw std::bad_alloc(); }, "メモリー不足", true},
        {[] { throw fs::filesystem_error("x", std::make_error_code(std::errc::io_error)); }, "システムエラー",
         true},
        {[] { throw std::ios_base::failure("x"); }, "システムエラー", true},
        {[] { throw BadDataError("x"); }, "不正なデータ", false},
        {[] { throw std::runtime_error("x"); }, "エラー", true},
        {[] { throw 42; }, "エラー", true},
    };
    for (const Case& c : cases) {
        FakeServices services;
        int ended = 0;
        ErrorHandler handler(services, [&] { ++ended; });
        EXPECT_FALSE(handler.run(c.fail));
        ASSERT_EQ(services.shown.size(), 1u);
        EXPECT_EQ(services.shown[0].caption, c.caption);
        EXPECT_EQ(ended, c.ends ? 1 : 0) << c.caption;
        // After an ending failure nothing else runs.
        bool ran = false;
        handler.run([&] { ran = true; });
        EXPECT_EQ(ran, !c.ends);
    }
}

TEST(ErrorHandlerClasses, TableListFailureClearsAndGoesOn) {
    FakeServices services;
    int cleared = 0;
    ErrorHandler handler(
        services, [] {}, [&] { ++cleared; });
    EXPECT_FALSE(handler.run([] { throw TableListError("rows"); }));
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(services.shown.empty());
    EXPECT_TRUE(handler.run([] {}));
}

TEST(StartUpChecks, ScreenSize) {
    struct Case {
        int w, h;
        bool ok;
    } cases[] = {
        {1024, 768, true}, {1020, 760, true}, {1019, 768, false}, {1024, 759, false}, {1000, 768, false}};
    for (const Case& c : cases) {
        FakeServices services;
        services.screen = {c.w, c.h};
        EXPECT_EQ(checkScreen(services), c.ok) << c.w << "x" << c.h;
        EXPECT_EQ(services.shown.size(), c.ok ? 0u : 1u);
        if (!c.ok) {
            EXPECT_EQ(services.shown[0].caption, "caution");
        }
    }
}

TEST(StartUpChecks, InstallFolder) {
    struct Case {
        int major;
        std::string folder;
        bool ok;
    } cases[] = {
        {6, "C:\\Program Files\\KLEPSYDRA", true}, {10, "c:\\program files\\klepsydra", true},
        {6, "C:\\Program Files\\Other", false},    {6, "C:\\Program Files\\KLEPSYDRA\\sub", false},
        {5, "C:\\Program Files\\Other", true},     {10, "/home/user/klepsydra", true},
    };
    for (const Case& c : cases) {
        FakeServices services;
        EXPECT_EQ(checkInstallFolder(services, OsVersion{c.major, 1}, c.folder), c.ok) << c.folder;
        const std::vector<std::string> refused{"BAD INSTALL!", "END!"};
        EXPECT_EQ(services.captions(), c.ok ? std::vector<std::string>() : refused);
    }
}

TEST(StartUpChecks, MasterProvisioning) {
    const std::string seedDir = freshDir("seed");
    ASSERT_TRUE(writeFileAtomic(seedDir + "/KIJUN_DAT", "\"SEED\",\"1\",\"2\"\r\n"));
    // A copy in the working folder wins over the seed; an existing master is never replaced.
    const std::string work = freshDir("provision");
    ASSERT_TRUE(writeFileAtomic(work + "/KIJUN.DAT", "\"WORK\",\"1\",\"2\"\r\n"));
    provisionMaster(work, seedDir);
    EXPECT_EQ(readFileBytes(work + "/data_f/KIJUN.DAT").value_or(""), "\"WORK\",\"1\",\"2\"\r\n");
    fs::remove(work + "/KIJUN.DAT");
    provisionMaster(work, seedDir);
    EXPECT_EQ(readFileBytes(work + "/data_f/KIJUN.DAT").value_or(""), "\"WORK\",\"1\",\"2\"\r\n");

    const std::string bare = freshDir("bare");
    provisionMaster(bare, seedDir);
    EXPECT_EQ(readFileBytes(bare + "/data_f/KIJUN.DAT").value_or(""), "\"SEED\",\"1\",\"2\"\r\n");

    const std::string none = freshDir("none");
    provisionMaster(none, freshDir("noseed"));
    EXPECT_TRUE(fs::is_directory(none + "/data_f"));
    EXPECT_FALSE(fs::exists(none + "/data_f/KIJUN.DAT"));
}

TEST(MainFormGolden, TwoHundredValuesWithAnItem) {
    Fixture f("golden");
    // A fixed path, so that EDIT1 shows the same text on every machine.
    f.open(golden::fixedDataCopy("mainform", data("main_200.csv"), "main_200.csv"));
    auto* combo = f.control<QComboBox>("COMBO1");
    combo->setCurrentIndex(10); // TP
    f.form->guarded([&] { f.form->table().COMBO1_CHANGE(); });
    f.form->show();
    golden::expectMatches(f.form->grab().toImage(), "mainform_200.png");
}

// The language of the windows for one test, Japanese again after it.
struct InLanguage {
    explicit InLanguage(Language language) { cli::useLanguage(language); }
    ~InLanguage() { cli::useLanguage(Language::Japanese); }
};

// The same window in English: captions, drawn labels, hints and the table's interval mark, each
// where the Japanese one is and no wider than its place.
TEST(MainFormGolden, TwoHundredValuesWithAnItemInEnglish) {
    InLanguage english(Language::English);
    ASSERT_GT(cli::builtInTranslationCount(), 0);
    Fixture f("golden-en");
    f.open(golden::fixedDataCopy("mainform", data("main_200.csv"), "main_200.csv"));
    auto* combo = f.control<QComboBox>("COMBO1");
    combo->setCurrentIndex(10); // TP
    f.form->guarded([&] { f.form->table().COMBO1_CHANGE(); });
    EXPECT_EQ(f.control<QPushButton>("BUTTON1")->text(), "Open file");
    EXPECT_EQ(f.control<QPushButton>("BUTTON10")->toolTip(), "Edit the reference interval master");
    EXPECT_TRUE(
        f.control<QListWidget>("LIST2")->item(0)->text().startsWith("    1 |         4.60 to 4.80  "));
    EXPECT_EQ(f.control<QPushButton>("BUTTON150")->text(), "Intervals");
    f.form->show();
    golden::expectMatches(f.form->grab().toImage(), "mainform_200_en.png");
}

// Drags a mime payload onto the window and drops it; true when the window took the drop.
bool dropOnWindow(MainForm& form, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(500, 400), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(500, 400), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &drop);
    QCoreApplication::processEvents(); // the file is read once the drop has ended
    return drop.isAccepted();
}

TEST(MainFormDrop, ADroppedFileIsOpenedAsTheOpenButtonOpensIt) {
    Fixture f("drop");
    ASSERT_TRUE(dropOnWindow(*f.form, {QUrl::fromLocalFile(QString::fromStdString(data("main_200.csv")))}));
    EXPECT_EQ(f.form->appState().count(), 200);
    EXPECT_EQ(f.form->appState().data.sourcePath, data("main_200.csv"));
    EXPECT_EQ(f.control<QListWidget>("LIST1")->count(), 200);

    // Loaded data are offered for saving first, as before the open dialog: Cancel keeps them.
    const std::size_t before = f.services.shown.size();
    f.services.answers = {Answer::Cancel};
    EXPECT_TRUE(dropOnWindow(*f.form, {QUrl::fromLocalFile(QString::fromStdString(data("main_ten.csv")))}));
    ASSERT_EQ(f.services.shown.size(), before + 1);
    EXPECT_EQ(f.services.shown.back().caption, "保存");
    EXPECT_EQ(f.form->appState().count(), 200);

    // The open button's refusals: too few values keep the data and show its message.
    f.services.answers = {Answer::No};
    EXPECT_TRUE(dropOnWindow(*f.form, {QUrl::fromLocalFile(QString::fromStdString(data("main_nine.csv")))}));
    EXPECT_EQ(f.services.captions().back(), "BAD DATA");
    EXPECT_EQ(f.form->appState().count(), 200);
    f.services.answers = {Answer::No};
    EXPECT_TRUE(dropOnWindow(*f.form, {QUrl::fromLocalFile(QString::fromStdString(data("main_ten.csv")))}));
    EXPECT_EQ(f.form->appState().count(), 10);

    // Several files, a remote address or no file at all are not taken.
    const QUrl ten = QUrl::fromLocalFile(QString::fromStdString(data("main_ten.csv")));
    EXPECT_FALSE(dropOnWindow(*f.form, {ten, ten}));
    EXPECT_FALSE(dropOnWindow(*f.form, {QUrl("https://example.org/a.csv")}));
    EXPECT_FALSE(dropOnWindow(*f.form, {}));
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
