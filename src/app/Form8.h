#pragma once
// The graph statistics window form8: the figures of all values ("( first )") beside those of the
// values the histogram shows ("( graph )"), opened from the graph window's "計 算" button.
//
// Use (the whole of BUTTON19_ON):
//     openGraphStatistics(services, values, classes, title, form2,
//                         [form2] { /* form8 has gone: form2 is usable again */ },
//                         [form2](const std::function<void()>& h) { form2->guarded(h); });
// values are the numbers of all data texts, classes the table's parameters as the graphs use them
// (fold = option HAZURE), title the text of EDIT7. When nothing is left out of the graph (or the
// sample is unsuitable) the message box is shown and no window opens (nullptr). Otherwise form8
// opens as an application-modal child of the opener (the opener takes no input until it closes),
// at the opener's left edge 40 pixels below its top; it deletes itself when closed by "close" or
// by its frame, and onClosed runs once then.
//
// BUTTON26 ("print") is created with its caption and font; printButton() lets the printing code
// connect it.

#include "app/SecondaryWindow.h"
#include "stats/GraphStatistics.h"

#include <functional>
#include <span>
#include <string_view>

class QPushButton;

namespace kl {

class Form8 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr int kWidth = 380;
    static constexpr int kHeight = 700;

    // outcome must be one that is shown (outcome.shown).
    Form8(Services& services, GraphStatisticsOutcome outcome, QWidget* opener);
    ~Form8() override;

    // Places and shows the window in front of its opener and runs FORM8_START.
    void open();

    void FORM8_START();
    void BUTTON29_ON();

    const GraphStatisticsOutcome& outcome() const { return outcome_; }
    // Prints the two-column statistics (Form8Print.cpp).
    void BUTTON26_ON();
    QPushButton* printButton() const { return button26_; }

  private:
    GraphStatisticsOutcome outcome_;
    QPushButton* button26_ = nullptr;
};

// BUTTON19_ON of the graph window: computes both samples; shows the "計算不要" (or refusal)
// message and returns nullptr, or opens form8 over opener.
Form8* openGraphStatistics(Services& services, std::span<const double> values, const GraphClasses& classes,
                           std::string_view graphTitle, QWidget* opener, std::function<void()> onClosed,
                           Form8::Guard guard = {});

} // namespace kl
