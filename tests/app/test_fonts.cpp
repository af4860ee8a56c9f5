// Japanese text in both program fonts draws real glyphs, on a surface and in a screenshot taken by
// a script. To look at the picture: KLEPSYDRA_KEEP_SHOT=/tmp/fonts.png app_test_fonts

#include "AppTestMain.h"

#include "app/ScriptRunner.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/SurfaceWidget.h"

#include <QFontInfo>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <sstream>

namespace kl {
namespace {

QImage glyphs(const std::string& text, const char* font, int size = 32) {
    QImage image(size * 4, size + 8, QImage::Format_RGB32);
    QtCanvas canvas(&image);
    canvas.clear(White);
    canvas.text(2, 2, text, Font{font, double(size)}, Black);
    return image;
}

int inkCount(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return n;
}

TEST(Fonts, LogicalNamesResolveToTheInstalledIpaFamilies) {
    ASSERT_TRUE(japaneseFontsInstalled()) << "IPA Mincho and IPA Gothic must be installed";
    EXPECT_EQ(QFontInfo(qtFont(Font{kMincho, 16}, 16)).family(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(QFontInfo(qtFont(Font{kGothic, 16}, 16)).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(fontFamily("DejaVu Sans"), QStringLiteral("DejaVu Sans"));
}

TEST(Fonts, JapaneseTextDrawsDistinctGlyphsInBothFonts) {
    const char* texts[] = {"日", "本", "測", "ﾌｧｲﾙ"};
    for (const char* font : {kMincho, kGothic}) {
        // A character no installed font has: what a missing glyph looks like here.
        const QImage missing = glyphs("\xEE\x80\x80", font);
        for (const char* text : texts) {
            const QImage drawn = glyphs(text, font);
            EXPECT_GT(inkCount(drawn), 20) << font << " " << text;
            EXPECT_NE(drawn, missing) << font << " " << text;
        }
        EXPECT_NE(glyphs("日", font), glyphs("本", font)) << font;
    }
    EXPECT_NE(glyphs("測定項目名", kMincho), glyphs("測定項目名", kGothic));
}

TEST(Fonts, AScriptedScreenshotShowsTheJapaneseOfTheSurfaceAndTheControls) {
    QTemporaryDir dir;
    std::ostringstream out;
    Transcript transcript(out);
    ScriptedServices services(transcript, dir.path().toStdString());

    struct ShotHost : ProgramHost {
        void start() override {
            form = std::make_unique<SurfaceWidget>(QStringLiteral("ShotForm"), QSize(360, 120));
            form->canvas().clear(White);
            form->canvas().text(10, 10, "明朝：測定項目名", Font{kMincho, 24}, Black);
            form->canvas().text(10, 44, "ゴシック：階級幅", Font{kGothic, 24}, Blue);
            auto* button = new QPushButton(QStringLiteral("ファイルを開く"), form.get());
            button->setObjectName(QStringLiteral("BUTTON1"));
            button->setFont(qtFont(Font{kMincho, 14}, 14));
            button->setGeometry(10, 84, 147, 24);
            form->show();
        }
        std::string state() const override { return {}; }
        std::unique_ptr<SurfaceWidget> form;
    } host;

    const QString keep = qEnvironmentVariable("KLEPSYDRA_KEEP_SHOT");
    const std::string path = keep.isEmpty() ? dir.path().toStdString() + "/shot.png" : keep.toStdString();
    std::istringstream script("screenshot ShotForm " + path + "\n");
    ScriptRunner runner(host, services, transcript);
    ASSERT_EQ(runner.run(readScript(script)), 0) << out.str();

    const QImage shot(QString::fromStdString(path));
    ASSERT_EQ(shot.size(), QSize(360, 120));
    // The surface's two lines and the button's caption all carry ink.
    EXPECT_GT(inkCount(shot.copy(10, 10, 200, 24)), 200);
    EXPECT_GT(inkCount(shot.copy(10, 44, 200, 24)), 200);
    EXPECT_EQ(shot.copy(0, 0, 360, 80).convertToFormat(QImage::Format_RGB32),
              host.form->surface().copy(0, 0, 360, 80).convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace kl

KL_QT_TEST_MAIN()
