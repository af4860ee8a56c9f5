#pragma once
// The indirect-methods window form16 (BUTTON160 of the main window): reference limits estimated
// from routine laboratory data, where healthy and diseased patients are mixed. The user chooses
// a file (BUTTON161) and a column of it (COMBO161; a one-column file needs no choice), reads it
// (BUTTON162) with a progress bar and a cancel button (BUTTON163); the window shows the table of
// each method's limits with their 90 % intervals, P and λ, the items not used per kind, the
// histogram of all values with the fitted healthy distribution, and the probability plot with its
// truncation region. It prints one A4 page (BUTTON164) and copies its picture (BUTTON165).
// A refused or cancelled read leaves what the window showed as it was.

#include "app/SecondaryWindow.h"
#include "output/IndirectSheet.h"

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace kl {

class Form16 : public SecondaryWindow {
    Q_OBJECT

  public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;
    static constexpr int kSegments = 20;

    // folder: where the file dialog starts.
    Form16(Services& services, QWidget* opener, std::string folder);
    ~Form16() override;

    void open();

    void FORM16_START();
    void BUTTON161_ON(); // choose the file: its columns fill COMBO161
    void COMBO161_CHANGE();
    void BUTTON162_ON(); // read the column and run every method
    void BUTTON163_ON(); // cancel the read
    void BUTTON164_ON(); // print one A4 page
    void BUTTON165_ON(); // the window's picture to the clipboard
    void BUTTON166_ON(); // close

    // What the window shows; nothing before the first read.
    const std::optional<IndirectSheet>& sheet() const { return shown_; }
    // Segments of the progress bar painted during the last read (it repaints only on growth).
    int segmentPaints() const { return paints_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void draw();
    void drawBar(int segments);
    void enableControls();
    std::string chosenColumn() const;

    std::string folder_;
    std::string path_;                 // the file chosen
    std::vector<std::string> columns_; // its header names (several: one must be chosen)
    std::optional<IndirectSheet> shown_;
    bool reading_ = false, cancel_ = false;
    int segment_ = 0, paints_ = 0;

    QPushButton *button161_ = nullptr, *button162_ = nullptr, *button163_ = nullptr, *button164_ = nullptr,
                *button165_ = nullptr, *button166_ = nullptr;
    QComboBox* combo161_ = nullptr;
};

// Opens form16 over the main window (its BUTTON160); the window's handlers run through guard.
void openIndirectWindow(QWidget* mainWindow, Services& services, const std::string& folder,
                        HandlerGuard guard);

} // namespace kl
