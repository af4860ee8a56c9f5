#include "app/Form8.h"

#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"

#include <QCloseEvent>
#include <QPushButton>

#include <exception>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};

QPushButton* button(QWidget* parent, const char* name, QRect at, const char* caption) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setGeometry(at);
    b->setFont(qtFont(Font{kMincho, 20, false, true}, 20));
    b->setText(QString::fromUtf8(caption));
    b->setAutoDefault(false);
    return b;
}

// Drawn twice for a relief, as every statistics block of the program.
void reliefText(Canvas& c, const GraphStatisticsText& line) {
    const Font font{kMincho, double(line.size)};
    c.text(line.x + 1, line.y + 1, line.text, font, White);
    c.text(line.x, line.y, line.text, font, Black);
}

} // namespace

Form8::Form8(Services& services, GraphStatisticsOutcome outcome, QWidget* opener)
    : SurfaceWidget(QStringLiteral("form8"), QSize(kWidth, kHeight), opener,
                    QColor(kBackground.r, kBackground.g, kBackground.b)),
      services_(services), outcome_(std::move(outcome)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(toQString(outcome_.caption));
    // Below the footnotes, side by side.
    button26_ = button(this, "BUTTON26", QRect(50, 658, 120, 32), "print");
    connect(button26_, &QPushButton::clicked, this, [this] { run([this] { BUTTON26_ON(); }); });
    button29_ = button(this, "BUTTON29", QRect(210, 658, 120, 32), "close");
    connect(button29_, &QPushButton::clicked, this, [this] { run([this] { BUTTON29_ON(); }); });
}

Form8::~Form8() = default;

void Form8::open() {
    if (QWidget* opener = parentWidget()) {
        const QRect frame = opener->frameGeometry();
        move(frame.left(), frame.top() + 40);
    }
    show();
    raise();
    activateWindow();
    run([this] { FORM8_START(); });
}

void Form8::run(const std::function<void()>& handler) {
    if (guard_) {
        guard_(handler);
        return;
    }
    try {
        handler();
    } catch (const std::exception& e) {
        services_.message("エラー", std::string("エラーが発生しました。     \r\n") + e.what(), Buttons::Ok,
                          Icon::Information);
    }
}

void Form8::FORM8_START() {
    Canvas& c = canvas();
    c.setPalette15(kBackground);
    c.clear(15);
    c.resetPalette15();
    // The rule leaves the normality rows out when the samples are too small or without spread;
    // the user hears why they are missing.
    if (outcome_.beep) services_.beep();
    for (const GraphStatisticsText& line : outcome_.lines)
        reliefText(c, line);
}

void Form8::BUTTON29_ON() {
    close();
}

void Form8::closeEvent(QCloseEvent* event) {
    SurfaceWidget::closeEvent(event);
    if (!event->isAccepted() || closedSent_) return;
    closedSent_ = true;
    emit closed();
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
