// The measurement item, the class parameters and the frequency table of the main window.
#include "app/main/TablePanel.h"

#include "app/WindowParts.h"
#include "app/main/DataPanel.h"
#include "app/main/MainForm.h"
#include "app/main/StatisticsPanel.h"
#include "data/Message.h"
#include "persist/SettingsFile.h"
#include "stats/FrequencyTable.h"
#include "text/Text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kl {

namespace {

ParameterField fieldKind(int field) {
    return field == 3   ? ParameterField::Interval
           : field == 4 ? ParameterField::Lower
                        : ParameterField::Classes;
}

} // namespace

TablePanel::TablePanel(MainForm& window)
    : MainPanel(window),
      combo1_(control<QComboBox>("COMBO1")), edit_{control<QLineEdit>("EDIT3"), control<QLineEdit>("EDIT4"),
                                                   control<QLineEdit>("EDIT5"), control<QLineEdit>("EDIT6")},
      button2_(control<QPushButton>("BUTTON2")), check2_(control<QCheckBox>("CHECK2")),
      list2_(control<QListWidget>("LIST2")), button3_(control<QPushButton>("BUTTON3")) {}

void TablePanel::watchFields() {
    for (int i = 0; i < 4; ++i) {
        const int field = i + 3;
        watchFocus(
            edit_[i], [this, field] { EDIT_SETFOCUS(field); }, [this, field] { EDIT_KILLFOCUS(field); });
    }
    watchFocus(combo1_, [this] { COMBO1_SETFOCUS(); });
    for (int i = 0; i < 3; ++i)
        keepSelectionOnMouseFocus(edit_[i]);
}

std::string TablePanel::fieldText(int field) const {
    return this->field(field)->text().toStdString();
}

void TablePanel::setFieldText(int field, const std::string& text) {
    QLineEdit* edit = this->field(field);
    const QString q = QString::fromStdString(text);
    if (edit->text() != q) edit->setText(q);
}

ParameterFields TablePanel::fields() const {
    return {fieldText(3), fieldText(4), fieldText(5), fieldText(6)};
}

void TablePanel::setFields(const ParameterFields& f) {
    setFieldText(3, f.interval);
    setFieldText(4, f.lower);
    setFieldText(5, f.classes);
    setFieldText(6, f.upper);
}

ParameterContext TablePanel::parameterContext() const {
    return {state_.data.decimalPlaces, state_.minimumText, state_.maximumText};
}

void TablePanel::showRows(const std::vector<std::string>& rows) {
    state_.tableRows = rows;
    list2_->clear();
    QStringList shown;
    for (const std::string& r : rows)
        shown << QString::fromStdString(r);
    list2_->addItems(shown);
}

void TablePanel::clearRows() {
    state_.tableRows.clear();
    list2_->clear();
}

void TablePanel::clearTable() {
    clearRows();
    button3_->setEnabled(false);
}

bool TablePanel::hasTable() const {
    return !state_.tableRows.empty();
}

void TablePanel::deselectRow() {
    if (list2_->count() > 0) {
        list2_->clearSelection();
        list2_->setCurrentRow(-1);
    }
}

void TablePanel::updateGraphButton() {
    button3_->setEnabled(hasTable());
}

void TablePanel::showFold(bool on) {
    check2_->setChecked(on);
}

int TablePanel::itemIndex() const {
    return combo1_->currentIndex();
}

std::string TablePanel::itemText() const {
    return combo1_->currentText().toStdString();
}

void TablePanel::COMBO1_SETFOCUS() {
    window_.FOC();
}

void TablePanel::LIST2_CLICK() {
    window_.FOC();
}

void TablePanel::COMBO1_CHANGE() {
    StatisticsPanel& panels = window_.statistics();
    state_.raise(3);
    state_.settingsFound = false;
    state_.graphTitle.clear();
    clearRows();
    const int chosen = combo1_->currentIndex();
    ClassProposal p = proposeClassParameters(items_, chosen < 0 ? 0 : chosen, parameterContext());
    if (p.index != chosen) combo1_->setCurrentIndex(p.index);
    if (p.index == ItemList::kOtherIndex) panels.wipeOutOfRangePanel();
    for (QLineEdit* e : edit_)
        e->clear();
    for (QWidget* c : {static_cast<QWidget*>(button2_), static_cast<QWidget*>(button3_)})
        c->setEnabled(p.fieldsEnabled);
    for (QLineEdit* e : edit_)
        e->setEnabled(p.fieldsEnabled);
    state_.refLower = trimBlanks(p.referenceLower);
    state_.refUpper = trimBlanks(p.referenceUpper);
    panels.paintReferenceBox();
    if (!p.referenceText.empty()) panels.writeReferenceText(p.referenceText);
    setFields(p.fields);
    state_.proposedLower = p.proposedLower;
    state_.proposedUpper = p.proposedUpper;
    panels.writeItemHint(p.index);
    window_.setFocus();
    if (!hasTable()) button3_->setEnabled(false);
    TABLE();
}

void TablePanel::EDIT_CHANGE(int field) {
    TypedParameterOutcome o = typedParameterChanged(fieldKind(field), fields(),
                                                    this->field(field)->isEnabled(), parameterContext());
    state_.raise(o.counterDelta);
    setFields(o.fields);
    for (const Message& m : o.messages)
        say(m);
    if (o.beep) services_.beep();
    if (o.clearList) clearRows();
    if (o.disableGraph) button3_->setEnabled(false);
    if (!o.runTable) return;
    TABLE();
    button3_->setEnabled(false);
    if (hasTable()) {
        button3_->setEnabled(true);
    } else {
        window_.statistics().writeTableHint(Black);
    }
}

void TablePanel::EDIT_SETFOCUS(int field) {
    window_.FOC();
    if (field == 6) return;
    this->field(field)->selectAll();
    window_.applyState(Workflow::TableStale);
}

void TablePanel::EDIT_KILLFOCUS(int field) {
    if (field == 6) return;
    this->field(field)->deselect();
    updateGraphButton();
}

void TablePanel::BUTTON2_ON() {
    window_.FOC();
    state_.raise(1);
    TABLE();
}

void TablePanel::CHECK2_ON() {
    window_.FOC();
    state_.raise(1);
    const bool on = check2_->isChecked();
    state_.foldFlag.assign(1, on ? '1' : '0'); // not = "1": GCC 12's false -Wrestrict (bug 105651)
    window_.writeOption(options::foldExtremes, state_.foldFlag);
    if (hasTable()) TABLE();
}

bool TablePanel::TABLE() {
    TableState tableState{state_.tooSmallCount};
    const std::vector<double> values = state_.data.numbers();
    TableOutcome o =
        runTable(fields(), values, parameterContext(), leadingNumber(state_.foldFlag) > 0, tableState);
    state_.tooSmallCount = tableState.tooSmallCount;
    setFields(o.fields);
    if (o.beep) services_.beep();
    if (o.clearList) clearTable();
    for (const Message& m : o.messages)
        say(m);
    if (o.result != TableResult::Built) {
        if (o.focusInterval) {
            field(3)->setFocus();
            field(3)->selectAll();
        }
        return false;
    }
    try {
        showRows(o.rows);
    } catch (...) {
        throw TableListError("frequency table list");
    }
    if (o.copies) state_.tableCopies = *o.copies;
    if (hasTable()) {
        window_.applyState(Workflow::TableBuilt);
    } else {
        window_.statistics().writeTableHint(Blue);
    }
    window_.setFocus();
    if (combo1_->currentIndex() > 1) window_.statistics().drawOutOfRangePanel();
    return hasTable();
}

void TablePanel::refillItemList() {
    combo1_->setEnabled(true);
    items_ = loadItemList(window_.workdir());
    combo1_->clear();
    QStringList entries;
    for (const std::string& e : items_.entries)
        entries << QString::fromStdString(e);
    combo1_->addItems(entries);
    combo1_->setCurrentIndex(-1);
}

void TablePanel::firstTable() {
    services_.setBusy(false);
    clearAndDisableFields();
    button2_->setEnabled(false);
    button3_->setEnabled(false);
    window_.statistics().writeTableHint(Black);
    clearRows();
    combo1_->setCurrentIndex(ItemList::kOtherIndex);
    COMBO1_CHANGE();
    TABLE();
}

void TablePanel::clearAndDisableFields() {
    for (QLineEdit* e : edit_) {
        e->clear();
        e->setEnabled(false);
    }
}

void TablePanel::clearFieldsAndTable() {
    for (QLineEdit* e : edit_)
        e->clear();
    clearRows();
}

void TablePanel::empty() {
    clearAndDisableFields();
    clearRows();
    combo1_->setCurrentIndex(-1);
    combo1_->setEnabled(false);
    button2_->setEnabled(false);
    button3_->setEnabled(false);
}

void TablePanel::forgetForEntry() {
    clearRows();
    combo1_->setEnabled(false);
    clearAndDisableFields();
    button2_->setEnabled(false);
    button3_->setEnabled(false);
}

SettingsRecord TablePanel::settingsSnapshot() const {
    SettingsRecord r;
    r.interval = fieldText(3);
    r.lower = fieldText(4);
    r.classes = fieldText(5);
    r.upper = fieldText(6);
    r.title = state_.graphTitle;
    const int index = combo1_->currentIndex();
    r.itemIndex = index < 0 ? std::string() : std::to_string(index);
    r.decimals = std::to_string(state_.data.decimalPlaces);
    return r;
}

void TablePanel::restoreSettings(const SettingsRecord& r) {
    StatisticsPanel& panels = window_.statistics();
    setFieldText(3, trimBlanks(r.interval));
    setFieldText(4, trimBlanks(r.lower));
    setFieldText(5, trimBlanks(r.classes));
    setFieldText(6, trimBlanks(r.upper));
    const int index = restoredItemIndex(r.itemIndex, combo1_->count());
    combo1_->setCurrentIndex(index);
    for (QLineEdit* e : edit_)
        e->setEnabled(true);
    button2_->setEnabled(true);
    panels.paintItemPanel();
    panels.writeItemHint(index);
    state_.refLower.clear();
    state_.refUpper.clear();
    if (const ReferenceRange* range = index > 1 ? items_.rangeAt(index) : nullptr) {
        state_.refLower = trimBlanks(range->lower);
        state_.refUpper = trimBlanks(range->upper);
    }
    if (!state_.refLower.empty() && !state_.refUpper.empty()) panels.writeReferenceLine();
    state_.graphTitle = trimBlanks(r.title);
    form2_.typedTitle.reset();
    if (!TABLE()) return; // no table, no graph window
    updateGraphButton();
    BUTTON3_ON();
}

} // namespace kl
