#include "app/SecondaryWindow.h"

#include "text/Translate.h"

#include <QCloseEvent>

#include <exception>
#include <string>

namespace kl {

SecondaryWindow::SecondaryWindow(Services& services, const QString& name, QSize size, QWidget* parent,
                                 Rgb background, const QString& title, Placement placement)
    : SurfaceWidget(name, size, parent, QColor(background.r, background.g, background.b)),
      services_(services), background_(background) {
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (placement == Placement::StayOnTop) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    closeOnEscape(this);
}

void SecondaryWindow::run(const std::function<void()>& handler) {
    runGuarded(guard_, handler, [this](const std::exception& e) {
        services_.message(translate("SecondaryWindow", "エラー"),
                          std::string(translate("SecondaryWindow", "エラーが発生しました。     \r\n")) +
                              e.what(),
                          Buttons::Ok, Icon::Information);
    });
}

void SecondaryWindow::showAndStart(const std::function<void()>& start) {
    show();
    raise();
    activateWindow();
    run(start);
}

void SecondaryWindow::clearSurface() {
    Canvas& c = canvas();
    c.setPalette15(background_);
    c.clear(15);
    c.resetPalette15();
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    SurfaceWidget::closeEvent(event);
    if (!event->isAccepted() || closedSent_) return;
    closedSent_ = true;
    emit closed();
}

} // namespace kl
