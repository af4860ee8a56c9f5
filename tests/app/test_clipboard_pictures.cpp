// The clipboard pictures composed from the graph window's image: sizes, blanked areas in the
// scheme colour, titles, the shortened plot picture and the rounded corners.
//
// The window image tests/data/clip_window.png was rendered with
//   klepsydra graph tests/data/page_normal200.csv --scheme 1 --curves --reference --interval95 --png ...
// Regenerate the golden pictures (then look at both before committing):
//   KLEPSYDRA_UPDATE_GOLDEN=1 build/tests/app_test_clipboard_pictures --gtest_filter='*Golden*'
// which writes tests/data/golden/clip_histogram.png and tests/data/golden/clip_plot.png, and the
// reference-interval window's picture in English (its COPY button's picture, with the controls),
// tests/data/golden/form15_en.png.

#include "AppTestMain.h"
#include "CommandRun.h"
#include "GoldenPicture.h"
#include "QuietServices.h"

#include "app/Form15.h"
#include "data/DataFileReader.h"
#include "data/DataSet.h"

#include "output/ClipboardPictures.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtConvert.h"
#include "text/FileIO.h"

#include <QListWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace kl {
namespace {

std::string dataFile(const std::string& name) {
    return std::string(KLEPSYDRA_TEST_DATA) + "/" + name;
}

Bitmap windowImage() {
    QImage image(QString::fromStdString(dataFile("clip_window.png")));
    EXPECT_FALSE(image.isNull());
    return toBitmap(image.convertToFormat(QImage::Format_RGB32));
}

QRgb rgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

TEST(ClipboardPictures, TitleCutToCellsAndCentred) {
    struct Case {
        std::string title;
        int cells;
        std::string text;
        double x;
    } cases[] = {
        {std::string(44, 'A'), 44, std::string(44, 'A'), 70},
        {std::string(50, 'A'), 44, std::string(44, 'A'), 70},
        {std::string(50, 'A'), 45, std::string(45, 'A'), 70},
        {"  HISTOGRAM  ", 44, "HISTOGRAM", 70 + 231},   // floor((580 - 118.6)/2 + 0.501)
        {"ヒストグラム", 45, "ヒストグラム", 70 + 213}, // 12 cells: (580 - 154.7)/2
    };
    for (const Case& c : cases) {
        PictureTitle t = pictureTitle(c.title, c.cells);
        EXPECT_EQ(t.text, c.text);
        EXPECT_EQ(t.x, c.x) << c.title;
    }
}

TEST(ClipboardPictures, CropKeepsPixelsAndLeavesOutsideBlack) {
    Bitmap b{3, 2, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}}};
    Bitmap c = cropBitmap(b, 1, 1, 3, 2);
    ASSERT_EQ(c.width, 3);
    ASSERT_EQ(c.height, 2);
    EXPECT_EQ(c.pixels[0], (Rgb{5, 5, 5}));
    EXPECT_EQ(c.pixels[1], (Rgb{6, 6, 6}));
    EXPECT_EQ(c.pixels[2], (Rgb{}));
    EXPECT_EQ(c.pixels[3], (Rgb{}));
}

TEST(ClipboardPictures, HistogramPictureBlanksTitlesAndRounds) {
    const Bitmap window = windowImage();
    for (GraphScheme scheme : {GraphScheme::TwoD, GraphScheme::Blue, GraphScheme::ThreeD}) {
        QImage image(kHistogramPictureWidth, kHistogramPictureHeight, QImage::Format_RGB32);
        QtCanvas canvas(&image);
        composeHistogramPicture(canvas, window, scheme, "HISTOGRAM OF GLU");
        const QRgb bg = rgb(clipboardBlankColour(scheme));
        EXPECT_EQ(image.pixel(680, 300), bg); // right strip
        EXPECT_EQ(image.pixel(600, 10), bg);  // the smoothing box's place
        EXPECT_EQ(image.pixel(300, 640), bg); // bottom strip
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(20, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(699, 643), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(0, 22), qRgb(255, 255, 255));
        EXPECT_NE(image.pixel(1, 22), qRgb(255, 255, 255)) << static_cast<int>(scheme);
        // The frame of the histogram is the window's, moved up by 36.
        EXPECT_EQ(image.pixel(300, 200), toImage(window).pixel(300, 236));
        const std::vector<TextDraw>& log = canvas.textLog();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().text, "HISTOGRAM OF GLU");
        EXPECT_EQ(log.back().y, 610);
        EXPECT_EQ(log.back().colour, scheme == GraphScheme::Blue ? White : Blue);
    }
}

TEST(ClipboardPictures, PlotPictureShortensWithoutTheInterval) {
    const Bitmap window = windowImage();
    QImage with(kPlotPictureWidth, kPlotPictureHeight, QImage::Format_RGB32);
    QtCanvas a(&with);
    composePlotPicture(a, window, GraphScheme::TwoD, true);
    QImage without(kPlotPictureWidth, kPlotPictureHeight, QImage::Format_RGB32);
    QtCanvas b(&without);
    composePlotPicture(b, window, GraphScheme::TwoD, false);
    const QRgb bg = rgb(clipboardBlankColour(GraphScheme::TwoD)), white = qRgb(255, 255, 255);
    EXPECT_EQ(with.pixel(20, 100), bg);
    EXPECT_EQ(with.pixel(200, 620), bg);
    EXPECT_EQ(without.pixel(200, 600), white); // the white band from 530 on
    EXPECT_EQ(without.pixel(200, 531), white);
    // Bottom corners at 529 without the interval, at the last row with it.
    EXPECT_EQ(without.pixel(19, 529), white);
    EXPECT_NE(without.pixel(19, 528), white);
    EXPECT_EQ(with.pixel(19, 633), white);
    EXPECT_EQ(with.pixel(399, 0), white);
    ASSERT_FALSE(a.textLog().empty());
    EXPECT_TRUE(a.textLog().back().vertical);
    EXPECT_EQ(a.textLog().back().text, "累積相対度数(%)");
}

TEST(ClipboardPictures, WholeWindowBlanksAndTitle) {
    QImage image = toImage(windowImage());
    QtCanvas canvas(&image);
    markWholeWindow(canvas, GraphScheme::ThreeD, false, std::string(50, 'W'));
    const QRgb bg = rgb(clipboardBlankColour(GraphScheme::ThreeD));
    for (QPoint p : {QPoint(600, 45), QPoint(900, 20), QPoint(800, 560), QPoint(20, 700), QPoint(800, 600)})
        EXPECT_EQ(image.pixel(p), bg) << p.x() << "," << p.y();
    ASSERT_FALSE(canvas.textLog().empty());
    EXPECT_EQ(canvas.textLog().back().text, std::string(44, 'W'));
    EXPECT_EQ(canvas.textLog().back().x, 70);
    EXPECT_EQ(canvas.textLog().back().y, 670);
}

TEST(ClipboardPictures, GoldenPictures) {
    const Bitmap window = windowImage();
    QImage histogram(kHistogramPictureWidth, kHistogramPictureHeight, QImage::Format_RGB32);
    QtCanvas h(&histogram);
    composeHistogramPicture(h, window, GraphScheme::TwoD, "HISTOGRAM OF GLU");
    QImage plot(kPlotPictureWidth, kPlotPictureHeight, QImage::Format_RGB32);
    QtCanvas p(&plot);
    composePlotPicture(p, window, GraphScheme::TwoD, true);
    golden::expectMatches(histogram, "clip_histogram.png");
    golden::expectMatches(plot, "clip_plot.png");
}

// The second group's file dialog answers with a copy at a fixed path (the window shows it).
class SecondGroupServices : public QuietServices {
  public:
    std::optional<std::string> openFile(const FileDialogRequest&) override {
        return golden::fixedDataCopy("clipboard", dataFile("page_normal200.csv"), "page_normal200.csv");
    }
};

TEST(ClipboardPictures, IntervalWindowInEnglishGolden) {
    std::vector<std::string> args{"--lang", "en"};
    test::LanguageOfArgs english(args);
    ASSERT_TRUE(english.taken());
    ReferenceIntervalInput input;
    DataReadResult read = readDataFile(readFileBytes(dataFile("main_200.csv")).value_or(""));
    ASSERT_EQ(read.status, ReadStatus::Ok);
    input.values = leadingNumbers(read.values);
    input.fileLine = "main_200.csv (n=200)";
    input.targetLower = "6.6";
    input.targetUpper = "8.1";
    input.plot = {true, 6.14, 8.04};
    SecondGroupServices services;
    Form15 form(services, nullptr, input);
    form.show();
    form.FORM15_START();
    auto* candidates = form.findChild<QListWidget*>("LIST151");
    ASSERT_EQ(candidates->count(), 2);
    candidates->setCurrentRow(1);
    form.LIST151_CLICK();
    form.BUTTON152_ON();
    EXPECT_TRUE(services.shown.empty());
    EXPECT_EQ(candidates->item(1)->text().toStdString(), "■ 8.60 (Tukey)");
    golden::expectMatches(form.grab().toImage(), "form15_en.png");
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
