#pragma once
// The main window: it builds its controls from one table (MainControls.cpp), hands them to the
// panels that own them and their handlers, and ties the panels together:
//   FilePanel        open a data file, save it, the save prompts     (OpenFile.cpp, SaveFile.cpp)
//   DataPanel        the value list, typed entry, paste, decimals    (DataEntry.cpp, PasteData.cpp)
//   StatisticsPanel  the drawn statistics block and hints            (StatisticsPanel.cpp)
//   TablePanel       measurement item, class parameters, frequency table, graph window
//                                                                    (FrequencyTable.cpp,
//                                                                    GraphWindowLink.cpp)
//   ReportPanel      print the data, statistics and table, export, help (PrintReports.cpp)
// Handlers keep the names the program's documentation gives them (BUTTON1_ON, TABLE, FOC ...).

#include "app/AppState.h"
#include "app/ErrorHandler.h"
#include "persist/OptionFile.h"
#include "platform/Services.h"

#include "platform/qt/SurfaceWidget.h"

#include <functional>
#include <memory>
#include <string>

namespace kl {

class Form6;
class DataPanel;
class FilePanel;
class ReportPanel;
class StatisticsPanel;
class TablePanel;

class MainForm : public SurfaceWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    MainForm(Services& services, std::string workdir, QWidget* parent = nullptr);
    ~MainForm() override;

    // The main window's start; false when the installation-folder check ends the program.
    bool MAINFORM_START();
    // Asks before closing; true when the program may end.
    bool MAINFORM_QUERYCLOSE();
    void MAINFORM_CLICK();
    // Leaves any correction of the value list: no row selected, the entry field empty.
    void FOC();
    // BUTTON10: the reference range master editor. BUTTON150: the reference-interval window for
    // the data set (ReferenceButtons.cpp).
    void BUTTON10_ON();
    void BUTTON150_ON();
    void BUTTON160_ON();

    FilePanel& files() { return *files_; }
    DataPanel& data() { return *data_; }
    StatisticsPanel& statistics() { return *statistics_; }
    TablePanel& table() { return *table_; }
    ReportPanel& reports() { return *reports_; }

    // Makes the controls usable as the workflow state says.
    void applyState(Workflow state);
    // Fresh values on screen: the panels reset, the item list refilled, the statistics computed
    // and the first table built from the proposal. False when the statistics were refused.
    bool showNewData();
    // After a cancelled paste: no data, no source, no table.
    void emptyAfterCancel();

    AppState& appState() { return state_; }
    const AppState& appState() const { return state_; }
    Services& services() { return services_; }
    OptionStore& options() { return options_; }
    const std::string& workdir() const { return workdir_; }

    // What BUTTON10 opens: the reference range master editor. Its changes reach COMBO1 at the
    // next load or recalculation, so nothing here follows its closing.
    void setMasterEditorOpener(std::function<void()> f) { masterEditorOpener_ = std::move(f); }

    // The progress window while a long loop runs (nullptr otherwise); starting one disables the
    // window until endBusy.
    Form6* progressWindow() const { return form6_.get(); }
    Form6& startProgress();
    void closeProgress();
    void endBusy();
    // True while a long loop runs: close requests are refused then.
    bool busy() const { return busy_; }

    // Runs a handler inside the program-wide error handler.
    void guarded(const std::function<void()>& handler);

    // Writes an option file; a refused write is reported once per run and otherwise skipped.
    void writeOption(const OptionSpec& optionSpec, const std::string& text);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildControls();
    void buildDesktopManners();
    void followDataButtons(); // BUTTON150 usable exactly when BUTTON6 is
    void refuseUnsuitable();
    void endProgram(int status);

    Services& services_;
    std::string workdir_;
    OptionStore options_;
    AppState state_;
    ErrorHandler errors_;
    std::function<void()> masterEditorOpener_;
    std::unique_ptr<Form6> form6_;
    bool busy_ = false;
    bool quitting_ = false;
    bool optionWriteReported_ = false;

    std::unique_ptr<StatisticsPanel> statistics_;
    std::unique_ptr<FilePanel> files_;
    std::unique_ptr<DataPanel> data_;
    std::unique_ptr<TablePanel> table_;
    std::unique_ptr<ReportPanel> reports_;
};

} // namespace kl
