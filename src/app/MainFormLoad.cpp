// Opening a data file: from the open dialog to the first frequency table.
#include "app/Form6.h"
#include "app/MainForm.h"

#include "data/DataFileReader.h"
#include "stats/BasicStatistics.h"
#include "stats/ClassParameters.h"
#include "text/FileIO.h"
#include "text/Path.h"
#include "text/Text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace kl {

namespace {

// Extensions refused without a word: sound, video, pictures, archives, programs. Compared
// exactly, so only the all-capital and all-small forms are caught.
constexpr std::array<const char*, 22> kRejectedExtensions = {
    ".WMA", ".wma", ".exe", ".EXE", ".LZH", ".lzh", ".mpg", ".MPG", ".mpeg", ".MPEG", ".JPG",
    ".jpg", ".bmp", ".BMP", ".ZIP", ".zip", ".cab", ".CAB", ".WAV", ".wav", ".mid", ".MID"};

bool rejectedExtension(const std::string& ext) {
    for (const char* e : kRejectedExtensions)
        if (ext == e) return true;
    return false;
}

// Rows added to LIST1 between two looks at the user interface.
constexpr int kListChunk = 2000;

} // namespace

bool MainForm::chooseDataFile(std::string* chosen) {
    std::string remembered = trimBlanks(options_.read(options::F_BASYO).value_or(""));
    const std::string dataFolder = workdir_ + "/data_f/";
    ensureFolder(workdir_ + "/data_f");
    FileDialogRequest request;
    request.title = "ファイルのオープン";
    request.initial = remembered.empty() ? dataFolder : remembered;
    request.filters = {
        {"CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)", {"*.CSV", "*.TXT", "*.TEXT", "*.csv", "*.txt", "*.text"}},
        {"すべてのファイル(*.*)", {"*"}},
    };
    std::optional<std::string> path = services_.openFile(request);
    if (!path) return false;
    *chosen = *path;
    return true;
}

bool MainForm::promptBeforeOpen() {
    FOC();
    if ((state_.manual != 0 || state_.counter >= 3) && savePromptsBeforeOpen && !savePromptsBeforeOpen())
        return false;
    state_.manual = 0;
    return true;
}

void MainForm::BUTTON1_ON() {
    if (!promptBeforeOpen()) return;
    std::string path;
    if (!chooseDataFile(&path)) {
        state_.manual = 0;
        return;
    }
    openDataFile(path);
}

void MainForm::openDataFile(const std::string& path) {
    // The chosen file's name parts; the data set's source fields change only once it is accepted.
    PathParts parts = splitPath(path);
    const std::string newPath = trimBlanks(parts.drive + parts.folder + parts.base + parts.ext);
    services_.pause(10);
    if (rejectedExtension(parts.ext)) {
        services_.beep();
        return;
    }
    writeOption(options::F_BASYO, parts.drive + parts.folder);
    if (trimBlanks(parts.ext).empty()) return;
    const std::string newBase = trimBlanks(parts.drive + parts.folder + parts.base);

    BusyPointer busy(services_);
    DataReadResult result;
    if (!readChosenFile(newPath, &result)) return;
    if (result.status == ReadStatus::Refused) {
        showMessages(result);
        return;
    }
    if (result.status == ReadStatus::Cancelled) {
        emptyAfterCancel();
        showMessages(result);
        return;
    }
    // Accepted: the file becomes the source of the data set.
    closeKeptGraph();
    state_.data.sourcePath = newPath;
    state_.data.sourceName = parts.base;
    state_.data.sourceBase = newBase;
    state_.settingsFound = false;
    state_.pasted = 0;
    state_.refLower.clear();
    state_.refUpper.clear();
    edit1_->setText(QString::fromStdString(newPath));
    edit2_->setText(QString::fromStdString(parts.base));
    std::string places = companionDecimalPlaces ? trimBlanks(companionDecimalPlaces()) : std::string();
    int d = places.empty() ? 2 : static_cast<int>(leadingNumber(places));
    if (d < 1 || d > 4) d = 2;
    state_.data.decimalPlaces = d;
    radio_[d - 1]->setChecked(true);
    state_.data.values = std::move(result.values);

    for (QPushButton* b : {button6_, button7_, button8_}) b->setEnabled(true);
    if (!fillValueList()) {
        emptyAfterCancel();
        say("CAUTION", readCancelledMessage().text);
        return;
    }
    if (!showNewData()) return;
    if (restoreCompanionSettings) restoreCompanionSettings();
}

// Fresh values on screen: the panels reset, the item list refilled, the statistics computed and
// the first table built from the proposal. False when the statistics were refused.
bool MainForm::showNewData() {
    paintStatisticsPanel(false);
    writeItemHint(1);
    paintItemPanel();
    combo1_->setEnabled(true);
    refillItemList();
    if (!showStatistics()) return false;
    firstTable();
    return true;
}

// Steps of the read that run with the progress window: false when nothing was read at all
// (the reason was shown).
bool MainForm::readChosenFile(const std::string& path, DataReadResult* result) {
    auto openProgress = [this] {
        busy_ = true;
        setEnabled(false);
        form6_ = std::make_unique<Form6>(this);
        form6_->open();
    };
    int polls = 0;
    DataReadHooks hooks;
    hooks.itemsBegin = openProgress;
    hooks.fillSegment = [this](int k) { form6_->fillTo(k); };
    hooks.cancelRequested = [this, &polls] {
        if (++polls % 256 == 0) services_.processEvents();
        return services_.zKeyDown();
    };
    *result = readDataFileAt(path, hooks);
    // A file that vanished reads as no values at all, which the too-few rule refuses.
    if (result->fileFailure == ReadFailure::Missing) openProgress();
    if (!form6_) {
        // Refused before any item (not readable, not text, several columns): nothing changes.
        services_.setBusy(false);
        Message m = result->fileFailure != ReadFailure::None
                        ? unreadableFileMessage(result->fileFailure, result->fileError, path)
                        : result->messages.front();
        say(m.caption, m.text, m.buttons, m.icon);
        return false;
    }
    if (result->status == ReadStatus::Refused) {
        form6_->fillTo(Form6::kSegments);
        services_.pause(40);
        services_.setBusy(false);
        showMessages(*result);
        result->messages.clear();
        closeProgress();
        setEnabled(true);
        busy_ = false;
        return false;
    }
    if (result->status == ReadStatus::Ok) {
        // The 40,000 caution is shown while the progress window is still up.
        showMessages(*result);
        result->messages.clear();
    } else {
        closeProgress();
        setEnabled(true);
        busy_ = false;
    }
    return true;
}

void MainForm::closeProgress() {
    if (!form6_) return;
    form6_->close();
    form6_.reset();
}

void MainForm::showMessages(const DataReadResult& result) {
    for (const Message& m : result.messages) say(m.caption, m.text, m.buttons, m.icon);
}

// Lists the values in LIST1 with the progress bar; false when the user cancelled.
bool MainForm::fillValueList() {
    form6_->clearBar();
    for (int step = 1; step <= 200; step += 10) form6_->setFraction(step / 200.0);
    form6_->clearBar();
    list1_->clear();
    const int n = state_.count();
    bool cancelled = false;
    QStringList chunk;
    int added = 0;
    for (int i = 1; i <= n; ++i) {
        if (services_.zKeyDown()) {
            cancelled = true;
            break;
        }
        chunk << QString::fromStdString(state_.data.listRow(i));
        if (chunk.size() == kListChunk || i == n) {
            list1_->addItems(chunk);
            added += static_cast<int>(chunk.size());
            chunk.clear();
            form6_->setFraction(static_cast<double>(i) / n);
            services_.processEvents();
        }
    }
    if (!cancelled) {
        state_.data.values.resize(static_cast<std::size_t>(added));
        state_.counter = 0;
        // Scrolled to the end but not selected: a selection would turn the next typed value into
        // a correction of the last one.
        if (list1_->count() > 0) list1_->scrollToBottom();
        services_.pause(40);
    }
    closeProgress();
    setEnabled(true);
    busy_ = false;
    return !cancelled;
}

void MainForm::emptyAfterCancel() {
    for (QLineEdit* e : edit_) {
        e->clear();
        e->setEnabled(false);
    }
    edit1_->clear();
    edit2_->clear();
    list1_->clear();
    list2_->clear();
    state_.data.values.clear();
    state_.data.sourcePath.clear();
    state_.data.sourceName.clear();
    state_.data.sourceBase.clear();
    state_.settingsFound = false;
    state_.refLower.clear();
    state_.refUpper.clear();
    combo1_->setCurrentIndex(-1);
    combo1_->setEnabled(false);
    for (QPushButton* b : {button6_, button7_, button8_, button2_, button3_}) b->setEnabled(false);
    paintStatisticsPanel(true);
    paintHintBox();
    wipeOutOfRangePanel();
    services_.setBusy(false);
    applyState(Workflow::Empty);
}

void MainForm::refillItemList() {
    items_ = loadItemList(workdir_);
    combo1_->clear();
    QStringList entries;
    for (const std::string& e : items_.entries) entries << QString::fromStdString(e);
    combo1_->addItems(entries);
    combo1_->setCurrentIndex(-1);
}

// The statistics block, drawn line by line; false when the sample was refused.
bool MainForm::showStatistics() {
    StatisticsOutcome outcome = computeBasicStatistics(state_.data);
    for (const StatisticsLine& line : outcome.lines)
        reliefText(line.x, line.y, line.text, 16);
    if (!outcome.suitable) {
        const Message m = outcome.message ? *outcome.message : unsuitableSampleMessage();
        say(m.caption, m.text, m.buttons, m.icon);
        refuseUnsuitable();
        return false;
    }
    state_.mean = outcome.statistics.mean;
    state_.minimum = outcome.statistics.minimum;
    state_.maximum = outcome.statistics.maximum;
    state_.minimumText = keptNumberText(state_.minimum);
    state_.maximumText = keptNumberText(state_.maximum);
    applyState(Workflow::DataAnalysed);
    return true;
}

void MainForm::refuseUnsuitable() {
    applyState(Workflow::Unsuitable);
    for (int i = 0; i < 3; ++i)
        edit_[i]->clear();
    edit_[3]->clear();
    list2_->clear();
    wipeOutOfRangePanel();
    services_.setBusy(false);
}

void MainForm::firstTable() {
    services_.setBusy(false);
    for (QLineEdit* e : edit_) {
        e->clear();
        e->setEnabled(false);
    }
    button2_->setEnabled(false);
    button3_->setEnabled(false);
    writeTableHint(Black);
    list2_->clear();
    combo1_->setCurrentIndex(ItemList::kOtherIndex);
    COMBO1_CHANGE();
    TABLE();
}

void MainForm::SAIKEISAN() {
    const int n = list1_->count();
    if (n < kMinDataValues) {
        Message m = tooFewValuesMessage();
        say(m.caption, m.text, m.buttons, m.icon);
        services_.setBusy(false);
        return;
    }
    for (QPushButton* b : {button6_, button7_, button8_}) b->setEnabled(true);
    state_.refLower.clear();
    state_.refUpper.clear();
    // The rows are the committed values: " " + "#####" + " | " + value + 28 blanks.
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        std::string row = list1_->item(i)->text().toStdString();
        std::string value = row.size() > 9 ? row.substr(9) : std::string();
        if (value.size() >= 28 && value.compare(value.size() - 28, 28, std::string(28, ' ')) == 0)
            value.resize(value.size() - 28);
        values.push_back(value);
    }
    closeKeptGraph();
    state_.data.values = std::move(values);
    state_.counter = 0;
    showNewData();
}

} // namespace kl
