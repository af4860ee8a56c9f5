#include "app/Form8.h"

#include "app/ControlTable.h"
#include "app/WindowParts.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"

#include <QPushButton>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};

using K = ControlKind;
using Row = ControlRow<Form8>;

// Below the footnotes, side by side.
// clang-format off
// name, role, kind, geometry, font, size, caption, handler, tooltip, size in English, style
const Row kControls[] = {
    {"BUTTON26", "print the statistics", K::Button, {50, 658, 120, 32}, kMincho, 20,
     KL_TRANSLATE_NOOP("Form8", "print"), [](Form8& w) { w.BUTTON26_ON(); },
     KL_TRANSLATE_NOOP("Form8", "計算結果を印刷"), 0, FontStyle::Italic},
    {"BUTTON29", "close the statistics", K::Button, {210, 658, 120, 32}, kMincho, 20,
     KL_TRANSLATE_NOOP("Form8", "close"), [](Form8& w) { w.BUTTON29_ON(); }, nullptr, 0, FontStyle::Italic},
};
// clang-format on

} // namespace

Form8::Form8(Services& services, GraphStatisticsOutcome outcome, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form8"), QSize(kWidth, kHeight), opener, kBackground,
                      toQString(outcome.caption)),
      outcome_(std::move(outcome)) {
    const std::vector<QWidget*> built =
        buildControls<Form8>(*this, "Form8", kControls, [this](const std::function<void()>& h) { run(h); });
    button26_ = static_cast<QPushButton*>(built[0]);
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
