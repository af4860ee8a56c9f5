#pragma once
// Print jobs over Qt's paged devices: a printer chosen in the print dialog, or a PDF file.

#include "platform/Services.h"
#include "platform/qt/QtCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <functional>
#include <memory>
#include <string>

namespace kl {

// A4, margins of 5 mm: the page layouts in 0.1 mm need nearly the whole sheet.
void setUpA4(QPagedPaintDevice& device);

// Draws on a paged device that is already set up; the canvas unit is 0.1 mm from the top left of
// the printable area.
class PagedPrintJob : public PrintJob {
  public:
    explicit PagedPrintJob(QPagedPaintDevice& device);
    ~PagedPrintJob() override;

    Canvas& page() override { return *canvas_; }
    void newPage() override;
    double pageWidth() const override;
    double pageHeight() const override;
    int verticalDpi() const override;
    bool finish() override;

    int pages() const { return pages_; }
    bool active() const { return painter_.isActive(); }

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
    int pages_ = 1;
    bool finished_ = false;
};

// A print job that becomes a PDF file: drawn into memory, written atomically when finished.
// onFinished(pages, ok, error) runs once, when the job finishes or is dropped unfinished.
class PdfPrintJob : public PrintJob {
  public:
    using Finished = std::function<void(int pages, bool ok, const std::string& error)>;
    PdfPrintJob(std::string path, const std::string& docName, Finished onFinished = {});
    ~PdfPrintJob() override;

    Canvas& page() override { return job_->page(); }
    void newPage() override { job_->newPage(); }
    double pageWidth() const override { return job_->pageWidth(); }
    double pageHeight() const override { return job_->pageHeight(); }
    int verticalDpi() const override { return job_->verticalDpi(); }
    bool finish() override;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<PagedPrintJob> job_;
    Finished onFinished_;
    bool finished_ = false;
    bool ok_ = false;
};

} // namespace kl
