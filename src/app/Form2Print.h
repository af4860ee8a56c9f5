#pragma once
// The graph window's print button and print-option boxes, and its clipboard copies, as the work
// form2's handlers hand over to: BUTTON9_ON runs runHistogramPrint, CHECK8_ON..CHECK12_ON apply
// printOptionClicked, BUTTON15_ON..BUTTON17_ON ask with askCopy and copy what the picture
// functions return.

#include "output/HistogramPage.h"
#include "persist/OptionFile.h"
#include "platform/Services.h"

#include <string>
#include <vector>

namespace kl {

// The print-option boxes and CHECK7 ("曲線との交点から95％信頼区間を求める").
struct PrintBoxes {
    bool check7 = false, check8 = false, check9 = false, check10 = false, check11 = false, check12 = false;
    bool operator==(const PrintBoxes&) const = default;
};

struct OptionWrite {
    const OptionSpec* optionSpec = nullptr;
    std::string text;
};

struct PrintOptionOutcome {
    std::vector<OptionWrite> writes; // in this order
    PrintBoxes boxes;                // the boxes after the handler
    bool runCheck7 = false;          // CHECK7_ON runs: the interval is computed and drawn
    int counterChange = 0;           // CHECK10 takes one off the unsaved-changes counter
};

// check: 8..12; boxes as they stand after the click.
PrintOptionOutcome printOptionClicked(int check, PrintBoxes boxes);

// BUTTON9_ON's job: the print dialog, the page planned (an arithmetic failure shows "BAD DATA"
// and abandons the job), pages 1 and 2 drawn, the document ended. The window's disabling is the
// caller's. screenHeight: vertical resolution of the display the main window is on.
// True when the document was printed.
bool runHistogramPrint(Services& services, HistogramPageInput page, int screenHeight);

enum class CopyKind { WholeWindow, Histogram, Plot };

// The COPY question of BUTTON15, BUTTON16 or BUTTON17; true for Yes.
bool askCopy(Services& services, CopyKind kind);

// The 700 x 644 histogram and 400 x 634 plot pictures cut from the window image (form5's work).
Bitmap histogramPicture(const Bitmap& window, GraphScheme scheme, const std::string& title);
Bitmap plotPicture(const Bitmap& window, GraphScheme scheme, bool interval95);

} // namespace kl
