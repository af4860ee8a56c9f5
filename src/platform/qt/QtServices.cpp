#include "platform/qt/QtServices.h"

#include "platform/qt/PagedPrintJob.h"
#include "platform/qt/QtConvert.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QTranslator>
#include <QUrl>

namespace kl {

ZKeyTracker::ZKeyTracker(QObject* parent) : QObject(parent) {}

bool ZKeyTracker::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Z && !key->isAutoRepeat()) down_ = event->type() == QEvent::KeyPress;
        break;
    }
    case QEvent::ApplicationDeactivate:
        down_ = false; // the release would go to another application
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QString qtFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const std::string& p : filter.patterns) {
        const QString pattern = toQString(p);
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
            patterns << QStringLiteral("*");
            continue;
        }
        for (const QString& form : {pattern.toLower(), pattern.toUpper()})
            if (!patterns.contains(form)) patterns << form;
    }
    return toQString(filter.label) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
           QLatin1Char(')');
}

QStringList qtFilters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& f : filters)
        list << qtFilter(f);
    return list;
}

bool installJapaneseTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QtServices::QtServices() : zKey_(std::make_unique<ZKeyTracker>()) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(zKey_.get());
}

QtServices::~QtServices() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(zKey_.get());
    while (busyDepth_ > 0)
        setBusy(false);
}

Answer QtServices::message(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) {
    static const QMessageBox::Icon icons[] = {QMessageBox::Critical, QMessageBox::Question,
                                              QMessageBox::Warning, QMessageBox::Information};
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == Buttons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QString body = toQString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icons[int(icon)], toQString(caption), body, set, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::Ok ? Answer::Ok
                                      : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
    }
}

namespace {

std::optional<std::string> runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), toQString(request.title));
    dialog.setNameFilters(qtFilters(request.filters));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QFileInfo initial(toQString(request.initial));
    if (request.initial.empty())
        dialog.setDirectory(QDir::current());
    else if (initial.isDir())
        dialog.setDirectory(initial.absoluteFilePath());
    else {
        dialog.setDirectory(initial.absolutePath());
        if (save) dialog.selectFile(initial.fileName());
    }
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toStdString(dialog.selectedFiles().first());
}

} // namespace

std::optional<std::string> QtServices::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<std::string> QtServices::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

bool QtServices::printDialog() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setUpA4(*printer_);
    }
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<PrintJob> QtServices::startPrint(const std::string& docName) {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setUpA4(*printer_);
    }
    // Printing to a PDF file goes through the same atomic writer as every other file.
    if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
        return std::make_unique<PdfPrintJob>(toStdString(printer_->outputFileName()), docName);
    printer_->setDocName(toQString(docName));
    return std::make_unique<PagedPrintJob>(*printer_);
}

std::optional<std::string> QtServices::clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return std::nullopt;
    return toStdString(data->text());
}

void QtServices::clipboardSetBitmap(const Bitmap& bitmap) {
    QGuiApplication::clipboard()->setImage(toImage(bitmap));
}

bool QtServices::zKeyDown() {
    processEvents(); // key events reach the tracker only while events are processed
    return zKey_->down();
}

void QtServices::processEvents() {
    QCoreApplication::processEvents();
}

void QtServices::beep() {
    QApplication::beep();
}

void QtServices::pause(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

ScreenSize QtServices::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    return ScreenSize{screen->geometry().width(), screen->geometry().height()};
}

OsVersion QtServices::osVersion() {
    // The kernel's release ("6.1.0-18-amd64") gives the major and minor numbers.
    const QStringList parts = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    OsVersion v;
    v.major = parts.size() > 0 ? parts[0].toInt() : 0;
    v.minor = parts.size() > 1 ? parts[1].toInt() : 0;
    return v;
}

std::string QtServices::currentFolder() {
    return toStdString(QDir::currentPath());
}

bool QtServices::launch(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

void QtServices::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

void QtServices::exitProgram(int status) {
    if (exitRequested_) return;
    exitRequested_ = true;
    exitStatus_ = status;
    QCoreApplication::exit(status);
}

} // namespace kl
