// Pasting numbers from the clipboard: the save prompts, the confirmation, the scan with the
// progress window, the commit and the recalculation.
#include "app/Form6.h"
#include "app/MainForm.h"

#include "data/PasteScanner.h"
#include "text/Text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kl {

namespace {

// Rows added to LIST1 between two looks at the user interface.
constexpr int kPasteListChunk = 2000;

} // namespace

void MainForm::BUTTON13_ON() {
    FOC();
    closeProgress();
    if (savePromptsDue(2) && !savePrompts(false)) return;
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
        const Message m = pasteNoClipboardMessage();
        say(m.caption, m.text, m.buttons, m.icon);
        return;
    }

    busy_ = true;
    setEnabled(false);
    form6_ = std::make_unique<Form6>(this);
    form6_->open("データの貼り付け中です。", "しばらくお待ち下さい。");
    form6_->move(geometry().left() + 20, geometry().top() + 20);
    PasteHooks hooks;
    hooks.showBlocks = [this](int blocks) { form6_->fillTo(blocks); };
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
        closeProgress();
        setEnabled(true);
        busy_ = false;
        state_.pasted = previousPasted;
        for (const Message& m : result.messages)
            say(m.caption, m.text, m.buttons, m.icon);
        return;
    }
    for (const Message& m : result.messages)
        say(m.caption, m.text, m.buttons, m.icon);
    if (!commitPaste(std::move(result.values))) {
        pasteCancelled();
        return;
    }
    services_.setBusy(false);
    closeProgress();
    setEnabled(true);
    busy_ = false;
    SAIKEISAN();
    // The paste's own mark comes on top of what the recalculation counted.
    state_.raise(1);
    state_.pasted = 1;
}

// Replaces the data set with the pasted texts and lists them; false when the user cancelled.
bool MainForm::commitPaste(std::vector<std::string> values) {
    closeKeptGraph();
    forgetSource();
    // The cancel key is looked at once before the values are taken and once a chunk of listed
    // rows: a look lets the window process its events, which costs far more than a row.
    if (services_.zKeyDown()) return false;
    state_.data.values = std::move(values);
    state_.counter = 1;
    for (QPushButton* b : {button6_, button7_, button8_})
        b->setEnabled(true);
    state_.refLower.clear();
    state_.refUpper.clear();

    form6_->clearBar();
    list1_->clear();
    const int n = state_.count();
    QStringList chunk;
    for (int i = 1; i <= n; ++i) {
        if (chunk.isEmpty() && services_.zKeyDown()) return false;
        chunk << QString::fromStdString(state_.data.listRow(i));
        if (chunk.size() == kPasteListChunk || i == n) {
            list1_->addItems(chunk);
            chunk.clear();
            form6_->setFraction(static_cast<double>(i) / n);
            services_.processEvents();
        }
    }
    return true;
}

void MainForm::forgetSource() {
    state_.data.sourcePath.clear();
    state_.data.sourceName.clear();
    state_.data.sourceBase.clear();
    edit1_->clear();
    edit2_->clear();
    state_.settingsFound = false;
    state_.graphTitle.clear();
    form2_.typedTitle.reset();
}

void MainForm::pasteCancelled() {
    closeKeptGraph();
    emptyAfterCancel();
    state_.graphTitle.clear();
    const Message m = pasteCancelledMessage();
    say(m.caption, m.text, m.buttons, m.icon);
    closeProgress();
    setEnabled(true);
    busy_ = false;
    state_.pasted = 0;
}

} // namespace kl
