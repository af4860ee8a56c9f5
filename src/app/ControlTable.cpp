#include "app/ControlTable.h"

#include "app/WindowParts.h"
#include "platform/qt/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>

namespace kl {

namespace {

QWidget* buildNote(QWidget* parent, const char* name, QRect at, const QFont& font, const char* caption) {
    auto* note = placeControl<QPlainTextEdit>(parent, name, at, font);
    note->document()->setDocumentMargin(1);
    note->setReadOnly(true);
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    note->setPlainText(QString::fromUtf8(caption));
    note->setFocusPolicy(Qt::ClickFocus);
    return note;
}

QWidget* buildList(QWidget* parent, const char* name, QRect at, const QFont& font) {
    auto* list = placeControl<QListWidget>(parent, name, at, font);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setTextElideMode(Qt::ElideNone); // rows end in blanks: clip them, never "..."
    return list;
}

template <class W> W* withText(W* control, const char* caption) {
    control->setText(QString::fromUtf8(caption));
    return control;
}

} // namespace

QWidget* buildControl(QWidget* parent, const char* name, ControlKind kind, QRect at, const char* font,
                      int size, const char* caption, const char* tip, bool italic) {
    const QFont qfont = qtFont(Font{font, double(size), false, italic}, size);
    QWidget* control = nullptr;
    switch (kind) {
    case ControlKind::Button:
        control = commandButton(parent, name, at, qfont, caption);
        break;
    case ControlKind::Field:
        control = withText(placeControl<QLineEdit>(parent, name, at, qfont), caption);
        break;
    case ControlKind::ShownField: {
        auto* shown = withText(placeControl<QLineEdit>(parent, name, at, qfont), caption);
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
        control = shown;
        break;
    }
    case ControlKind::Note:
        control = buildNote(parent, name, at, qfont, caption);
        break;
    case ControlKind::List:
        control = buildList(parent, name, at, qfont);
        break;
    case ControlKind::DropDown:
        control = placeControl<QComboBox>(parent, name, at, qfont);
        break;
    case ControlKind::Check:
        control = withText(placeControl<QCheckBox>(parent, name, at, qfont), caption);
        break;
    case ControlKind::Radio:
        control = withText(placeControl<QRadioButton>(parent, name, at, qfont), caption);
        break;
    }
    if (tip != nullptr) control->setToolTip(QString::fromUtf8(tip));
    return control;
}

void wireControl(QWidget* control, ControlKind kind, const std::function<void()>& act) {
    switch (kind) {
    case ControlKind::Button:
        QObject::connect(static_cast<QPushButton*>(control), &QPushButton::clicked, control, act);
        break;
    case ControlKind::Check:
    case ControlKind::Radio:
        QObject::connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked, control, act);
        break;
    case ControlKind::DropDown:
        QObject::connect(static_cast<QComboBox*>(control), &QComboBox::activated, control, act);
        break;
    case ControlKind::List:
        QObject::connect(static_cast<QListWidget*>(control), &QListWidget::itemClicked, control, act);
        break;
    case ControlKind::Field: {
        auto* field = static_cast<QLineEdit*>(control);
        QObject::connect(field, &QLineEdit::textEdited, control, act);
        // Enter in a field is the line end its change handler waits for.
        QObject::connect(field, &QLineEdit::returnPressed, control, [field, act] {
            field->setText(field->text() + "\r\n");
            act();
        });
        break;
    }
    case ControlKind::ShownField:
    case ControlKind::Note:
        break;
    }
}

} // namespace kl
