#pragma once
// A canvas that draws nothing: test canvases derive from it and record only what they check.

#include "platform/Canvas.h"

#include <string>
#include <vector>

namespace kl::test {

class NullCanvas : public Canvas {
  public:
    void clear(int) override {}
    void line(double, double, double, double, int, LineStyle, double) override {}
    void box(double, double, double, double, int, LineStyle) override {}
    void fillBox(double, double, double, double, int) override {}
    void point(double, double, int) override {}
    void circle(double, double, double, int, int) override {}
    void text(double, double, const std::string&, const Font&, int) override {}
    void textVertical(double, double, const std::string&, const Font&, int) override {}
    void stretchBitmap(const Bitmap&, double, double, double, double) override {}
    double textWidth(const std::string&, const Font&) override { return 0; }
    void setPalette15(Rgb) override {}
    void resetPalette15() override {}
    const std::vector<TextDraw>& textLog() const override { return log_; }

  private:
    std::vector<TextDraw> log_;
};

} // namespace kl::test
