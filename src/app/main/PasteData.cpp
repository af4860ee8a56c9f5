// Pasting numbers from the clipboard: the save prompts, the confirmation, the scan with the
// progress window, the commit and the recalculation.
#include "app/Form6.h"
#include "app/main/DataPanel.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/TablePanel.h"
#include "data/Message.h"

#include "data/PasteScanner.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kl {

namespace {

// Rows added to LIST1 between two looks at the user interface.
constexpr int kPasteListChunk = 2000;

} // namespace

void DataPanel::BUTTON13_ON() {
    FOC();
    window_.closeProgress();
    FilePanel& files = window_.files();
    if (files.savePromptsDue(2) && !files.savePrompts(false)) return;
    const Message confirm = pasteConfirmation();
    if (ask(confirm.caption, confirm.text, confirm.buttons) != Answer::Yes) return;

    // A refused paste leaves the previous data set as it was, and with it its pasted-data flag.
    const int previousPasted = state_.pasted;
    state_.pasted = 1;
    services_.setBusy(true);
    const std::optional<std::string> text = services_.clipboardText();
    if (!text) {
        services_.setBusy(false);
        state_.pasted = previousPasted;
        say(pasteNoClipboardMessage());
        return;
    }

    Form6& progress = window_.startProgress();
    progress.open(KL_TRANSLATE_NOOP("Form6", "データの貼り付け中です。"),
                  KL_TRANSLATE_NOOP("Form6", "しばらくお待ち下さい。"));
    progress.move(window_.geometry().left() + 20, window_.geometry().top() + 20);
    PasteHooks hooks;
    hooks.showBlocks = [&progress](int blocks) { progress.fillTo(blocks); };
    // Polled once a block of the bar: the window is kept alive at each.
    hooks.cancelRequested = [this] {
        services_.processEvents();
        return services_.zKeyDown();
    };
    PasteResult result = scanPasteText(*text, hooks);

    if (result.status == PasteStatus::Cancelled) {
        pasteCancelled();
        return;
    }
    if (result.status != PasteStatus::Ok) {
        // Nothing has been replaced yet: the previous data set stays as it was.
        services_.setBusy(false);
        window_.closeProgress();
        window_.endBusy();
        state_.pasted = previousPasted;
        for (const Message& m : result.messages)
            say(m);
        return;
    }
    for (const Message& m : result.messages)
        say(m);
    if (!commitPaste(std::move(result.values))) {
        pasteCancelled();
        return;
    }
    services_.setBusy(false);
    window_.closeProgress();
    window_.endBusy();
    SAIKEISAN();
    // The paste's own mark comes on top of what the recalculation counted.
    state_.raise(1);
    state_.pasted = 1;
}

// Replaces the data set with the pasted texts and lists them; false when the user cancelled.
bool DataPanel::commitPaste(std::vector<std::string> values) {
    window_.table().closeKeptGraph();
    window_.files().forgetSource();
    // The cancel key is looked at once before the values are taken and once a chunk of listed
    // rows: a look lets the window process its events, which costs far more than a row.
    if (services_.zKeyDown()) return false;
    state_.data.values = std::move(values);
    state_.counter = 1;
    window_.reports().setPrintable(true);
    state_.refLower.clear();
    state_.refUpper.clear();

    Form6& progress = *window_.progressWindow();
    progress.clearBar();
    list1_->clear();
    const int n = state_.count();
    QStringList chunk;
    for (int i = 1; i <= n; ++i) {
        if (chunk.isEmpty() && services_.zKeyDown()) return false;
        chunk << QString::fromStdString(state_.data.listRow(i));
        if (chunk.size() == kPasteListChunk || i == n) {
            list1_->addItems(chunk);
            chunk.clear();
            progress.setFraction(static_cast<double>(i) / n);
            services_.processEvents();
        }
    }
    return true;
}

void DataPanel::pasteCancelled() {
    window_.table().closeKeptGraph();
    window_.emptyAfterCancel();
    state_.graphTitle.clear();
    say(pasteCancelledMessage());
    window_.closeProgress();
    window_.endBusy();
    state_.pasted = 0;
}

} // namespace kl
