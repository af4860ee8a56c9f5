#pragma once
// Pieces the program's windows are built from: controls named for the scripts, and the two
// drawings every window surface uses (the relief text and the sunken edges).

#include "platform/Canvas.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <exception>
#include <functional>
#include <string>

class QPushButton;

namespace kl {

// The program-wide error handler as a window is given it: it runs a handler and deals with its
// failures.
using HandlerGuard = std::function<void(const std::function<void()>&)>;

// Runs handler through guard when there is one; otherwise a failure goes to onFailure.
void runGuarded(const HandlerGuard& guard, const std::function<void()>& handler,
                const std::function<void(const std::exception&)>& onFailure);

// A control of parent with its script name (objectName), place and font.
template <class W> W* placeControl(QWidget* parent, const char* name, QRect at, const QFont& font) {
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(at);
    widget->setFont(font);
    return widget;
}

// A push button placed as above with its caption. Enter in a field never presses it (no
// auto-default), as in the program's windows.
QPushButton* commandButton(QWidget* parent, const char* name, QRect at, const QFont& font, const char* caption);

// The italic ＭＳ 明朝 of size 20 the "print" and "close" buttons of the secondary windows use.
QFont printCloseButtonFont();

// Drawn twice for a relief: once in white one unit right and down, then at (x, y) in colour.
void reliefText(Canvas& canvas, double x, double y, const std::string& text, const Font& font, int colour);

// The edges of a sunken box: dark on the top and left, white on the bottom and right.
void sunkenEdges(Canvas& canvas, int x1, int y1, int x2, int y2, Rgb dark);

} // namespace kl
