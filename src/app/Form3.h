#pragma once
// The reference range master editor "REFERENCE INTERVALS" (window name form3), opened from the
// main window's "R.I." button.
//
// Use:
//     auto* editor = new Form3(services, workdir, mainForm);   // application-modal child window
//     editor->setGuard([mainForm](const std::function<void()>& h) { mainForm->guarded(h); });
//     editor->open();                                          // shows it and runs FORM3_START
// or simply openMasterEditor(...) below. The window deletes itself when closed (by "戻  る" or by
// its frame) and emits closed() once; the main window is blocked while it is open.
//
// It edits workdir/data_f/KIJUN.DAT through the rules of refrange/MasterEditor.h; every change is
// written at once (atomically); the main window's item list follows it at its next load or
// recalculation, never while the chosen item is in use.

#include "app/SecondaryWindow.h"
#include "refrange/MasterEditor.h"

#include <functional>
#include <string>

class QLineEdit;
class QListWidget;

namespace kl {

class Form3 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 660;

    Form3(Services& services, std::string workdir, QWidget* opener);
    ~Form3() override;

    // Shows the window in front of its opener and runs FORM3_START.
    void open();

    void FORM3_START();
    void LIST3_CLICK(int row);
    void BUTTON12_ON();
    void LIST3_DBLCLICK(int row);
    void BUTTON11_ON();

    int modifyMode() const { return modifyMode_; }
    int selectedRecord() const { return selectedRecord_; }
    int recordCount() const { return recordCount_; }
    std::string masterPath() const;

  private:
    void buildControls();
    // LIST3: a list that also reports the keys that move its highlight, and its double click.
    static QWidget* makeList3(Form3& w);
    void drawTexts();
    void reliefText(double x, double y, const char* text, double size, int colour, bool bold = false);
    void headBox(int x1, int y1, int x2, int y2);
    // Fills LIST3 from the file (empty when it is missing or unreadable).
    void listFile();
    void emptyFields();
    ReferenceRange typedTexts() const;
    // Reports a change that did not happen; false when the result was a success.
    bool reportFailure(const MasterEditResult& result);

    std::string workdir_;
    MasterListing listing_;
    int modifyMode_ = 0;
    int selectedRecord_ = 0;
    int recordCount_ = 0;

    QLineEdit *edit8_ = nullptr, *edit9_ = nullptr, *edit10_ = nullptr;
    QListWidget* list3_ = nullptr;
};

// Opens the editor over opener; onClosed runs when it has gone.
Form3* openMasterEditor(Services& services, const std::string& workdir, QWidget* opener,
                        std::function<void()> onClosed, Form3::Guard guard = {});

} // namespace kl
