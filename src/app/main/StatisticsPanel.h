#pragma once
// The drawn parts of the main window: the fixed labels and panels, the basic statistics block,
// the hints, the reference-interval line and the out-of-range rates. It owns no control.

#include "app/main/MainPanel.h"

#include <string>

namespace kl {

class StatisticsPanel : public MainPanel {
  public:
    explicit StatisticsPanel(MainForm& window) : MainPanel(window) {}

    void drawFixedElements();
    // Computes the basic statistics of the data set and draws them; false (with the message
    // shown) when the sample is refused.
    bool showStatistics();
    // The panels as a new typed entry starts: statistics and item panels empty.
    void blankForEntry();

    void paintStatisticsPanel(bool withLabels);
    void paintItemPanel();
    void paintHintBox();
    void writeItemHint(int index);
    void writeTableHint(int colour);
    void paintReferenceBox();
    // The reference line of the chosen item as the class-parameter proposal wrote it.
    void writeReferenceText(const std::string& text);
    void writeReferenceLine();
    void wipeOutOfRangePanel();
    void drawOutOfRangePanel();

  private:
    void reliefText(double x, double y, const std::string& text, double size, int colour = Black,
                    bool bold = false, bool italic = false);
    void fillRgb(int x1, int y1, int x2, int y2, Rgb colour);
    void sunkenPanel(int x1, int y1, int x2, int y2);
};

} // namespace kl
