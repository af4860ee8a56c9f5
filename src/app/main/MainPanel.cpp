#include "app/main/MainPanel.h"

#include "app/main/MainForm.h"
#include "data/Message.h"

#include <QEvent>

namespace kl {

namespace {

class FocusWatcher : public QObject {
  public:
    FocusWatcher(QObject* parent, std::function<void()> onIn, std::function<void()> onOut)
        : QObject(parent), onIn_(std::move(onIn)), onOut_(std::move(onOut)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && onIn_) onIn_();
        if (event->type() == QEvent::FocusOut && onOut_) onOut_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onIn_, onOut_;
};

} // namespace

MainPanel::MainPanel(MainForm& window)
    : window_(window), services_(window.services()), state_(window.appState()) {}

QWidget* MainPanel::windowWidget() const {
    return &window_;
}

Canvas& MainPanel::canvas() {
    return window_.canvas();
}

void MainPanel::watchFocus(QWidget* control, std::function<void()> onIn, std::function<void()> onOut) {
    MainForm* w = &window_;
    auto guard = [w](std::function<void()> f) -> std::function<void()> {
        if (!f) return {};
        return [w, f] { w->guarded(f); };
    };
    control->installEventFilter(new FocusWatcher(control, guard(std::move(onIn)), guard(std::move(onOut))));
}

void MainPanel::say(const Message& m) {
    services_.message(m.caption, m.text, m.buttons, m.icon);
}

void MainPanel::say(const std::string& caption, const std::string& text, Buttons buttons, Icon icon) {
    services_.message(caption, text, buttons, icon);
}

Answer MainPanel::ask(const std::string& caption, const std::string& text, Buttons buttons) {
    return services_.message(caption, text, buttons, Icon::Question);
}

} // namespace kl
