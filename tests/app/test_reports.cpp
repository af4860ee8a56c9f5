// The main window's reports printed to PDF through the scripted seam, read back with pdftotext
// and rendered with pdftoppm; the DOSUU.CSV export; the help window in both modes.
//
// Golden pictures tests/data/golden/report_*.png and form4_*.png are regenerated with
//     KLEPSYDRA_UPDATE_GOLDEN=1 build-reports/tests/app_test_reports --gtest_filter='*Golden*'

#include "AppTestMain.h"
#include "GoldenPicture.h"

#include "app/Form4.h"
#include "app/Form8.h"
#include "app/Form9.h"
#include "app/StartUp.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/TablePanel.h"
#include "cli/Language.h"
#include "output/FrequencyExport.h"
#include "platform/script/ScriptedServices.h"
#include "stats/GraphClasses.h"
#include "text/FileIO.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kl {
namespace {

namespace fs = std::filesystem;

std::string data(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

std::string freshDir(const std::string& tag) {
    const fs::path dir = fs::temp_directory_path() / ("kl-reports-" + tag + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::string run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput().toStdString();
}

// The pages of a PDF as text (pdftotext ends every page with a form feed).
std::vector<std::string> pdfPages(const std::string& path) {
    const std::string all = run("pdftotext", {"-layout", QString::fromStdString(path), "-"});
    std::vector<std::string> pages;
    std::size_t from = 0;
    for (std::size_t at; (at = all.find('\f', from)) != std::string::npos; from = at + 1)
        pages.push_back(all.substr(from, at - from));
    return pages;
}

QImage pdfPage(const std::string& path, int page, const std::string& out) {
    run("pdftoppm", {"-r", "60", "-f", QString::number(page), "-l", QString::number(page), "-png",
                     "-singlefile", QString::fromStdString(path), QString::fromStdString(out)});
    return QImage(QString::fromStdString(out + ".png")).convertToFormat(QImage::Format_RGB32);
}

struct Fixture {
    std::ostringstream out;
    Transcript transcript{out};
    std::string work;
    ScriptedServices services;
    std::unique_ptr<MainForm> form;

    explicit Fixture(const std::string& tag) : work(freshDir(tag)), services(transcript, work) {
        services.setPrintDir(work);
        services.setFatal([](const std::string& reason) { FAIL() << reason; });
        provisionMaster(work, std::string(KLEPSYDRA_TEST_DATA) + "/../../resources");
        form = std::make_unique<MainForm>(services, work);
        EXPECT_TRUE(form->MAINFORM_START());
    }
    void open(const std::string& path) {
        services.queueFile(path);
        form->guarded([this] { form->files().BUTTON1_ON(); });
    }
    // Presses a print button with the dialog answered OK; the path of the PDF written.
    std::string print(void (ReportPanel::*handler)()) {
        services.queuePrint(true);
        form->guarded([this, handler] { (form->reports().*handler)(); });
        const std::string text = out.str();
        const std::size_t at = text.rfind("PRINT doc=\"PRINTER\"");
        if (at == std::string::npos) return {};
        const std::size_t arrow = text.find("-> ", at);
        return text.substr(arrow + 3, text.find('\n', arrow) - arrow - 3);
    }
    Form4* help() const {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<Form4*>(w); f && f->isVisible()) return f;
        return nullptr;
    }
};

// The printed data paths lie in this executable's own folder of fixed name.
constexpr const char* kFolder = "reports";

// A data file at a fixed path (the path is printed), value 2 ten characters long.
std::string valuesFile(int n) {
    std::string bytes;
    for (int i = 1; i <= n; ++i)
        bytes += (i == 2 ? std::string("-123456.78") : std::to_string(40 + (i * 37) % 23)) + "\r\n";
    return golden::fixedDataFile(kFolder, "values" + std::to_string(n) + ".csv", bytes);
}

std::string main200() {
    return golden::fixedDataCopy(kFolder, data("main_200.csv"), "main_200.csv");
}

TEST(DataListReport, PagesOf200AndTheLongValueWhole) {
    struct Case {
        int n;
        std::size_t pages;
    };
    for (Case c : {Case{200, 1}, Case{201, 2}}) {
        Fixture f("list" + std::to_string(c.n));
        f.open(valuesFile(c.n));
        ASSERT_EQ(f.form->appState().count(), c.n);
        const std::string pdf = f.print(&ReportPanel::BUTTON6_ON);
        const auto pages = pdfPages(pdf);
        ASSERT_EQ(pages.size(), c.pages) << c.n;
        EXPECT_NE(pages[0].find("-123456.78"), std::string::npos);
        EXPECT_NE(pages[0].find("FILE NAME ： /tmp/klepsydra-reports/values"), std::string::npos);
        if (c.n == 201) {
            EXPECT_NE(pages[1].find("FILE NAME"), std::string::npos);
            EXPECT_NE(pages[1].find("201"), std::string::npos);
            EXPECT_EQ(pages[1].find("200"), std::string::npos);
        }
    }
}

TEST(DataListReport, PastedDataPrintNoFileName) {
    Fixture f("pasted");
    f.open(valuesFile(20));
    f.form->appState().pasted = 1;
    const auto pages = pdfPages(f.print(&ReportPanel::BUTTON6_ON));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].find("klepsydra-reports"), std::string::npos);
    EXPECT_NE(pages[0].find("FILE NAME"), std::string::npos);
}

TEST(ReportsGolden, DataListStatisticsAndFrequencyTable) {
    Fixture f("golden");
    f.open(main200());
    auto* combo = f.form->findChild<QComboBox*>("COMBO1");
    combo->setCurrentIndex(10);
    f.form->guarded([&] { f.form->table().COMBO1_CHANGE(); });

    const std::string list = f.print(&ReportPanel::BUTTON6_ON);
    golden::expectMatches(pdfPage(list, 1, f.work + "/list"), "report_datalist.png");

    const std::string stats = f.print(&ReportPanel::BUTTON7_ON);
    const auto statsText = pdfPages(stats);
    ASSERT_EQ(statsText.size(), 1u);
    EXPECT_NE(statsText[0].find("( cube-transformed data )"), std::string::npos);
    EXPECT_NE(statsText[0].find("異常率"), std::string::npos);
    golden::expectMatches(pdfPage(stats, 1, f.work + "/stats"), "report_statistics.png");

    const std::string table = f.print(&ReportPanel::BUTTON8_ON);
    const auto tableText = pdfPages(table);
    ASSERT_EQ(tableText.size(), 1u);
    EXPECT_NE(tableText[0].find("Frequency Table"), std::string::npos);
    EXPECT_NE(tableText[0].find("Class |"), std::string::npos);
    golden::expectMatches(pdfPage(table, 1, f.work + "/table"), "report_frequency_table.png");
}

TEST(Export, WritesTheTableLaunchesItAndMinimises) {
    Fixture f("export");
    f.open(main200());
    auto* list = f.form->findChild<QListWidget*>("LIST2");
    std::vector<std::string> rows;
    for (int i = 0; i < list->count(); ++i)
        rows.push_back(list->item(i)->text().toStdString());
    ASSERT_FALSE(rows.empty());
    f.form->show();
    f.services.queueAnswer(Answer::Yes);
    f.form->guarded([&] { f.form->reports().BUTTON34_ON(); });
    EXPECT_EQ(readFileBytes(f.work + "/DOSUU.CSV").value_or(""), frequencyExportBytes(rows));
    EXPECT_NE(f.out.str().find("LAUNCH maximised " + f.work + "/DOSUU.CSV"), std::string::npos);
    EXPECT_TRUE(f.form->isMinimized());
}

// "File Already Open" only when a spreadsheet holds the file; any other failure names its cause
// (a full disk alike: a file size limit makes the write fail halfway). The old file stays and
// nothing is launched.
TEST(Export, AFileThatCannotBeReplacedIsReportedByItsCauseAndNotOpened) {
    struct Case {
        std::string name;
        std::string caption, cause;
    } cases[] = {
        {"held", "File Already Open", "Excel は既にオープンされています。"},
        {"folder", "CAN NOT WRITE", "it is a folder"},
        {"too large", "CAN NOT WRITE", "File too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f("export-failed");
        f.open(main200());
        if (c.name == "held") {
            ASSERT_TRUE(writeFileAtomic(f.work + "/.~lock.DOSUU.CSV#", "user"));
        }
        if (c.name == "folder") fs::create_directories(f.work + "/DOSUU.CSV/held");
        rlimit oldLimit{};
        ::getrlimit(RLIMIT_FSIZE, &oldLimit);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (c.name == "too large") {
            rlimit small = oldLimit;
            small.rlim_cur = 16;
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
        f.services.queueAnswer(Answer::Yes);
        f.form->guarded([&] { f.form->reports().BUTTON34_ON(); });
        ::setrlimit(RLIMIT_FSIZE, &oldLimit);
        std::signal(SIGXFSZ, oldHandler);
        const std::string out = f.out.str();
        EXPECT_NE(out.find("caption=\"" + c.caption + "\""), std::string::npos) << out;
        EXPECT_NE(out.find(c.cause), std::string::npos) << out;
        EXPECT_EQ(out.find("LAUNCH"), std::string::npos);
        EXPECT_FALSE(fs::is_regular_file(f.work + "/DOSUU.CSV"));
    }
}

TEST(HelpWindow, ModesSizesAndTheMainWindowRestored) {
    Fixture f("help");
    f.form->show();
    f.form->reports().BUTTON18_ON();
    Form4* help = f.help();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->mode(), 1);
    EXPECT_EQ(help->size(), QSize(782, 510));
    EXPECT_FALSE(f.form->isEnabled());
    EXPECT_TRUE(help->isEnabled());
    help->findChild<QPushButton*>("BUTTON27")->click();
    QApplication::processEvents();
    EXPECT_TRUE(f.form->isEnabled());
    EXPECT_EQ(f.help(), nullptr);

    f.form->reports().BUTTON14_ON();
    help = f.help();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->size(), QSize(792, 640));
    bool usageShown = false;
    for (const TextDraw& t : help->canvas().textLog())
        usageShown |= t.text.find("使い方") != std::string::npos;
    EXPECT_FALSE(usageShown);
    help->close(); // by the window frame
    QApplication::processEvents();
    EXPECT_TRUE(f.form->isEnabled());
    EXPECT_EQ(f.form->reports().helpMode(), 2);
}

std::string lastPdf(const std::string& transcript) {
    const std::size_t at = transcript.rfind("PRINT doc=");
    if (at == std::string::npos) return {};
    const std::size_t arrow = transcript.find("-> ", at);
    return transcript.substr(arrow + 3, transcript.find('\n', arrow) - arrow - 3);
}

// The language for one case, Japanese again afterwards.
struct InLanguage {
    explicit InLanguage(Language language) { cli::useLanguage(language); }
    ~InLanguage() { cli::useLanguage(Language::Japanese); }
};

TEST(HelpWindow, PrintsTheTextOfItsModeInEitherLanguage) {
    const struct {
        Language language;
        const char *title, *reading;
    } cases[] = {{Language::Japanese, "Skewness と Kurtosis", "ｂ2＞３"},
                 {Language::English, "<< About skewness and kurtosis >>", "longer tails than the normal"}};
    for (const auto& c : cases) {
        InLanguage language(c.language);
        Fixture f("helpprint");
        f.form->show();
        f.form->reports().BUTTON14_ON();
        Form4* help = f.help();
        ASSERT_NE(help, nullptr);
        f.services.queuePrint(true);
        help->BUTTON24_ON();
        EXPECT_TRUE(help->isVisible());
        const auto pages = pdfPages(lastPdf(f.out.str()));
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NE(pages[0].find(c.title), std::string::npos) << c.title;
        EXPECT_NE(pages[0].find(c.reading), std::string::npos) << c.reading;
        help->close();
        QApplication::processEvents();
    }
}

// Each help text on its window: inside the window's width and above the buttons, in both
// languages (an English line longer than the grid would run off the window or under a button).
TEST(HelpWindow, EveryLineFitsTheWindowInEitherLanguage) {
    for (Language language : {Language::Japanese, Language::English})
        for (int mode : {1, 2}) {
            InLanguage chosen(language);
            Fixture f("helpfit");
            f.form->show();
            if (mode == 1)
                f.form->reports().BUTTON18_ON();
            else
                f.form->reports().BUTTON14_ON();
            Form4* help = f.help();
            ASSERT_NE(help, nullptr);
            const int buttonTop = help->findChild<QPushButton*>("BUTTON24")->geometry().top();
            Canvas& c = help->canvas();
            ASSERT_GT(c.textLog().size(), 15u);
            for (const TextDraw& t : c.textLog()) {
                EXPECT_LE(t.x + c.textWidth(t.text, Font{kMincho, t.size}), help->width() - 8) << t.text;
                EXPECT_LE(t.y + t.size, buttonTop) << t.text;
            }
            if (language == Language::English) {
                EXPECT_EQ(help->findChild<QPushButton*>("BUTTON24")->toolTip(), "Print this explanation");
            }
            help->close();
            QApplication::processEvents();
        }
}

TEST(SecondaryWindowPrints, GraphStatisticsAndIntervalHelp) {
    Fixture f("form8");
    f.open(main200());
    f.form->show();
    const std::vector<double> values = f.form->appState().data.numbers();
    GraphClasses classes;
    classes.lower = 6.0;
    classes.upper = 9.0;
    classes.interval = 0.1;
    classes.count = 30;
    Form8* stats = openGraphStatistics(f.services, values, classes, "T", f.form.get(), {});
    ASSERT_NE(stats, nullptr);
    f.services.queuePrint(true);
    stats->BUTTON26_ON();
    EXPECT_TRUE(stats->isVisible());
    EXPECT_TRUE(stats->isEnabled());
    auto pages = pdfPages(lastPdf(f.out.str()));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("<< statistic >>"), std::string::npos);
    EXPECT_NE(pages[0].find("*** cube-transformed data ***"), std::string::npos);
    EXPECT_NE(pages[0].find("File Name： /tmp/klepsydra-reports/main_200.csv (N=200)"), std::string::npos);
    stats->close();
    QApplication::processEvents();

    Form9* plotHelp = openProbabilityPlotHelp(f.services, f.form.get(), {});
    const std::string before = lastPdf(f.out.str());
    f.services.queuePrint(false);
    plotHelp->BUTTON25_ON(); // cancelled: nothing printed, the window back as it was
    EXPECT_TRUE(plotHelp->isVisible());
    EXPECT_TRUE(plotHelp->isEnabled());
    EXPECT_EQ(lastPdf(f.out.str()), before);
    f.services.queuePrint(true);
    plotHelp->BUTTON25_ON();
    pages = pdfPages(lastPdf(f.out.str()));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("95％信頼区間について"), std::string::npos);
    if (qEnvironmentVariableIsSet("KLEPSYDRA_KEEP_PAGES"))
        pdfPage(lastPdf(f.out.str()), 1, "/tmp/kl-form9-page");
    plotHelp->close();
    QApplication::processEvents();
}

TEST(HelpWindowGolden, BothModes) {
    for (int mode : {1, 2}) {
        Fixture f("helpgolden" + std::to_string(mode));
        f.form->show();
        if (mode == 1)
            f.form->reports().BUTTON18_ON();
        else
            f.form->reports().BUTTON14_ON();
        Form4* help = f.help();
        ASSERT_NE(help, nullptr);
        golden::expectMatches(help->grab().toImage(), mode == 1 ? "form4_usage.png" : "form4_shape.png");
        help->close();
        QApplication::processEvents();
    }
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
