#pragma once
// What the secondary windows (form3, form4, form8, form9) share: a fixed-size surface window
// with a title and a close box, application-modal while it is open, that deletes itself when
// closed and says so once through closed(), whether its own button or its frame closed it.
// Escape closes it as its frame does.
// Every handler runs through the guard (the program-wide error handler); without one a failure
// is shown in the "エラー" box.

#include "app/WindowParts.h"
#include "platform/Services.h"
#include "platform/qt/SurfaceWidget.h"

#include <functional>

namespace kl {

class SecondaryWindow : public SurfaceWidget {
    Q_OBJECT

  public:
    using Guard = HandlerGuard;

    void setGuard(Guard guard) { guard_ = std::move(guard); }

  signals:
    void closed();

  protected:
    enum class Placement { Normal, StayOnTop };

    // name is the window's script name; parent the opener when the window is its child (nullptr
    // for a top-level window of its own).
    SecondaryWindow(Services& services, const QString& name, QSize size, QWidget* parent, Rgb background,
                    const QString& title, Placement placement = Placement::Normal);

    void run(const std::function<void()>& handler);
    // Shows the window in front, active, and runs its start handler.
    void showAndStart(const std::function<void()>& start);
    // The whole surface in the window's background colour.
    void clearSurface();

    void closeEvent(QCloseEvent* event) override;

    Services& services_;

  private:
    Rgb background_;
    Guard guard_;
    bool closedSent_ = false;
};

} // namespace kl
