#pragma once
// The measurement item, the class parameters and the frequency table of the main window, and the
// switching to the histogram window the table feeds (GraphWindowLink.cpp).
// Controls: COMBO1, EDIT3..EDIT6, BUTTON2, CHECK2, LIST2, BUTTON3.

#include "app/main/MainPanel.h"
#include "refrange/ReferenceMaster.h"
#include "stats/ClassParameters.h"

#include <QPointer>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kl {

class Form2;
struct SettingsRecord;

class TablePanel : public MainPanel {
  public:
    explicit TablePanel(MainForm& window);
    ~TablePanel();

    // Focus handlers of COMBO1 and EDIT3..EDIT6 (the window calls this once its manners are set).
    void watchFields();

    void COMBO1_CHANGE();
    void COMBO1_SETFOCUS();
    // Field 3, 4 or 5 (interval, lower limit, class count): its text changed; acts on CR LF.
    void EDIT_CHANGE(int field);
    void EDIT_SETFOCUS(int field);
    void EDIT_KILLFOCUS(int field);
    void BUTTON2_ON();
    void CHECK2_ON();
    void LIST2_CLICK();
    // Builds the frequency table from EDIT3..EDIT6; true when LIST2 was filled.
    bool TABLE();

    // The graph window (GraphWindowLink.cpp): open or show again, return, closed by its frame.
    void BUTTON3_ON();
    void BUTTON4_ON();
    void FORM2_QUERYCLOSE();
    // The graph window, open or kept hidden; nullptr when there is none.
    Form2* graphWindow() const;
    // Closes a kept graph window: the data set it shows has been replaced.
    void closeKeptGraph();
    // Forgets a title typed into the graph window (the data set has a new source).
    void forgetTypedTitle();

    // The rows of the table: held in the application state, shown in LIST2.
    void clearTable();
    bool hasTable() const;
    void deselectRow();

    void showFold(bool on);
    void refillItemList();
    // The first table of fresh data: the item "OTHER" and its proposal.
    void firstTable();
    void clearFieldsAndTable();
    // No item, no parameters, no table, nothing usable (a new typed entry or a cancelled paste).
    void empty();
    void forgetForEntry();

    int itemIndex() const;
    std::string itemText() const;
    // The parameters and the item as the companion settings file keeps them.
    SettingsRecord settingsSnapshot() const;
    // Puts back the parameters and item of a complete settings file, builds the table and opens
    // the graph window.
    void restoreSettings(const SettingsRecord& r);

    QComboBox* combo() const { return combo1_; }
    QLineEdit* field(int field) const { return edit_[field - 3]; }
    QPushButton* tableButton() const { return button2_; }
    QPushButton* graphButton() const { return button3_; }

  private:
    void showRows(const std::vector<std::string>& rows);
    // LIST2 and the rows it shows emptied together.
    void clearRows();
    void clearAndDisableFields();
    void updateGraphButton();
    std::string fieldText(int field) const;
    void setFieldText(int field, const std::string& text);
    ParameterFields fields() const;
    void setFields(const ParameterFields& f);
    ParameterContext parameterContext() const;
    void graphWindowFailed();

    ItemList items_;
    QComboBox* combo1_;
    QLineEdit* edit_[4]; // EDIT3..EDIT6
    QPushButton* button2_;
    QCheckBox* check2_;
    QListWidget* list2_;
    QPushButton* button3_;

    // The graph window is a top-level window of its own (disabling the main window must not
    // disable it); the slot deletes it with the main window.
    struct GraphWindowSlot {
        QPointer<Form2> window;
        std::optional<std::string> typedTitle; // a title typed into EDIT7 in this run
        ~GraphWindowSlot();
    };
    GraphWindowSlot form2_;
};

} // namespace kl
