#include "app/Form2Print.h"

#include "output/TextReports.h"

namespace kl {

namespace {

const char* flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

PrintOptionOutcome printOptionClicked(int check, PrintBoxes boxes) {
    PrintOptionOutcome o;
    switch (check) {
    case 8:
        o.writes.push_back({&options::printCurves, flag(boxes.check8)});
        break;
    case 9:
        o.writes.push_back({&options::printReferenceRange, flag(boxes.check9)});
        break;
    case 12:
        o.writes.push_back({&options::printStatistics, flag(boxes.check12)});
        break;
    case 11:
        o.writes.push_back({&options::printProbabilityPlot, flag(boxes.check11)});
        if (!boxes.check11) {
            // No 95 % texts without the plot they belong to.
            o.writes.push_back({&options::printCurveInterval, "0"});
            boxes.check10 = false;
        }
        break;
    case 10:
        o.counterChange = -1;
        if (boxes.check10) {
            // The texts need the plot and the crossings: both are switched on with them.
            o.writes.push_back({&options::printCurveInterval, "1"});
            o.writes.push_back({&options::printProbabilityPlot, "1"});
            boxes.check11 = true;
            boxes.check7 = true;
            o.runCheck7 = true;
        } else {
            o.writes.push_back({&options::printCurveInterval, "0"});
        }
        break;
    default:
        break;
    }
    o.boxes = boxes;
    return o;
}

namespace {

void show(Services& services, const Message& m) {
    services.message(m.caption, m.text, m.buttons, m.icon);
}

} // namespace

bool runHistogramPrint(Services& services, HistogramPageInput page, int screenHeight) {
    services.proposePrintFile(printFileProposal(page.pasted ? std::string() : page.sourcePath, "histogram"));
    if (!services.printDialog()) return false;
    BusyPointer busy(services);
    // Planned once before the document starts, so a failing page never reaches the printer; the
    // printer's own factor only changes the smoothing, planned again below.
    if (const HistogramPagePlan first = planHistogramPage(page); first.failure) {
        show(services, *first.failure);
        return false;
    }
    std::unique_ptr<PrintJob> job = services.startPrint("PRINTER");
    if (!job) return false;
    page.smoothingFactor = printerScreenFactor(screenHeight, job->pageHeight(), job->verticalDpi());
    const HistogramPagePlan plan = planHistogramPage(page);
    if (plan.failure) {
        job.reset();
        show(services, *plan.failure);
        return false;
    }
    drawHistogramPage(*job, page, plan);
    return job->finish();
}

} // namespace kl
