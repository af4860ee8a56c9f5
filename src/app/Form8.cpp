#include "app/Form8.h"

#include "app/WindowParts.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"

#include <QPushButton>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};

} // namespace

Form8::Form8(Services& services, GraphStatisticsOutcome outcome, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form8"), QSize(kWidth, kHeight), opener, kBackground,
                      toQString(outcome.caption)),
      outcome_(std::move(outcome)) {
    // Below the footnotes, side by side.
    button26_ = commandButton(this, "BUTTON26", QRect(50, 658, 120, 32), printCloseButtonFont(), "print");
    connect(button26_, &QPushButton::clicked, this, [this] { run([this] { BUTTON26_ON(); }); });
    button29_ = commandButton(this, "BUTTON29", QRect(210, 658, 120, 32), printCloseButtonFont(), "close");
    setToolTips(this, {{"BUTTON26", "計算結果を印刷"}});
    connect(button29_, &QPushButton::clicked, this, [this] { run([this] { BUTTON29_ON(); }); });
}

Form8::~Form8() = default;

void Form8::open() {
    if (QWidget* opener = parentWidget()) {
        const QRect frame = opener->frameGeometry();
        placeInsideScreen(this, QPoint(frame.left(), frame.top() + 40), opener);
    }
    showAndStart([this] { FORM8_START(); });
}

void Form8::FORM8_START() {
    clearSurface();
    // The rule leaves the normality rows out when the samples are too small or without spread;
    // the user hears why they are missing.
    if (outcome_.beep) services_.beep();
    // Drawn twice for a relief, as every statistics block of the program.
    for (const GraphStatisticsText& line : outcome_.lines)
        reliefText(canvas(), line.x, line.y, line.text, Font{kMincho, double(line.size)}, Black);
}

void Form8::BUTTON29_ON() {
    close();
}

Form8* openGraphStatistics(Services& services, std::span<const double> values, const GraphClasses& classes,
                           std::string_view graphTitle, QWidget* opener, std::function<void()> onClosed,
                           Form8::Guard guard) {
    GraphStatisticsOutcome outcome = computeGraphStatistics(values, classes, graphTitle);
    if (!outcome.shown) {
        if (outcome.message)
            services.message(outcome.message->caption, outcome.message->text, outcome.message->buttons,
                             outcome.message->icon);
        return nullptr;
    }
    auto* window = new Form8(services, std::move(outcome), opener);
    if (guard) window->setGuard(std::move(guard));
    if (onClosed) QObject::connect(window, &Form8::closed, window, std::move(onClosed));
    window->open();
    return window;
}

} // namespace kl
