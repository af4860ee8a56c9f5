#pragma once
// The desktop's services: Qt message boxes, file and print dialogs, printer, clipboard, keyboard.

#include "platform/Services.h"
#include "platform/qt/X11Keyboard.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QCoreApplication;
class QPrinter;

namespace kl {

// Tracks whether Z is held: key press and release events pass through an application-wide
// filter while long loops call processEvents().
class ZKeyTracker : public QObject {
    Q_OBJECT
  public:
    explicit ZKeyTracker(QObject* parent = nullptr);
    bool down() const { return down_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool down_ = false;
};

// The Qt form of a dialog filter: "label (*.csv *.CSV)", both letter cases, "*.*" as "*".
QString qtFilter(const FileFilter& filter);
QStringList qtFilters(const std::vector<FileFilter>& filters);

// Loads Qt's own Japanese texts (はい / いいえ / キャンセル ...) when they are installed.
bool installJapaneseTranslations(QCoreApplication& app);

class QtServices : public Services {
  public:
    QtServices();
    ~QtServices() override;

    Answer message(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    void proposePrintFile(const std::string& path) override;
    bool printDialog() override;
    std::unique_ptr<PrintJob> startPrint(const std::string& docName) override;
    std::optional<std::string> clipboardText() override;
    void clipboardSetBitmap(const Bitmap& bitmap) override;
    bool zKeyDown() override;
    void processEvents() override;
    void beep() override;
    void pause(int milliseconds) override;
    ScreenSize screenSize() override;
    OsVersion osVersion() override;
    std::string currentFolder() override;
    bool launch(const std::string& path) override;
    void setBusy(bool busy) override;
    void exitProgram(int status) override;

    bool exitRequested() const { return exitRequested_; }
    int exitStatus() const { return exitStatus_; }

  private:
    std::unique_ptr<ZKeyTracker> zKey_;
    X11KeyState zKeyState_{'z', 'Z'};
    std::unique_ptr<QPrinter> printer_;
    QString proposedPrintFile_;
    QString lastPrintFolder_; // where the last PDF was printed in this run
    int busyDepth_ = 0;
    bool exitRequested_ = false;
    int exitStatus_ = 0;
};

} // namespace kl
