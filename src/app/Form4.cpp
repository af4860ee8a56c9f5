#include "app/Form4.h"

#include "app/WindowParts.h"
#include "output/HelpTexts.h"
#include "output/TextReports.h"
#include "platform/qt/Fonts.h"

#include <QPushButton>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};
constexpr double kTextSize = 18, kSummarySize = 14, kExponentSize = 10;

} // namespace

QSize Form4::sizeFor(int mode) {
    return mode == 2 ? QSize(792, 640) : QSize(782, 510);
}

Form4::Form4(Services& services, int mode, QWidget* opener)
    : SecondaryWindow(services, QStringLiteral("form4"), sizeFor(mode), nullptr, kBackground,
                      QStringLiteral("HELP"), Placement::StayOnTop),
      mode_(mode), opener_(opener) {
    setFont(qtFont(Font{kMincho, kTextSize}, int(kTextSize)));
    // Placed under the text by placeButtons.
    button24_ = commandButton(this, "BUTTON24", QRect(), printCloseButtonFont(), "print");
    button27_ = commandButton(this, "BUTTON27", QRect(), printCloseButtonFont(), "close");
    connect(button24_, &QPushButton::clicked, this, [this] { run([this] { BUTTON24_ON(); }); });
    connect(button27_, &QPushButton::clicked, this, [this] { run([this] { BUTTON27_ON(); }); });
    placeButtons(mode == 2 ? 590 : 462);
    setToolTips(this, {{"BUTTON24", "この説明を印刷"}});
}

Form4::~Form4() = default;

void Form4::placeButtons(int top) {
    // Under the last text row, at the right.
    const int w = 120, h = 36, right = width() - 24;
    button27_->setGeometry(right - w, top, w, h);
    button24_->setGeometry(right - 2 * w - 16, top, w, h);
}

void Form4::open() {
    placeOver(this, opener_);
    showAndStart([this] { FORM4_START(); });
}

void Form4::gridText(int column, int row, const char* text, double size, int colour) {
    canvas().text(column * size / 2, row * size, text, Font{kMincho, size}, colour);
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
    c.text(340, 190, kFormulaLegend, text, Black);
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
