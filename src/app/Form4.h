#pragma once
// The help window form4: the usage guide (help mode 1) or the explanation of skewness and kurtosis
// (help mode 2), with "print" (BUTTON24) and "close" (BUTTON27). Paragraphs sit on a character
// grid of the current font (cells of size/2 × size pixels, column and row counted from 0); the
// formula block of mode 2 is placed in pixels.
//
// The window is a top-level window of its own, application-modal: its opener is disabled while it
// is open (disabling the opener must not disable the help window, so it is not its child). It
// deletes itself when closed; closed() is emitted once then, whether by "close" or by its frame.

#include "app/SecondaryWindow.h"

#include <QPointer>

#include <functional>

namespace kl {

class Form4 : public SecondaryWindow {
    Q_OBJECT

  public:
    // The client size of each help mode (any other mode: the size of mode 1, no text).
    static QSize sizeFor(int mode);

    // mode is the help mode as the opener set it before loading the window.
    Form4(Services& services, int mode, QWidget* opener);
    ~Form4() override;

    int mode() const { return mode_; }

    // Shows the window over its opener and runs FORM4_START.
    void open();
    void FORM4_START();
    void BUTTON24_ON();
    void BUTTON27_ON();

  private:
    void gridText(int column, int row, const char* text, double size, int colour);
    void layoutUsage();
    void layoutShape();
    void formulaBlock();

    int mode_;
    QPointer<QWidget> opener_;
};

} // namespace kl
