// The measurement item, the class parameters and the frequency table of the main window.
#include "app/MainForm.h"

#include "stats/ClassParameters.h"
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
    return field == 3 ? ParameterField::Interval : field == 4 ? ParameterField::Lower : ParameterField::Classes;
}

} // namespace

QLineEdit* MainForm::paramEdit(int field) const { return edit_[field - 3]; }

std::string MainForm::fieldText(int field) const { return paramEdit(field)->text().toStdString(); }

void MainForm::setFieldText(int field, const std::string& text) {
    QLineEdit* edit = paramEdit(field);
    const QString q = QString::fromStdString(text);
    if (edit->text() != q) edit->setText(q);
}

ParameterFields MainForm::fields() const {
    return {fieldText(3), fieldText(4), fieldText(5), fieldText(6)};
}

void MainForm::setFields(const ParameterFields& f) {
    setFieldText(3, f.interval);
    setFieldText(4, f.lower);
    setFieldText(5, f.classes);
    setFieldText(6, f.upper);
}

ParameterContext MainForm::parameterContext() const {
    return {state_.data.decimalPlaces, state_.minimumText, state_.maximumText};
}

void MainForm::clearTable() {
    list2_->clear();
    button3_->setEnabled(false);
}

void MainForm::updateGraphButton() { button3_->setEnabled(list2_->count() > 0); }

void MainForm::COMBO1_SETFOCUS() { FOC(); }

void MainForm::COMBO1_CHANGE() {
    state_.raise(3);
    state_.settingsFound = false;
    state_.graphTitle.clear();
    list2_->clear();
    const int chosen = combo1_->currentIndex();
    ClassProposal p = proposeClassParameters(items_, chosen < 0 ? 0 : chosen, parameterContext());
    if (p.index != chosen) combo1_->setCurrentIndex(p.index);
    if (p.index == ItemList::kOtherIndex) wipeOutOfRangePanel();
    for (QLineEdit* e : edit_) e->clear();
    for (QWidget* c : {static_cast<QWidget*>(button2_), static_cast<QWidget*>(button3_)})
        c->setEnabled(p.fieldsEnabled);
    for (QLineEdit* e : edit_) e->setEnabled(p.fieldsEnabled);
    state_.refLower = trimBlanks(p.referenceLower);
    state_.refUpper = trimBlanks(p.referenceUpper);
    paintReferenceBox();
    if (!p.referenceText.empty()) {
        Font font{kMincho, 16};
        canvas().text(236, 463, p.referenceText, font, White);
        canvas().text(235, 462, p.referenceText, font, Black);
    }
    setFields(p.fields);
    state_.proposedLower = p.proposedLower;
    state_.proposedUpper = p.proposedUpper;
    writeItemHint(p.index);
    setFocus();
    if (list2_->count() == 0) button3_->setEnabled(false);
    TABLE();
}

void MainForm::EDIT_CHANGE(int field) {
    TypedParameterOutcome o =
        typedParameterChanged(fieldKind(field), fields(), paramEdit(field)->isEnabled(), parameterContext());
    state_.raise(o.counterDelta);
    setFields(o.fields);
    for (const Message& m : o.messages) say(m.caption, m.text, m.buttons, m.icon);
    if (o.beep) services_.beep();
    if (o.clearList) list2_->clear();
    if (o.disableGraph) button3_->setEnabled(false);
    if (!o.runTable) return;
    TABLE();
    button3_->setEnabled(false);
    if (list2_->count() > 0) {
        button3_->setEnabled(true);
    } else {
        writeTableHint(Black);
    }
}

void MainForm::EDIT_SETFOCUS(int field) {
    FOC();
    if (field == 6) return;
    paramEdit(field)->selectAll();
    applyState(Workflow::TableStale);
}

void MainForm::EDIT_KILLFOCUS(int field) {
    if (field == 6) return;
    paramEdit(field)->deselect();
    updateGraphButton();
}

void MainForm::BUTTON2_ON() {
    FOC();
    state_.raise(1);
    TABLE();
}

void MainForm::CHECK2_ON() {
    FOC();
    state_.raise(1);
    const bool on = check2_->isChecked();
    state_.foldFlag.assign(1, on ? '1' : '0'); // not = "1": GCC 12's false -Wrestrict (bug 105651)
    writeOption(options::HAZURE, state_.foldFlag);
    if (list2_->count() > 0) TABLE();
}

bool MainForm::TABLE() {
    TableState tableState{state_.tooSmallCount};
    const std::vector<double> values = state_.data.numbers();
    TableOutcome o = runTable(fields(), values, parameterContext(), leadingNumber(state_.foldFlag) > 0, tableState);
    state_.tooSmallCount = tableState.tooSmallCount;
    setFields(o.fields);
    if (o.beep) services_.beep();
    if (o.clearList) clearTable();
    for (const Message& m : o.messages) say(m.caption, m.text, m.buttons, m.icon);
    if (o.result != TableResult::Built) {
        if (o.focusInterval) {
            paramEdit(3)->setFocus();
            paramEdit(3)->selectAll();
        }
        return false;
    }
    try {
        list2_->clear();
        QStringList rows;
        for (const std::string& r : o.rows) rows << QString::fromStdString(r);
        list2_->addItems(rows);
    } catch (...) {
        throw TableListError("frequency table list");
    }
    if (o.copies) state_.tableCopies = *o.copies;
    if (list2_->count() > 0) {
        applyState(Workflow::TableBuilt);
    } else {
        writeTableHint(Blue);
    }
    setFocus();
    if (combo1_->currentIndex() > 1) drawOutOfRangePanel();
    return list2_->count() > 0;
}

} // namespace kl
