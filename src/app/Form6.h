#pragma once
// The progress window of the long loops (reading a file, pasting): two lines of text, the cancel
// hint and a bar of 20 segments. A segment is drawn only when the bar grows, so a loop over
// 40,000 values paints at most 20 times.

#include "platform/qt/SurfaceWidget.h"
#include "text/Translate.h"

#include <string>

namespace kl {

class Form6 : public SurfaceWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 314;
    static constexpr int kHeight = 134;
    static constexpr int kSegments = 20;

    explicit Form6(QWidget* owner);
    ~Form6() override;

    // Draws the texts (in the current language: marked with KL_TRANSLATE_NOOP("Form6", ...)) and
    // an empty bar and shows the window at the owner's left + 20, top + 40.
    void open(const std::string& line1 = KL_TRANSLATE_NOOP("Form6", "ファイルを読み込み中です。"),
              const std::string& line2 = KL_TRANSLATE_NOOP("Form6", "しばらくお待ち下さい。"));
    // Fills the bar up to segment k (1..20); segments are never emptied here.
    void fillTo(int k);
    // The bar for a share done (0..1).
    void setFraction(double done);
    // Empties the bar.
    void clearBar();
    int segment() const { return segment_; }
    // How often a segment was painted since the last clearBar (the bar repaints only on growth).
    int segmentPaints() const { return paints_; }

  private:
    void drawFrame();

    int segment_ = 0;
    int paints_ = 0;
};

} // namespace kl
