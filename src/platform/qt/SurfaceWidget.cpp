#include "platform/qt/SurfaceWidget.h"

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
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit surfaceClicked(event->position().toPoint());
    QWidget::mouseReleaseEvent(event);
}

} // namespace kl
