#pragma once
// The reference-interval window form15 (BUTTON150 of the main window, BUTTON159 of the graph
// window): every direct method's limits with their 90 % intervals beside the probability-plot
// interval, λ and the normality verdict, the suspected outliers with a tick each to leave them out
// of this computation (the data set itself never changes), the histogram with the limits and
// bands, the verification of a target interval (the chosen item's limits unless typed) and the
// partitioning criteria against a second group read from a file. It prints one A4 page and copies
// its picture to the clipboard.
//
// Use:
//     openReferenceIntervals(services, opener, input, onClosed, guard);
// It opens as an application-modal child of the opener and deletes itself when closed.

#include "app/SecondaryWindow.h"
#include "output/IntervalSheet.h"
#include "refint/IntervalAnalysis.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace kl {

struct ReferenceIntervalInput {
    std::vector<double> values;
    std::string fileLine;                 // the data's name and n
    int decimals = 2;                     // decimal places of the values
    std::string targetLower, targetUpper; // the chosen item's limits (texts, may be empty)
    PlotInterval plot;                    // the graph window's 95 % interval, when read
    std::string workdir;                  // where the second group's dialog starts
};

class Form15 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    Form15(Services& services, QWidget* opener, ReferenceIntervalInput input);
    ~Form15() override;

    void open();

    void FORM15_START();
    void LIST151_CLICK(); // a suspect ticked or unticked: recompute without the ticked ones
    void CHECK151_ON();   // bootstrap intervals on or off
    void BUTTON151_ON();  // verify against the target in EDIT151 / EDIT152
    void BUTTON152_ON();  // the second group from a file: partitioning
    void BUTTON153_ON();  // print one A4 page
    void BUTTON154_ON();  // the window's picture to the clipboard
    void BUTTON155_ON();  // close

    const refint::GroupAnalysis& analysis() const { return group_; }

  private:
    void recompute();
    void fillSuspects();
    void draw();
    IntervalSheet sheet() const;
    refint::AnalysisOptions options() const;

    ReferenceIntervalInput input_;
    refint::GroupAnalysis group_;
    std::vector<std::size_t> suspects_; // indices into the values, in list order
    std::vector<bool> ticked_;
    std::optional<refint::TargetInterval> target_;
    std::string secondName_;
    std::optional<refint::Partitioning> partition_;
    std::vector<double> second_;

    QListWidget* list151_ = nullptr;
    QCheckBox* check151_ = nullptr;
    QLineEdit *edit151_ = nullptr, *edit152_ = nullptr;
};

Form15* openReferenceIntervals(Services& services, QWidget* opener, ReferenceIntervalInput input,
                               std::function<void()> onClosed, Form15::Guard guard = {});

} // namespace kl
