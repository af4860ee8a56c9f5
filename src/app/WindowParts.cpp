#include "app/WindowParts.h"

#include "platform/qt/Fonts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMargins>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include <algorithm>
#include <optional>

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

namespace {

// Enter or Return on a focused push button presses it. Without auto-default Qt leaves these keys
// to Space alone.
class EnterPresses : public QObject {
  public:
    explicit EnterPresses(QPushButton* button) : QObject(button), button_(button) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return QObject::eventFilter(watched, event);
        if (!key->isAutoRepeat() && button_->isEnabled()) button_->click();
        return true;
    }

  private:
    QPushButton* button_;
};

// The press of the click that gave the focus would move the cursor and drop the selection the
// focus handler made: when the field holds a selection then, the press and the drag that follows
// it (up to the release) are kept from the field. Later clicks place the cursor as usual.
class SelectionKeeper : public QObject {
  public:
    explicit SelectionKeeper(QLineEdit* field) : QObject(field), field_(field) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::FocusIn:
            focusByMouse_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            break;
        case QEvent::FocusOut:
        case QEvent::KeyPress:
            focusByMouse_ = swallowing_ = false;
            break;
        case QEvent::MouseButtonPress:
            swallowing_ = focusByMouse_ && field_->hasSelectedText();
            focusByMouse_ = false;
            if (swallowing_) return true;
            break;
        case QEvent::MouseMove:
            if (swallowing_) return true;
            break;
        case QEvent::MouseButtonRelease:
            if (swallowing_) {
                swallowing_ = false;
                return true;
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QLineEdit* field_;
    bool focusByMouse_ = false;
    bool swallowing_ = false;
};

// The list style of drop-down: the menu-like popup some styles use ignores maxVisibleItems and
// may fill the screen.
class ListDropDownStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Narrows the opened list of a combo box to its longest entry without trailing blanks and keeps it
// within its height.
class DropDownWidth : public QObject {
  public:
    DropDownWidth(QComboBox* combo, QWidget* list, int height)
        : QObject(list), combo_(combo), list_(list), height_(height) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == list_ && event->type() == QEvent::Show) {
            // The popup's container was made for the menu-like look, without a scroll bar.
            combo_->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            const QFontMetrics metrics(combo_->view()->font());
            int longest = 0;
            for (int i = 0; i < combo_->count(); ++i)
                longest = std::max(longest, metrics.horizontalAdvance(combo_->itemText(i).trimmed()));
            const int chrome = 2 * list_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                               list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                               2 * metrics.averageCharWidth();
            list_->resize(std::max(combo_->width(), longest + chrome), std::min(height_, list_->height()));
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QComboBox* combo_;
    QWidget* list_;
    int height_;
};

// Puts the client area's top left at client, in a frame with margins. A window shown before is
// placed through its native window, which also tells the window manager that the place is asked
// for (a move to where Qt thinks the window still is would be dropped, and the window manager
// would place it anew); before the first show Qt places the frame.
void placeClient(QWidget* window, QPoint client, QMargins margins) {
    if (QWindow* handle = window->windowHandle())
        handle->setPosition(client);
    else
        window->move(client - QPoint(margins.left(), margins.top()));
}

class PlaceKeeper : public QObject {
  public:
    explicit PlaceKeeper(QWidget* window) : QObject(window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && !event->spontaneous()) {
            if (event->type() == QEvent::Hide) kept_ = window_->geometry().topLeft();
            if (event->type() == QEvent::Show && kept_) {
                placeClient(window_, *kept_, QMargins());
                kept_.reset();
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_;
    std::optional<QPoint> kept_;
};

QRect screenArea(const QWidget* reference) {
    const QScreen* screen = reference ? reference->screen() : QGuiApplication::primaryScreen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QPushButton* commandButton(QWidget* parent, const char* name, QRect at, const QFont& font,
                           const char* caption) {
    auto* b = placeControl<QPushButton>(parent, name, at, font);
    b->setText(QString::fromUtf8(caption));
    b->setAutoDefault(false);
    b->installEventFilter(new EnterPresses(b));
    return b;
}

void keepSelectionOnMouseFocus(QLineEdit* field) {
    field->installEventFilter(new SelectionKeeper(field));
}

void fitDropDown(QComboBox* combo, int listHeight) {
    auto* style = new ListDropDownStyle;
    style->setParent(combo);
    combo->setStyle(style);
    combo->view()->setTextElideMode(Qt::ElideNone); // entries end in blanks: never "..."
    QWidget* list = combo->view()->window();
    list->installEventFilter(new DropDownWidth(combo, list, listHeight));
}

void closeOnEscape(QWidget* window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, [window] { window->close(); });
}

// The frame's margins around the client area: the window's own once it has been shown, else the
// reference's (a window of the same window manager gets the same frame).
QMargins frameMargins(const QWidget* window, const QWidget* reference) {
    const QWidget* measured = window->windowHandle() || !reference ? window : reference;
    const QRect frame = measured->frameGeometry(), client = measured->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

void placeInsideScreen(QWidget* window, QPoint wanted, const QWidget* reference) {
    const QRect area = screenArea(reference);
    const QMargins margins = frameMargins(window, reference);
    QRect frame(wanted, window->size().grownBy(margins));
    if (area.isValid()) {
        frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
        frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    }
    placeClient(window, frame.topLeft() + QPoint(margins.left(), margins.top()), margins);
}

void placeOver(QWidget* window, const QWidget* opener) {
    QRect frame(QPoint(), window->size().grownBy(frameMargins(window, opener)));
    frame.moveCenter(opener ? opener->frameGeometry().center() : screenArea(nullptr).center());
    placeInsideScreen(window, frame.topLeft(), opener);
}

void keepPlaceWhenHidden(QWidget* window) {
    window->installEventFilter(new PlaceKeeper(window));
}

void setToolTips(QWidget* window, std::initializer_list<std::pair<const char*, const char*>> tips) {
    for (const auto& [name, tip] : tips)
        if (auto* control = window->findChild<QWidget*>(QString::fromUtf8(name)))
            control->setToolTip(QString::fromUtf8(tip));
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
