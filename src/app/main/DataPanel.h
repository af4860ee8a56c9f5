#pragma once
// The value list of the main window and everything that changes it by hand: typed entry,
// correction, deletion, insertion, the recalculation, the decimal places (DataEntry.cpp) and
// pasting from the clipboard (PasteData.cpp).
// Controls: LIST1, EDIT13, EDIT14, EDIT15, BUTTON13, BUTTON35..BUTTON37, BUTTON39, RADIO1..RADIO4.

#include "app/main/MainPanel.h"

#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace kl {

class DataPanel : public MainPanel {
  public:
    explicit DataPanel(MainForm& window);

    // The entry field's focus handler and its selection manners.
    void watchEntryField();

    void FOC();
    void BUTTON13_ON();
    void BUTTON35_ON();
    void BUTTON36_ON();
    void BUTTON37_ON();
    void BUTTON39_ON();
    void EDIT13_SETFOCUS();
    void EDIT13_CHANGE();
    void LIST1_CLICK();
    void LIST1_DBLCLICK();
    void RADIO_ON(int n);
    // The recalculation after typed data (rows of LIST1).
    void SAIKEISAN();

    // The value texts LIST1 shows, in order.
    std::vector<std::string> listValues() const;
    int rowCount() const;
    void clearList();
    void showDecimalPlaces(int places);
    // Lists values read from a file with the progress bar; false when the user cancelled (the
    // list then stays as it was).
    bool fillValueList(const std::vector<std::string>& values);

  private:
    void showListValues(const std::vector<std::string>& values, int topRow);
    int selectedRow() const;
    void endCorrection();
    void refuseEntry(const Message& m);
    void recalculate();
    bool commitPaste(std::vector<std::string> values);
    void pasteCancelled();

    QRadioButton* radio_[4];
    QListWidget* list1_;
    QLineEdit* edit14_;
    QLineEdit* edit13_;
};

} // namespace kl
