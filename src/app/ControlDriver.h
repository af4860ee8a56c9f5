#pragma once
// Acts on windows and controls found by their names, the way a person at the screen would:
// real clicks on list rows, typed keys into edit fields, the user-only signals of drop-down lists.

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace kl {

// The named widget: a top-level window or a control inside one, visible windows searched first.
QWidget* findWidget(const QString& name);

// Why a person could not act on the widget now ("disabled", "hidden", "blocked by form6"), or "".
std::string unusableReason(QWidget* widget);

// Each returns "" on success or why the action does not apply to this kind of widget.
std::string clickWidget(QWidget* widget);
std::string selectEntry(QWidget* widget, int index);
std::string doubleClickRow(QWidget* widget, int index);
std::string typeText(QWidget* widget, const QString& text);
std::string giveFocus(QWidget* widget);
std::string takeFocus(QWidget* widget);

// The CONTROL line of the widget and, for lists and drop-down lists, one ROW line per entry.
std::vector<std::string> describeWidget(const std::string& name, QWidget* widget);

// A number as the transcript writes it: whole numbers without a point, others in shortest form.
std::string transcriptNumber(double value);

} // namespace kl
