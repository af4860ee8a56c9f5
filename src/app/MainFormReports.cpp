// The main window's print buttons, the frequency table export and the two help buttons.

#include "app/Form4.h"
#include "app/MainForm.h"
#include "output/FrequencyExport.h"
#include "output/TextReports.h"
#include "platform/qt/QtConvert.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace kl {

namespace {

constexpr const char* kNoTableText = "度数表が完成されていません。　　　　　";
constexpr const char* kExportQuestion = "度数表をCSVファイル形式でEXCELにEXPORTします。　     　\r\n\r\n"
                                        "よろしいですか？　          ";
constexpr const char* kExportLockedText = "Excel は既にオープンされています。\r\n"
                                          "この処理は、Excelを閉じてから実行して下さい。       ";
constexpr const char* kExportFailedText = "度数表のCSVファイルを書き込めませんでした。\r\n";

constexpr const char* kLaunchFailedText = "度数表を次のファイルに保存しましたが、"
                                          "CSVファイルを開くプログラムを起動できませんでした。\r\n";

} // namespace

void MainForm::wireReportHandlers() {
    const std::pair<QPushButton*, void (MainForm::*)()> buttons[] = {
        {button6_, &MainForm::BUTTON6_ON},   {button7_, &MainForm::BUTTON7_ON},
        {button8_, &MainForm::BUTTON8_ON},   {button34_, &MainForm::BUTTON34_ON},
        {button18_, &MainForm::BUTTON18_ON}, {button14_, &MainForm::BUTTON14_ON},
    };
    // Plain names, not a structured binding: clang 14 lets no lambda capture one.
    for (const auto& button : buttons) {
        const auto handler = button.second;
        connect(button.first, &QPushButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }
}

void MainForm::BUTTON6_ON() {
    FOC();
    const std::string name = reportFileName(state_.data, state_.pasted > 0);
    printReport(
        services_, [&](PrintJob& job) { printDataList(job, state_.data, name); },
        printFileProposal(name, "datalist"));
}

void MainForm::BUTTON7_ON() {
    FOC();
    const std::string name = reportFileName(state_.data, state_.pasted > 0);
    std::optional<ReferenceLimitTexts> item;
    if (combo1_->currentIndex() > 1) item = ReferenceLimitTexts{state_.refLower, state_.refUpper};
    printReport(
        services_, [&](PrintJob& job) { printBasicStatistics(job, state_.data, name, item); },
        printFileProposal(name, "statistics"));
}

void MainForm::BUTTON8_ON() {
    FOC();
    const std::string name = reportFileName(state_.data, state_.pasted > 0);
    std::vector<std::string> rows;
    for (int i = 0; i < list2_->count(); ++i)
        rows.push_back(toStdString(list2_->item(i)->text()));
    printReport(
        services_, [&](PrintJob& job) { printFrequencyTable(job, rows, name, state_.count()); },
        printFileProposal(name, "frequency"));
}

void MainForm::BUTTON34_ON() {
    FOC();
    if (list2_->count() == 0) {
        say("NOT EXIST DATA", kNoTableText);
        return;
    }
    if (ask("EXPORT TO EXCEL", kExportQuestion, Buttons::YesNo) != Answer::Yes) return;
    std::vector<std::string> rows;
    for (int i = 0; i < list2_->count(); ++i)
        rows.push_back(toStdString(list2_->item(i)->text()));
    const std::string path = workdir_ + "/" + kFrequencyExportName;
    ExportWrite written = ExportWrite::Failed;
    std::string error;
    {
        BusyPointer busy(services_);
        written = writeFrequencyExport(path, rows, &error);
    }
    // Either way the old file stays as it was.
    if (written == ExportWrite::HeldOpen) {
        say("File Already Open", kExportLockedText);
        return;
    }
    if (written == ExportWrite::Failed) {
        say("CAN NOT WRITE", kExportFailedText + error);
        return;
    }
    if (!services_.launch(path)) {
        // The window stays: minimised with no program in front, it could not be found again.
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(path, ec).lexically_normal();
        say("EXPORT TO EXCEL", kLaunchFailedText + (ec ? path : full.string()));
        return;
    }
    showMinimized();
}

void MainForm::BUTTON18_ON() {
    openHelp(1);
}

void MainForm::BUTTON14_ON() {
    openHelp(2);
}

void MainForm::openHelp(int mode) {
    FOC();
    // The mode is set before the window is laid out, so even the first opening shows its text.
    helpMode_ = mode;
    auto* help = new Form4(services_, helpMode_, this);
    help->setGuard([this](const std::function<void()>& h) { guarded(h); });
    connect(help, &Form4::closed, this, [this] { guarded([this] { FORM4_QUERYCLOSE(); }); });
    // The help window is not a child: it goes with the main window all the same.
    connect(this, &QObject::destroyed, help, [help] { delete help; });
    form4_ = help;
    setEnabled(false);
    help->open();
}

void MainForm::FORM4_QUERYCLOSE() {
    form4_.clear(); // the window deletes itself after this handler
    setEnabled(true);
    show();
    raise();
    activateWindow();
}

} // namespace kl
