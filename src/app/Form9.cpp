#include "app/Form9.h"

#include "app/WindowParts.h"
#include "graph/PatternPicture.h"
#include "graph/PlotHelpText.h"
#include "platform/qt/Fonts.h"

#include <QPushButton>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};
constexpr double kTextSize = 14, kHeadingSize = 16, kLinePitch = 19;
constexpr double kLeftColumn = 14, kRightColumn = 505;
// The picture at 0.7 of its full size, the reading guide beside it.
constexpr double kPictureX = 14, kPictureY = 214, kPictureScale = 0.7;
constexpr double kGuideX = 642, kGuideY = 222, kGuidePitch = 20;

constexpr const char* kGuideLines[] = {
    "＜パターンの見方＞",
    "・各点は階級の上限値と、そこまでの",
    "  累積相対度数(％)を表します。",
    "・点が点線(直線)に沿って並べば、",
    "  正規分布とみなせます。",
    "・Ｓ型：両裾が正規分布より長い",
    "  (尖りの強い)分布。外れ値が多く",
    "  混入した場合も両端が寝てきます。",
    "・Ｎ型：両裾が短い一様分布や",
    "  ドーム様の分布。両端が立ちます。",
    "・右裾広がりの分布では点の並びが",
    "  上に凸、左裾広がりでは下に凸に",
    "  曲がります。",
    "・２種類の分布が混ざると、途中で",
    "  点の並びに段ができます。",
};

} // namespace

Form9::Form9(Services& services, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form9"), QSize(kWidth, kHeight), opener, kBackground,
                      QStringLiteral("Normal Probability Plot")) {
    button25_ = commandButton(this, "BUTTON25", QRect(742, 700, 115, 34), printCloseButtonFont(), "print");
    connect(button25_, &QPushButton::clicked, this, [this] { run([this] { BUTTON25_ON(); }); });
    button28_ = commandButton(this, "BUTTON28", QRect(870, 700, 115, 34), printCloseButtonFont(), "close");
    setToolTips(this, {{"BUTTON25", "この説明を印刷"}});
    connect(button28_, &QPushButton::clicked, this, [this] { run([this] { BUTTON28_ON(); }); });
}

Form9::~Form9() = default;

void Form9::open() {
    placeOver(this, parentWidget());
    showAndStart([this] { FORM9_START(); });
}

void Form9::FORM9_START() {
    Canvas& c = canvas();
    clearSurface();
    const Font heading{kMincho, kHeadingSize, true, false};
    const Font body{kMincho, kTextSize};

    c.text(kLeftColumn, 8, kIntervalHelpHeading, heading, Blue);
    for (std::size_t i = 0; i < kIntervalHelpLines.size(); ++i)
        c.text(kLeftColumn, 32 + kLinePitch * double(i), kIntervalHelpLines[i], body, Black);
    c.text(kRightColumn, 8, kPaperHelpHeading, heading, Blue);
    for (std::size_t i = 0; i < kPaperHelpLines.size(); ++i)
        c.text(kRightColumn, 32 + kLinePitch * double(i), kPaperHelpLines[i], body, Black);

    c.text(kLeftColumn, 190, kPatternHelpHeading, heading, Blue);
    drawPatternPicture(c, PictureFrame{kPictureX, kPictureY, kPatternPictureWidth * kPictureScale,
                                       kPatternPictureHeight * kPictureScale});
    double y = kGuideY;
    for (const char* line : kGuideLines) {
        c.text(kGuideX, y, line, body, Black);
        y += kGuidePitch;
    }
    c.text(kLeftColumn, 722, kPlotHelpClosingNote, body, Red);
}

void Form9::BUTTON28_ON() {
    close();
}

Form9* openProbabilityPlotHelp(Services& services, QWidget* opener, std::function<void()> onClosed,
                               Form9::Guard guard) {
    auto* window = new Form9(services, opener);
    if (guard) window->setGuard(std::move(guard));
    if (onClosed) QObject::connect(window, &Form9::closed, window, std::move(onClosed));
    window->open();
    return window;
}

} // namespace kl
