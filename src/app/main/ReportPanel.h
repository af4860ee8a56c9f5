#pragma once
// The main window's print buttons (data list, basic statistics, frequency table), the export of
// the frequency table for a spreadsheet, and the two help buttons (PrintReports.cpp).
// Controls: BUTTON6, BUTTON7, BUTTON8, BUTTON34, BUTTON18, BUTTON14.

#include "app/main/MainPanel.h"

#include <QPointer>

class QPushButton;

namespace kl {

class ReportPanel : public MainPanel {
  public:
    explicit ReportPanel(MainForm& window);

    void BUTTON6_ON();
    void BUTTON7_ON();
    void BUTTON8_ON();
    void BUTTON34_ON();
    // The help window in mode 1 (usage) or 2 (skewness and kurtosis).
    void BUTTON18_ON();
    void BUTTON14_ON();
    void FORM4_QUERYCLOSE();
    // The help mode of the last help window opened (0 before any).
    int helpMode() const { return helpMode_; }

    // BUTTON6, BUTTON7 or BUTTON8.
    QPushButton* printButton(int n) const { return n == 6 ? button6_ : n == 7 ? button7_ : button8_; }
    void setPrintable(bool on);

  private:
    void openHelp(int mode);

    QPushButton* button6_;
    QPushButton* button7_;
    QPushButton* button8_;
    int helpMode_ = 0;
    QPointer<QWidget> form4_;
};

} // namespace kl
