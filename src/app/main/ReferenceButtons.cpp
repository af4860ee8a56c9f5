// BUTTON10 "R.I.": the reference range master editor. BUTTON150 "基準範囲": the
// reference-interval window for the data set in memory.

#include "app/Form15.h"
#include "app/Form2.h"
#include "app/main/MainForm.h"
#include "app/main/TablePanel.h"
#include "graph/GraphPainter.h"

namespace kl {

void MainForm::BUTTON10_ON() {
    FOC();
    if (masterEditorOpener_) masterEditorOpener_();
}

void MainForm::BUTTON150_ON() {
    if (state_.count() == 0) {
        services_.message("BAD DATA", "データがありません。\r\nデータを読み込んでから押して下さい。",
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

} // namespace kl
