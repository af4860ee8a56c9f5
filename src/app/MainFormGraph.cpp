// The switching between the main window and the graph window form2: opening or showing it again,
// returning with "戻  る", closing it by its frame.
#include "app/Form2.h"
#include "app/MainForm.h"
#include "app/WindowParts.h"

#include "platform/qt/QtConvert.h"
#include "text/Text.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

namespace kl {

MainForm::GraphWindowSlot::~GraphWindowSlot() { delete window.data(); }

void MainForm::wireGraphHandlers() {
    connect(button3_, &QPushButton::clicked, this, [this] { guarded([this] { BUTTON3_ON(); }); });
}

Form2* MainForm::graphWindow() const { return form2_.window.data(); }

void MainForm::closeKeptGraph() {
    if (Form2* kept = form2_.window.data()) {
        form2_.window.clear();
        kept->dismiss();
    }
}

void MainForm::BUTTON3_ON() {
    FOC();
    // Exactly 2 means nothing changed since the graph was last shown: show the kept window again.
    Form2* kept = form2_.window.data();
    if (!kept || state_.counter != 2) {
        closeKeptGraph();
        GraphSource source;
        source.texts = state_.data.values;
        const TableCopies& t = state_.tableCopies;
        source.classes.lower = t.lower();
        source.classes.upper = t.upper();
        source.classes.interval = t.interval();
        source.classes.count = t.classCount;
        source.classes.fold = state_.foldFlag == "1";
        source.decimalPlaces = state_.data.decimalPlaces;
        source.reference = {state_.refLower, state_.refUpper, t.lowerText, t.upperText};
        source.sourcePath = state_.data.sourcePath;
        source.pastedUnsaved = state_.pasted > 0;
        source.title = chooseGraphTitle(form2_.typedTitle.has_value(), state_.settingsFound,
                                        form2_.typedTitle ? *form2_.typedTitle : state_.graphTitle,
                                        toStdString(combo1_->currentText()));
        state_.graphTitle = source.title;

        auto* form2 = new Form2(services_, options_, std::move(source));
        form2->setAttribute(Qt::WA_DeleteOnClose);
        form2->setGuard([this](const std::function<void()>& h) { guarded(h); });
        form2->setQueryClose([this] { FORM2_QUERYCLOSE(); });
        connect(form2, &Form2::backRequested, this, [this] { guarded([this] { BUTTON4_ON(); }); });
        connect(form2, &Form2::drawingFailed, this, [this] { graphWindowFailed(); });
        connect(form2, &Form2::counterChanged, this, [this](int by) {
            // Never below zero: a negative count of changes means nothing to the save prompts.
            state_.counter = std::max(0, state_.counter + by);
        });
        connect(form2, &Form2::titleEdited, this, [this](const QString& title) {
            form2_.typedTitle = toStdString(title);
            state_.graphTitle = *form2_.typedTitle;
            state_.raise(1);
        });
        form2_.window = form2;
        placeOver(form2, this);
        if (!form2->open()) return; // "BAD DATA(d)": the main window stays
        kept = form2;
    } else {
        placeOver(kept, this);
        kept->show();
    }
    kept->raise();
    kept->activateWindow();
    setEnabled(false);
    hide();
}

void MainForm::graphWindowFailed() {
    form2_.window.clear();
    setEnabled(true);
    show();
    raise();
}

void MainForm::BUTTON4_ON() {
    Form2* form2 = form2_.window.data();
    if (form2) {
        state_.graphTitle = form2->title();
        form2->hide();
    }
    show();
    setEnabled(true);
    raise();
    activateWindow();
    state_.counter = 2;
}

void MainForm::FORM2_QUERYCLOSE() {
    services_.beep();
    if (Form2* form2 = form2_.window.data()) state_.graphTitle = form2->title();
    form2_.window.clear(); // the window closes itself after this handler
    if (!isEnabled()) setEnabled(true);
    show();
    state_.counter = 2;
}

} // namespace kl
