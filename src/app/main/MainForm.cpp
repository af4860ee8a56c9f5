#include "app/main/MainForm.h"

#include "app/Form6.h"
#include "app/StartUp.h"
#include "app/WindowParts.h"
#include "app/main/DataPanel.h"
#include "app/main/FilePanel.h"
#include "app/main/ReportPanel.h"
#include "app/main/StatisticsPanel.h"
#include "app/main/TablePanel.h"
#include "platform/qt/Fonts.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace kl {

namespace {

constexpr int kItemListHeight = 532; // COMBO1's drop-down list

} // namespace

MainForm::MainForm(Services& services, std::string workdir, QWidget* parent)
    : SurfaceWidget("MainForm", QSize(kWidth, kHeight), parent), services_(services),
      workdir_(std::move(workdir)), options_(workdir_), errors_(services, [this] { endProgram(1); }) {
    setWindowTitle("THE KLEPSYDRA");
    setFont(qtFont(Font{kMincho, 16}, 16));
    setAcceptDrops(true); // a data file dropped on the window is opened (OpenFile.cpp)
    connect(this, &SurfaceWidget::surfaceClicked, this, [this] { guarded([this] { MAINFORM_CLICK(); }); });
    buildControls();
    statistics_ = std::make_unique<StatisticsPanel>(*this);
    files_ = std::make_unique<FilePanel>(*this);
    data_ = std::make_unique<DataPanel>(*this);
    table_ = std::make_unique<TablePanel>(*this);
    reports_ = std::make_unique<ReportPanel>(*this);
    buildDesktopManners();
    errors_.setTableListReaction([this] { table_->clearTable(); });
}

MainForm::~MainForm() = default;

// What a desktop user expects of the controls beyond what the handlers do.
void MainForm::buildDesktopManners() {
    keepPlaceWhenHidden(this);
    auto* combo = findChild<QComboBox*>("COMBO1");
    combo->setMaxVisibleItems(kItemListHeight / 28);
    fitDropDown(combo, kItemListHeight);
    table_->watchFields();
    data_->watchEntryField();
    followDataButtons();
}

void MainForm::guarded(const std::function<void()>& handler) {
    if (errors_.run(handler) || errors_.ended()) return;
    // The failed handler may have left a long loop half-way: the window must answer again.
    closeProgress();
    endBusy();
}

bool MainForm::MAINFORM_START() {
    state_.tooSmallCount = 0;
    std::optional<std::string> places = options_.read(options::decimalPlaces);
    int d = places && !places->empty() ? static_cast<int>(leadingNumber(*places)) : 1;
    if (d < 1 || d > 4) d = 1; // an unreadable option falls back to the default
    state_.data.decimalPlaces = d;
    data_->showDecimalPlaces(d);
    state_.refLower.clear();
    state_.refUpper.clear();
    applyState(Workflow::Empty);
    statistics_->drawFixedElements();
    const bool fold = options_.readNumber(options::foldExtremes) > 0;
    table_->showFold(fold);
    state_.foldFlag.assign(1, fold ? '1' : '0'); // not = "1": GCC 12's false -Wrestrict (bug 105651)
    return checkInstallFolder(services_, services_.osVersion(), services_.currentFolder());
}

void MainForm::applyState(Workflow workflow) {
    const bool hasData = state_.count() > 0;
    auto enable = [](std::initializer_list<QWidget*> controls, bool on) {
        for (QWidget* c : controls)
            c->setEnabled(on);
    };
    TablePanel& t = *table_;
    ReportPanel& r = *reports_;
    switch (workflow) {
    case Workflow::Empty:
        enable({t.combo(), t.field(3), t.field(4), t.field(5), t.field(6), t.tableButton(), t.graphButton()},
               false);
        if (!hasData) enable({r.printButton(6), r.printButton(7), r.printButton(8)}, false);
        break;
    case Workflow::DataAnalysed:
        enable({t.combo(), r.printButton(6), r.printButton(7), r.printButton(8)}, true);
        if (!t.hasTable()) t.graphButton()->setEnabled(false);
        break;
    case Workflow::ItemChosen:
        enable({t.field(3), t.field(4), t.field(5), t.field(6), t.tableButton()}, true);
        break;
    case Workflow::TableBuilt:
        t.graphButton()->setEnabled(true);
        break;
    case Workflow::TableStale:
        t.graphButton()->setEnabled(false);
        break;
    case Workflow::Unsuitable:
        enable({t.combo(), t.tableButton(), t.graphButton(), r.printButton(6), r.printButton(7),
                r.printButton(8), t.field(3), t.field(4), t.field(5)},
               false);
        break;
    }
}

bool MainForm::showNewData() {
    statistics_->paintStatisticsPanel(false);
    statistics_->writeItemHint(1);
    statistics_->paintItemPanel();
    table_->refillItemList();
    if (!statistics_->showStatistics()) {
        refuseUnsuitable();
        return false;
    }
    applyState(Workflow::DataAnalysed);
    table_->firstTable();
    return true;
}

void MainForm::refuseUnsuitable() {
    applyState(Workflow::Unsuitable);
    table_->clearFieldsAndTable();
    statistics_->wipeOutOfRangePanel();
    services_.setBusy(false);
}

void MainForm::emptyAfterCancel() {
    table_->empty();
    files_->clearShownSource();
    data_->clearList();
    state_.data.values.clear();
    state_.data.sourcePath.clear();
    state_.data.sourceName.clear();
    state_.data.sourceBase.clear();
    state_.settingsFound = false;
    state_.refLower.clear();
    state_.refUpper.clear();
    reports_->setPrintable(false);
    statistics_->paintStatisticsPanel(true);
    statistics_->paintHintBox();
    statistics_->wipeOutOfRangePanel();
    services_.setBusy(false);
    applyState(Workflow::Empty);
}

void MainForm::FOC() {
    data_->FOC();
}

void MainForm::MAINFORM_CLICK() {
    table_->deselectRow();
}

bool MainForm::MAINFORM_QUERYCLOSE() {
    if (busy_) return false;
    Answer a =
        services_.message(translate("MainForm", "終了"),
                          translate("MainForm", "プログラムを終了します。　よろしいですか？  　　　     "
                                                " ･･････ THE KLEPSYDRA"),
                          Buttons::YesNo, Icon::Question);
    if (a != Answer::Yes) return false;
    if (files_->savePromptsDue(3) && !files_->savePrompts(false)) return false;
    services_.pause(30);
    return true;
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    bool allow = false;
    guarded([&] { allow = MAINFORM_QUERYCLOSE(); });
    if (!allow) {
        event->ignore();
        return;
    }
    quitting_ = true;
    event->accept();
    endProgram(0);
}

Form6& MainForm::startProgress() {
    busy_ = true;
    setEnabled(false);
    form6_ = std::make_unique<Form6>(this);
    return *form6_;
}

void MainForm::closeProgress() {
    if (!form6_) return;
    form6_->close();
    form6_.reset();
}

void MainForm::endBusy() {
    setEnabled(true);
    busy_ = false;
}

void MainForm::writeOption(const OptionSpec& optionSpec, const std::string& text) {
    std::string error;
    if (options_.write(optionSpec, text, &error) || optionWriteReported_) return;
    optionWriteReported_ = true;
    services_.message(
        "CAUTION",
        translate("MainForm", "設定ファイルを保存できません。作業フォルダを確認して下さい。\r\n") + error,
        Buttons::Ok, Icon::Information);
}

void MainForm::endProgram(int status) {
    services_.exitProgram(status);
}

} // namespace kl
