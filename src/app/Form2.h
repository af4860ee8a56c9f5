#pragma once
// The graph window form2: the histogram with its curves and reference range on the left, the
// normal probability plot with the 95 % interval on the right, the drawing options below.
//
// Use (the main window does this in BUTTON3_ON):
//     auto* form2 = new Form2(services, options, source);   // a top-level window of its own
//     form2->setGuard(...);                                  // the program-wide error handler
//     connect(form2, &Form2::backRequested, ...);            // BUTTON4 "戻  る"
//     form2->setQueryClose([] { ... });                       // its frame was closed
//     connect(form2, &Form2::drawingFailed, ...);            // "BAD DATA(d)": it has closed itself
//     connect(form2, &Form2::counterChanged, ...);           // a print option moved the counter
//     form2->open();                                         // shows it and runs FORM2_START
//
// Every option change stores its option file at once and draws the whole picture again from the
// source; the title and the print options are only stored. The window keeps the 95 % interval of
// its last drawing for the printed page.

#include "graph/GraphPainter.h"
#include "persist/OptionFile.h"
#include "platform/Services.h"
#include "platform/qt/SurfaceWidget.h"

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;

namespace kl {

// What the main window hands to the graph window: the data and the table as the graphs see them.
struct GraphSource {
    std::vector<std::string> texts; // the data texts
    GraphClasses classes;
    int decimalPlaces = 2;
    ReferenceTexts reference;
    std::string sourcePath;     // the data file; empty for pasted or typed data
    bool pastedUnsaved = false; // pasted and not saved: no file line
    std::string title;          // what EDIT7 shows
};

// The title EDIT7 shows: a title typed earlier in this run, else the companion file's non-blank
// title, else "HISTOGRAM OF " + the trimmed item text.
std::string chooseGraphTitle(bool typedEarlier, bool settingsFound, const std::string& keptTitle,
                             const std::string& itemText);

class Form2 : public SurfaceWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    using Guard = std::function<void(const std::function<void()>&)>;

    Form2(Services& services, OptionStore& options, GraphSource source, QWidget* parent = nullptr);
    ~Form2() override;

    void setGuard(Guard guard) { guard_ = std::move(guard); }
    // FORM2_QUERYCLOSE of the main window, run when the frame is closed (the window then closes).
    void setQueryClose(std::function<void()> f) { queryClose_ = std::move(f); }
    // Runs a handler inside the guard (the statistics and help windows use it too).
    void guarded(const std::function<void()>& handler);

    // Shows the window and runs FORM2_START; false when the drawing failed and the window closed.
    bool open();
    // Closes the window without asking (the data it shows are gone).
    void dismiss();

    // Reads the options, sets the controls and draws the picture; false after "BAD DATA(d)".
    bool FORM2_START();
    void CHECK1_ON();
    void CHECK3_ON();
    void SCHEME_CLICKED(int scheme);         // CHECK4, CHECK5, CHECK6 (scheme 1..3) clicked
    void SCHEME_ON(int scheme, bool ticked); // the box of the scheme as the click left it
    void CHECK7_ON();
    void PRINT_OPTION_ON(int check); // CHECK8..CHECK12
    void EDIT7_CHANGE();
    void EDIT11_COMMIT();
    void BUTTON4_ON();
    void BUTTON9_ON();  // the histogram page
    void BUTTON15_ON(); // the whole window to the clipboard
    void BUTTON16_ON(); // the histogram picture to the clipboard
    void BUTTON17_ON(); // the probability plot picture to the clipboard
    void BUTTON19_ON();
    void BUTTON20_ON();
    void BUTTON159_ON(); // the reference-interval window (Form2Interval.cpp)

    std::string title() const;
    // The 95 % interval of the last drawing (texts kept for printing).
    const GraphDrawing& lastDrawing() const { return drawing_; }
    const GraphSource& source() const { return source_; }
    double lambda() const { return lambda_; }

  signals:
    void backRequested();
    void drawingFailed();
    void titleEdited(const QString& trimmed);
    // The unsaved-changes counter of the main window changes by this much.
    void counterChanged(int by);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls(); // from the window's control table (Form2Controls.cpp)
    void storeOption(const OptionSpec& optionSpec, const std::string& text);
    void storeFlag(const OptionSpec& optionSpec, QCheckBox* box);
    void redraw();
    // The data, classes, scheme and smoothing the picture and its page are drawn from.
    GraphInput graphInput() const;
    void failDrawing(const Message& message);

    Services& services_;
    OptionStore& options_;
    GraphSource source_;
    std::vector<double> values_;
    Guard guard_;
    std::function<void()> queryClose_;
    GraphDrawing drawing_;
    double lambda_ = 5000;
    GraphScheme scheme_ = GraphScheme::TwoD;
    bool quietClose_ = false;
    bool optionWriteReported_ = false;

    QLineEdit *edit7_ = nullptr, *edit11_ = nullptr;
    QCheckBox *check1_ = nullptr, *check3_ = nullptr, *check7_ = nullptr;
    QCheckBox* scheme_boxes_[3] = {}; // CHECK4, CHECK5, CHECK6
    QCheckBox* printBoxes_[5] = {};   // CHECK8..CHECK12
};

} // namespace kl
