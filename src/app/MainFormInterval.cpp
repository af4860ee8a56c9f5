// BUTTON150 "基準範囲": the reference-interval window for the data set in memory.

#include "app/Form15.h"
#include "app/Form2.h"
#include "app/MainForm.h"
#include "app/WindowParts.h"
#include "graph/GraphPainter.h"
#include "platform/qt/Fonts.h"

#include <QPushButton>

namespace kl {

void MainForm::buildIntervalButton() {
    // In the free corner right of "R.I." (BUTTON10).
    button150_ =
        commandButton(this, "BUTTON150", QRect(930, 7, 86, 21), qtFont(Font{kMincho, 14}, 14), "基準範囲");
    connect(button150_, &QPushButton::clicked, this, [this] { guarded([this] { BUTTON150_ON(); }); });
}

void MainForm::BUTTON150_ON() {
    if (state_.count() == 0) {
        say("BAD DATA", "データがありません。\r\nデータを読み込んでから押して下さい。");
        return;
    }
    ReferenceIntervalInput input;
    input.values = state_.data.numbers();
    input.fileLine =
        graphFileLine(state_.pasted > 0 ? std::string{} : state_.data.sourcePath, state_.count());
    input.decimals = state_.data.decimalPlaces;
    input.targetLower = state_.refLower;
    input.targetUpper = state_.refUpper;
    if (Form2* graph = graphWindow()) {
        const GraphDrawing& d = graph->lastDrawing();
        if (d.lower.found && d.upper.found) input.plot = {true, d.lower.value, d.upper.value};
    }
    input.workdir = workdir_ + "/data_f/";
    openReferenceIntervals(services_, this, std::move(input), {},
                           [this](const std::function<void()>& h) { guarded(h); });
}

} // namespace kl
