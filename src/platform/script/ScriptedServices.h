#pragma once
// The services as a script answers them: every question, dialog and print job takes the answer
// the script queued, and every event is written to the transcript. Nothing waits on the clock.

#include "platform/Services.h"
#include "platform/script/Transcript.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace kl {

class ScriptedServices : public Services {
  public:
    // Called when the program asks for something the script did not provide (a question box, a
    // dialog). It must not return; by default it writes "SCRIPT ERROR: ..." and ends the process
    // with status 2, since the program is inside one of its handlers at that moment.
    using Fatal = std::function<void(const std::string& reason)>;

    // Relative paths the script gives for things the program writes (save dialogs, the print
    // folder) are taken in workdir; those it reads (open dialogs) in the current folder.
    ScriptedServices(Transcript& transcript, std::string workdir);

    void setFatal(Fatal fatal) { fatal_ = std::move(fatal); }

    void queueAnswer(Answer answer) { answers_.push_back(answer); }
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    void queuePrint(bool ok) { prints_.push_back(ok); }
    void setPrintDir(const std::string& folder) { printDir_ = inWorkdir(folder); }
    // A path for something written: relative ones are taken in the working folder.
    std::string inWorkdir(const std::string& path) const;
    void setClipboardText(std::optional<std::string> text) { clipboard_ = std::move(text); }
    // Z reads as up for the next `polls` polls and as down from then on, until released.
    void holdZAfter(int polls);
    void releaseZ() { zHeldAfter_.reset(); }
    // Runs action when the program lets events through (a long loop's processEvents) for the
    // polls-th time from now: a person's click while the loop runs. One action at a time.
    void atPoll(int polls, std::function<void()> action);
    bool pollActionPending() const { return static_cast<bool>(pollAction_); }
    void dropPollAction() { pollAction_ = nullptr; }
    void setScreen(ScreenSize size) { screen_ = size; }
    void setOs(OsVersion os) { os_ = os; }
    void setCurrentFolder(std::string folder) { cwd_ = std::move(folder); }

    int messageCount() const { return messageCount_; }
    bool ended() const { return ended_; }
    int exitStatus() const { return exitStatus_; }
    const std::string& printDir() const { return printDir_; }

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    bool printDialog() override;
    std::unique_ptr<PrintJob> startPrint(const std::string& docName) override;
    std::optional<std::string> clipboardText() override { return clipboard_; }
    void clipboardSetBitmap(const Bitmap& bitmap) override;
    bool zKeyDown() override;
    void processEvents() override;
    void beep() override;
    void pause(int) override {}
    ScreenSize screenSize() override { return screen_; }
    OsVersion osVersion() override { return os_; }
    std::string currentFolder() override { return cwd_; }
    bool launch(const std::string& path) override;
    void setBusy(bool) override {}
    void exitProgram(int status) override;

  private:
    [[noreturn]] void fail(const std::string& reason);
    std::optional<std::string> fileDialog(const char* kind, const char* initialKey,
                                          const FileDialogRequest& request);
    std::string numberedPath(const char* stem, int number, const char* ext);

    Transcript& transcript_;
    std::string workdir_;
    Fatal fatal_;
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<bool> prints_;
    std::string printDir_;
    std::optional<std::string> clipboard_;
    std::optional<int> zHeldAfter_;
    int zPolls_ = 0;
    std::function<void()> pollAction_;
    int pollsLeft_ = 0;
    ScreenSize screen_;
    OsVersion os_;
    std::string cwd_;
    int messageCount_ = 0;
    int printCount_ = 0;
    int clipCount_ = 0;
    bool ended_ = false;
    int exitStatus_ = 0;
};

const char* answerName(Answer answer);
const char* buttonsName(Buttons buttons);
const char* iconName(Icon icon);
// "Yes", "No", "Cancel", "OK" (any letter case); nullopt otherwise.
std::optional<Answer> parseAnswer(std::string_view word);

} // namespace kl
