#pragma once
// A print job as the page layouts draw on it; Services::startPrint opens one.

#include "platform/Canvas.h"

namespace kl {

// A document of A4 pages in 0.1 mm units (origin top left of the printable area).
class PrintJob {
  public:
    virtual ~PrintJob() = default;
    virtual Canvas& page() = 0; // the current page
    virtual void newPage() = 0;
    virtual double pageWidth() const = 0;  // printable width in 0.1 mm
    virtual double pageHeight() const = 0; // printable height in 0.1 mm
    virtual int verticalDpi() const = 0;   // the device's vertical resolution
    virtual bool finish() = 0;             // end of document; false when the job failed
};

} // namespace kl
