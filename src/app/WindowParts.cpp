#include "app/WindowParts.h"

#include "platform/qt/Fonts.h"

#include <QPushButton>

namespace kl {

void runGuarded(const HandlerGuard& guard, const std::function<void()>& handler,
                const std::function<void(const std::exception&)>& onFailure) {
    if (guard) {
        guard(handler);
        return;
    }
    try {
        handler();
    } catch (const std::exception& e) {
        onFailure(e);
    }
}

QPushButton* commandButton(QWidget* parent, const char* name, QRect at, const QFont& font, const char* caption) {
    auto* b = placeControl<QPushButton>(parent, name, at, font);
    b->setText(QString::fromUtf8(caption));
    b->setAutoDefault(false);
    return b;
}

QFont printCloseButtonFont() {
    return qtFont(Font{kMincho, 20, false, true}, 20);
}

void reliefText(Canvas& canvas, double x, double y, const std::string& text, const Font& font, int colour) {
    canvas.text(x + 1, y + 1, text, font, White);
    canvas.text(x, y, text, font, colour);
}

void sunkenEdges(Canvas& canvas, int x1, int y1, int x2, int y2, Rgb dark) {
    canvas.setPalette15(dark);
    canvas.line(x1, y1, x2, y1, 15);
    canvas.line(x1, y1, x1, y2, 15);
    canvas.resetPalette15();
    canvas.line(x1 + 1, y2, x2, y2, White);
    canvas.line(x2, y1 + 1, x2, y2, White);
}

} // namespace kl
