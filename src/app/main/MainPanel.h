#pragma once
// What every panel of the main window works with: the window, the services, the shared
// application state, and the controls it owns, found by their script names once the window has
// built them from its control table.

#include "app/AppState.h"
#include "platform/Canvas.h"
#include "platform/Services.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

namespace kl {

class MainForm;
struct Message;

class MainPanel {
  protected:
    explicit MainPanel(MainForm& window);
    ~MainPanel() = default;

    // The window's control of that script name (it exists: the window's table built it).
    template <class W> W* control(const char* name) const {
        return windowWidget()->findChild<W*>(QString::fromUtf8(name));
    }
    QWidget* windowWidget() const;
    Canvas& canvas();
    // Runs onIn when the control takes the keyboard focus and onOut when it loses it, each inside
    // the window's error handling.
    void watchFocus(QWidget* control, std::function<void()> onIn, std::function<void()> onOut = {});

    void say(const Message& m);
    void say(const std::string& caption, const std::string& text, Buttons buttons = Buttons::Ok,
             Icon icon = Icon::Information);
    Answer ask(const std::string& caption, const std::string& text, Buttons buttons);

    MainForm& window_;
    Services& services_;
    AppState& state_;
};

} // namespace kl
