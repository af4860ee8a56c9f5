#include "app/ScriptRunner.h"

#include "app/ControlDriver.h"
#include "cli/BatchCommands.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/SurfaceWidget.h"
#include "text/Cp932.h"
#include "text/FileIO.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace kl {

namespace {

// A line the runner cannot carry out; caught in run(), never thrown through Qt.
struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void bad(const std::string& why) {
    throw LineError(why);
}

void expectWords(const std::vector<std::string>& w, std::size_t n, const char* usage) {
    if (w.size() != n) bad(std::string("expected: ") + usage);
}

int toInt(const std::string& word, const char* what) {
    try {
        std::size_t used = 0;
        const int v = std::stoi(word, &used);
        if (used == word.size()) return v;
    } catch (const std::exception&) {
    }
    bad(std::string(what) + " must be a whole number, not \"" + word + "\"");
}

bool watched(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->isWindow() && !widget->objectName().isEmpty() &&
           widget->windowType() != Qt::Popup && widget->windowType() != Qt::ToolTip;
}

} // namespace

bool WindowWatcher::eventFilter(QObject* object, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Close) && watched(object) &&
        !event->spontaneous()) {
        const std::string name = toStdString(object->objectName());
        if (type == QEvent::Close)
            closing_ = object; // an accepted close hides the window next
        else if (type == QEvent::Show)
            transcript_.line("WINDOW " + name + " shown");
        else {
            transcript_.line("WINDOW " + name + (closing_ == object ? " closed" : " hidden"));
            if (closing_ == object) closing_ = nullptr;
        }
    }
    return QObject::eventFilter(object, event);
}

ScriptRunner::ScriptRunner(ProgramHost& host, ScriptedServices& services, Transcript& transcript)
    : host_(host), services_(services), transcript_(transcript),
      watcher_(std::make_unique<WindowWatcher>(transcript)) {
    services_.setFatal([this](const std::string& reason) {
        const std::string where =
            current_ ? "line " + std::to_string(current_->number) + ": " : std::string();
        const std::string what = current_ ? " (" + current_->text + ")" : std::string();
        transcript_.line("SCRIPT ERROR: " + where + reason + what);
        std::fflush(nullptr);
        std::_Exit(2); // inside a handler of the program: nothing may run on a made-up answer
    });
    qApp->installEventFilter(watcher_.get());
}

ScriptRunner::~ScriptRunner() {
    if (qApp) qApp->removeEventFilter(watcher_.get());
}

int ScriptRunner::run(const std::vector<ScriptLine>& lines) {
    for (const ScriptLine& line : lines) {
        if (line.words.empty() && line.error.empty()) continue;
        current_ = &line;
        try {
            if (!line.error.empty()) bad(line.error);
            if (services_.ended()) bad("the program has ended");
            messagesBeforePrevious_ = messagesBeforeCurrent_;
            messagesBeforeCurrent_ = services_.messageCount();
            execute(line);
            checkEnded();
            if (services_.pollActionPending() && pollActionLine_ != line.number) {
                services_.dropPollAction();
                bad("the click of line " + std::to_string(pollActionLine_) +
                    " never happened: no long loop let events through often enough");
            }
        } catch (const LineError& e) {
            transcript_.line("SCRIPT ERROR: line " + std::to_string(line.number) + ": " + e.what() + " (" +
                             line.text + ")");
            current_ = nullptr;
            return 2;
        }
    }
    current_ = nullptr;
    return services_.ended() ? services_.exitStatus() : 0;
}

void ScriptRunner::ensureStarted() {
    if (started_) return;
    started_ = true;
    host_.start();
    QApplication::processEvents();
}

void ScriptRunner::checkEnded() {
    QApplication::processEvents(); // deferred work of the handlers (posted events, deleteLater)
    watcher_->forgetPendingClose();
    if (!started_ || services_.ended()) return;
    // The program ends when its last window closes.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && !window->objectName().isEmpty()) return;
    services_.exitProgram(0);
}

void ScriptRunner::execute(const ScriptLine& line) {
    if (!runSeamLine(line.words)) runControlLine(line.words);
}

bool ScriptRunner::runSeamLine(const std::vector<std::string>& w) {
    const std::string& verb = w[0];
    if (verb == "answer") {
        expectWords(w, 2, "answer Yes|No|Cancel|OK");
        const auto answer = parseAnswer(w[1]);
        if (!answer) bad("unknown answer \"" + w[1] + "\"");
        services_.queueAnswer(*answer);
    } else if (verb == "file") {
        expectWords(w, 2, "file PATH | file cancel");
        services_.queueFile(w[1] == "cancel" ? std::nullopt : std::optional<std::string>(w[1]));
    } else if (verb == "print") {
        expectWords(w, 2, "print ok|cancel");
        if (w[1] != "ok" && w[1] != "cancel") bad("unknown print answer \"" + w[1] + "\"");
        services_.queuePrint(w[1] == "ok");
    } else if (verb == "printdir") {
        expectWords(w, 2, "printdir DIR");
        services_.setPrintDir(w[1]);
    } else if (verb == "clipboard") {
        expectWords(w, 2, "clipboard TEXT");
        services_.setClipboardText(w[1]);
    } else if (verb == "clipboard-file") {
        expectWords(w, 2, "clipboard-file PATH");
        const auto bytes = readFileBytes(w[1]);
        if (!bytes) bad("cannot read \"" + w[1] + "\"");
        services_.setClipboardText(cp932ToUtf8(*bytes));
    } else if (verb == "hold") {
        expectWords(w, 4, "hold Z AFTER N");
        if (w[1] != "Z" || w[2] != "AFTER") bad("expected: hold Z AFTER N");
        const int polls = toInt(w[3], "N");
        if (polls < 0) bad("N must not be negative");
        services_.holdZAfter(polls);
    } else if (verb == "release") {
        expectWords(w, 2, "release Z");
        if (w[1] != "Z") bad("expected: release Z");
        services_.releaseZ();
    } else if (verb == "screen") {
        expectWords(w, 3, "screen W H");
        services_.setScreen(ScreenSize{toInt(w[1], "W"), toInt(w[2], "H")});
    } else if (verb == "os") {
        expectWords(w, 2, "os MAJOR.MINOR");
        const auto dot = w[1].find('.');
        if (dot == std::string::npos) bad("expected: os MAJOR.MINOR");
        services_.setOs(OsVersion{toInt(w[1].substr(0, dot), "MAJOR"), toInt(w[1].substr(dot + 1), "MINOR")});
    } else if (verb == "cwd") {
        expectWords(w, 2, "cwd PATH");
        services_.setCurrentFolder(w[1]);
    } else if (verb == "expect-no-message") {
        expectWords(w, 1, "expect-no-message");
        // The count before this line equals the count before the previous one: nothing was shown.
        if (messagesBeforeCurrent_ != messagesBeforePrevious_) bad("a message box was shown");
    } else if (verb == "batch") {
        runBatchLine(w);
    } else if (verb == "start") {
        expectWords(w, 1, "start");
        if (started_) bad("the program has already started");
        ensureStarted();
    } else {
        return false;
    }
    return true;
}

// A batch command run as `klepsydra COMMAND ARGS...` would run it, e.g. to make the data a
// scenario reads; its output lines and its exit status go to the transcript.
void ScriptRunner::runBatchLine(const std::vector<std::string>& w) {
    if (w.size() < 2) bad("expected: batch COMMAND ARGUMENTS...");
    const cli::BatchCommand* command = cli::findBatchCommand(w[1]);
    if (!command) bad("unknown batch command \"" + w[1] + "\"");
    std::ostringstream out, err;
    const int status =
        cli::runBatchCommand(*command, std::vector<std::string>(w.begin() + 2, w.end()), out, err);
    for (const auto& [stream, prefix] :
         {std::pair{out.str(), "BATCH-OUT "}, std::pair{err.str(), "BATCH-ERR "}}) {
        std::istringstream lines(stream);
        for (std::string text; std::getline(lines, text);)
            transcript_.line(prefix + Transcript::quoted(text));
    }
    transcript_.line("BATCH " + w[1] + " -> " + std::to_string(status));
}

// The click of `click CONTROL AFTER N`: made while a long loop runs, when it lets events through
// for the Nth time, as a person's click would arrive.
void ScriptRunner::clickLater(const std::string& name, int polls) {
    pollActionLine_ = current_ ? current_->number : 0;
    services_.atPoll(polls, [this, name] {
        QWidget* widget = findWidget(toQString(name));
        if (!widget) return transcript_.line("IGNORED click " + name + ": it is gone");
        const std::string unusable = unusableReason(widget);
        if (!unusable.empty()) return transcript_.line("IGNORED click " + name + ": " + unusable);
        clickWidget(widget);
    });
}

void ScriptRunner::logSurfaceTexts(const std::string& name, QWidget* widget) {
    // A window is its own surface, or holds picture areas that each are one.
    std::vector<SurfaceWidget*> surfaces;
    if (auto* own = qobject_cast<SurfaceWidget*>(widget))
        surfaces.push_back(own);
    else
        for (SurfaceWidget* s : widget->findChildren<SurfaceWidget*>())
            surfaces.push_back(s);
    if (surfaces.empty()) bad(name + " has no drawing surface");
    for (SurfaceWidget* surface : surfaces) {
        const std::string label =
            surface == widget || surface->objectName().isEmpty() ? name : toStdString(surface->objectName());
        for (const TextDraw& t : surface->canvas().textLog())
            transcript_.line("TEXT " + label + " x=" + transcriptNumber(t.x) + " y=" + transcriptNumber(t.y) +
                             " size=" + transcriptNumber(t.size) + " colour=" + std::to_string(t.colour) +
                             (t.vertical ? " vertical=1 " : " ") + Transcript::quoted(t.text));
    }
}

void ScriptRunner::runControlLine(const std::vector<std::string>& w) {
    static const char* const verbs[] = {"click", "select", "dblclick", "type",  "focus",     "blur",
                                        "close", "show",   "surface",  "state", "screenshot"};
    const std::string& verb = w[0];
    if (std::find(std::begin(verbs), std::end(verbs), verb) == std::end(verbs))
        bad("unknown command \"" + verb + "\"");
    ensureStarted();
    if (verb == "state") {
        expectWords(w, 1, "state");
        const std::string state = host_.state();
        transcript_.line(state.empty() ? "STATE" : "STATE " + state);
        return;
    }
    if (w.size() < 2) bad("missing the control name");
    QWidget* widget = findWidget(toQString(w[1]));
    if (!widget) bad("unknown control " + w[1]);
    const std::string& name = w[1];

    if (verb == "show") {
        expectWords(w, 2, "show CONTROL");
        for (const std::string& line : describeWidget(name, widget))
            transcript_.line(line);
        return;
    }
    if (verb == "surface") {
        expectWords(w, 2, "surface WINDOW");
        logSurfaceTexts(name, widget);
        return;
    }
    if (verb == "screenshot") {
        expectWords(w, 3, "screenshot WINDOW PATH");
        const QByteArray png = pngBytes(widget->grab().toImage());
        std::string error;
        if (!writeFileAtomic(services_.inWorkdir(w[2]),
                             std::string_view(png.constData(), std::size_t(png.size())), &error))
            bad("cannot write the screenshot: " + error);
        return;
    }
    if (verb == "close" && !widget->isWindow()) bad(name + " is not a window");

    if (verb == "click" && w.size() == 4) {
        // Whether the control can be reached is seen when the click is made.
        if (w[2] != "AFTER") bad("expected: click CONTROL AFTER N");
        const int polls = toInt(w[3], "N");
        if (polls < 1) bad("N must be 1 or more");
        clickLater(name, polls);
        return;
    }
    // What a person does: nothing happens on a control they cannot reach.
    const std::string unusable = unusableReason(widget);
    if (!unusable.empty()) {
        transcript_.line("IGNORED " + verb + " " + name + ": " + unusable);
        return;
    }
    std::string refused;
    if (verb == "click") {
        expectWords(w, 2, "click CONTROL");
        refused = clickWidget(widget);
    } else if (verb == "select") {
        expectWords(w, 3, "select CONTROL INDEX");
        refused = selectEntry(widget, toInt(w[2], "INDEX"));
    } else if (verb == "dblclick") {
        expectWords(w, 3, "dblclick CONTROL INDEX");
        refused = doubleClickRow(widget, toInt(w[2], "INDEX"));
    } else if (verb == "type") {
        expectWords(w, 3, "type CONTROL TEXT");
        refused = typeText(widget, toQString(w[2]));
    } else if (verb == "focus") {
        expectWords(w, 2, "focus CONTROL");
        refused = giveFocus(widget);
    } else if (verb == "blur") {
        expectWords(w, 2, "blur CONTROL");
        refused = takeFocus(widget);
    } else if (verb == "close") {
        expectWords(w, 2, "close WINDOW");
        widget->close();
    }
    if (!refused.empty()) bad(verb + " " + name + ": " + refused);
}

} // namespace kl
