#pragma once
// The main window: the data set and its list, the statistics panel, the measurement item and
// class parameters, the frequency table, and the buttons that start every other function.
// Handlers keep the names the program's documentation gives them (BUTTON1_ON, TABLE, FOC ...).

#include "app/AppState.h"
#include "app/ErrorHandler.h"
#include "persist/OptionFile.h"
#include "platform/Canvas.h"
#include "platform/Services.h"
#include "refrange/ReferenceMaster.h"
#include "stats/ClassParameters.h"
#include "text/FileIO.h"

#include "platform/qt/SurfaceWidget.h"

#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kl {

class Form2;
class Form6;
struct DataReadResult;
struct Message;
struct SettingsRecord;

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
    void LIST2_CLICK();
    void FOC();

    void BUTTON1_ON();
    // Reads a data file as BUTTON1_ON does with the file chosen in its open dialog (the desktop's
    // FILE argument comes in here).
    void openDataFile(const std::string& path);
    // A file dropped on the window: BUTTON1_ON's save prompts, then openDataFile.
    void openDroppedFile(const std::string& path);
    void BUTTON2_ON();
    void BUTTON10_ON();
    void CHECK2_ON();
    void COMBO1_CHANGE();
    void COMBO1_SETFOCUS();
    // Field 3, 4 or 5 (interval, lower limit, class count): its text changed; acts on CR LF.
    void EDIT_CHANGE(int field);
    void EDIT_SETFOCUS(int field);
    void EDIT_KILLFOCUS(int field);

    // The graph window (MainFormGraph.cpp): open or show again, return, closed by its frame.
    void BUTTON3_ON();
    void BUTTON4_ON();
    // The reference-interval window for the data set (MainFormInterval.cpp).
    void BUTTON150_ON();
    void FORM2_QUERYCLOSE();
    // The graph window, open or kept hidden; nullptr when there is none.
    Form2* graphWindow() const;
    // Closes a kept graph window: the data set it shows has been replaced.
    void closeKeptGraph();

    // Builds the frequency table from EDIT3..EDIT6; true when LIST2 was filled.
    bool TABLE();
    // The recalculation after typed data (rows of LIST1).
    void SAIKEISAN();

    // Reports, export and help (MainFormReports.cpp): data list, basic statistics, frequency
    // table, DOSUU.CSV, the help window in mode 1 (usage) or 2 (skewness and kurtosis).
    void BUTTON6_ON();
    void BUTTON7_ON();
    void BUTTON8_ON();
    void BUTTON34_ON();
    void BUTTON18_ON();
    void BUTTON14_ON();
    void FORM4_QUERYCLOSE();
    // The help mode of the last help window opened (0 before any).
    int helpMode() const { return helpMode_; }

    // Makes the controls usable as the workflow state says.
    void applyState(Workflow state);

    AppState& appState() { return state_; }
    const AppState& appState() const { return state_; }
    ErrorHandler& errorHandler() { return errors_; }
    OptionStore& optionStore() { return options_; }
    const std::string& workdir() const { return workdir_; }

    // What ends the program with an exit status (by default Services::exitProgram).
    void setEndProgram(std::function<void(int)> f) { endProgram_ = std::move(f); }
    // What BUTTON10 opens: the reference range master editor. Its changes reach COMBO1 at the
    // next load or recalculation, so nothing here follows its closing.
    void setMasterEditorOpener(std::function<void()> f) { masterEditorOpener_ = std::move(f); }

    // The progress window while a long loop runs (nullptr otherwise).
    Form6* progressWindow() const { return form6_.get(); }
    // True while a long loop runs: close requests are refused then.
    bool busy() const { return busy_; }

    // Runs a handler inside the program-wide error handler.
    void guarded(const std::function<void()>& handler);

    // Hooks the settings-file and save features fill in: the save prompts before exit and before
    // opening another file (false abandons the command), the decimal places and the class
    // parameters restored from a companion settings file.
    std::function<bool()> savePromptsBeforeExit;
    std::function<bool()> savePromptsBeforeOpen;
    std::function<std::string()> companionDecimalPlaces;
    std::function<void()> restoreCompanionSettings;

    // Paste (MainFormPaste.cpp), typed entry (MainFormEntry.cpp), saving and the companion
    // settings file (MainFormSave.cpp).
    void BUTTON13_ON();
    void BUTTON35_ON();
    void BUTTON36_ON();
    void BUTTON37_ON();
    void BUTTON38_ON();
    void BUTTON39_ON();
    void EDIT13_SETFOCUS();
    void EDIT13_CHANGE();
    void LIST1_CLICK();
    void LIST1_DBLCLICK();
    void RADIO_ON(int n);
    // Each returns true when its save happened (or had nothing to do); false abandons the
    // command that asked for it.
    bool NAMAE();
    bool KIOKU();
    bool KIOKU02();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // BUTTON1_ON's start: FOC and the save prompts before other data replace these; false
    // abandons the open.
    bool promptBeforeOpen();
    void buildControls();
    void buildDesktopManners();
    void wireHandlers();
    void applyStartCaptions();
    void wireGraphHandlers();
    void buildIntervalButton();
    void wireEntryHandlers();

    // Paste, typed entry and saving helpers.
    bool commitPaste(std::vector<std::string> values);
    void forgetSource();
    void pasteCancelled();
    std::vector<std::string> listValues() const;
    void showListValues(const std::vector<std::string>& values, int topRow);
    int selectedRow() const;
    void endCorrection();
    void refuseEntry(const Message& m);
    bool savePrompts(bool fromOpen);
    bool dataInNoFile() const;
    bool savePromptsDue(int counterThreshold) const;
    bool writeOrSay(const std::vector<FileWrite>& files);
    std::optional<std::string> csvTarget(const std::string& chosen);
    SettingsRecord settingsSnapshot() const;
    std::string rememberedFolder();
    std::string readCompanionDecimalPlaces();
    void restoreSettings();
    void graphWindowFailed();

    // Drawing (MainFormDraw.cpp).
    void drawFixedElements();
    void reliefText(double x, double y, const std::string& text, double size, int colour = Black,
                    bool bold = false, bool italic = false);
    void fillRgb(int x1, int y1, int x2, int y2, Rgb colour);
    void sunkenPanel(int x1, int y1, int x2, int y2);
    void paintStatisticsPanel(bool withLabels);
    void paintItemPanel();
    void paintHintBox();
    void writeItemHint(int index);
    void writeTableHint(int colour);
    void paintReferenceBox();
    void writeReferenceLine();
    void wipeOutOfRangePanel();
    void drawOutOfRangePanel();

    // Reports and help (MainFormReports.cpp).
    void wireReportHandlers();
    void openHelp(int mode);

    // Loading (MainFormLoad.cpp).
    bool chooseDataFile(std::string* chosen);
    bool readChosenFile(const std::string& path, DataReadResult* result);
    void showMessages(const DataReadResult& result);
    void closeProgress();
    bool fillValueList(const std::vector<std::string>& values);
    void emptyAfterCancel();
    void refillItemList();
    bool showStatistics();
    bool showNewData();
    void firstTable();
    void refuseUnsuitable();

    // Class parameters (MainFormTable.cpp).
    void clearTable();
    void updateGraphButton();
    QLineEdit* paramEdit(int field) const;
    std::string fieldText(int field) const;
    void setFieldText(int field, const std::string& text);
    ParameterFields fields() const;
    void setFields(const ParameterFields& f);
    ParameterContext parameterContext() const;

    // Writes an option file; a refused write is reported once per run and otherwise skipped.
    void writeOption(const OptionSpec& optionSpec, const std::string& text);

    void endProgram(int status);
    void say(const std::string& caption, const std::string& text, Buttons buttons = Buttons::Ok,
             Icon icon = Icon::Information);
    Answer ask(const std::string& caption, const std::string& text, Buttons buttons);

    Services& services_;
    std::string workdir_;
    OptionStore options_;
    AppState state_;
    ErrorHandler errors_;
    ItemList items_;
    std::function<void(int)> endProgram_;
    std::function<void()> masterEditorOpener_;
    std::unique_ptr<Form6> form6_;
    bool busy_ = false;
    bool quitting_ = false;
    bool optionWriteReported_ = false;

    // The graph window is a top-level window of its own (disabling the main window must not
    // disable it); the slot deletes it with the main window.
    struct GraphWindowSlot {
        QPointer<Form2> window;
        std::optional<std::string> typedTitle; // a title typed into EDIT7 in this run
        ~GraphWindowSlot();
    };
    GraphWindowSlot form2_;

    QPushButton *button1_ = nullptr, *button38_ = nullptr, *button18_ = nullptr, *button10_ = nullptr;
    QPushButton *button13_ = nullptr, *button36_ = nullptr, *button39_ = nullptr, *button37_ = nullptr;
    QPushButton *button35_ = nullptr, *button6_ = nullptr, *button7_ = nullptr, *button8_ = nullptr;
    QPushButton *button14_ = nullptr, *button2_ = nullptr, *button34_ = nullptr, *button3_ = nullptr;
    QPushButton* button150_ = nullptr;
    QRadioButton* radio_[4] = {};
    QLineEdit *edit1_ = nullptr, *edit2_ = nullptr, *edit13_ = nullptr, *edit14_ = nullptr;
    QLineEdit* edit_[4] = {}; // EDIT3..EDIT6
    QPlainTextEdit* edit15_ = nullptr;
    QListWidget *list1_ = nullptr, *list2_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    int helpMode_ = 0;
    QPointer<QWidget> form4_;
};

} // namespace kl
