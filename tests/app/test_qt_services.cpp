// The desktop services that can be checked without a person: dialog filters, the Z key tracked
// from key events (also while a long loop polls it), Qt's Japanese button texts, print jobs on a
// PDF file read back with poppler (pages, size, where the drawings land), and the clipboard.
// The dialogs themselves are in test_qt_dialogs.cpp.

#include "AppTestMain.h"

#include "platform/qt/PagedPrintJob.h"
#include "platform/qt/QtServices.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace kl {
namespace {

TEST(QtServices, FiltersListBothLetterCasesAndAllFilesAsStar) {
    struct Case {
        FileFilter filter;
        const char* qt;
    };
    const Case cases[] = {
        {{"CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)", {"*.CSV", "*.TXT", "*.TEXT"}},
         "CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT) (*.csv *.CSV *.txt *.TXT *.text *.TEXT)"},
        {{"すべてのファイル(*.*)", {"*.*"}}, "すべてのファイル(*.*) (*)"},
        {{"VSC", {"*.vsc"}}, "VSC (*.vsc *.VSC)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtFilter(c.filter), QString::fromUtf8(c.qt));
}

TEST(QtServices, ZIsDownFromItsPressUntilItsRelease) {
    QtServices services;
    QLineEdit field;
    const auto send = [&](QEvent::Type type, int key, bool repeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(&field, &event);
    };
    EXPECT_FALSE(services.zKeyDown());
    send(QEvent::KeyPress, Qt::Key_A);
    EXPECT_FALSE(services.zKeyDown());
    send(QEvent::KeyPress, Qt::Key_Z);
    EXPECT_TRUE(services.zKeyDown());
    send(QEvent::KeyRelease, Qt::Key_Z, true); // an auto-repeat release: the key is still held
    EXPECT_TRUE(services.zKeyDown());
    send(QEvent::KeyRelease, Qt::Key_A);
    EXPECT_TRUE(services.zKeyDown());
    send(QEvent::KeyRelease, Qt::Key_Z);
    EXPECT_FALSE(services.zKeyDown());
}

// A long loop (reading a file, pasting) polls zKeyDown() and nothing else: a Z pressed while it
// runs must reach the tracker through the events that poll lets through. The program's own case:
// the main window disabled, the progress window in front.
TEST(QtServices, ALongLoopSeesZPressedWhileItRunsAndStopsSeeingItAfterTheRelease) {
    QtServices services;
    QWidget mainWindow, progress;
    mainWindow.show();
    progress.setWindowFlags(Qt::Dialog);
    progress.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress, 20000));
    mainWindow.setEnabled(false);
    for (QWidget* target : {&progress, &mainWindow}) {
        SCOPED_TRACE(target == &progress ? "key to the progress window" : "key to the disabled main window");
        const auto loopUntil = [&](bool down) {
            QElapsedTimer clock;
            clock.start();
            int polls = 0;
            while (services.zKeyDown() != down && clock.elapsed() < 30000)
                ++polls;
            return polls;
        };
        QTimer::singleShot(50, target, [target] { QTest::keyPress(target->windowHandle(), Qt::Key_Z); });
        EXPECT_GT(loopUntil(true), 0); // seen by the loop, not before it started
        EXPECT_TRUE(services.zKeyDown());
        QTimer::singleShot(50, target, [target] { QTest::keyRelease(target->windowHandle(), Qt::Key_Z); });
        EXPECT_GT(loopUntil(false), 0);
        EXPECT_FALSE(services.zKeyDown());
    }
}

TEST(QtServices, ABitmapOnTheClipboardKeepsItsSizeAndPixels) {
    QtServices services;
    Bitmap bitmap;
    bitmap.width = 7;
    bitmap.height = 5;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            bitmap.pixels.push_back(
                Rgb{std::uint8_t(x * 36), std::uint8_t(y * 60), std::uint8_t(255 - x * y * 7)});
    services.clipboardSetBitmap(bitmap);
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_EQ(image.size(), QSize(7, 5));
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const Rgb p = bitmap.pixels[std::size_t(y * bitmap.width + x)];
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, qRgb(p.r, p.g, p.b) & 0xFFFFFF) << x << "," << y;
        }
}

TEST(QtServices, ClipboardTextReadsWhatWasCopiedAndNothingWithoutText) {
    QtServices services;
    const char* copied = "12.5\r\n13\t14\r\n測定値　15\n";
    QGuiApplication::clipboard()->setText(QString::fromUtf8(copied));
    EXPECT_EQ(services.clipboardText(), std::optional<std::string>(copied));

    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(services.clipboardText(), std::nullopt);
    QGuiApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32)); // a picture, no text
    EXPECT_EQ(services.clipboardText(), std::nullopt);
}

TEST(QtServices, MessageBoxButtonsReadInJapanese) {
    ASSERT_TRUE(installJapaneseTranslations(*QCoreApplication::instance())) << "qtbase_ja is not installed";
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").startsWith(QStringLiteral("はい")));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&No").startsWith(QStringLiteral("いいえ")));
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "Cancel").startsWith(QStringLiteral("キャンセル")));
}

TEST(QtServices, PrintJobsOnAPdfFileAreA4InTenthsOfAMillimetre) {
    QTemporaryDir dir;
    int pagesSeen = 0;
    bool okSeen = false;
    const std::string path = dir.path().toStdString() + "/job.pdf";
    {
        PdfPrintJob job(path, "PRINTER", [&](int pages, bool ok, const std::string&) {
            pagesSeen = pages;
            okSeen = ok;
        });
        EXPECT_NEAR(job.pageWidth(), 2000, 1);
        EXPECT_NEAR(job.pageHeight(), 2870, 1);
        EXPECT_EQ(job.verticalDpi(), 600);
        job.page().text(100, 100, "度数表", Font{kMincho, 14}, Black);
        job.newPage();
        job.newPage();
        EXPECT_TRUE(job.finish());
        EXPECT_TRUE(job.finish()); // once only
    }
    EXPECT_EQ(pagesSeen, 3);
    EXPECT_TRUE(okSeen);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
}

// ---- a printed document read back: poppler's page count and size, pages drawn at 50 dpi -------

QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed (poppler-utils is needed): " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

constexpr int kDpi = 50;

// A page rendered at 50 dpi, read at positions in 0.1 mm from the top left of the printable
// area (the 5 mm margin in front).
struct RenderedPage {
    QImage image;
    QPoint at(double x, double y) const {
        const auto px = [](double units) { return int((50.0 + units) / 254.0 * kDpi); };
        return {px(x), px(y)};
    }
    bool dark(double x, double y) const { return qGray(image.pixel(at(x, y))) < 100; }
    // Dark pixels in a box of units.
    int darkIn(double x1, double y1, double x2, double y2) const {
        int n = 0;
        const QPoint a = at(x1, y1), b = at(x2, y2);
        for (int y = a.y(); y <= b.y(); ++y)
            for (int x = a.x(); x <= b.x(); ++x)
                n += qGray(image.pixel(x, y)) < 128;
        return n;
    }
};

RenderedPage render(const QString& pdf, int page, const QString& folder) {
    const QString out = folder + QStringLiteral("/page%1").arg(page);
    runTool(QStringLiteral("pdftoppm"), {"-r", QString::number(kDpi), "-png", "-f", QString::number(page),
                                         "-l", QString::number(page), "-singlefile", pdf, out});
    return {QImage(out + QStringLiteral(".png"))};
}

// Page 1: a filled box, and small boxes in the two extreme corners of the printable area.
// Page 2: a filled box elsewhere. Page 3: a large text.
void drawThreePages(PrintJob& job) {
    const double w = job.pageWidth(), h = job.pageHeight();
    job.page().fillBox(100, 100, 600, 400, Black);
    job.page().fillBox(0, 0, 60, 60, Black);
    job.page().fillBox(w - 60, h - 60, w, h, Black);
    job.newPage();
    job.page().fillBox(1000, 2000, 1500, 2500, Black);
    job.newPage();
    job.page().text(300, 1200, "度数表", Font{kGothic, 48}, Black);
}

void checkThreePages(const QString& pdf, const QString& folder) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {"-f", "1", "-l", "3", pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    for (int p = 1; p <= 3; ++p)
        EXPECT_TRUE(info.contains(QRegularExpression(
            QStringLiteral("Page\\s+%1 size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)").arg(p))))
            << "page " << p << " is not A4:\n"
            << info.toStdString();

    const RenderedPage one = render(pdf, 1, folder), two = render(pdf, 2, folder),
                       three = render(pdf, 3, folder);
    for (const RenderedPage* page : {&one, &two, &three}) { // A4 at 50 dpi
        ASSERT_NEAR(page->image.width(), 413.4, 1);
        ASSERT_NEAR(page->image.height(), 584.6, 1);
    }

    EXPECT_TRUE(one.dark(350, 250));    // inside the box
    EXPECT_FALSE(one.dark(350, 500));   // below it
    EXPECT_FALSE(one.dark(750, 250));   // right of it
    EXPECT_TRUE(one.dark(30, 30));      // the printable area starts 5 mm in
    EXPECT_FALSE(one.dark(-30, -30));   // and nothing is drawn in the margin
    EXPECT_TRUE(one.dark(1970, 2840));  // the far corner: 200 x 287 mm
    EXPECT_FALSE(one.dark(1250, 2250)); // page 2's box is not on page 1

    EXPECT_TRUE(two.dark(1250, 2250));
    EXPECT_FALSE(two.dark(1250, 1900));
    EXPECT_FALSE(two.dark(350, 250));

    // 48 pt text: its glyphs lie right of and below the given corner, within the cell's height
    // of 169 units and three full-width cells.
    EXPECT_GT(three.darkIn(300, 1200, 300 + 3 * 170, 1370), 100);
    EXPECT_EQ(three.darkIn(300, 1000, 900, 1190), 0);
    EXPECT_EQ(three.darkIn(100, 1200, 290, 1370), 0);
    EXPECT_EQ(three.darkIn(300, 1400, 900, 1600), 0);
}

TEST(QtServices, APrintedDocumentHasItsPagesAndEachDrawingWhereItWasPut) {
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/job.pdf");
    {
        PdfPrintJob job(pdf.toStdString(), "REPORT");
        drawThreePages(job);
        ASSERT_TRUE(job.finish());
    }
    checkThreePages(pdf, dir.path());
}

// A printer chosen in the print dialog draws through the same paged job.
TEST(QtServices, APrinterJobPutsTheDrawingsWhereAPdfJobDoes) {
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/printer.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    setUpA4(printer);
    {
        PagedPrintJob job(printer);
        EXPECT_NEAR(job.pageWidth(), 2000, 1);
        EXPECT_NEAR(job.pageHeight(), 2870, 1);
        drawThreePages(job);
        ASSERT_TRUE(job.finish());
        EXPECT_EQ(job.pages(), 3);
    }
    checkThreePages(pdf, dir.path());
}

TEST(QtServices, APdfThatCannotBeWrittenIsReportedAndLeavesNothing) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/missing/folder/job.pdf";
    std::string errorSeen;
    PdfPrintJob job(path, "PRINTER",
                    [&](int, bool ok, const std::string& error) { errorSeen = ok ? "" : error; });
    EXPECT_FALSE(job.finish());
    EXPECT_FALSE(errorSeen.empty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
