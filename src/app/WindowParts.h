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
#include <initializer_list>
#include <string>
#include <utility>

class QComboBox;
class QLineEdit;
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
// auto-default), as in the program's windows; Enter on the button itself presses it, as Space does.
QPushButton* commandButton(QWidget* parent, const char* name, QRect at, const QFont& font,
                           const char* caption);

// A field whose focus handler selects its text keeps that selection through the mouse click that
// gave it the focus (the click would otherwise put the cursor where it landed, and typing would be
// added to the old number instead of replacing it).
void keepSelectionOnMouseFocus(QLineEdit* field);

// The drop-down list of a non-editable combo box opens below (or above) it, at most maxVisibleItems
// rows and listHeight pixels high (never the whole screen), and as wide as the box or its longest
// entry without trailing blanks, whichever is wider.
void fitDropDown(QComboBox* combo, int listHeight);

// Escape closes window as its frame's close button does (through its close handler).
void closeOnEscape(QWidget* window);

// Places window (not yet shown) centred over opener, on the opener's screen and inside it; without
// an opener, centred on the primary screen.
void placeOver(QWidget* window, const QWidget* opener);
// Places window with its frame's top left at wanted, moved only as far as needed to stay inside the
// screen of reference (the primary screen without one).
void placeInsideScreen(QWidget* window, QPoint wanted, const QWidget* reference);

// A window hidden by the program (the main window while the graph window is up) comes back where
// it was, not where the window manager would place a new window.
void keepPlaceWhenHidden(QWidget* window);

// Tooltips in plain words for controls of window, found by their script names.
void setToolTips(QWidget* window, std::initializer_list<std::pair<const char*, const char*>> tips);

// The italic ＭＳ 明朝 of size 20 the "print" and "close" buttons of the secondary windows use.
QFont printCloseButtonFont();

// Drawn twice for a relief: once in white one unit right and down, then at (x, y) in colour.
void reliefText(Canvas& canvas, double x, double y, const std::string& text, const Font& font, int colour);

// The edges of a sunken box: dark on the top and left, white on the bottom and right.
void sunkenEdges(Canvas& canvas, int x1, int y1, int x2, int y2, Rgb dark);

} // namespace kl
