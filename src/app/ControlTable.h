#pragma once
// A window's controls declared once, in one table: each row says what the control is called (the
// script name the scenario runner drives it by), what it is for, where it sits, its font and
// caption, and which handler its click, choice or typed change runs. The window builds its
// controls from its table in the table's order, which is also the order the keyboard focus takes.

#include "text/Translate.h"

#include <QRect>

#include <functional>
#include <span>
#include <string>
#include <vector>

class QWidget;

namespace kl {

enum class ControlKind {
    Button,     // push button: the handler runs on a click
    Field,      // one-line text field: the handler runs on a typed change and on Enter
    ShownField, // one-line text the user can select but not change or tab to
    Note,       // several lines of text the user can select but not change or tab to
    List,       // list box: the handler runs on a click on a row
    DropDown,   // drop-down list: the handler runs on a choice
    Check,      // check box: the handler runs on a click
    Radio,      // radio button: the handler runs on a click
};

template <class Window> struct ControlRow {
    const char* name; // script name: the control's objectName
    const char* role; // what the control is for, in plain words
    ControlKind kind;
    QRect at;                  // geometry in the window's client area
    const char* font;          // font family
    int size;                  // font size in pixels
    const char* caption;       // the text it shows from the start ("" for none)
    void (*handler)(Window&);  // what its click, choice or typed change runs (nullptr for none)
    const char* tip = nullptr; // its tooltip, when it has one
    int sizeInEnglish = 0;     // font size in English where the English caption is wider (0: size)
    bool italic = false;       // an italic face (the print, copy and close buttons of a secondary window)
};

// Builds one control of parent from the description; the caller wires the handler.
QWidget* buildControl(QWidget* parent, const char* name, ControlKind kind, QRect at, const char* font,
                      int size, const char* caption, const char* tip, bool italic = false);

// Connects the control's user action to act, as its kind says (see ControlKind). A field puts the
// line end "\r\n" after its text when Enter is pressed, before act runs.
void wireControl(QWidget* control, ControlKind kind, const std::function<void()>& act);

// Builds the window's controls from its table, in order, and wires each row's handler through
// run (which runs a handler inside the window's error handling). Captions and tooltips are shown
// in the current language, translated in context (mark them with KL_TRANSLATE_NOOP(context, ...)).
template <class Window>
std::vector<QWidget*> buildControls(Window& window, const char* context,
                                    std::span<const ControlRow<Window>> rows,
                                    const std::function<void(const std::function<void()>&)>& run) {
    std::vector<QWidget*> built;
    for (const ControlRow<Window>& row : rows) {
        const std::string caption = translate(context, row.caption);
        const std::string tip = row.tip ? translate(context, row.tip) : std::string();
        const int size = inEnglish() && row.sizeInEnglish > 0 ? row.sizeInEnglish : row.size;
        built.push_back(buildControl(&window, row.name, row.kind, row.at, row.font, size, caption.c_str(),
                                     row.tip ? tip.c_str() : nullptr, row.italic));
    }
    std::size_t i = 0;
    for (const ControlRow<Window>& row : rows) {
        QWidget* control = built[i++];
        if (row.handler == nullptr) continue;
        auto handler = row.handler;
        wireControl(control, row.kind,
                    [&window, handler, run] { run([&window, handler] { handler(window); }); });
    }
    return built;
}

} // namespace kl
