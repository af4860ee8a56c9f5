// Typed entry and editing of the value list: new data set, append, correct, delete, insert,
// calculate, and the decimal places.
#include "app/MainForm.h"

#include "data/EntryRules.h"
#include "text/Text.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kl {

namespace {

// Width of " " + "#####" + " | " in front of a value text in LIST1.
constexpr std::size_t kRowPrefix = 9;
constexpr std::size_t kRowSuffix = 28;

// Runs a function when the watched widget takes the focus.
class FocusWatcher : public QObject {
  public:
    FocusWatcher(QObject* parent, std::function<void()> onFocus)
        : QObject(parent), onFocus_(std::move(onFocus)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) onFocus_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onFocus_;
};

} // namespace

std::vector<std::string> MainForm::listValues() const {
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

void MainForm::showListValues(const std::vector<std::string>& values, int topRow) {
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

int MainForm::selectedRow() const {
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    return selected.isEmpty() ? -1 : list1_->row(selected.first());
}

void MainForm::wireEntryHandlers() {
    auto on = [this](QPushButton* b, void (MainForm::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    on(button13_, &MainForm::BUTTON13_ON);
    on(button35_, &MainForm::BUTTON35_ON);
    on(button36_, &MainForm::BUTTON36_ON);
    on(button37_, &MainForm::BUTTON37_ON);
    on(button38_, &MainForm::BUTTON38_ON);
    on(button39_, &MainForm::BUTTON39_ON);
    for (int i = 0; i < 4; ++i)
        connect(radio_[i], &QRadioButton::clicked, this,
                [this, i] { guarded([this, i] { RADIO_ON(i + 1); }); });
    connect(list1_, &QListWidget::itemClicked, this, [this] { guarded([this] { LIST1_CLICK(); }); });
    connect(list1_, &QListWidget::itemDoubleClicked, this, [this] { guarded([this] { LIST1_DBLCLICK(); }); });
    connect(edit13_, &QLineEdit::textEdited, this, [this] { guarded([this] { EDIT13_CHANGE(); }); });
    // Enter in the entry field is the line end the change handler waits for.
    connect(edit13_, &QLineEdit::returnPressed, this, [this] {
        edit13_->setText(edit13_->text() + "\r\n");
        guarded([this] { EDIT13_CHANGE(); });
    });
    edit13_->installEventFilter(new FocusWatcher(this, [this] { guarded([this] { EDIT13_SETFOCUS(); }); }));
    savePromptsBeforeExit = [this] { return savePrompts(false); };
    savePromptsBeforeOpen = [this] { return savePrompts(true); };
    companionDecimalPlaces = [this] { return readCompanionDecimalPlaces(); };
    restoreCompanionSettings = [this] { restoreSettings(); };
}

void MainForm::BUTTON36_ON() {
    FOC();
    if (list1_->count() == 0) {
        say("新規・入力", " \r\nデータ入力を行います。         \r\n ");
        edit13_->setFocus();
        return;
    }
    if (ask("新規・入力",
            "現在のデータを全て消去して、新規にデータ入力を行います。         \r\n"
            "(データのみ消去され、ファイルは消去されません。)\r\n\r\nよろしいですか？            \r\n ",
            Buttons::YesNo) != Answer::Yes)
        return;
    // Data that exist in no file would be lost for good: offered for saving first.
    if (dataInNoFile() && !savePrompts(false)) return;
    closeKeptGraph();
    edit13_->clear();
    edit13_->setFocus();
    forgetSource();
    state_.data.values.clear();
    state_.pasted = 0; // the new rows are typed, not pasted
    list1_->clear();
    list2_->clear();
    combo1_->setEnabled(false);
    for (QLineEdit* e : edit_) {
        e->clear();
        e->setEnabled(false);
    }
    for (QPushButton* b : {button2_, button3_, button6_, button7_, button8_})
        b->setEnabled(false);
    for (const auto& [x1, y1, x2, y2] : {std::array{218, 57, 550, 480}, std::array{218, 485, 550, 510},
                                         std::array{218, 518, 362, 545}, std::array{458, 553, 552, 662}})
        sunkenPanel(x1, y1, x2, y2);
    reliefText(244, 524, " 測定項目名", 16);
    reliefText(240, 70, "( 基礎計算結果 )", 16);
    state_.counter = 0;
}

void MainForm::EDIT13_SETFOCUS() {
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

void MainForm::LIST1_CLICK() {
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
void MainForm::endCorrection() {
    edit13_->clear();
    setFocus();
    list1_->clearSelection();
    list1_->setCurrentRow(-1, QItemSelectionModel::Clear);
    edit14_->setText(" Data");
}

void MainForm::refuseEntry(const Message& m) {
    say(m.caption, m.text, m.buttons, m.icon);
    edit13_->clear();
    edit13_->setFocus();
}

void MainForm::EDIT13_CHANGE() {
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

void MainForm::LIST1_DBLCLICK() {
    const int r = selectedRow();
    if (r < 0) return;
    const Answer a =
        ask("delete", "選択されたデータを削除します。　　よろしいですか？                ", Buttons::YesNo);
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

void MainForm::BUTTON37_ON() {
    if (selectedRow() < 0) {
        say("挿入", "挿入するデータの行が指定されていません。      \r\n"
                    "(選択した行の前にデータまたは空欄が挿入されます)         ");
        return;
    }
    // The list holds at most 40,000 values: an insertion beyond that is refused before asking.
    if (list1_->count() >= kMaxDataValues) {
        const Message m = insertFullMessage();
        say(m.caption, m.text, m.buttons, m.icon);
        return;
    }
    const Answer a =
        ask("挿入",
            "選択された行の前にデータまたは空欄を挿入します。　　よろしいですか？                \r\n"
            "(データ入力欄にデータを入力するか、空欄にする場合は、入力欄を消去してから「はい」をどうぞ。     "
            "    \r\n"
            " そのまま「はい」をクリックすると現在のデータが前の行にコピーされます)　　         ",
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

void MainForm::BUTTON39_ON() {
    FOC();
}

void MainForm::BUTTON35_ON() {
    FOC();
    state_.tooSmallCount = 0;
    if (list1_->count() < kMinDataValues) {
        say("BAD DATA", "データが少なすぎます(データ数が10件未満です)。           \r\n\r\n"
                        "または、 データがありません。                     \r\n ");
        return;
    }
    if (ask("計  算",
            "現在のデータによって、各種パラメータを計算します。　      \r\n"
            "よろしいですか？                 \r\n\r\n"
            "( データを新規に入力した場合、または、追加、訂正した場合は、\r\n"
            "  必ず再度この計算ボタンで計算しなおして下さい。)      ",
            Buttons::YesNo) != Answer::Yes)
        return;
    const std::vector<std::string> kept = compactRows(listValues());
    showListValues(kept, static_cast<int>(kept.size()) - 1);
    list1_->scrollToBottom();
    edit13_->clear();
    list1_->clearSelection();
    BusyPointer busy(services_);
    state_.manual = 1;
    SAIKEISAN();
    state_.raise(2);
}

void MainForm::RADIO_ON(int n) {
    writeOption(options::SWIT_SYOU, std::to_string(n));
    state_.data.decimalPlaces = n;
    if (list1_->count() == 0) return;
    BusyPointer busy(services_);
    state_.manual = 1;
    SAIKEISAN();
    state_.raise(2);
}

} // namespace kl
