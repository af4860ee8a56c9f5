#include "app/Form15.h"

#include "app/ControlTable.h"

#include "data/DataFileReader.h"
#include "data/DataSet.h"
#include "output/TextReports.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"
#include "text/FileIO.h"
#include "text/Translate.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <charconv>

namespace kl {

using namespace refint;

namespace {

constexpr Rgb kBackground{236, 233, 216};
constexpr double kTextSize = 14, kLinePitch = 19, kLeft = 14;
constexpr double kNotesY = 176, kListCaptionY = 262, kVerifyY = 556, kPartitionY = 652;
constexpr SheetFrame kPicture{330, 262, 680, 252, 12, 12, 1};

std::optional<double> typedNumber(const std::string& text) {
    std::size_t a = text.find_first_not_of(" \t　"), b = text.find_last_not_of(" \t");
    if (a == std::string::npos) return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(text.data() + a, text.data() + b + 1, v);
    if (ec != std::errc() || end != text.data() + b + 1 || !std::isfinite(v)) return std::nullopt;
    return v;
}

// clang-format off
// name, role, kind, geometry, font, size, caption, handler of its click[, tooltip, size in English, style]
const ControlRow<Form15> kForm15Controls[] = {
    {"LIST151", "the outlier candidates: a click leaves one out or takes it back", ControlKind::List,
     {14, 282, 300, 200}, kGothic, 14, "", [](Form15& w) { w.LIST151_CLICK(); }},
    {"CHECK151", "bootstrap intervals for the robust methods", ControlKind::Check, {14, 488, 300, 22}, kGothic, 14,
     KL_TRANSLATE_NOOP("Form15", "bootstrap の信頼区間（1000 回, seed 1）"), [](Form15& w) { w.CHECK151_ON(); }},
    {"EDIT151", "lower limit of the target interval", ControlKind::Field, {110, 522, 90, 26}, kGothic, 14, "",
     nullptr},
    {"EDIT152", "upper limit of the target interval", ControlKind::Field, {224, 522, 90, 26}, kGothic, 14, "",
     nullptr},
    {"BUTTON151", "verify the target interval", ControlKind::Button, {326, 521, 90, 28}, kMincho, 16,
     KL_TRANSLATE_NOOP("Form15", "検  証"), [](Form15& w) { w.BUTTON151_ON(); }},
    {"BUTTON152", "read a second group for the partitioning", ControlKind::Button, {14, 652, 150, 28}, kMincho, 14,
     KL_TRANSLATE_NOOP("Form15", "第２群のファイル"), [](Form15& w) { w.BUTTON152_ON(); }},
    // The copy, print and close buttons read the same in both languages.
    {"BUTTON154", "copy the window's picture", ControlKind::Button, {616, 724, 115, 34}, kMincho, 20, "COPY",
     [](Form15& w) { w.BUTTON154_ON(); }, nullptr, 0, FontStyle::Italic},
    {"BUTTON153", "print one page", ControlKind::Button, {742, 724, 115, 34}, kMincho, 20, "print",
     [](Form15& w) { w.BUTTON153_ON(); }, nullptr, 0, FontStyle::Italic},
    {"BUTTON155", "close the window", ControlKind::Button, {870, 724, 115, 34}, kMincho, 20, "close",
     [](Form15& w) { w.BUTTON155_ON(); }, nullptr, 0, FontStyle::Italic},
};
// clang-format on

} // namespace

Form15::Form15(Services& services, QWidget* opener, ReferenceIntervalInput input)
    : SecondaryWindow(services, QStringLiteral("form15"), QSize(kWidth, kHeight), opener, kBackground,
                      QStringLiteral("Reference Intervals")),
      input_(std::move(input)) {
    buildControls<Form15>(*this, "Form15", kForm15Controls,
                          [this](const std::function<void()>& h) { run(h); });
    list151_ = findChild<QListWidget*>(QStringLiteral("LIST151"));
    check151_ = findChild<QCheckBox*>(QStringLiteral("CHECK151"));
    check151_->setChecked(true);
    edit151_ = findChild<QLineEdit*>(QStringLiteral("EDIT151"));
    edit152_ = findChild<QLineEdit*>(QStringLiteral("EDIT152"));
}

Form15::~Form15() = default;

void Form15::open() {
    if (QWidget* opener = parentWidget()) {
        const QRect frame = opener->frameGeometry();
        move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
    }
    showAndStart([this] { FORM15_START(); });
}

void Form15::FORM15_START() {
    group_ = screenGroup("", input_.values);
    suspects_ = group_.dixonReed;
    suspects_.insert(suspects_.end(), group_.tukey.suspects.begin(), group_.tukey.suspects.end());
    std::sort(suspects_.begin(), suspects_.end(), [&](std::size_t a, std::size_t b) {
        return input_.values[a] < input_.values[b] || (input_.values[a] == input_.values[b] && a < b);
    });
    suspects_.erase(std::unique(suspects_.begin(), suspects_.end()), suspects_.end());
    ticked_.assign(suspects_.size(), false);
    fillSuspects();
    edit151_->setText(QString::fromStdString(input_.targetLower));
    edit152_->setText(QString::fromStdString(input_.targetUpper));
    auto lo = typedNumber(input_.targetLower), hi = typedNumber(input_.targetUpper);
    if (lo && hi && *lo < *hi) target_ = TargetInterval{*lo, *hi};
    recompute();
}

void Form15::fillSuspects() {
    list151_->clear();
    for (std::size_t k = 0; k < suspects_.size(); ++k) {
        std::size_t i = suspects_[k];
        bool dixon = std::find(group_.dixonReed.begin(), group_.dixonReed.end(), i) != group_.dixonReed.end();
        bool tukey = std::find(group_.tukey.suspects.begin(), group_.tukey.suspects.end(), i) !=
                     group_.tukey.suspects.end();
        std::string text =
            std::string(ticked_[k] ? "■ " : "□ ") +
            withArgs(translate("Form15", "%1（%2）"),
                     {sheetNumber(input_.values[i], input_.decimals - 1), dixon && tukey ? "Dixon/Reed, Tukey"
                                                                          : dixon        ? "Dixon/Reed"
                                                                                         : "Tukey"});
        list151_->addItem(QString::fromStdString(text));
    }
}

AnalysisOptions Form15::options() const {
    return {{check151_->isChecked() ? std::size_t{1000} : std::size_t{0}, 1, 2}, target_};
}

void Form15::recompute() {
    std::vector<std::size_t> leftOut;
    for (std::size_t k = 0; k < suspects_.size(); ++k)
        if (ticked_[k]) leftOut.push_back(suspects_[k]);
    refint::recompute(group_, leftOut, options());
    if (!secondName_.empty()) partition_ = partitionCriteria(group_.kept(), second_);
    draw();
}

void Form15::LIST151_CLICK() {
    int row = list151_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= ticked_.size()) return;
    ticked_[static_cast<std::size_t>(row)] = !ticked_[static_cast<std::size_t>(row)];
    fillSuspects();
    list151_->setCurrentRow(row);
    recompute();
}

void Form15::CHECK151_ON() {
    recompute();
}

void Form15::BUTTON151_ON() {
    auto lo = typedNumber(edit151_->text().toStdString()), hi = typedNumber(edit152_->text().toStdString());
    if (!lo || !hi || !(*lo < *hi)) {
        services_.message(
            translate("Form15", "検証"),
            translate("Form15", "目標区間の下限と上限を数値で入力してください（下限 < 上限）。"), Buttons::Ok,
            Icon::Exclamation);
        return;
    }
    target_ = TargetInterval{*lo, *hi};
    recompute();
}

void Form15::BUTTON152_ON() {
    FileDialogRequest request{
        translate("Form15", "第２群のファイル"),
        input_.workdir,
        {{translate("Form15", "CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)"), {"*.CSV", "*.TXT", "*.TEXT"}},
         {translate("Form15", "すべてのファイル(*.*)"), {"*.*"}}},
        false};
    std::optional<std::string> path = services_.openFile(request);
    if (!path) return;
    DataReadResult read = readDataFile(readFileBytes(*path).value_or(std::string{}));
    for (const Message& m : read.messages)
        services_.message(m.caption, m.text, m.buttons, m.icon);
    if (read.status != ReadStatus::Ok) return;
    second_ = leadingNumbers(read.values);
    secondName_ = *path + " (n=" + std::to_string(second_.size()) + ")";
    recompute();
}

void Form15::BUTTON153_ON() {
    hide();
    setEnabled(false);
    const IntervalSheet s = sheet();
    printReport(services_,
                [&s](PrintJob& job) { drawIntervalPage(job.page(), job.pageWidth(), job.pageHeight(), s); });
    show();
    raise();
    setEnabled(true);
}

void Form15::BUTTON154_ON() {
    if (services_.message(
            "COPY",
            translate("Form15", "基準範囲の画面をクリップ・ボードにコピーします。\r\nよろしいですか？"),
            Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    services_.clipboardSetBitmap(toBitmap(surface()));
}

void Form15::BUTTON155_ON() {
    close();
}

IntervalSheet Form15::sheet() const {
    IntervalSheet s;
    s.fileLine = input_.fileLine;
    s.group = &group_;
    s.plot = input_.plot;
    s.target = target_;
    s.secondName = secondName_;
    s.partition = partition_;
    s.decimals = input_.decimals;
    return s;
}

namespace {

// The captions over the two lights: one text in Japanese, as it always was; in English each word
// centred over its light.
void drawLightCaptions(Canvas& c, const Font& body) {
    if (!inEnglish()) {
        c.text(880, 526, "下限  上限", body, Black);
        return;
    }
    for (auto [x, caption] :
         {std::pair{894.0, translate("Form15", "下限")}, std::pair{936.0, translate("Form15", "上限")}})
        c.text(x - c.textWidth(caption, body) / 2, 526, caption, body, Black);
}

} // namespace

void Form15::draw() {
    Canvas& c = canvas();
    clearSurface();
    const IntervalSheet s = sheet();
    const Font heading{kGothic, 18, true}, body{kGothic, kTextSize};
    c.text(kLeft, 6, translate("Form15", "基準範囲の推定（直接法）"), heading, Blue);
    c.text(kLeft + 300, 10, s.fileLine, body, Black);
    auto block = [&](const std::vector<SheetLine>& lines, double x, double y) {
        for (const SheetLine& l : lines) {
            c.text(x, y, l.text, body, l.colour == Yellow ? Black : l.colour);
            y += kLinePitch;
        }
    };
    block(methodLines(s), kLeft, 38);
    block(noteLines(s), kLeft, kNotesY);
    c.text(kLeft, kListCaptionY, translate("Form15", "外れ値の候補（クリックで除外／戻す）"), body, Blue);
    drawIntervalPicture(c, kPicture, s);
    c.text(kLeft, 526, translate("Form15", "目標区間"), body, Blue);
    c.text(206, 526, "–", body, Black);
    block(verificationLines(s), kLeft, kVerifyY);
    if (auto lights = verdictColours(s)) {
        drawLightCaptions(c, body);
        c.circle(894, 556, 10, Black, lights->first);
        c.circle(936, 556, 10, Black, lights->second);
    }
    block(partitionLines(s), 180, kPartitionY);
}

Form15* openReferenceIntervals(Services& services, QWidget* opener, ReferenceIntervalInput input,
                               std::function<void()> onClosed, Form15::Guard guard) {
    auto* window = new Form15(services, opener, std::move(input));
    if (guard) window->setGuard(std::move(guard));
    if (onClosed) QObject::connect(window, &Form15::closed, window, std::move(onClosed));
    window->open();
    return window;
}

} // namespace kl
