#include "app/Form4.h"

#include "app/ControlTable.h"
#include "app/WindowParts.h"
#include "output/HelpTexts.h"
#include "output/TextReports.h"
#include "platform/qt/Fonts.h"

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};
constexpr double kTextSize = 18, kSummarySize = 14, kExponentSize = 10;

using K = ControlKind;
using Row = ControlRow<Form4>;
constexpr const char* M = kMincho;
constexpr FontStyle I = FontStyle::Italic;
constexpr const char* kPrint = KL_TRANSLATE_NOOP("Form4", "print");
constexpr const char* kClose = KL_TRANSLATE_NOOP("Form4", "close");
constexpr const char* kPrintTip = KL_TRANSLATE_NOOP("Form4", "この説明を印刷");

// Under the last text row, at the right: one table for each help mode's window size.
// clang-format off
// name, role, kind, geometry, font, size, caption, handler, tooltip, size in English, style
const Row kUsageControls[] = {
    {"BUTTON24", "print the guide", K::Button, {502, 462, 120, 36}, M, 20, kPrint,
     [](Form4& w) { w.BUTTON24_ON(); }, kPrintTip, 0, I},
    {"BUTTON27", "close the help", K::Button, {638, 462, 120, 36}, M, 20, kClose,
     [](Form4& w) { w.BUTTON27_ON(); }, nullptr, 0, I},
};
const Row kShapeControls[] = {
    {"BUTTON24", "print the explanation", K::Button, {512, 590, 120, 36}, M, 20, kPrint,
     [](Form4& w) { w.BUTTON24_ON(); }, kPrintTip, 0, I},
    {"BUTTON27", "close the help", K::Button, {648, 590, 120, 36}, M, 20, kClose,
     [](Form4& w) { w.BUTTON27_ON(); }, nullptr, 0, I},
};
// clang-format on

} // namespace

QSize Form4::sizeFor(int mode) {
    return mode == 2 ? QSize(792, 640) : QSize(782, 510);
}

Form4::Form4(Services& services, int mode, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form4"), sizeFor(mode), nullptr, kBackground,
                      QStringLiteral("HELP"), Placement::StayOnTop),
      mode_(mode), opener_(opener) {
    setFont(qtFont(Font{kMincho, kTextSize}, int(kTextSize)));
    buildControls<Form4>(*this, "Form4", mode == 2 ? std::span<const Row>(kShapeControls) : kUsageControls,
                         [this](const std::function<void()>& h) { run(h); });
}

Form4::~Form4() = default;

void Form4::open() {
    placeOver(this, opener_);
    showAndStart([this] { FORM4_START(); });
}

void Form4::gridText(int column, int row, const char* text, double size, int colour) {
    canvas().text(column * size / 2, row * size, helpText(text), Font{kMincho, size}, colour);
}

void Form4::FORM4_START() {
    clearSurface();
    if (mode_ == 1)
        layoutUsage();
    else if (mode_ == 2)
        layoutShape();
}

void Form4::layoutUsage() {
    gridText(2, 1, kUsageTitle, kTextSize, Black);
    int row = 3;
    for (const char* line : kUsageInput)
        gridText(2, row++, line, kTextSize, Black);
    for (const char* line : kUsageWorkflow)
        gridText(2, row++, line, kTextSize, Black);
    row = 16;
    for (const char* line : kUsageOutput)
        gridText(2, row++, line, kTextSize, Black);
    gridText(2, 24, kHelpClosingNote, kTextSize, Red);
}

void Form4::layoutShape() {
    gridText(2, 1, kShapeTitle, kTextSize, Black);
    int row = 3;
    for (const char* line : kShapeIntro)
        gridText(2, row++, line, kTextSize, Black);
    formulaBlock();
    gridText(2, 13, kShapeReadingLead, kTextSize, Black);
    row = 15;
    for (const char* line : kShapeReadings)
        gridText(2, row++, line, kTextSize, Black);
    row = 22;
    for (const char* line : kShapeTest)
        gridText(2, row++, line, kTextSize, Black);
    gridText(2, 37, kShapeSummary, kSummarySize, Black);
    gridText(2, 31, kHelpClosingNote, kTextSize, Red);
}

void Form4::formulaBlock() {
    Canvas& c = canvas();
    const Font text{kMincho, kTextSize}, exponent{kMincho, kExponentSize};
    struct Block {
        double x;
        const char* name;
        const char* power;
    };
    for (Block b : {Block{20, kFormulaB1, "3"}, Block{270, kFormulaB2, "4"}}) {
        c.text(b.x, 135, kFormulaNumerator, text, Black);
        c.text(b.x, 150, b.name, text, Black);
        c.text(b.x, 165, kFormulaDenominator, text, Black);
        c.line(b.x + 128, 134, b.x + 141, 134, Black); // the bar over the mean's Ｘ
        c.line(b.x + 50, 159, b.x + 155, 159, Black);  // the fraction bar
        c.text(b.x + 151, 133, b.power, exponent, Black);
        c.text(b.x + 135, 163, b.power, exponent, Black);
    }
    c.text(340, 190, helpText(kFormulaLegend), text, Black);
    c.line(459, 189, 472, 189, Black);
}

void Form4::BUTTON24_ON() {
    hide();
    setEnabled(false);
    printReport(services_, [this](PrintJob& job) { printHelpText(job, mode_); });
    if (opener_) opener_->show();
    show();
    raise();
    setEnabled(true);
}

void Form4::BUTTON27_ON() {
    close();
}

} // namespace kl
