#include "app/Form6.h"

#include "text/Translate.h"

#include <algorithm>
#include <cmath>

namespace kl {

namespace {
constexpr Rgb kPanel{236, 233, 216};
constexpr Rgb kDarkEdge{128, 128, 128};
} // namespace

Form6::Form6(QWidget* owner) : SurfaceWidget("form6", QSize(kWidth, kHeight), owner) {
    setWindowFlags(Qt::Dialog);
    setWindowTitle("THE KLEPSYDRA");
    setWindowModality(Qt::ApplicationModal);
}

Form6::~Form6() = default;

void Form6::open(const std::string& line1, const std::string& line2) {
    Canvas& c = canvas();
    c.setPalette15(kPanel);
    c.clear(15);
    c.resetPalette15();
    auto relief = [&c](double x, double y, const std::string& text, double size) {
        Font font{kMincho, size};
        c.text(x + 1, y + 1, text, font, White);
        c.text(x, y, text, font, Black);
    };
    relief(30, 15, translate("Form6", line1.c_str()), 18);
    relief(30, 40, translate("Form6", line2.c_str()), 18);
    relief(30, 65, translate("Form6", "( [Ｚ]･keyでキャンセル )"), 14);
    drawFrame();
    if (QWidget* owner = parentWidget()) {
        QPoint origin = owner->geometry().topLeft();
        move(origin.x() + 20, origin.y() + 40);
    }
    show();
}

void Form6::drawFrame() {
    Canvas& c = canvas();
    c.setPalette15(kPanel);
    c.fillBox(22, 90, 289, 120, 15);
    c.setPalette15(kDarkEdge);
    c.line(22, 90, 289, 90, 15);
    c.line(22, 90, 22, 120, 15);
    c.resetPalette15();
    c.line(23, 120, 289, 120, White);
    c.line(289, 91, 289, 120, White);
    segment_ = 0;
    paints_ = 0;
}

void Form6::fillTo(int k) {
    k = std::clamp(k, 0, kSegments);
    if (k <= segment_) return;
    Canvas& c = canvas();
    for (int s = segment_ + 1; s <= k; ++s) {
        const double left = 27 + 13 * (s - 1);
        c.fillBox(left, 93, left + 10, 117, Blue);
    }
    segment_ = k;
    ++paints_;
    update();
}

void Form6::setFraction(double done) {
    if (!(done >= 0)) done = 0;
    fillTo(static_cast<int>(std::floor(std::min(done, 1.0) * kSegments)));
}

void Form6::clearBar() {
    drawFrame();
    update();
}

} // namespace kl
