// Typed entry and editing of the value list: new data set, append, correct, delete, insert,
// calculate, and the decimal places.
#include "app/main/DataPanel.h"

#include "app/Form6.h"
#include "app/WindowParts.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/StatisticsPanel.h"
#include "app/main/TablePanel.h"
#include "data/DataFileReader.h"
#include "data/EntryRules.h"
#include "data/Message.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kl {

namespace {

// Width of " " + "#####" + " | " in front of a value text in LIST1.
constexpr std::size_t kRowPrefix = 9;
constexpr std::size_t kRowSuffix = 28;

// Rows added to LIST1 between two looks at the user interface.
constexpr int kListChunk = 2000;

} // namespace

std::vector<std::string> DataPanel::listValues() const {
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(list1_->count()));
    for (int i = 0; i < list1_->count(); ++i) {
        std::string row = list1_->item(i)->text().toStdString();
        std::string value = row.size() > kRowPrefix ? row.substr(kRowPrefix) : std::string();
        if (value.size() >= kRowSuffix &&
            value.compare(value.size() - kRowSuffix, kRowSuffix, blanks(kRowSuffix)) == 0)
            value.resize(value.size() - kRowSuffix);
        values.push_back(std::move(value));
    }
    return values;
}

void DataPanel::showListValues(const std::vector<std::string>& values, int topRow) {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        rows << QString::fromStdString(DataSet::list1Row(static_cast<int>(i) + 1, values[i]));
    list1_->clear();
    list1_->addItems(rows);
    if (list1_->count() == 0) return;
    topRow = std::clamp(topRow, 0, list1_->count() - 1);
    list1_->scrollToItem(list1_->item(topRow), QAbstractItemView::PositionAtTop);
}

int DataPanel::selectedRow() const {
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    return selected.isEmpty() ? -1 : list1_->row(selected.first());
}

DataPanel::DataPanel(MainForm& window)
    : MainPanel(window), radio_{control<QRadioButton>("RADIO1"), control<QRadioButton>("RADIO2"),
                                control<QRadioButton>("RADIO3"), control<QRadioButton>("RADIO4")},
      list1_(control<QListWidget>("LIST1")), edit14_(control<QLineEdit>("EDIT14")),
      edit13_(control<QLineEdit>("EDIT13")) {
    QObject::connect(list1_, &QListWidget::itemDoubleClicked, &window_,
                     [this] { window_.guarded([this] { LIST1_DBLCLICK(); }); });
}

void DataPanel::watchEntryField() {
    keepSelectionOnMouseFocus(edit13_);
    watchFocus(edit13_, [this] { EDIT13_SETFOCUS(); });
}

int DataPanel::rowCount() const {
    return list1_->count();
}

void DataPanel::clearList() {
    list1_->clear();
}

void DataPanel::showDecimalPlaces(int places) {
    radio_[places - 1]->setChecked(true);
}

void DataPanel::FOC() {
    edit13_->clear();
    if (list1_->count() > 0) {
        list1_->clearSelection();
        list1_->setCurrentRow(-1);
    }
    edit14_->setText(" Data");
}

void DataPanel::BUTTON36_ON() {
    FOC();
    if (list1_->count() == 0) {
        say(translate("DataPanel", "新規・入力"),
            translate("DataPanel", " \r\nデータ入力を行います。         \r\n "));
        edit13_->setFocus();
        return;
    }
    if (ask(translate("DataPanel", "新規・入力"),
            translate(
                "DataPanel",
                "現在のデータを全て消去して、新規にデータ入力を行います。         \r\n"
                "(データのみ消去され、ファイルは消去されません。)\r\n\r\nよろしいですか？            \r\n "),
            Buttons::YesNo) != Answer::Yes)
        return;
    // Data that exist in no file would be lost for good: offered for saving first.
    FilePanel& files = window_.files();
    if (files.dataInNoFile() && !files.savePrompts(false)) return;
    window_.table().closeKeptGraph();
    edit13_->clear();
    edit13_->setFocus();
    files.forgetSource();
    state_.data.values.clear();
    state_.pasted = 0; // the new rows are typed, not pasted
    list1_->clear();
    window_.table().forgetForEntry();
    window_.reports().setPrintable(false);
    window_.statistics().blankForEntry();
    state_.counter = 0;
}

void DataPanel::EDIT13_SETFOCUS() {
    if (selectedRow() >= 0) {
        edit13_->selectAll();
        return;
    }
    edit13_->end(false);
    const std::vector<std::string> values = listValues();
    int last = -1;
    for (int i = static_cast<int>(values.size()) - 1; i >= 0; --i)
        if (!trimBlanks(values[static_cast<std::size_t>(i)]).empty()) {
            last = i;
            break;
        }
    if (last >= 0) list1_->scrollToItem(list1_->item(last), QAbstractItemView::PositionAtTop);
    edit14_->setText(QString::number(last + 2));
}

void DataPanel::LIST1_CLICK() {
    const int r = selectedRow();
    edit13_->setFocus();
    if (r < 0) {
        edit14_->setText(" Data");
        return;
    }
    edit13_->setText(QString::fromStdString(listValues()[static_cast<std::size_t>(r)]));
    edit13_->selectAll();
    edit14_->setText(QString::number(r + 1));
}

// After a correction or a deletion by an empty entry: back to append mode.
void DataPanel::endCorrection() {
    edit13_->clear();
    window_.setFocus();
    list1_->clearSelection();
    list1_->setCurrentRow(-1, QItemSelectionModel::Clear);
    edit14_->setText(" Data");
}

void DataPanel::refuseEntry(const Message& m) {
    say(m);
    edit13_->clear();
    edit13_->setFocus();
}

void DataPanel::EDIT13_CHANGE() {
    const std::optional<std::string> entry = submittedEntry(edit13_->text().toStdString());
    if (!entry) return;
    state_.raise(2);
    std::vector<std::string> values = listValues();
    const int r = selectedRow();
    if (r >= 0) {
        if (entry->empty()) {
            values.erase(values.begin() + r);
        } else {
            const EntryVerdict v = checkEntry(*entry);
            if (!v.accepted) return refuseEntry(*v.refusal);
            values[static_cast<std::size_t>(r)] = v.text;
        }
        showListValues(values, r);
        endCorrection();
        return;
    }
    if (values.size() >= static_cast<std::size_t>(kMaxDataValues)) return refuseEntry(dataFullMessage());
    if (entry->empty()) {
        edit13_->clear();
        services_.beep();
        return;
    }
    const EntryVerdict v = checkEntry(*entry);
    if (!v.accepted) return refuseEntry(*v.refusal);
    values.push_back(v.text);
    const int m = static_cast<int>(values.size()) - 1;
    showListValues(values, m);
    edit13_->clear();
    edit13_->setFocus();
    edit14_->setText(QString::number(m + 2));
}

void DataPanel::LIST1_DBLCLICK() {
    const int r = selectedRow();
    if (r < 0) return;
    const Answer a =
        ask("delete",
            translate("DataPanel", "選択されたデータを削除します。　　よろしいですか？                "),
            Buttons::YesNo);
    if (a != Answer::Yes) {
        edit13_->clear();
        list1_->clearSelection();
        list1_->setCurrentRow(-1, QItemSelectionModel::Clear);
        edit13_->setFocus();
        edit14_->setText(" Data");
        return;
    }
    std::vector<std::string> values = listValues();
    if (values.size() == 1) {
        list1_->clear();
    } else {
        values.erase(values.begin() + r);
        showListValues(values, static_cast<int>(values.size()) - 1);
        state_.raise(2);
    }
    edit13_->clear();
    edit13_->setFocus();
    edit14_->setText(QString::number(list1_->count() + 1));
}

void DataPanel::BUTTON37_ON() {
    if (selectedRow() < 0) {
        say(translate("DataPanel", "挿入"),
            translate("DataPanel", "挿入するデータの行が指定されていません。      \r\n"
                                   "(選択した行の前にデータまたは空欄が挿入されます)         "));
        return;
    }
    // The list holds at most 40,000 values: an insertion beyond that is refused before asking.
    if (list1_->count() >= kMaxDataValues) {
        say(insertFullMessage());
        return;
    }
    const Answer a = ask(
        translate("DataPanel", "挿入"),
        translate(
            "DataPanel",
            "選択された行の前にデータまたは空欄を挿入します。　　よろしいですか？                \r\n"
            "(データ入力欄にデータを入力するか、空欄にする場合は、入力欄を消去してから「はい」をどうぞ。     "
            "    \r\n"
            " そのまま「はい」をクリックすると現在のデータが前の行にコピーされます)　　         "),
        Buttons::YesNo);
    if (a != Answer::Yes) {
        list1_->clearSelection();
        FOC();
        return;
    }
    const int s = selectedRow();
    if (s < 0) {
        services_.beep();
        return;
    }
    std::vector<std::string> values = listValues();
    values.insert(values.begin() + s, trimBlanks(edit13_->text().toStdString()));
    showListValues(values, s - 1);
    // An insertion changes the data like an entry does: the next save prompt must see it.
    state_.raise(2);
    edit13_->clear();
    list1_->clearSelection();
    list1_->setCurrentRow(-1, QItemSelectionModel::Clear);
    edit13_->setFocus();
    edit14_->setText(" Data");
}

void DataPanel::BUTTON39_ON() {
    FOC();
}

void DataPanel::BUTTON35_ON() {
    FOC();
    state_.tooSmallCount = 0;
    if (list1_->count() < kMinDataValues) {
        say("BAD DATA",
            translate("DataPanel", "データが少なすぎます(データ数が10件未満です)。           \r\n\r\n"
                                   "または、 データがありません。                     \r\n "));
        return;
    }
    if (ask(translate("DataPanel", "計  算"),
            translate("DataPanel", "現在のデータによって、各種パラメータを計算します。　      \r\n"
                                   "よろしいですか？                 \r\n\r\n"
                                   "( データを新規に入力した場合、または、追加、訂正した場合は、\r\n"
                                   "  必ず再度この計算ボタンで計算しなおして下さい。)      "),
            Buttons::YesNo) != Answer::Yes)
        return;
    const std::vector<std::string> kept = compactRows(listValues());
    showListValues(kept, static_cast<int>(kept.size()) - 1);
    list1_->scrollToBottom();
    edit13_->clear();
    list1_->clearSelection();
    recalculate();
}

void DataPanel::RADIO_ON(int n) {
    window_.writeOption(options::decimalPlaces, std::to_string(n));
    state_.data.decimalPlaces = n;
    if (list1_->count() == 0) return;
    recalculate();
}

// The values as typed become the data set: computed again, and marked as changed by hand.
void DataPanel::recalculate() {
    BusyPointer busy(services_);
    state_.manual = 1;
    SAIKEISAN();
    state_.raise(2);
}

void DataPanel::SAIKEISAN() {
    const int n = list1_->count();
    if (n < kMinDataValues) {
        say(tooFewValuesMessage());
        services_.setBusy(false);
        return;
    }
    window_.reports().setPrintable(true);
    state_.refLower.clear();
    state_.refUpper.clear();
    std::vector<std::string> values = listValues();
    window_.table().closeKeptGraph();
    state_.data.values = std::move(values);
    state_.counter = 0;
    window_.showNewData();
}

// Lists the values read in LIST1 with the progress bar; false when the user cancelled. The rows
// are made first and replace LIST1 only at the end, so a cancel leaves the list as it was.
bool DataPanel::fillValueList(const std::vector<std::string>& values) {
    Form6& progress = *window_.progressWindow();
    progress.clearBar();
    for (int step = 1; step <= 200; step += 10)
        progress.setFraction(step / 200.0);
    progress.clearBar();
    const int n = static_cast<int>(values.size());
    bool cancelled = false;
    QStringList rows;
    rows.reserve(n);
    for (int i = 1; i <= n; ++i) {
        if (services_.zKeyDown()) {
            cancelled = true;
            break;
        }
        rows << QString::fromStdString(DataSet::list1Row(i, values[static_cast<std::size_t>(i) - 1]));
        if (i % kListChunk == 0 || i == n) {
            progress.setFraction(static_cast<double>(i) / n);
            services_.processEvents();
        }
    }
    if (!cancelled) {
        list1_->clear();
        list1_->addItems(rows);
        // Scrolled to the end but not selected: a selection would turn the next typed value into
        // a correction of the last one.
        if (list1_->count() > 0) list1_->scrollToBottom();
        services_.pause(40);
    }
    window_.closeProgress();
    window_.endBusy();
    return !cancelled;
}

} // namespace kl
