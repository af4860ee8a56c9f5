// The main window's controls, one row each, in the order they are built (the keyboard's focus
// order). Captions, places and fonts are fixed: the goldens prove them; the scenario runner finds
// each control by its name.
#include "app/ControlTable.h"
#include "app/main/DataPanel.h"
#include "app/main/FilePanel.h"
#include "app/main/MainForm.h"
#include "app/main/ReportPanel.h"
#include "app/main/TablePanel.h"
#include "platform/Canvas.h"

namespace kl {

namespace {

using K = ControlKind;
using Row = ControlRow<MainForm>;
constexpr const char* M = kMincho;
constexpr const char* G = kGothic;

constexpr const char* kListInstruction = KL_TRANSLATE_NOOP(
    "MainForm", "上記のリストをクリックによって訂正、ダブルクリックで削除。　既存のデータがある場合は、"
                "データの追加も可能です。");

// clang-format off
// name, role, kind, geometry, font, size, caption,
//  handler of its click, choice or typed change[, tooltip]
const Row kMainControls[] = {
    // The data file: open, save, where it came from.
    {"BUTTON1", "open a data file", K::Button, {217, 7, 147, 21}, M, 14, KL_TRANSLATE_NOOP("MainForm", "ファイルを開く"),
     [](MainForm& w) { w.files().BUTTON1_ON(); }},
    {"BUTTON38", "save the data under a new name", K::Button, {217, 28, 147, 21}, M, 14, KL_TRANSLATE_NOOP("MainForm", "名前を付けて保存"),
     [](MainForm& w) { w.files().BUTTON38_ON(); }},
    {"EDIT1", "path of the data file", K::ShownField, {371, 7, 413, 42}, M, 16, "",
     nullptr},
    {"BUTTON18", "help on using the program", K::Button, {791, 7, 21, 21}, M, 16, KL_TRANSLATE_NOOP("MainForm", "？"),
     [](MainForm& w) { w.reports().BUTTON18_ON(); }, KL_TRANSLATE_NOOP("MainForm", "使い方の説明")},
    {"BUTTON10", "edit the reference range master", K::Button, {854, 7, 70, 21}, M, 18, "R.I.",
     [](MainForm& w) { w.BUTTON10_ON(); }, KL_TRANSLATE_NOOP("MainForm", "基準範囲（Reference Intervals）マスタの編集")},
    // Decimal places of the figures.
    {"RADIO1", "one decimal place", K::Radio, {854, 35, 35, 21}, M, 13, "1",
     [](MainForm& w) { w.data().RADIO_ON(1); }},
    {"RADIO2", "two decimal places", K::Radio, {889, 35, 35, 21}, M, 13, "2",
     [](MainForm& w) { w.data().RADIO_ON(2); }},
    {"RADIO3", "three decimal places", K::Radio, {924, 35, 35, 21}, M, 13, "3",
     [](MainForm& w) { w.data().RADIO_ON(3); }},
    {"RADIO4", "four decimal places", K::Radio, {959, 35, 56, 21}, M, 13, KL_TRANSLATE_NOOP("MainForm", "4 桁"),
     [](MainForm& w) { w.data().RADIO_ON(4); }},
    // The value list and typed entry.
    {"BUTTON13", "paste values from the clipboard", K::Button, {14, 56, 189, 25}, M, 14, KL_TRANSLATE_NOOP("MainForm", "PASTE(貼り付け)"),
     [](MainForm& w) { w.data().BUTTON13_ON(); }},
    {"EDIT2", "name of the data file", K::ShownField, {14, 84, 189, 25}, M, 18, "",
     nullptr},
    {"LIST1", "the values: a click corrects a row, a double click deletes it", K::List, {14, 112, 189, 418}, G, 18, "",
     [](MainForm& w) { w.data().LIST1_CLICK(); }},
    {"EDIT14", "row number of the value being typed", K::ShownField, {14, 539, 70, 24}, M, 20, " Data",
     nullptr},
    {"EDIT13", "type a value", K::Field, {84, 539, 119, 24}, G, 18, "",
     [](MainForm& w) { w.data().EDIT13_CHANGE(); }},
    {"BUTTON36", "start a new typed data set", K::Button, {14, 567, 189, 26}, M, 18, KL_TRANSLATE_NOOP("MainForm", "Data入力・新規"),
     [](MainForm& w) { w.data().BUTTON36_ON(); }},
    {"EDIT15", "instruction for the value list", K::Note, {14, 602, 189, 54}, M, 11, kListInstruction,
     nullptr},
    {"BUTTON39", "leave the correction", K::Button, {14, 658, 91, 29}, M, 16, KL_TRANSLATE_NOOP("MainForm", "選択解除"),
     [](MainForm& w) { w.data().BUTTON39_ON(); }},
    {"BUTTON37", "insert before the chosen row", K::Button, {112, 658, 91, 29}, M, 16, KL_TRANSLATE_NOOP("MainForm", "挿  入"),
     [](MainForm& w) { w.data().BUTTON37_ON(); }},
    {"BUTTON35", "compute with the typed values", K::Button, {14, 693, 189, 35}, M, 20, KL_TRANSLATE_NOOP("MainForm", "計   算"),
     [](MainForm& w) { w.data().BUTTON35_ON(); }},
    // Measurement item and class parameters.
    {"COMBO1", "measurement item", K::DropDown, {364, 518, 189, 28}, M, 22, "",
     [](MainForm& w) { w.table().COMBO1_CHANGE(); }},
    {"EDIT3", "class interval", K::Field, {364, 553, 91, 28}, M, 20, "",
     [](MainForm& w) { w.table().EDIT_CHANGE(3); }},
    {"EDIT4", "lower limit", K::Field, {364, 581, 91, 28}, M, 20, "",
     [](MainForm& w) { w.table().EDIT_CHANGE(4); }},
    {"EDIT5", "number of classes", K::Field, {364, 609, 91, 28}, M, 20, "",
     [](MainForm& w) { w.table().EDIT_CHANGE(5); }},
    {"EDIT6", "upper limit (computed)", K::Field, {364, 637, 91, 28}, M, 20, "",
     nullptr},
    // Printing.
    {"BUTTON6", "print the data list", K::Button, {217, 693, 49, 35}, M, 18, "DATA",
     [](MainForm& w) { w.reports().BUTTON6_ON(); }, KL_TRANSLATE_NOOP("MainForm", "データ一覧を印刷")},
    {"BUTTON7", "print the basic statistics", K::Button, {266, 693, 126, 35}, M, 18, KL_TRANSLATE_NOOP("MainForm", "基礎計算結果"),
     [](MainForm& w) { w.reports().BUTTON7_ON(); }, KL_TRANSLATE_NOOP("MainForm", "基礎計算結果を印刷")},
    {"BUTTON8", "print the frequency table", K::Button, {392, 693, 161, 35}, M, 18, "Frequency table",
     [](MainForm& w) { w.reports().BUTTON8_ON(); }, KL_TRANSLATE_NOOP("MainForm", "度数表を印刷")},
    {"BUTTON14", "help on skewness and kurtosis", K::Button, {525, 63, 21, 21}, M, 16, KL_TRANSLATE_NOOP("MainForm", "？"),
     [](MainForm& w) { w.reports().BUTTON14_ON(); }, KL_TRANSLATE_NOOP("MainForm", "歪度・尖度の説明")},
    // The frequency table and the graph.
    {"BUTTON2", "build the frequency table again", K::Button, {560, 56, 252, 28}, M, 18, "Frequency table",
     [](MainForm& w) { w.table().BUTTON2_ON(); }, KL_TRANSLATE_NOOP("MainForm", "度数表を作り直す")},
    {"CHECK2", "fold extreme values into the end classes", K::Check, {819, 63, 14, 17}, M, 16, "",
     [](MainForm& w) { w.table().CHECK2_ON(); }},
    {"LIST2", "the frequency table", K::List, {560, 119, 448, 514}, G, 18, "",
     [](MainForm& w) { w.table().LIST2_CLICK(); }},
    {"BUTTON34", "export the frequency table as CSV", K::Button, {560, 637, 448, 25}, M, 16, KL_TRANSLATE_NOOP("MainForm", "度数表( Frequency table )のEXCELへのEXPORT"),
     [](MainForm& w) { w.reports().BUTTON34_ON(); }},
    {"BUTTON3", "open the histogram window", K::Button, {560, 693, 448, 35}, M, 22, "GRAPH OF HISTOGRAM",
     [](MainForm& w) { w.table().BUTTON3_ON(); }},
    // The reference intervals, in the free corner right of "R.I." (BUTTON10).
    {"BUTTON150", "reference intervals of the data set", K::Button, {930, 7, 86, 21}, M, 14, KL_TRANSLATE_NOOP("MainForm", "基準範囲"),
     [](MainForm& w) { w.BUTTON150_ON(); }},
    // Indirect reference intervals from routine data, in the free strip below "GRAPH OF HISTOGRAM".
    {"BUTTON160", "indirect reference intervals from a routine data export", K::Button, {868, 736, 140, 24}, M, 14,
     KL_TRANSLATE_NOOP("MainForm", "基準範囲（間接法）"), [](MainForm& w) { w.BUTTON160_ON(); },
     KL_TRANSLATE_NOOP("MainForm", "日常検査データ（健常者と患者が混在）から基準範囲を推定する")},
};
// clang-format on

} // namespace

void MainForm::buildControls() {
    kl::buildControls<MainForm>(*this, "MainForm", kMainControls,
                                [this](const std::function<void()>& h) { guarded(h); });
}

} // namespace kl
