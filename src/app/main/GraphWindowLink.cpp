// The switching between the main window and the graph window form2: opening or showing it again,
// returning with "戻  る", closing it by its frame.
#include "app/Form2.h"
#include "app/WindowParts.h"
#include "app/main/MainForm.h"
#include "app/main/TablePanel.h"

#include "platform/qt/QtConvert.h"
#include "text/Text.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

namespace kl {

TablePanel::GraphWindowSlot::~GraphWindowSlot() {
    delete window.data();
}

TablePanel::~TablePanel() = default;

void TablePanel::forgetTypedTitle() {
    form2_.typedTitle.reset();
}

Form2* TablePanel::graphWindow() const {
    return form2_.window.data();
}

void TablePanel::closeKeptGraph() {
    if (Form2* kept = form2_.window.data()) {
        form2_.window.clear();
        kept->dismiss();
    }
}

void TablePanel::BUTTON3_ON() {
    window_.FOC();
    MainForm* main = &window_;
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
        source.title =
            chooseGraphTitle(form2_.typedTitle.has_value(), state_.settingsFound,
                             form2_.typedTitle ? *form2_.typedTitle : state_.graphTitle, itemText());
        state_.graphTitle = source.title;

        auto* form2 = new Form2(services_, window_.options(), std::move(source));
        form2->setAttribute(Qt::WA_DeleteOnClose);
        form2->setGuard([main](const std::function<void()>& h) { main->guarded(h); });
        form2->setQueryClose([this] { FORM2_QUERYCLOSE(); });
        QObject::connect(form2, &Form2::backRequested, main,
                         [this, main] { main->guarded([this] { BUTTON4_ON(); }); });
        QObject::connect(form2, &Form2::drawingFailed, main, [this] { graphWindowFailed(); });
        QObject::connect(form2, &Form2::counterChanged, main, [this](int by) {
            // Never below zero: a negative count of changes means nothing to the save prompts.
            state_.counter = std::max(0, state_.counter + by);
        });
        QObject::connect(form2, &Form2::titleEdited, main, [this](const QString& title) {
            form2_.typedTitle = toStdString(title);
            state_.graphTitle = *form2_.typedTitle;
            state_.raise(1);
        });
        form2_.window = form2;
        placeOver(form2, main);
        if (!form2->open()) return; // "BAD DATA(d)": the main window stays
        kept = form2;
    } else {
        placeOver(kept, main);
        kept->show();
    }
    kept->raise();
    kept->activateWindow();
    main->setEnabled(false);
    main->hide();
}

void TablePanel::graphWindowFailed() {
    form2_.window.clear();
    window_.setEnabled(true);
    window_.show();
    window_.raise();
}

void TablePanel::BUTTON4_ON() {
    Form2* form2 = form2_.window.data();
    if (form2) {
        state_.graphTitle = form2->title();
        form2->hide();
    }
    window_.show();
    window_.setEnabled(true);
    window_.raise();
    window_.activateWindow();
    state_.counter = 2;
}

void TablePanel::FORM2_QUERYCLOSE() {
    services_.beep();
    if (Form2* form2 = form2_.window.data()) state_.graphTitle = form2->title();
    form2_.window.clear(); // the window closes itself after this handler
    if (!window_.isEnabled()) window_.setEnabled(true);
    window_.show();
    state_.counter = 2;
}

} // namespace kl
