#pragma once
// Golden pictures: one comparer and one tolerance for every test that draws a window, a page or a
// clipboard picture. KLEPSYDRA_UPDATE_GOLDEN=1 rewrites the golden file from the drawing first.
// A failing comparison writes the drawing (NAME.actual.png) and a difference picture
// (NAME.difference.png: differing pixels red over a faded copy of the golden) to the test
// executable's own folder under the build tree, and names both in the failure.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace kl::golden {

// A pixel differs when its red, green and blue differ by more than 96 together: font rasterising
// on another machine moves shades of grey, a moved or missing drawing changes colours outright.
inline constexpr int kColourDistance = 96;
// A picture matches when fewer than one pixel in 100 differs: hinting moves a few hundred pixels
// between machines, a layout change moves thousands.
inline constexpr double kDifferingShare = 0.01;

inline bool pixelsDiffer(QRgb p, QRgb q) {
    return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) >
           kColourDistance;
}

// The share of differing pixels between two pictures of the same size; 1 when the sizes differ.
inline double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 1;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += pixelsDiffer(a.pixel(x, y), b.pixel(x, y));
    return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

// Differing pixels red over a faded copy of want (over the drawing where the sizes differ).
inline QImage differencePicture(const QImage& got, const QImage& want) {
    const QImage& base = want.size() == got.size() ? want : got;
    QImage out(base.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = base.pixel(x, y);
            const bool differs = want.size() == got.size() && pixelsDiffer(got.pixel(x, y), want.pixel(x, y));
            out.setPixel(x, y,
                         differs ? qRgb(255, 0, 0)
                                 : qRgb(191 + qRed(p) / 4, 191 + qGreen(p) / 4, 191 + qBlue(p) / 4));
        }
    return out;
}

// The folder of this test executable under the build tree where failed comparisons are kept
// (build/tests/golden-failures/app_test_NAME).
inline std::filesystem::path failureFolder() {
    return std::filesystem::path(KLEPSYDRA_GOLDEN_FAILURES);
}

// Compares picture with tests/data/golden/NAME (NAME ends in .png).
inline void expectMatches(const QImage& picture, const std::string& name) {
    ASSERT_FALSE(picture.isNull()) << name;
    const QImage got = picture.convertToFormat(QImage::Format_RGB32);
    const QString golden = QString::fromStdString(std::string(KLEPSYDRA_TEST_DATA) + "/golden/" + name);
    if (qEnvironmentVariableIsSet("KLEPSYDRA_UPDATE_GOLDEN")) {
        ASSERT_TRUE(got.save(golden)) << name;
    }
    const QImage want = QImage(golden).convertToFormat(QImage::Format_RGB32);
    const double share = want.isNull() ? 1 : differingShare(got, want);
    if (share < kDifferingShare) return;
    const std::filesystem::path folder = failureFolder();
    std::filesystem::create_directories(folder);
    const std::string stem = (folder / std::filesystem::path(name).stem()).string();
    got.save(QString::fromStdString(stem + ".actual.png"));
    differencePicture(got, want).save(QString::fromStdString(stem + ".difference.png"));
    ADD_FAILURE() << name << ": "
                  << (want.isNull()               ? std::string("missing golden")
                      : want.size() != got.size() ? "size differs"
                                                  : std::to_string(share * 100) + " % of the pixels differ")
                  << "\n  golden:     " << golden.toStdString() << "\n  actual:     " << stem << ".actual.png"
                  << "\n  difference: " << stem << ".difference.png";
}

// A folder of fixed name for the data files whose paths the golden pictures show, one per test
// executable, so that no two executables (nor checkouts) share one and the pictures do not
// depend on where the checkout lives. Files are put there whole (copied, then renamed).
inline std::string fixedDataFolder(const std::string& tag) {
    const std::string folder = "/tmp/klepsydra-" + tag;
    std::filesystem::create_directories(folder);
    return folder;
}

// Writes bytes to fixedDataFolder(tag)/name; the path written.
inline std::string fixedDataFile(const std::string& tag, const std::string& name, const std::string& bytes) {
    const std::filesystem::path target = std::filesystem::path(fixedDataFolder(tag)) / name;
    const std::string temporary = target.string() + ".tmp" + std::to_string(getpid());
    std::ofstream(temporary, std::ios::binary) << bytes;
    std::filesystem::rename(temporary, target);
    return target.string();
}

// Copies the file source to fixedDataFolder(tag)/name; the path of the copy.
inline std::string fixedDataCopy(const std::string& tag, const std::string& source, const std::string& name) {
    std::ifstream in(source, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return fixedDataFile(tag, name, bytes);
}

} // namespace kl::golden
