#include "app/Form9.h"

#include "app/ControlTable.h"
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

using K = ControlKind;
using Row = ControlRow<Form9>;

// clang-format off
// name, role, kind, geometry, font, size, caption, handler, tooltip, size in English, style
const Row kControls[] = {
    {"BUTTON25", "print the explanation", K::Button, {742, 700, 115, 34}, kMincho, 20,
     KL_TRANSLATE_NOOP("Form9", "print"), [](Form9& w) { w.BUTTON25_ON(); },
     KL_TRANSLATE_NOOP("Form9", "この説明を印刷"), 0, FontStyle::Italic},
    {"BUTTON28", "close the help", K::Button, {870, 700, 115, 34}, kMincho, 20,
     KL_TRANSLATE_NOOP("Form9", "close"), [](Form9& w) { w.BUTTON28_ON(); }, nullptr, 0, FontStyle::Italic},
};
// clang-format on

constexpr const char* kGuideLines[] = {
    KL_TRANSLATE_NOOP("Form9", "＜パターンの見方＞"),
    KL_TRANSLATE_NOOP("Form9", "・各点は階級の上限値と、そこまでの"),
    KL_TRANSLATE_NOOP("Form9", "  累積相対度数(％)を表します。"),
    KL_TRANSLATE_NOOP("Form9", "・点が点線(直線)に沿って並べば、"),
    KL_TRANSLATE_NOOP("Form9", "  正規分布とみなせます。"),
    KL_TRANSLATE_NOOP("Form9", "・Ｓ型：両裾が正規分布より長い"),
    KL_TRANSLATE_NOOP("Form9", "  (尖りの強い)分布。外れ値が多く"),
    KL_TRANSLATE_NOOP("Form9", "  混入した場合も両端が寝てきます。"),
    KL_TRANSLATE_NOOP("Form9", "・Ｎ型：両裾が短い一様分布や"),
    KL_TRANSLATE_NOOP("Form9", "  ドーム様の分布。両端が立ちます。"),
    KL_TRANSLATE_NOOP("Form9", "・右裾広がりの分布では点の並びが"),
    KL_TRANSLATE_NOOP("Form9", "  上に凸、左裾広がりでは下に凸に"),
    KL_TRANSLATE_NOOP("Form9", "  曲がります。"),
    KL_TRANSLATE_NOOP("Form9", "・２種類の分布が混ざると、途中で"),
    KL_TRANSLATE_NOOP("Form9", "  点の並びに段ができます。"),
};

} // namespace

Form9::Form9(Services& services, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form9"), QSize(kWidth, kHeight), opener, kBackground,
                      QStringLiteral("Normal Probability Plot")) {
    const std::vector<QWidget*> built =
        buildControls<Form9>(*this, "Form9", kControls, [this](const std::function<void()>& h) { run(h); });
    button25_ = static_cast<QPushButton*>(built[0]);
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

    c.text(kLeftColumn, 8, plotHelpText(kIntervalHelpHeading), heading, Blue);
    for (std::size_t i = 0; i < kIntervalHelpLines.size(); ++i)
        c.text(kLeftColumn, 32 + kLinePitch * double(i), plotHelpText(kIntervalHelpLines[i]), body, Black);
    c.text(kRightColumn, 8, plotHelpText(kPaperHelpHeading), heading, Blue);
    for (std::size_t i = 0; i < kPaperHelpLines.size(); ++i)
        c.text(kRightColumn, 32 + kLinePitch * double(i), plotHelpText(kPaperHelpLines[i]), body, Black);

    c.text(kLeftColumn, 190, plotHelpText(kPatternHelpHeading), heading, Blue);
    drawPatternPicture(c, PictureFrame{kPictureX, kPictureY, kPatternPictureWidth * kPictureScale,
                                       kPatternPictureHeight * kPictureScale});
    double y = kGuideY;
    for (const char* line : kGuideLines) {
        c.text(kGuideX, y, translate("Form9", line), body, Black);
        y += kGuidePitch;
    }
    c.text(kLeftColumn, 722, plotHelpText(kPlotHelpClosingNote), body, Red);
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
