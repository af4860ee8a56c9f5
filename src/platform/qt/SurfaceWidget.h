#pragma once
// A window (or a picture area inside one) whose drawing surface is a persistent image: handlers
// draw on it through its Canvas at any time and the widget repaints from the image, so nothing
// drawn is lost when the window is covered or hidden. Controls are children placed on top.

#include "platform/qt/QtCanvas.h"

#include <QImage>
#include <QWidget>

class QCheckBox;

namespace kl {

class SurfaceWidget : public QWidget {
    Q_OBJECT
  public:
    // name becomes the objectName (the window's or picture's name, e.g. "MainForm", "PICTURE1");
    // size is the fixed client size in pixels; the surface starts in background.
    SurfaceWidget(const QString& name, QSize size, QWidget* parent = nullptr,
                  QColor background = QColor(236, 233, 216));

    QtCanvas& canvas() { return canvas_; }
    const QtCanvas& canvas() const { return canvas_; }
    const QImage& surface() const { return image_; }

  signals:
    // A mouse click on the surface itself (not on a control nor a check box's caption), in surface
    // pixels.
    void surfaceClicked(QPoint at);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The enabled check box whose caption (the text drawn just right of it, on its line) is at at.
    QCheckBox* checkBoxCaptionAt(QPoint at) const;

    QImage image_;
    QtCanvas canvas_;
    bool repaintAsked_ = false; // a repaint is on its way: later drawings ride along with it
};

} // namespace kl
