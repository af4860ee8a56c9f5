#pragma once
// The data file of the main window: opening one from the dialog or by a drop (OpenFile.cpp),
// saving the data and the companion settings file, and the save prompts before other data
// replace these or the program ends (SaveFile.cpp).
// Controls: BUTTON1, BUTTON38, EDIT1 (the path), EDIT2 (the name).

#include "app/main/MainPanel.h"
#include "text/FileIO.h"

#include <optional>
#include <string>
#include <vector>

class QLineEdit;

namespace kl {

struct DataReadResult;

class FilePanel : public MainPanel {
  public:
    explicit FilePanel(MainForm& window);

    void BUTTON1_ON();
    // Reads a data file as BUTTON1_ON does with the file chosen in its open dialog (the desktop's
    // FILE argument comes in here).
    void openDataFile(const std::string& path);
    // A file dropped on the window: BUTTON1_ON's save prompts, then openDataFile.
    void openDroppedFile(const std::string& path);

    void BUTTON38_ON();
    // Each returns true when its save happened (or had nothing to do); false abandons the
    // command that asked for it.
    bool NAMAE();
    bool KIOKU();
    bool KIOKU02();

    // The save prompts of exit, open and paste; false abandons the asking command.
    bool savePrompts(bool fromOpen);
    // Due when the counter reached the asking command's threshold, and whatever the counter for
    // data that exist in no file.
    bool savePromptsDue(int counterThreshold) const;
    // Typed or pasted rows that no file holds (a save gives them a file path).
    bool dataInNoFile() const;

    // The data set has no file any more (typed anew or pasted).
    void forgetSource();
    void clearShownSource();

  private:
    // BUTTON1_ON's start: FOC and the save prompts before other data replace these; false
    // abandons the open.
    bool promptBeforeOpen();
    bool chooseDataFile(std::string* chosen);
    bool readChosenFile(const std::string& path, DataReadResult* result);
    void showMessages(const DataReadResult& result);
    void acceptSource(const std::string& path, const std::string& name, const std::string& base);
    bool writeOrSay(const std::vector<FileWrite>& files);
    std::optional<std::string> csvTarget(const std::string& chosen);
    std::string rememberedFolder();
    std::string readCompanionDecimalPlaces();
    void restoreSettings();

    QLineEdit* edit1_;
    QLineEdit* edit2_;
};

} // namespace kl
