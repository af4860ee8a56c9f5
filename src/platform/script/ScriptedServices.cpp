#include "platform/script/ScriptedServices.h"

#include "platform/qt/PagedPrintJob.h"
#include "platform/qt/QtConvert.h"
#include "text/FileIO.h"

#include <QCoreApplication>
#include <QDir>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace kl {

const char* answerName(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "OK";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    case Answer::Cancel:
        return "Cancel";
    }
    return "?";
}

const char* buttonsName(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return "OK";
    case Buttons::YesNo:
        return "YesNo";
    case Buttons::YesNoCancel:
        return "YesNoCancel";
    }
    return "?";
}

const char* iconName(Icon icon) {
    switch (icon) {
    case Icon::Stop:
        return "stop";
    case Icon::Question:
        return "question";
    case Icon::Exclamation:
        return "exclamation";
    case Icon::Information:
        return "information";
    }
    return "?";
}

std::optional<Answer> parseAnswer(std::string_view word) {
    std::string w(word);
    for (char& c : w)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (w == "ok") return Answer::Ok;
    if (w == "yes") return Answer::Yes;
    if (w == "no") return Answer::No;
    if (w == "cancel") return Answer::Cancel;
    return std::nullopt;
}

namespace {

bool fits(Answer answer, Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer != Answer::Ok;
    }
    return false;
}

std::string joinLabels(const std::vector<FileFilter>& filters) {
    std::string all;
    for (const FileFilter& f : filters) {
        if (!all.empty()) all += ';';
        all += f.label;
    }
    return all;
}

} // namespace

ScriptedServices::ScriptedServices(Transcript& transcript, std::string workdir)
    : transcript_(transcript), workdir_(workdir), printDir_(workdir), cwd_(std::move(workdir)) {
    fatal_ = [this](const std::string& reason) {
        transcript_.line("SCRIPT ERROR: " + reason);
        std::fflush(stdout);
        std::_Exit(2);
    };
}

void ScriptedServices::fail(const std::string& reason) {
    fatal_(reason);
    std::_Exit(2); // a fatal handler that returns would let the program run on a made-up answer
}

std::string ScriptedServices::inWorkdir(const std::string& path) const {
    if (path.empty() || path.front() == '/') return path;
    return QDir(QString::fromStdString(workdir_))
        .absoluteFilePath(QString::fromStdString(path))
        .toStdString();
}

void ScriptedServices::holdZAfter(int polls) {
    zHeldAfter_ = polls < 0 ? 0 : polls;
    zPolls_ = 0;
}

Answer ScriptedServices::message(const std::string& caption, const std::string& text, Buttons buttons,
                                 Icon icon) {
    ++messageCount_;
    const std::string box = "caption=" + Transcript::quoted(caption) + " buttons=" + buttonsName(buttons) +
                            " icon=" + iconName(icon) + " text=" + Transcript::quoted(text);
    Answer answer = Answer::Ok;
    if (buttons == Buttons::Ok) {
        // A queued answer is meant for a question; only a queued OK belongs to this box.
        if (!answers_.empty() && answers_.front() == Answer::Ok) answers_.pop_front();
    } else {
        if (answers_.empty()) fail("no answer queued for the question box " + box);
        answer = answers_.front();
        if (!fits(answer, buttons))
            fail(std::string("the queued answer ") + answerName(answer) + " does not fit the box " + box);
        answers_.pop_front();
    }
    transcript_.line("MSG " + box + " -> " + answerName(answer));
    return answer;
}

std::optional<std::string> ScriptedServices::fileDialog(const char* kind, const char* initialKey,
                                                        const FileDialogRequest& request) {
    const std::string dialog = std::string(kind) + " title=" + Transcript::quoted(request.title) + " " +
                               initialKey + "=" + Transcript::quoted(request.initial) +
                               " filter=" + Transcript::quoted(joinLabels(request.filters));
    if (files_.empty()) fail("no file queued for the dialog " + dialog);
    std::optional<std::string> result = files_.front();
    files_.pop_front();
    if (result && !result->empty() && result->front() != '/') {
        // A file to read is named from the current folder, one to write goes to the working folder.
        const bool save = std::string_view(kind) == "SAVE-DIALOG";
        result = save ? inWorkdir(*result)
                      : QDir::current().absoluteFilePath(QString::fromStdString(*result)).toStdString();
    }
    transcript_.line(dialog + " -> " + (result ? *result : std::string("cancel")));
    return result;
}

std::optional<std::string> ScriptedServices::openFile(const FileDialogRequest& request) {
    return fileDialog("OPEN-DIALOG", "dir", request);
}

std::optional<std::string> ScriptedServices::saveFile(const FileDialogRequest& request) {
    return fileDialog("SAVE-DIALOG", "path", request);
}

bool ScriptedServices::printDialog() {
    if (prints_.empty()) fail("no answer queued for the print dialog");
    const bool ok = prints_.front();
    prints_.pop_front();
    transcript_.line(std::string("PRINT-DIALOG -> ") + (ok ? "ok" : "cancel"));
    return ok;
}

std::string ScriptedServices::numberedPath(const char* stem, int number, const char* ext) {
    ensureFolder(printDir_);
    char name[32];
    std::snprintf(name, sizeof name, "%s-%03d.%s", stem, number, ext);
    std::string folder = printDir_;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + name;
}

std::unique_ptr<PrintJob> ScriptedServices::startPrint(const std::string& docName) {
    const std::string path = numberedPath("print", ++printCount_, "pdf");
    return std::make_unique<PdfPrintJob>(
        path, docName, [this, path, docName](int pages, bool ok, const std::string& error) {
            const std::string head =
                "PRINT doc=" + Transcript::quoted(docName) + " pages=" + std::to_string(pages);
            transcript_.line(head + " -> " + (ok ? path : "FAILED " + Transcript::quoted(error)));
        });
}

void ScriptedServices::clipboardSetBitmap(const Bitmap& bitmap) {
    const std::string path = numberedPath("clip", ++clipCount_, "png");
    const QByteArray png = pngBytes(toImage(bitmap));
    std::string error;
    const bool ok = writeFileAtomic(path, std::string_view(png.constData(), std::size_t(png.size())), &error);
    transcript_.line("CLIPBOARD-BITMAP " + std::to_string(bitmap.width) + "x" +
                     std::to_string(bitmap.height) + " -> " +
                     (ok ? path : "FAILED " + Transcript::quoted(error)));
}

bool ScriptedServices::zKeyDown() {
    if (!zHeldAfter_) return false;
    const bool down = zPolls_ >= *zHeldAfter_;
    if (zPolls_ < INT_MAX) ++zPolls_;
    return down;
}

void ScriptedServices::atPoll(int polls, std::function<void()> action) {
    pollsLeft_ = polls < 1 ? 1 : polls;
    pollAction_ = std::move(action);
}

void ScriptedServices::processEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    if (pollAction_ && --pollsLeft_ <= 0) {
        std::function<void()> action = std::move(pollAction_);
        pollAction_ = nullptr;
        action();
    }
}

void ScriptedServices::beep() {
    transcript_.line("BEEP");
}

bool ScriptedServices::launch(const std::string& path) {
    transcript_.line("LAUNCH maximised " + path);
    return true;
}

void ScriptedServices::exitProgram(int status) {
    if (ended_) return;
    ended_ = true;
    exitStatus_ = status;
    transcript_.line("EXIT");
}

} // namespace kl
