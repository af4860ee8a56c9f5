#pragma once
// The help window form9 of the probability plot ("？" BUTTON20 of the graph window): how the 95 %
// interval is read from the curve, what normal probability paper is, and the picture of the point
// patterns typical distributions leave on it.
//
// Use (the whole of BUTTON20_ON):
//     openProbabilityPlotHelp(services, form2, [form2] { /* form9 has gone */ },
//                             [form2](const std::function<void()>& h) { form2->guarded(h); });
// form9 opens as an application-modal child of the opener (the opener takes no input until it
// closes), centred over it; it deletes itself when closed by "close" (BUTTON28) or by its frame,
// and onClosed runs once then.
//
// BUTTON25 ("print") is created with its caption and font; printButton() lets the printing code
// connect it. The texts and the picture come from graph/PlotHelpText.h and graph/PatternPicture.h,
// which the printed page uses too.

#include "app/SecondaryWindow.h"

#include <functional>

class QPushButton;

namespace kl {

class Form9 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 745;

    Form9(Services& services, QWidget* opener);
    ~Form9() override;

    // Shows the window in front of its opener and runs FORM9_START.
    void open();

    void FORM9_START();
    void BUTTON28_ON();

    // Prints the pattern picture and the interval explanation (Form9Print.cpp).
    void BUTTON25_ON();
    QPushButton* printButton() const { return button25_; }

  private:
    QPushButton* button25_ = nullptr;
};

Form9* openProbabilityPlotHelp(Services& services, QWidget* opener, std::function<void()> onClosed,
                               Form9::Guard guard = {});

} // namespace kl
