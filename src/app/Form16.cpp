#include "app/Form16.h"

#include "app/ControlTable.h"

#include "output/TextReports.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtConvert.h"
#include "text/Translate.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace kl {

namespace {

constexpr Rgb kBackground{236, 233, 216};
constexpr double kLeft = 14, kTextSize = 14, kTablePitch = 19, kLinePitch = 18;
constexpr double kResultY = 100, kTableY = 122, kCountsY = 202, kPictureY = 318, kPictureHeight = 396;
constexpr double kBarLeft = 604, kBarTop = 68, kBarRight = 1010, kBarBottom = 92;

std::vector<FileFilter> dataFilters() {
    return {{translate("Form16", "CSVまたはTXTﾌｧｲﾙ(*.CSV,*.TXT,*.TEXT)"), {"*.CSV", "*.TXT", "*.TEXT"}},
            {translate("Form16", "すべてのファイル(*.*)"), {"*.*"}}};
}

// clang-format off
// name, role, kind, geometry, font, size, caption, handler of its click or choice[, tooltip,
//  size in English, style]
const ControlRow<Form16> kForm16Controls[] = {
    {"BUTTON161", "choose the routine data file", ControlKind::Button, {14, 34, 140, 26}, kMincho, 16,
     KL_TRANSLATE_NOOP("Form16", "ファイルを開く"), [](Form16& w) { w.BUTTON161_ON(); },
     KL_TRANSLATE_NOOP("Form16", "日常検査のデータファイルを選ぶ")},
    {"COMBO161", "the column of the file to read", ControlKind::DropDown, {90, 66, 300, 26}, kGothic, 14, "",
     [](Form16& w) { w.COMBO161_CHANGE(); }},
    {"BUTTON162", "read the column and run every method", ControlKind::Button, {400, 66, 90, 26}, kMincho, 16,
     KL_TRANSLATE_NOOP("Form16", "読  込"), [](Form16& w) { w.BUTTON162_ON(); },
     KL_TRANSLATE_NOOP("Form16", "選んだ列を読み込み、各方法で基準範囲を推定する")},
    {"BUTTON163", "cancel the read", ControlKind::Button, {498, 66, 90, 26}, kMincho, 16,
     KL_TRANSLATE_NOOP("Form16", "中  止"), [](Form16& w) { w.BUTTON163_ON(); },
     KL_TRANSLATE_NOOP("Form16", "読み込みを中止する（Z キーでも中止できます）")},
    // The copy, print and close buttons read the same in both languages.
    {"BUTTON165", "copy the window's picture", ControlKind::Button, {616, 724, 115, 34}, kMincho, 20, "COPY",
     [](Form16& w) { w.BUTTON165_ON(); }, nullptr, 0, FontStyle::Italic},
    {"BUTTON164", "print one page", ControlKind::Button, {742, 724, 115, 34}, kMincho, 20, "print",
     [](Form16& w) { w.BUTTON164_ON(); }, nullptr, 0, FontStyle::Italic},
    {"BUTTON166", "close the window", ControlKind::Button, {870, 724, 115, 34}, kMincho, 20, "close",
     [](Form16& w) { w.BUTTON166_ON(); }, nullptr, 0, FontStyle::Italic},
};
// clang-format on

} // namespace

Form16::Form16(Services& services, QWidget* opener, std::string folder)
    : SecondaryWindow(services, QStringLiteral("form16"), QSize(kWidth, kHeight), opener, kBackground,
                      QStringLiteral("Indirect Reference Intervals")),
      folder_(std::move(folder)) {
    // During a read only the cancel button is enabled: it raises a flag while the read's loop lets
    // events through, so it runs at once rather than inside the running read's guard.
    buildControls<Form16>(*this, "Form16", kForm16Controls, [this](const std::function<void()>& h) {
        if (reading_)
            h();
        else
            run(h);
    });
    button161_ = findChild<QPushButton*>(QStringLiteral("BUTTON161"));
    button162_ = findChild<QPushButton*>(QStringLiteral("BUTTON162"));
    button163_ = findChild<QPushButton*>(QStringLiteral("BUTTON163"));
    button164_ = findChild<QPushButton*>(QStringLiteral("BUTTON164"));
    button165_ = findChild<QPushButton*>(QStringLiteral("BUTTON165"));
    button166_ = findChild<QPushButton*>(QStringLiteral("BUTTON166"));
    combo161_ = findChild<QComboBox*>(QStringLiteral("COMBO161"));
    combo161_->setPlaceholderText(QString::fromStdString(translate("Form16", "列を選んで下さい")));
}

Form16::~Form16() = default;

void Form16::open() {
    if (QWidget* opener = parentWidget()) placeOver(this, opener);
    showAndStart([this] { FORM16_START(); });
}

void Form16::FORM16_START() {
    draw();
    enableControls();
}

void Form16::closeEvent(QCloseEvent* event) {
    if (reading_) {
        event->ignore(); // the read's loop is still running: cancel it first
        return;
    }
    SecondaryWindow::closeEvent(event);
}

std::string Form16::chosenColumn() const {
    if (columns_.size() <= 1 || combo161_->currentIndex() < 0) return {};
    return columns_[static_cast<std::size_t>(combo161_->currentIndex())];
}

void Form16::enableControls() {
    const bool idle = !reading_;
    button161_->setEnabled(idle);
    combo161_->setEnabled(idle && columns_.size() > 1);
    button162_->setEnabled(idle && !path_.empty() &&
                           (columns_.size() <= 1 || combo161_->currentIndex() >= 0));
    button163_->setEnabled(reading_);
    button164_->setEnabled(idle && shown_.has_value());
    button165_->setEnabled(idle && shown_.has_value());
    button166_->setEnabled(idle);
}

void Form16::BUTTON161_ON() {
    std::optional<std::string> path =
        services_.openFile({translate("Form16", "ファイルのオープン"), folder_, dataFilters(), false});
    if (!path) return;
    ColumnRequest request;
    request.headerOnly = true;
    ColumnReadResult header = readColumnFile(*path, request);
    if (header.status != ColumnReadStatus::Ok) {
        services_.message(
            "BAD DATA",
            withArgs(translate("Form16", "このファイルは読めません。\r\n（%1）"), {header.message}),
            Buttons::Ok, Icon::Exclamation);
        return;
    }
    path_ = *path;
    columns_ = header.hasHeader ? header.columns : std::vector<std::string>{};
    combo161_->clear();
    for (const std::string& name : columns_)
        combo161_->addItem(QString::fromStdString(name));
    if (columns_.empty())
        combo161_->addItem(QString::fromStdString(translate("Form16", "（見出しのない 1 列のファイル）")));
    combo161_->setCurrentIndex(columns_.size() > 1 ? -1 : 0);
    draw();
    enableControls();
}

void Form16::COMBO161_CHANGE() {
    enableControls();
}

void Form16::BUTTON162_ON() {
    if (reading_ || path_.empty()) return;
    const std::string column = chosenColumn();
    ColumnRequest request;
    request.column = column;
    request.positiveOnly = true;
    ColumnReadHooks hooks;
    hooks.progress = [this](std::uint64_t done, std::uint64_t total) {
        const int k = total ? static_cast<int>(done * kSegments / total) : kSegments;
        if (k > segment_) drawBar(k);
    };
    hooks.cancelRequested = [this] {
        services_.processEvents();
        return cancel_ || services_.zKeyDown();
    };
    reading_ = true;
    cancel_ = false;
    paints_ = 0;
    drawBar(0);
    enableControls();
    ColumnReadResult read = readColumnFile(path_, request, hooks);
    reading_ = false;
    auto done = [this] {
        draw(); // the bar goes; what was shown before stays unless replaced
        enableControls();
    };
    if (read.status == ColumnReadStatus::Cancelled) {
        done();
        services_.message("CAUTION", translate("Form16", "読み込みを中止しました。\r\n表示は前のままです。"),
                          Buttons::Ok, Icon::Information);
        return;
    }
    if (read.status != ColumnReadStatus::Ok || read.groups.empty() || read.groups[0].values.empty()) {
        done();
        const std::string why = read.status != ColumnReadStatus::Ok
                                    ? read.message
                                    : translate("Form16", "0 より大きい数値がありません");
        services_.message("BAD DATA",
                          withArgs(translate("Form16", "このファイルは読めません。\r\n（%1）"), {why}),
                          Buttons::Ok, Icon::Exclamation);
        return;
    }
    IndirectSheet sheet;
    {
        BusyPointer busy(services_);
        ColumnGroup& group = read.groups[0];
        sheet.fileLine = withArgs(translate("Form16", "File：%1"), {path_}) +
                         (column.empty() ? "" : withArgs(translate("Form16", "［列 %1］"), {column}));
        sheet.rows = read.rows;
        sheet.skipped = group.skipped;
        sheet.censored = group.censored;
        sheet.sorted = std::move(group.values);
        sheet.analysis = indirect::analyse(sheet.sorted, indirect::kMethods);
    }
    shown_ = std::move(sheet);
    done();
}

void Form16::BUTTON163_ON() {
    if (reading_) cancel_ = true;
}

void Form16::BUTTON164_ON() {
    if (!shown_) return;
    hide();
    setEnabled(false);
    const IndirectSheet& s = *shown_;
    printReport(services_,
                [&s](PrintJob& job) { drawIndirectPage(job.page(), job.pageWidth(), job.pageHeight(), s); });
    show();
    raise();
    setEnabled(true);
}

void Form16::BUTTON165_ON() {
    if (services_.message(
            "COPY", translate("Form16", "間接法の画面をクリップ・ボードにコピーします。\r\nよろしいですか？"),
            Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;
    services_.clipboardSetBitmap(toBitmap(surface()));
}

void Form16::BUTTON166_ON() {
    close();
}

void Form16::drawBar(int segments) {
    Canvas& c = canvas();
    if (segments == 0) {
        c.fillBox(kBarLeft, kBarTop, kBarRight, kBarBottom, White);
        c.box(kBarLeft, kBarTop, kBarRight, kBarBottom, 8);
        segment_ = 0;
    }
    const double pitch = (kBarRight - kBarLeft - 4) / kSegments;
    for (int s = segment_ + 1; s <= std::min(segments, int(kSegments)); ++s) {
        const double left = kBarLeft + 3 + pitch * (s - 1);
        c.fillBox(left, kBarTop + 3, left + pitch - 3, kBarBottom - 3, Blue);
    }
    segment_ = std::max(segment_, segments);
    ++paints_;
    update();
}

void Form16::draw() {
    Canvas& c = canvas();
    clearSurface();
    const Font heading{kGothic, 18, true}, body{kGothic, kTextSize};
    c.text(kLeft, 6, translate("Form16", "基準範囲の推定（間接法：日常検査データから）"), heading, Blue);
    c.text(164, 39, path_.empty() ? translate("Form16", "（ファイルが選ばれていません）") : path_, body,
           Black);
    c.text(kLeft, 71, translate("Form16", "列の選択"), body, Black);
    if (!shown_) {
        c.text(kLeft, kTableY, translate("Form16", "ファイルを開き、列を選んで「読  込」を押して下さい。"),
               body, Blue);
        return;
    }
    const IndirectSheet& s = *shown_;
    c.text(kLeft, kResultY, s.fileLine, body, Black);
    drawIndirectTable(c, kLeft, kTableY, kTextSize / 2, kTablePitch, body, s);
    double y = kCountsY;
    for (const SheetLine& l : indirectCountLines(s)) {
        c.text(kLeft, y, l.text, body, l.colour);
        y += kLinePitch;
    }
    drawIndirectHistogram(c, {kLeft, kPictureY, 600, kPictureHeight, 12, 12, 1}, s);
    drawIndirectPlot(c, {624, kPictureY, 386, kPictureHeight, 12, 12, 1}, s);
}

void openIndirectWindow(QWidget* mainWindow, Services& services, const std::string& folder,
                        HandlerGuard guard) {
    auto* window = new Form16(services, mainWindow, folder);
    window->setGuard(std::move(guard));
    window->open();
}

} // namespace kl
