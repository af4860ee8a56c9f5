#include "platform/qt/SurfaceWidget.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace kl {

SurfaceWidget::SurfaceWidget(const QString& name, QSize size, QWidget* parent, QColor background)
    : QWidget(parent), image_(size, QImage::Format_RGB32), canvas_(&image_) {
    setObjectName(name);
    setFixedSize(size);
    image_.fill(background);
    // A picture is thousands of drawings: ask for one repaint, not one each.
    canvas_.setOnChange([this] {
        if (repaintAsked_) return;
        repaintAsked_ = true;
        update();
    });
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    repaintAsked_ = false;
    QPainter p(this);
    // The image is in surface pixels; on a dense screen Qt scales it with the window.
    p.drawImage(event->rect(), image_, event->rect());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(at)) {
        // A check box's caption is painted on the surface: clicking it acts as clicking the box.
        if (QCheckBox* box = checkBoxCaptionAt(at)) {
            box->setFocus(Qt::MouseFocusReason);
            box->click();
            return;
        }
        emit surfaceClicked(at);
    }
    QWidget::mouseReleaseEvent(event);
}

namespace {

// Width in half-width cells: ASCII and half-width katakana take one, everything else two.
int halfWidthCells(const std::string& utf8) {
    int cells = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead < 0x80 ? lead : lead & (lead < 0xE0 ? 0x1F : lead < 0xF0 ? 0x0F : 0x07);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        cells += (code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F)) ? 1 : 2;
        i += length;
    }
    return cells;
}

// How far right of its box a caption may start and still belong to it.
constexpr int kCaptionGap = 12;

} // namespace

QCheckBox* SurfaceWidget::checkBoxCaptionAt(QPoint at) const {
    for (QCheckBox* box : findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly)) {
        if (!box->isVisible() || !box->isEnabled()) continue;
        const QRect b = box->geometry();
        const double middle = b.top() + b.height() / 2.0;
        for (const TextDraw& t : canvas_.textLog()) {
            if (t.vertical || t.x < b.right() + 1 || t.x > b.right() + 1 + kCaptionGap) continue;
            if (middle < t.y || middle > t.y + t.size) continue;
            const double right = t.x + halfWidthCells(t.text) * t.size / 2;
            if (at.x() > b.right() && at.x() <= right && at.y() >= t.y && at.y() <= t.y + t.size) return box;
        }
    }
    return nullptr;
}

} // namespace kl
