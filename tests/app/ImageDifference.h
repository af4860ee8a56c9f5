#pragma once
// Golden pictures are compared by the share of pixels that differ clearly, so that font
// rasterisation on another machine does not fail them while a moved or missing drawing does.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>

namespace kl {

// Fraction of pixels whose colours differ by more than 96 (sum over red, green and blue) between
// two renderings; 1 when their sizes differ.
inline double differingFraction(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) >
                96)
                ++differing;
        }
    return static_cast<double>(differing) / (a.width() * a.height());
}

// A window's picture against its golden file, which KLEPSYDRA_UPDATE_GOLDEN=1 rewrites first:
// the same size and fewer than one pixel in 200 different. Font hinting may move a few pixels
// between machines; a layout change moves thousands.
inline void expectGoldenWindow(const QImage& shot, const QString& golden) {
    if (qEnvironmentVariableIsSet("KLEPSYDRA_UPDATE_GOLDEN")) {
        ASSERT_TRUE(shot.save(golden));
    }
    const QImage want = QImage(golden).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(want.size(), shot.size()) << "missing or stale " << golden.toStdString();
    long differing = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, y) != want.pixel(x, y)) ++differing;
    EXPECT_LT(differing, shot.width() * shot.height() / 200);
}

} // namespace kl
