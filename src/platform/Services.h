#pragma once
// The operating-system services the program uses, as one interface passed to every window.
// The desktop implementation lives in platform/qt, the scripted one (tests, --script) in
// platform/script.

#include "platform/Canvas.h"
#include "platform/MessageBox.h"
#include "platform/PrintJob.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kl {

struct FileFilter {
    std::string label;                 // e.g. "CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)"
    std::vector<std::string> patterns; // e.g. {"*.CSV", "*.TXT", "*.TEXT"}; "*.*" means all files
};

struct FileDialogRequest {
    std::string title;
    std::string initial; // folder or proposed path
    std::vector<FileFilter> filters;
    bool confirmOverwrite = true; // save dialogs only
};

struct ScreenSize {
    int width = 1024, height = 768;
};

struct OsVersion {
    int major = 10, minor = 0;
    std::string text() const { return std::to_string(major) + "." + std::to_string(minor); }
};

class Services {
  public:
    virtual ~Services() = default;

    // Modal message box; returns the button pressed.
    virtual Answer message(const std::string& caption, const std::string& text, Buttons buttons,
                           Icon icon) = 0;
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;

    // The file the next print dialog proposes when printing to a PDF file (a name alone: in the
    // folder last printed to); services without such a choice ignore it.
    virtual void proposePrintFile(const std::string& /*path*/) {}
    // The print dialog; false when cancelled.
    virtual bool printDialog() = 0;
    // Starts a print job named docName (after printDialog() said yes).
    virtual std::unique_ptr<PrintJob> startPrint(const std::string& docName) = 0;

    virtual std::optional<std::string> clipboardText() = 0; // UTF-8
    virtual void clipboardSetBitmap(const Bitmap& bitmap) = 0;

    // Whether the Z key is held down at this moment (long loops poll it).
    virtual bool zKeyDown() = 0;
    // Lets the user interface breathe during long loops (repaint, key state).
    virtual void processEvents() = 0;

    virtual void beep() = 0;
    virtual void pause(int milliseconds) = 0;
    virtual ScreenSize screenSize() = 0;
    virtual OsVersion osVersion() = 0;
    virtual std::string currentFolder() = 0;
    // Opens a file with its associated application, maximised when possible.
    virtual bool launch(const std::string& path) = 0;
    virtual void setBusy(bool busy) = 0;
    // Ends the program once the current handler has returned (status 0: a normal end).
    virtual void exitProgram(int status) = 0;
};

// Holds the busy pointer for a scope.
class BusyPointer {
  public:
    explicit BusyPointer(Services& s) : services_(s) { services_.setBusy(true); }
    ~BusyPointer() { services_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Services& services_;
};

} // namespace kl
