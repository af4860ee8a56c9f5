#pragma once
// The workflow state the main window shares with the other windows: the data set in memory, the
// change markers that drive the save prompts, and the figures kept from the last computation.

#include "data/DataSet.h"
#include "stats/FrequencyTable.h"

#include <string>
#include <vector>

namespace kl {

// Which controls of the main window are usable; see MainForm::applyState.
enum class Workflow {
    Empty,        // start-up, cancelled load, new typed entry
    DataAnalysed, // statistics shown, no item chosen yet
    ItemChosen,   // an item other than the blank entry is chosen
    TableBuilt,   // LIST2 holds a table
    TableStale,   // a class parameter is being edited
    Unsuitable,   // the statistics refused the sample
};

struct AppState {
    static constexpr int kCounterMax = 32767;

    // Unsaved-changes counter; raised by the handlers that change the work, never past 32,767.
    int counter = 0;
    int pasted = 0; // 1 while the data came from the clipboard and are unsaved
    int manual = 0; // 1 after typed data were computed or the decimal places changed

    // The data set: value texts exactly as read, and where they came from.
    DataSet data;

    // Companion settings: whether a settings file was read, whether the work was saved since.
    bool settingsFound = false;
    bool saved = false;

    // Figures kept from the last statistics (texts as the class-parameter rules read them).
    double mean = 0, minimum = 0, maximum = 0;
    std::string minimumText, maximumText;

    // The chosen item's reference limits (texts, empty for "OTHER") and the proposal kept for
    // the settings file.
    std::string refLower, refUpper;
    std::string proposedLower, proposedUpper;
    std::string graphTitle;

    // The fold flag as stored in HAZURE: "1" or "0".
    std::string foldFlag = "0";

    // What the graph window and printing take from the last table built.
    TableCopies tableCopies;
    // The rows of the frequency table on screen (LIST2 shows them; printing and export read
    // them here). Empty when there is no table.
    std::vector<std::string> tableRows;

    // How often TABLE found the interval too small in this run (the message shows only once).
    int tooSmallCount = 0;

    int count() const { return data.count(); }

    void raise(int by) {
        counter = counter > kCounterMax - by ? kCounterMax : counter + by;
        saved = false;
    }

    // The shared state as the scenario runner prints it after "STATE ".
    std::string stateLine() const;
};

} // namespace kl
