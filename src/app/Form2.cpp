#include "app/Form2.h"

#include "app/Form2Print.h"
#include "app/Form8.h"
#include "app/Form9.h"
#include "app/WindowParts.h"
#include "data/DataSet.h"
#include "output/ClipboardPictures.h"
#include "platform/qt/QtConvert.h"
#include "text/Text.h"
#include "text/Translate.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>

namespace kl {

namespace {

constexpr const OptionSpec* kPrintOptions[5] = {&options::printCurves, &options::printReferenceRange,
                                                &options::printCurveInterval, &options::printProbabilityPlot,
                                                &options::printStatistics};

} // namespace

std::string chooseGraphTitle(bool typedEarlier, bool settingsFound, const std::string& keptTitle,
                             const std::string& itemText) {
    if (typedEarlier) return keptTitle;
    if (settingsFound && !trimBlanks(keptTitle).empty()) return keptTitle;
    return "HISTOGRAM OF " + trimBlanks(itemText);
}

Form2::Form2(Services& services, OptionStore& options, GraphSource source, QWidget* parent)
    : SurfaceWidget(QStringLiteral("form2"), QSize(kWidth, kHeight), parent), services_(services),
      options_(options), source_(std::move(source)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("THE KLEPSYDRA"));
    values_ = leadingNumbers(source_.texts);
    buildControls();
}

Form2::~Form2() = default;

void Form2::guarded(const std::function<void()>& handler) {
    runGuarded(guard_, handler, [this](const std::exception& e) {
        services_.message("ERROR", e.what(), Buttons::Ok, Icon::Stop);
    });
}

bool Form2::open() {
    show();
    raise();
    activateWindow();
    bool drawn = false;
    guarded([&] { drawn = FORM2_START(); });
    return drawn;
}

void Form2::dismiss() {
    quietClose_ = true;
    close();
}

bool Form2::FORM2_START() {
    lambda_ = 0;
    const SmoothingEntry entry = smoothingFromOption(options_.read(options::smoothing));
    lambda_ = entry.lambda;
    edit11_->setText(toQString(entry.text));
    const double graph = options_.readNumber(options::colourScheme, 1);
    scheme_ = graphSchemeFromOption(static_cast<int>(graph));
    for (int i = 0; i < 3; ++i)
        scheme_boxes_[i]->setChecked(static_cast<int>(scheme_) == i + 1);
    for (int i = 0; i < 5; ++i)
        printBoxes_[i]->setChecked(options_.readNumber(*kPrintOptions[i]) > 0);
    check1_->setChecked(options_.readNumber(options::showCurves) > 0);
    check3_->setChecked(options_.readNumber(options::showReferenceRange) > 0);
    check7_->setChecked(options_.readNumber(options::showCurveInterval) > 0);
    edit7_->setText(toQString(source_.title));
    edit7_->setCursorPosition(0);

    const GraphInput input = graphInput();
    GraphView view;
    view.curves = check1_->isChecked();
    view.reference = check3_->isChecked();
    view.interval95 = check7_->isChecked();
    edit11_->setVisible(view.curves); // it stands in the blank of the legend, drawn only with the curves
    if (!source_.pastedUnsaved && !trimBlanks(source_.sourcePath).empty())
        view.fileLine = graphFileLine(source_.sourcePath, static_cast<long>(values_.size()));
    {
        // The smoothing spline is the slow part of the picture.
        std::optional<BusyPointer> busy;
        if (view.curves) busy.emplace(services_);
        drawing_ = paintGraphWindow(canvas(), input, view);
    }
    if (drawing_.failure) {
        failDrawing(*drawing_.failure);
        return false;
    }
    return true;
}

void Form2::failDrawing(const Message& message) {
    services_.message(message.caption, message.text, message.buttons, message.icon);
    quietClose_ = true;
    close();
    emit drawingFailed();
}

void Form2::redraw() {
    FORM2_START();
}

void Form2::storeOption(const OptionSpec& optionSpec, const std::string& text) {
    std::string error;
    if (options_.write(optionSpec, text, &error) || optionWriteReported_) return;
    optionWriteReported_ = true;
    services_.message(
        "CAUTION",
        withArgs(translate("Form2", "設定ファイルを保存できません。作業フォルダを確認して下さい。\r\n%1"),
                 {error}),
        Buttons::Ok, Icon::Information);
}

void Form2::storeFlag(const OptionSpec& optionSpec, QCheckBox* box) {
    storeOption(optionSpec, box->isChecked() ? "1" : "0");
}

void Form2::CHECK1_ON() {
    storeFlag(options::showCurves, check1_);
    redraw();
}

void Form2::CHECK3_ON() {
    storeFlag(options::showReferenceRange, check3_);
    redraw();
}

void Form2::SCHEME_CLICKED(int scheme) {
    SCHEME_ON(scheme, scheme_boxes_[scheme - 1]->isChecked());
}

void Form2::SCHEME_ON(int scheme, bool ticked) {
    if (!ticked) {
        // One scheme is always chosen: the current box cannot be cleared.
        bool other = false;
        for (int i = 0; i < 3; ++i)
            if (i + 1 != scheme && scheme_boxes_[i]->isChecked()) other = true;
        if (!other) scheme_boxes_[scheme - 1]->setChecked(true);
        return;
    }
    storeOption(options::colourScheme, std::to_string(scheme));
    redraw();
}

void Form2::CHECK7_ON() {
    if (check7_->isChecked()) {
        storeOption(options::showCurveInterval, "1");
    } else {
        // Without the interval there is nothing to print for it.
        storeOption(options::showCurveInterval, "0");
        storeOption(options::printCurveInterval, "0");
        printBoxes_[2]->setChecked(false);
    }
    redraw();
}

void Form2::PRINT_OPTION_ON(int check) {
    if (check < 8 || check > 12) return;
    PrintBoxes boxes;
    boxes.check7 = check7_->isChecked();
    bool* flags[5] = {&boxes.check8, &boxes.check9, &boxes.check10, &boxes.check11, &boxes.check12};
    for (int i = 0; i < 5; ++i)
        *flags[i] = printBoxes_[i]->isChecked();
    const PrintOptionOutcome outcome = printOptionClicked(check, boxes);
    if (outcome.counterChange != 0) emit counterChanged(outcome.counterChange);
    for (const OptionWrite& w : outcome.writes)
        storeOption(*w.optionSpec, w.text);
    const bool after[5] = {outcome.boxes.check8, outcome.boxes.check9, outcome.boxes.check10,
                           outcome.boxes.check11, outcome.boxes.check12};
    for (int i = 0; i < 5; ++i)
        printBoxes_[i]->setChecked(after[i]);
    check7_->setChecked(outcome.boxes.check7);
    if (outcome.runCheck7) CHECK7_ON();
}

void Form2::EDIT7_CHANGE() {
    source_.title = trimBlanks(toStdString(edit7_->text()));
    emit titleEdited(toQString(source_.title));
}

void Form2::EDIT11_COMMIT() {
    const SmoothingEntry entry = commitSmoothingText(toStdString(edit11_->text()));
    if (entry.clamped) services_.beep();
    edit11_->setText(toQString(entry.text));
    lambda_ = entry.lambda;
    storeOption(options::smoothing, entry.text);
    setFocus(Qt::OtherFocusReason);
    redraw();
}

GraphInput Form2::graphInput() const {
    GraphInput input;
    input.values = values_;
    input.texts = source_.texts;
    input.classes = source_.classes;
    input.decimalPlaces = source_.decimalPlaces;
    input.lambda = lambda_;
    input.scheme = scheme_;
    input.reference = source_.reference;
    return input;
}

void Form2::BUTTON4_ON() {
    emit backRequested();
}

void Form2::BUTTON9_ON() {
    HistogramPageInput page;
    static_cast<GraphInput&>(page) = graphInput();
    page.title = trimBlanks(title());
    page.sourcePath = source_.sourcePath;
    page.count = static_cast<long>(source_.texts.size());
    page.pasted = source_.pastedUnsaved;
    page.crossings = check7_->isChecked();
    page.print = {printBoxes_[0]->isChecked(), printBoxes_[1]->isChecked(), printBoxes_[2]->isChecked(),
                  printBoxes_[3]->isChecked(), printBoxes_[4]->isChecked()};
    // The page prints the interval the screen found, not a second reading of the curve.
    if (page.crossings && drawing_.lower.found) page.lowerLimit = drawing_.lower.value;
    if (page.crossings && drawing_.upper.found) page.upperLimit = drawing_.upper.value;

    // Re-enabled however the job ends: cancelled, failed or thrown out of.
    struct Disabled {
        QWidget* w;
        explicit Disabled(QWidget* widget) : w(widget) { w->setEnabled(false); }
        ~Disabled() { w->setEnabled(true); }
    } disabled(this);
    runHistogramPrint(services_, page, services_.screenSize().height);
}

void Form2::BUTTON15_ON() {
    if (!askCopy(services_, CopyKind::WholeWindow)) return;
    markWholeWindow(canvas(), scheme_, check7_->isChecked(), trimBlanks(title()));
    services_.clipboardSetBitmap(toBitmap(surface()));
    redraw(); // the blanked areas and the title go again
}

void Form2::BUTTON16_ON() {
    if (!askCopy(services_, CopyKind::Histogram)) return;
    services_.clipboardSetBitmap(histogramPicture(toBitmap(surface()), scheme_, trimBlanks(title())));
}

void Form2::BUTTON17_ON() {
    if (!askCopy(services_, CopyKind::Plot)) return;
    services_.clipboardSetBitmap(plotPicture(toBitmap(surface()), scheme_, check7_->isChecked()));
}

void Form2::BUTTON19_ON() {
    GraphClasses classes = source_.classes;
    openGraphStatistics(
        services_, values_, classes, title(), this, [] {},
        [this](const std::function<void()>& h) { guarded(h); });
}

void Form2::BUTTON20_ON() {
    openProbabilityPlotHelp(
        services_, this, [] {}, [this](const std::function<void()>& h) { guarded(h); });
}

std::string Form2::title() const {
    return toStdString(edit7_->text());
}

void Form2::closeEvent(QCloseEvent* event) {
    if (!quietClose_ && queryClose_) guarded(queryClose_);
    event->accept();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit11_) {
        if (event->type() == QEvent::FocusIn) edit11_->selectAll();
        if (event->type() == QEvent::FocusOut) edit11_->deselect();
    }
    return SurfaceWidget::eventFilter(watched, event);
}

} // namespace kl
