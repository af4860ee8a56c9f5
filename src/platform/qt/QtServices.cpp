#include "platform/qt/QtServices.h"

#include "platform/qt/PagedPrintJob.h"
#include "platform/qt/QtConvert.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QTranslator>

namespace kl {

namespace {

// How long the desktop's opener may take to start, and to say whether it found a program.
constexpr int kOpenerStartMs = 5000;
constexpr int kOpenerVerdictMs = 3000;

} // namespace

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

void QtServices::proposePrintFile(const std::string& path) {
    proposedPrintFile_ = toQString(path);
}

bool QtServices::printDialog() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setUpA4(*printer_);
    }
    if (!proposedPrintFile_.isEmpty()) {
        // The proposal goes where the last PDF went, else beside the data file, else in the
        // current folder. A real printer chosen before stays chosen: then only the name is
        // proposed, for a switch to printing into a file.
        const QFileInfo proposal(proposedPrintFile_);
        QString folder = lastPrintFolder_;
        if (folder.isEmpty()) folder = proposal.isAbsolute() ? proposal.absolutePath() : QDir::currentPath();
        const QString file = QDir(folder).filePath(proposal.fileName());
        if (printer_->outputFormat() == QPrinter::PdfFormat || QPrinterInfo::availablePrinters().isEmpty())
            printer_->setOutputFileName(file);
        printer_->setDocName(proposal.completeBaseName());
        proposedPrintFile_.clear();
    }
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
        lastPrintFolder_ = QFileInfo(printer_->outputFileName()).absolutePath();
    return true;
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
    // On an X server its key state is the truth: it knows a key held since before the program
    // saw it pressed. Elsewhere the key events seen tell.
    if (const std::optional<bool> held = zKeyState_.held()) return *held;
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
    // The desktop's opener says by its exit status whether a program took the file (Qt's own
    // openUrl only says that the opener started). Where it runs the program in the foreground it
    // is still running after a moment: that is a success too, and it is left to run on its own.
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->start(QStringLiteral("xdg-open"), {toQString(path)});
    if (!opener->waitForStarted(kOpenerStartMs)) {
        delete opener;
        return false;
    }
    QEventLoop wait;
    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&patience, &QTimer::timeout, &wait, &QEventLoop::quit);
    QObject::connect(opener, &QProcess::finished, &wait, &QEventLoop::quit);
    patience.start(kOpenerVerdictMs);
    if (opener->state() != QProcess::NotRunning) wait.exec(QEventLoop::ExcludeUserInputEvents);
    if (opener->state() != QProcess::NotRunning) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return true;
    }
    const bool opened = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    opener->deleteLater();
    return opened;
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
