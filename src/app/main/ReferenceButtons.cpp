// BUTTON10 "R.I.": the reference range master editor. BUTTON150 "基準範囲": the
// reference-interval window for the data set in memory. BUTTON160 "基準範囲（間接法）": indirect
// reference intervals from a routine data export.

#include "app/Form15.h"
#include "app/Form16.h"
#include "app/Form2.h"
#include "app/main/MainForm.h"
#include "app/main/TablePanel.h"
#include "graph/GraphPainter.h"
#include "text/Translate.h"

#include <QEvent>
#include <QPushButton>

namespace kl {

namespace {

// Keeps a button usable exactly when another one is: BUTTON150 needs an analysed data set, as the
// print buttons under the statistics do, and follows BUTTON6 wherever the main window enables or
// disables it (load, paste, typed entry, unsuitable sample, clearing). The leader's own state is
// read again whenever it or a window above it changes, since a button disabled while its window is
// disabled sends no event of its own.
class UsableFollower : public QObject {
  public:
    UsableFollower(QWidget* leader, QWidget* follower)
        : QObject(follower), leader_(leader), follower_(follower) {
        for (QWidget* w = leader; w; w = w->parentWidget())
            w->installEventFilter(this);
        follow();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) follow();
        return false;
    }

  private:
    void follow() { follower_->setEnabled(leader_->isEnabledTo(leader_->window())); }

    QWidget* leader_;
    QWidget* follower_;
};

} // namespace

void MainForm::followDataButtons() {
    new UsableFollower(findChild<QPushButton*>("BUTTON6"), findChild<QPushButton*>("BUTTON150"));
}

void MainForm::BUTTON10_ON() {
    FOC();
    if (masterEditorOpener_) masterEditorOpener_();
}

void MainForm::BUTTON150_ON() {
    if (state_.count() == 0) { // only by a script: the button is disabled without data
        services_.message(
            "BAD DATA", translate("MainForm", "データがありません。\r\nデータを読み込んでから押して下さい。"),
            Buttons::Ok, Icon::Information);
        return;
    }
    ReferenceIntervalInput input;
    input.values = state_.data.numbers();
    input.fileLine =
        graphFileLine(state_.pasted > 0 ? std::string{} : state_.data.sourcePath, state_.count());
    input.decimals = state_.data.decimalPlaces;
    input.targetLower = state_.refLower;
    input.targetUpper = state_.refUpper;
    if (Form2* graph = table_->graphWindow()) {
        const GraphDrawing& d = graph->lastDrawing();
        if (d.lower.found && d.upper.found) input.plot = {true, d.lower.value, d.upper.value};
    }
    input.workdir = workdir_ + "/data_f/";
    openReferenceIntervals(services_, this, std::move(input), {},
                           [this](const std::function<void()>& h) { guarded(h); });
}

void MainForm::BUTTON160_ON() {
    openIndirectWindow(this, services_, workdir_ + "/data_f/",
                       [this](const std::function<void()>& h) { guarded(h); });
}

} // namespace kl
