// The graph window's controls, one row each, in the order they are built (the keyboard's focus
// order). Captions, places and fonts are fixed: the goldens prove them; the scenario runner finds
// each control by its name. The check boxes have no caption: their texts are drawn on the picture
// beside them (GraphPainter), so the English layout of those lives there.
#include "app/ControlTable.h"
#include "app/Form2.h"
#include "app/WindowParts.h"
#include "platform/Canvas.h"

#include <QCheckBox>
#include <QLineEdit>

namespace kl {

namespace {

using K = ControlKind;
using Row = ControlRow<Form2>;
constexpr const char* M = kMincho;
constexpr const char* G = kGothic;

// clang-format off
// name, role, kind, geometry, font, size, caption,
//  handler of its click, choice or typed change[, tooltip[, size in English]]
const Row kForm2Controls[] = {
    // The buttons along the bottom and the window copy at the top right.
    {"BUTTON4", "back to the main window", K::Button, {14, 686, 133, 35}, M, 20, KL_TRANSLATE_NOOP("Form2", "戻  る"),
     [](Form2& w) { w.BUTTON4_ON(); }},
    {"BUTTON16", "copy the histogram picture to the clipboard", K::Button, {168, 686, 161, 35}, M, 16,
     KL_TRANSLATE_NOOP("Form2", "HISTOGRAMのCOPY"), [](Form2& w) { w.BUTTON16_ON(); }},
    {"BUTTON17", "copy the probability plot picture to the clipboard", K::Button, {336, 686, 161, 35}, M, 16,
     KL_TRANSLATE_NOOP("Form2", "正規確率紙のCOPY"), [](Form2& w) { w.BUTTON17_ON(); }},
    {"BUTTON19", "statistics of the data as graphed", K::Button, {504, 686, 70, 35}, M, 16,
     KL_TRANSLATE_NOOP("Form2", "計 算"), [](Form2& w) { w.BUTTON19_ON(); }},
    {"BUTTON9", "print the histogram page", K::Button, {581, 686, 112, 35}, M, 20, KL_TRANSLATE_NOOP("Form2", "印 刷"),
     [](Form2& w) { w.BUTTON9_ON(); }, KL_TRANSLATE_NOOP("Form2", "ヒストグラムを印刷")},
    {"BUTTON15", "copy the whole window to the clipboard", K::Button, {920, 32, 86, 21}, M, 12,
     KL_TRANSLATE_NOOP("Form2", "画面のCOPY"), [](Form2& w) { w.BUTTON15_ON(); }},
    {"BUTTON20", "help on the 95 % interval of the probability plot", K::Button, {980, 532, 21, 21}, M, 16,
     KL_TRANSLATE_NOOP("Form2", "？"), [](Form2& w) { w.BUTTON20_ON(); },
     KL_TRANSLATE_NOOP("Form2", "正規確率紙から求める95％信頼区間の説明")},
    // The title and the smoothing coefficient (wired by the window: the title follows every typed
    // change, the coefficient only Enter).
    {"EDIT7", "title of the graph", K::Field, {7, 7, 728, 28}, M, 21, "", nullptr},
    {"EDIT11", "smoothing coefficient of the histogram curve", K::Field, {595, 42, 42, 14}, G, 11, "", nullptr},
    // What the picture shows.
    {"CHECK1", "show the normal and smoothed curves", K::Check, {770, 7, 14, 14}, M, 14, "",
     [](Form2& w) { w.CHECK1_ON(); }},
    {"CHECK3", "show the reference range", K::Check, {770, 21, 14, 14}, M, 14, "",
     [](Form2& w) { w.CHECK3_ON(); }},
    {"CHECK4", "colour scheme 2 D", K::Check, {945, 665, 14, 14}, M, 14, "",
     [](Form2& w) { w.SCHEME_CLICKED(1); }},
    {"CHECK5", "colour scheme Blue", K::Check, {945, 686, 14, 14}, M, 14, "",
     [](Form2& w) { w.SCHEME_CLICKED(2); }},
    {"CHECK6", "colour scheme 3 D", K::Check, {945, 707, 14, 14}, M, 14, "",
     [](Form2& w) { w.SCHEME_CLICKED(3); }},
    {"CHECK7", "read the 95 % interval from the curve's crossings", K::Check, {700, 553, 14, 14}, M, 14, "",
     [](Form2& w) { w.CHECK7_ON(); }},
    // What the printed page shows, in their option order; CHECK11 (plot) stands first on screen.
    {"CHECK8", "print the curves", K::Check, {707, 665, 14, 14}, M, 14, "",
     [](Form2& w) { w.PRINT_OPTION_ON(8); }},
    {"CHECK9", "print the reference range", K::Check, {707, 679, 14, 14}, M, 14, "",
     [](Form2& w) { w.PRINT_OPTION_ON(9); }},
    {"CHECK10", "print the 95 % interval", K::Check, {707, 693, 14, 14}, M, 14, "",
     [](Form2& w) { w.PRINT_OPTION_ON(10); }},
    {"CHECK11", "print the probability plot", K::Check, {707, 651, 14, 14}, M, 14, "",
     [](Form2& w) { w.PRINT_OPTION_ON(11); }},
    {"CHECK12", "print the statistics", K::Check, {707, 707, 14, 14}, M, 14, "",
     [](Form2& w) { w.PRINT_OPTION_ON(12); }},
    // Below the class labels of the histogram, where the window draws nothing.
    {"BUTTON159", "reference intervals of the data shown", K::Button, {14, 632, 130, 24}, M, 14,
     KL_TRANSLATE_NOOP("Form2", "基準範囲の推定"), [](Form2& w) { w.BUTTON159_ON(); }},
};
// clang-format on

template <class W> W* named(QWidget* window, const char* name) {
    return window->findChild<W*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

} // namespace

void Form2::buildControls() {
    kl::buildControls<Form2>(*this, "Form2", kForm2Controls,
                             [this](const std::function<void()>& h) { guarded(h); });
    edit7_ = named<QLineEdit>(this, "EDIT7");
    edit11_ = named<QLineEdit>(this, "EDIT11");
    check1_ = named<QCheckBox>(this, "CHECK1");
    check3_ = named<QCheckBox>(this, "CHECK3");
    check7_ = named<QCheckBox>(this, "CHECK7");
    const char* schemeNames[3] = {"CHECK4", "CHECK5", "CHECK6"};
    for (int i = 0; i < 3; ++i)
        scheme_boxes_[i] = named<QCheckBox>(this, schemeNames[i]);
    const char* printNames[5] = {"CHECK8", "CHECK9", "CHECK10", "CHECK11", "CHECK12"};
    for (int i = 0; i < 5; ++i)
        printBoxes_[i] = named<QCheckBox>(this, printNames[i]);
    // The smoothing box stands frameless in the blank of the legend text.
    edit11_->setFrame(false);
    edit11_->setTextMargins(0, 0, 0, 0);
    edit11_->setAlignment(Qt::AlignRight);
    edit11_->installEventFilter(this);
    keepSelectionOnMouseFocus(edit11_);
    connect(edit7_, &QLineEdit::textEdited, this, [this] { guarded([this] { EDIT7_CHANGE(); }); });
    connect(edit11_, &QLineEdit::returnPressed, this, [this] { guarded([this] { EDIT11_COMMIT(); }); });
    closeOnEscape(this);
}

} // namespace kl
