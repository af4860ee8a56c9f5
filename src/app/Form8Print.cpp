// "print" of the graph statistics window: the two columns on paper.

#include "app/Form8.h"
#include "app/main/MainForm.h"
#include "output/TextReports.h"

#include <QApplication>

namespace kl {

namespace {

// The main window holds the data set the statistics came from.
const MainForm* mainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<MainForm*>(w)) return form;
    return nullptr;
}

} // namespace

void Form8::BUTTON26_ON() {
    std::string name;
    int count = 0;
    if (const MainForm* main = mainWindow()) {
        const AppState& state = main->appState();
        name = reportFileName(state.data, state.pasted > 0);
        count = state.count();
    }
    hide();
    setEnabled(false);
    printReport(services_, [&](PrintJob& job) {
        if (auto stop = printGraphStatistics(job, outcome_, name, count))
            services_.message(stop->caption, stop->text, stop->buttons, stop->icon);
    });
    show();
    raise();
    setEnabled(true);
}

} // namespace kl
