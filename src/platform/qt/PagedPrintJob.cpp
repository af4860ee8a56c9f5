#include "platform/qt/PagedPrintJob.h"

#include "platform/qt/QtConvert.h"
#include "text/FileIO.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

namespace kl {

void setUpA4(QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
}

PagedPrintJob::PagedPrintJob(QPagedPaintDevice& device) : device_(device) {
    painter_.begin(&device_);
    canvas_ = std::make_unique<QtCanvas>(&painter_, device_.logicalDpiX() / 254.0);
}

PagedPrintJob::~PagedPrintJob() {
    finish();
}

void PagedPrintJob::newPage() {
    if (finished_) return;
    device_.newPage();
    ++pages_;
}

double PagedPrintJob::pageWidth() const {
    return device_.pageLayout().paintRect(QPageLayout::Millimeter).width() * 10.0;
}

double PagedPrintJob::pageHeight() const {
    return device_.pageLayout().paintRect(QPageLayout::Millimeter).height() * 10.0;
}

int PagedPrintJob::verticalDpi() const {
    return device_.logicalDpiY();
}

bool PagedPrintJob::finish() {
    if (finished_) return true;
    finished_ = true;
    return painter_.isActive() ? painter_.end() : false;
}

PdfPrintJob::PdfPrintJob(std::string path, const std::string& docName, Finished onFinished)
    : path_(std::move(path)), buffer_(&bytes_), onFinished_(std::move(onFinished)) {
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(600);
    writer_->setCreator(QStringLiteral("Klepsydra"));
    writer_->setTitle(toQString(docName));
    setUpA4(*writer_);
    job_ = std::make_unique<PagedPrintJob>(*writer_);
}

PdfPrintJob::~PdfPrintJob() {
    finish();
}

bool PdfPrintJob::finish() {
    if (finished_) return ok_;
    finished_ = true;
    std::string error;
    ok_ = job_->finish();
    if (ok_)
        ok_ =
            writeFileAtomic(path_, std::string_view(bytes_.constData(), std::size_t(bytes_.size())), &error);
    else
        error = "the PDF could not be drawn";
    if (onFinished_) onFinished_(job_->pages(), ok_, error);
    return ok_;
}

} // namespace kl
