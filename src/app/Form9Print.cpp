// "print" of the probability plot's help window: the pattern picture and the interval explanation.

#include "app/Form9.h"
#include "output/TextReports.h"

namespace kl {

void Form9::BUTTON25_ON() {
    hide();
    setEnabled(false);
    printReport(services_, [](PrintJob& job) { printIntervalHelp(job); });
    show();
    raise();
    setEnabled(true);
}

} // namespace kl
