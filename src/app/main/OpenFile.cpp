// Opening a data file: from the open dialog (or a file dropped on the window) to the first
// frequency table.
#include "app/Form6.h"
#include "app/main/DataPanel.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/TablePanel.h"

#include "data/DataFileReader.h"
#include "data/Message.h"
#include "text/FileIO.h"
#include "text/Path.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <array>

namespace kl {

namespace {

// Extensions refused without a word: sound, video, pictures, archives, programs. Compared
// exactly, so only the all-capital and all-small forms are caught.
constexpr std::array<const char*, 22> kRejectedExtensions = {
    ".WMA", ".wma", ".exe", ".EXE", ".LZH", ".lzh", ".mpg", ".MPG", ".mpeg", ".MPEG", ".JPG",
    ".jpg", ".bmp", ".BMP", ".ZIP", ".zip", ".cab", ".CAB", ".WAV", ".wav",  ".mid",  ".MID"};

bool rejectedExtension(const std::string& ext) {
    for (const char* e : kRejectedExtensions)
        if (ext == e) return true;
    return false;
}

// The one local file a drag carries; nothing for several files, a remote address or plain text.
std::optional<std::string> droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
    return urls.front().toLocalFile().toStdString();
}

} // namespace

FilePanel::FilePanel(MainForm& window)
    : MainPanel(window), edit1_(control<QLineEdit>("EDIT1")), edit2_(control<QLineEdit>("EDIT2")) {}

bool FilePanel::chooseDataFile(std::string* chosen) {
    std::string remembered = rememberedFolder();
    const std::string dataFolder = window_.workdir() + "/data_f/";
    ensureFolder(window_.workdir() + "/data_f");
    FileDialogRequest request;
    request.title = translate("FilePanel", "ファイルのオープン");
    request.initial = remembered.empty() ? dataFolder : remembered;
    request.filters = {
        {translate("FilePanel", "CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)"),
         {"*.CSV", "*.TXT", "*.TEXT", "*.csv", "*.txt", "*.text"}},
        {translate("FilePanel", "すべてのファイル(*.*)"), {"*"}},
    };
    std::optional<std::string> path = services_.openFile(request);
    if (!path) return false;
    *chosen = *path;
    return true;
}

bool FilePanel::promptBeforeOpen() {
    window_.FOC();
    if ((state_.manual != 0 || savePromptsDue(3)) && !savePrompts(true)) return false;
    state_.manual = 0;
    return true;
}

void FilePanel::BUTTON1_ON() {
    if (!promptBeforeOpen()) return;
    std::string path;
    if (!chooseDataFile(&path)) {
        state_.manual = 0;
        return;
    }
    openDataFile(path);
}

void FilePanel::openDataFile(const std::string& path) {
    // The chosen file's name parts; the data set's source fields change only once it is accepted.
    PathParts parts = splitPath(path);
    const std::string newPath = trimBlanks(parts.drive + parts.folder + parts.base + parts.ext);
    services_.pause(10);
    if (rejectedExtension(parts.ext)) {
        services_.beep();
        return;
    }
    window_.writeOption(options::rememberedFolder, parts.drive + parts.folder);
    if (trimBlanks(parts.ext).empty()) return;
    const std::string newBase = trimBlanks(parts.drive + parts.folder + parts.base);

    BusyPointer busy(services_);
    DataReadResult result;
    if (!readChosenFile(newPath, &result)) return;
    if (result.status == ReadStatus::Refused) {
        showMessages(result);
        return;
    }
    // A cancel, while reading or while listing, leaves the previous data set as it was.
    if (result.status == ReadStatus::Cancelled) {
        showMessages(result);
        return;
    }
    if (!window_.data().fillValueList(result.values)) {
        say("CAUTION", readCancelledMessage().text);
        return;
    }
    acceptSource(newPath, parts.base, newBase);
    state_.data.values = std::move(result.values);
    state_.counter = 0;
    window_.reports().setPrintable(true);
    if (!window_.showNewData()) return;
    restoreSettings();
}

// Accepted: the file becomes the source of the data set, with its companion's decimal places.
void FilePanel::acceptSource(const std::string& path, const std::string& name, const std::string& base) {
    window_.table().closeKeptGraph();
    state_.data.sourcePath = path;
    state_.data.sourceName = name;
    state_.data.sourceBase = base;
    state_.settingsFound = false;
    state_.pasted = 0;
    state_.refLower.clear();
    state_.refUpper.clear();
    edit1_->setText(QString::fromStdString(path));
    edit2_->setText(QString::fromStdString(name));
    std::string places = trimBlanks(readCompanionDecimalPlaces());
    int d = places.empty() ? 2 : static_cast<int>(leadingNumber(places));
    if (d < 1 || d > 4) d = 2;
    state_.data.decimalPlaces = d;
    window_.data().showDecimalPlaces(d);
}

// Steps of the read that run with the progress window: false when nothing was read at all
// (the reason was shown).
bool FilePanel::readChosenFile(const std::string& path, DataReadResult* result) {
    auto openProgress = [this] { window_.startProgress().open(); };
    int polls = 0;
    DataReadHooks hooks;
    hooks.itemsBegin = openProgress;
    hooks.fillSegment = [this](int k) { window_.progressWindow()->fillTo(k); };
    hooks.cancelRequested = [this, &polls] {
        if (++polls % 256 == 0) services_.processEvents();
        return services_.zKeyDown();
    };
    *result = readDataFileAt(path, hooks);
    // A file that vanished reads as no values at all, which the too-few rule refuses.
    if (result->fileFailure == ReadFailure::Missing) openProgress();
    Form6* progress = window_.progressWindow();
    if (progress == nullptr) {
        // Refused before any item (not readable, not text, several columns): nothing changes.
        services_.setBusy(false);
        Message m = result->fileFailure != ReadFailure::None
                        ? unreadableFileMessage(result->fileFailure, result->fileError, path)
                        : result->messages.front();
        say(m);
        return false;
    }
    if (result->status == ReadStatus::Refused) {
        progress->fillTo(Form6::kSegments);
        services_.pause(40);
        services_.setBusy(false);
        showMessages(*result);
        result->messages.clear();
        window_.closeProgress();
        window_.endBusy();
        return false;
    }
    if (result->status == ReadStatus::Ok) {
        // The 40,000 caution is shown while the progress window is still up.
        showMessages(*result);
        result->messages.clear();
    } else {
        window_.closeProgress();
        window_.endBusy();
    }
    return true;
}

void FilePanel::showMessages(const DataReadResult& result) {
    for (const Message& m : result.messages)
        say(m);
}

void FilePanel::openDroppedFile(const std::string& path) {
    if (window_.busy() || !promptBeforeOpen()) return;
    openDataFile(path);
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!busy_ && droppedFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainForm::dropEvent(QDropEvent* event) {
    const std::optional<std::string> path = droppedFile(event->mimeData());
    if (busy_ || !path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Read once the drop has ended, so the program the file came from is not held by our prompts.
    QTimer::singleShot(0, this, [this, file = *path] { guarded([&] { files_->openDroppedFile(file); }); });
}

} // namespace kl
