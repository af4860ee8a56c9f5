#pragma once
// The seam for window tests that drive handlers directly: no dialogs, no printer, no clipboard, no
// keys held. Every message box is kept (caption, text, buttons) and answered OK; beeps are
// counted. A test that needs answers or files overrides the member it needs.

#include "platform/Services.h"

#include <string>
#include <vector>

namespace kl {

class QuietServices : public Services {
  public:
    struct Shown {
        std::string caption, text;
        Buttons buttons;
    };
    std::vector<Shown> shown;
    int beeps = 0;

    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.caption);
        return out;
    }

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon) override {
        shown.push_back({caption, text, buttons});
        return Answer::Ok;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    bool printDialog() override { return false; }
    std::unique_ptr<PrintJob> startPrint(const std::string&) override { return nullptr; }
    std::optional<std::string> clipboardText() override { return std::nullopt; }
    void clipboardSetBitmap(const Bitmap&) override {}
    bool zKeyDown() override { return false; }
    void processEvents() override {}
    void beep() override { ++beeps; }
    void pause(int) override {}
    ScreenSize screenSize() override { return {}; }
    OsVersion osVersion() override { return {}; }
    std::string currentFolder() override { return "."; }
    bool launch(const std::string&) override { return false; }
    void setBusy(bool) override {}
    void exitProgram(int) override {}
};

} // namespace kl
