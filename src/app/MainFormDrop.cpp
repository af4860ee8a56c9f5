// A data file dropped on the main window is opened as the open button opens the file chosen in
// its dialog: the same save prompts first, then the same checks and messages.
#include "app/MainForm.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace kl {

namespace {

// The one local file a drag carries; nothing for several files, a remote address or plain text.
std::optional<std::string> droppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
    return urls.front().toLocalFile().toStdString();
}

} // namespace

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
    QTimer::singleShot(0, this, [this, file = *path] { guarded([&] { openDroppedFile(file); }); });
}

void MainForm::openDroppedFile(const std::string& path) {
    if (busy_ || !promptBeforeOpen()) return;
    openDataFile(path);
}

} // namespace kl
