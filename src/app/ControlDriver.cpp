#include "app/ControlDriver.h"

#include "platform/qt/QtConvert.h"
#include "platform/script/Transcript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

#include <charconv>
#include <cmath>

namespace kl {

QWidget* findWidget(const QString& name) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (bool visibleOnly : {true, false}) {
        for (QWidget* window : windows) {
            if (visibleOnly && !window->isVisible()) continue;
            if (window->objectName() == name) return window;
            if (auto* child = window->findChild<QWidget*>(name)) return child;
        }
    }
    return nullptr;
}

std::string unusableReason(QWidget* widget) {
    if (!widget->isVisible()) return "hidden";
    if (!widget->isEnabled()) return "disabled";
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != widget->window() && !modal->isAncestorOf(widget))
        return "blocked by " + toStdString(modal->objectName());
    return {};
}

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint at) {
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, local, global, Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// The view area and the point of a list row, scrolled into view as a person would.
bool rowPoint(QListWidget* list, int index, QPoint* at) {
    QListWidgetItem* item = list->item(index);
    if (!item) return false;
    list->scrollToItem(item);
    const QRect rect = list->visualItemRect(item);
    *at = QPoint(rect.left() + std::min(4, rect.width() / 2), rect.center().y());
    return true;
}

std::string rowRange(int count) {
    return count == 0 ? "it has no rows" : "rows are 0.." + std::to_string(count - 1);
}

} // namespace

std::string clickWidget(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->click(); // toggles a check box, sets an option button, fires the click handler
        return {};
    }
    const QPoint at = widget->isWindow() ? QPoint(1, 1) : widget->rect().center();
    sendMouse(widget, QEvent::MouseButtonPress, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
    return {};
}

std::string selectEntry(QWidget* widget, int index) {
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QPoint at;
        if (!rowPoint(list, index, &at))
            return "no row " + std::to_string(index) + " (" + rowRange(list->count()) + ")";
        sendMouse(list->viewport(), QEvent::MouseButtonPress, at);
        sendMouse(list->viewport(), QEvent::MouseButtonRelease, at);
        return {};
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (index < 0 || index >= combo->count())
            return "no entry " + std::to_string(index) + " (" + rowRange(combo->count()) + ")";
        // What the drop-down does when a person picks an entry: the user-only signals too.
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        emit combo->textActivated(combo->itemText(index));
        return {};
    }
    return "not a list or a drop-down list";
}

std::string doubleClickRow(QWidget* widget, int index) {
    auto* list = qobject_cast<QListWidget*>(widget);
    if (!list) return "not a list";
    QPoint at;
    if (!rowPoint(list, index, &at))
        return "no row " + std::to_string(index) + " (" + rowRange(list->count()) + ")";
    QWidget* view = list->viewport();
    sendMouse(view, QEvent::MouseButtonPress, at);
    sendMouse(view, QEvent::MouseButtonRelease, at);
    sendMouse(view, QEvent::MouseButtonDblClick, at);
    sendMouse(view, QEvent::MouseButtonRelease, at);
    return {};
}

std::string typeText(QWidget* widget, const QString& text) {
    bool hadText = false;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->isReadOnly()) return "read-only";
        hadText = !edit->text().isEmpty();
        edit->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        if (plain->isReadOnly()) return "read-only";
        hadText = !plain->toPlainText().isEmpty();
        plain->selectAll();
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        if (rich->isReadOnly()) return "read-only";
        hadText = !rich->toPlainText().isEmpty();
        rich->selectAll();
    } else {
        return "not an edit field";
    }
    // Typing replaces the selected old text; typing nothing deletes it.
    if (text.isEmpty() && hadText) sendKey(widget, Qt::Key_Delete, QString());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            sendKey(widget, Qt::Key_Return, QStringLiteral("\r"));
            i += (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ? 2 : 1;
            continue;
        }
        const qsizetype n = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        sendKey(widget, Qt::Key_unknown, text.mid(i, n));
        i += n;
    }
    return {};
}

std::string giveFocus(QWidget* widget) {
    QWidget* window = widget->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        QApplication::processEvents();
    }
    widget->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    if (!widget->hasFocus()) return "cannot take the focus";
    return {};
}

std::string takeFocus(QWidget* widget) {
    widget->clearFocus();
    QApplication::processEvents();
    return {};
}

std::string transcriptNumber(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

namespace {

std::string textPart(const QString& text) {
    return " text=" + Transcript::quoted(toStdString(text));
}

} // namespace

std::vector<std::string> describeWidget(const std::string& name, QWidget* widget) {
    const bool window = widget->isWindow();
    // A control's own state, as its window would report it even while the window is hidden.
    const bool enabled = window ? widget->isEnabled() : widget->isEnabledTo(widget->window());
    const bool visible = window ? widget->isVisible() : widget->isVisibleTo(widget->window());
    std::string head =
        "CONTROL " + name + " enabled=" + (enabled ? "1" : "0") + " visible=" + (visible ? "1" : "0");
    std::vector<std::string> rows;
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        const int row = selected.isEmpty() ? -1 : list->row(selected.first());
        head += " rows=" + std::to_string(list->count()) + " selected=" + std::to_string(row);
        for (int i = 0; i < list->count(); ++i)
            rows.push_back("ROW " + name + " " + std::to_string(i) + " " +
                           Transcript::quoted(toStdString(list->item(i)->text())));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        head += " index=" + std::to_string(combo->currentIndex()) +
                " count=" + std::to_string(combo->count()) + textPart(combo->currentText());
        for (int i = 0; i < combo->count(); ++i)
            rows.push_back("ROW " + name + " " + std::to_string(i) + " " +
                           Transcript::quoted(toStdString(combo->itemText(i))));
    } else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
        auto* box = qobject_cast<QCheckBox*>(widget);
        const int state = box ? (box->checkState() == Qt::Checked            ? 1
                                 : box->checkState() == Qt::PartiallyChecked ? 2
                                                                             : 0)
                              : (qobject_cast<QAbstractButton*>(widget)->isChecked() ? 1 : 0);
        head += " checked=" + std::to_string(state);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        head += textPart(button->text());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        head += textPart(edit->text());
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        head += textPart(plain->toPlainText());
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        head += textPart(rich->toPlainText());
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        head += textPart(label->text());
    } else if (window) {
        head += textPart(widget->windowTitle());
    }
    rows.insert(rows.begin(), head);
    return rows;
}

} // namespace kl
