#pragma once
// Answers the real modal dialogs of the desktop services without a person: a script of steps,
// each run on the next modal widget that comes up, looked for from the event loop of the modal
// call itself. A dialog nobody expected fails the test and is ended at once, so nothing hangs; a
// step that never found its dialog shows as done() == false.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

namespace kl {

class ModalScript {
  public:
    static constexpr int kPollMs = 20;

    // The next modal widget must be a W; act receives it.
    template <class W> void then(std::function<void(W*)> act) {
        steps_.push_back({&W::staticMetaObject, [act](QWidget* w) { act(static_cast<W*>(w)); }});
        arm();
    }

    // True when every step found its dialog.
    bool done() const { return steps_.empty(); }
    int unexpected() const { return unexpected_; }

  private:
    struct Step {
        const QMetaObject* type;
        std::function<void(QWidget*)> act;
    };

    void arm() {
        if (armed_) return;
        armed_ = true;
        QTimer::singleShot(kPollMs, &anchor_, [this] { poll(); });
    }

    // The next look is armed before this one acts: an act that opens a nested modal dialog
    // (an overwrite question inside a file dialog's accept) is still answered.
    void poll() {
        QTimer::singleShot(kPollMs, &anchor_, [this] { poll(); });
        QWidget* w = QApplication::activeModalWidget();
        // A dialog being acted on may run the event loop itself (waiting for its folder to be
        // read); only a dialog opened on top of it is the next step's.
        if (!w || !w->isVisible() || w == actingOn_) return;
        if (steps_.empty() || !w->metaObject()->inherits(steps_.front().type)) {
            ADD_FAILURE() << "unexpected " << w->metaObject()->className() << " titled \""
                          << w->windowTitle().toStdString() << "\""
                          << (steps_.empty()
                                  ? std::string()
                                  : std::string(", expected a ") + steps_.front().type->className());
            ++unexpected_;
            endDialog(w);
            return;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        QPointer<QWidget> outer = actingOn_;
        actingOn_ = w;
        step.act(w);
        actingOn_ = outer;
    }

    static void endDialog(QWidget* w) {
        if (auto* d = qobject_cast<QDialog*>(w))
            d->done(QDialog::Rejected);
        else
            w->close();
    }

    QObject anchor_; // the polls die with the script
    std::deque<Step> steps_;
    QPointer<QWidget> actingOn_;
    bool armed_ = false;
    int unexpected_ = 0;
};

} // namespace kl
