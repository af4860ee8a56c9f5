// The desktop services that can be checked without a person: dialog filters, the Z key tracked
// from key events, Qt's Japanese button texts, and print jobs on a PDF printer.

#include "AppTestMain.h"

#include "platform/qt/PagedPrintJob.h"
#include "platform/qt/QtServices.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

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
