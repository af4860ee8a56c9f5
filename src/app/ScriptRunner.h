#pragma once
// Runs a script against the program: seam lines configure the scripted services, control lines
// act on the windows as a person would, and everything that happens goes to the transcript.

#include "app/ProgramHost.h"
#include "app/ScriptParser.h"
#include "platform/script/ScriptedServices.h"
#include "platform/script/Transcript.h"

#include <QObject>

#include <memory>
#include <vector>

class QWidget;

namespace kl {

// Writes "WINDOW name shown / hidden / closed" for the named top-level windows.
class WindowWatcher : public QObject {
    Q_OBJECT
  public:
    explicit WindowWatcher(Transcript& transcript) : transcript_(transcript) {}
    // A close that its handler refused leaves nothing pending past the line that asked for it.
    void forgetPendingClose() { closing_ = nullptr; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Transcript& transcript_;
    QObject* closing_ = nullptr;
};

class ScriptRunner {
  public:
    ScriptRunner(ProgramHost& host, ScriptedServices& services, Transcript& transcript);
    ~ScriptRunner();

    // Runs every line; returns the exit status: 0, 2 after a script error, or the status the
    // program ended with.
    int run(const std::vector<ScriptLine>& lines);

  private:
    void execute(const ScriptLine& line);
    bool runSeamLine(const std::vector<std::string>& w);
    void runControlLine(const std::vector<std::string>& w);
    void runBatchLine(const std::vector<std::string>& w);
    void clickLater(const std::string& name, int polls);
    // "surface WINDOW": the texts drawn on the window's surfaces, a TEXT line each.
    void logSurfaceTexts(const std::string& name, QWidget* widget);
    void ensureStarted();
    void checkEnded();

    ProgramHost& host_;
    ScriptedServices& services_;
    Transcript& transcript_;
    std::unique_ptr<WindowWatcher> watcher_;
    const ScriptLine* current_ = nullptr;
    bool started_ = false;
    int pollActionLine_ = 0; // the line whose click waits for a long loop
    int messagesBeforePrevious_ = 0;
    int messagesBeforeCurrent_ = 0;
};

} // namespace kl
