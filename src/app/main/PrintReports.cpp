// The main window's print buttons, the frequency table export and the two help buttons: print
// the data list, the basic statistics or the frequency table.

#include "app/Form4.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/TablePanel.h"
#include "output/FrequencyExport.h"
#include "output/TextReports.h"
#include "text/Translate.h"

#include <QPushButton>

#include <filesystem>
#include <string>
#include <vector>

namespace kl {

namespace {

constexpr const char* kNoTableText =
    KL_TRANSLATE_NOOP("ReportPanel", "度数表が完成されていません。　　　　　");
constexpr const char* kExportQuestion =
    KL_TRANSLATE_NOOP("ReportPanel", "度数表をCSVファイル形式でEXCELにEXPORTします。　     　\r\n\r\n"
                                     "よろしいですか？　          ");
constexpr const char* kExportLockedText =
    KL_TRANSLATE_NOOP("ReportPanel", "Excel は既にオープンされています。\r\n"
                                     "この処理は、Excelを閉じてから実行して下さい。       ");
constexpr const char* kExportFailedText =
    KL_TRANSLATE_NOOP("ReportPanel", "度数表のCSVファイルを書き込めませんでした。\r\n");

constexpr const char* kLaunchFailedText =
    KL_TRANSLATE_NOOP("ReportPanel", "度数表を次のファイルに保存しましたが、"
                                     "CSVファイルを開くプログラムを起動できませんでした。\r\n");

} // namespace

ReportPanel::ReportPanel(MainForm& window)
    : MainPanel(window), button6_(control<QPushButton>("BUTTON6")), button7_(control<QPushButton>("BUTTON7")),
      button8_(control<QPushButton>("BUTTON8")) {}

void ReportPanel::setPrintable(bool on) {
    for (QPushButton* b : {button6_, button7_, button8_})
        b->setEnabled(on);
}

void ReportPanel::BUTTON6_ON() {
    window_.FOC();
    const std::string name = reportFileName(state_.data, state_.pasted > 0);
    printReport(
        services_, [&](PrintJob& job) { printDataList(job, state_.data, name); },
        printFileProposal(name, "datalist"));
}

void ReportPanel::BUTTON7_ON() {
    window_.FOC();
    const std::string name = reportFileName(state_.data, state_.pasted > 0);
    std::optional<ReferenceLimitTexts> item;
    if (window_.table().itemIndex() > 1) item = ReferenceLimitTexts{state_.refLower, state_.refUpper};
    printReport(
        services_, [&](PrintJob& job) { printBasicStatistics(job, state_.data, name, item); },
        printFileProposal(name, "statistics"));
}

void ReportPanel::BUTTON8_ON() {
    window_.FOC();
    const std::string name = reportFileName(state_.data, state_.pasted > 0);
    const std::vector<std::string>& rows = state_.tableRows;
    printReport(
        services_, [&](PrintJob& job) { printFrequencyTable(job, rows, name, state_.count()); },
        printFileProposal(name, "frequency"));
}

void ReportPanel::BUTTON34_ON() {
    window_.FOC();
    if (state_.tableRows.empty()) {
        say("NOT EXIST DATA", translate("ReportPanel", kNoTableText));
        return;
    }
    if (ask("EXPORT TO EXCEL", translate("ReportPanel", kExportQuestion), Buttons::YesNo) != Answer::Yes)
        return;
    const std::vector<std::string>& rows = state_.tableRows;
    const std::string path = window_.workdir() + "/" + kFrequencyExportName;
    ExportWrite written = ExportWrite::Failed;
    std::string error;
    {
        BusyPointer busy(services_);
        written = writeFrequencyExport(path, rows, &error);
    }
    // Either way the old file stays as it was.
    if (written == ExportWrite::HeldOpen) {
        say("File Already Open", translate("ReportPanel", kExportLockedText));
        return;
    }
    if (written == ExportWrite::Failed) {
        say("CAN NOT WRITE", translate("ReportPanel", kExportFailedText) + error);
        return;
    }
    if (!services_.launch(path)) {
        // The window stays: minimised with no program in front, it could not be found again.
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(path, ec).lexically_normal();
        say("EXPORT TO EXCEL", translate("ReportPanel", kLaunchFailedText) + (ec ? path : full.string()));
        return;
    }
    window_.showMinimized();
}

void ReportPanel::BUTTON18_ON() {
    openHelp(1);
}

void ReportPanel::BUTTON14_ON() {
    openHelp(2);
}

void ReportPanel::openHelp(int mode) {
    window_.FOC();
    // The mode is set before the window is laid out, so even the first opening shows its text.
    helpMode_ = mode;
    MainForm* main = &window_;
    auto* help = new Form4(services_, helpMode_, main);
    help->setGuard([main](const std::function<void()>& h) { main->guarded(h); });
    QObject::connect(help, &Form4::closed, main,
                     [this, main] { main->guarded([this] { FORM4_QUERYCLOSE(); }); });
    // The help window is not a child: it goes with the main window all the same.
    QObject::connect(main, &QObject::destroyed, help, [help] { delete help; });
    form4_ = help;
    main->setEnabled(false);
    help->open();
}

void ReportPanel::FORM4_QUERYCLOSE() {
    form4_.clear(); // the window deletes itself after this handler
    window_.setEnabled(true);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

} // namespace kl
